#include "input/MuteOnM.h"

#include "core/Application.h"
#include "core/Log.h"
#include "system/SoundSystem.h"

namespace Quorvel {

MuteOnM::MuteOnM()
{
    eventMask = KeyDown;
}

bool MuteOnM::handleInput(uint32_t kind, const InputState& state)
{
    SoundSystem* sound = SoundSystem::existingInstance();
    if (kind != KeyDown || state.getKey() != KeyM || !sound)
        return false;
    sound->setMuted(!sound->isMuted());
    Application::instance()->getLog()->write(sound->isMuted() ? "Sound: muted" : "Sound: unmuted");
    return true;
}

} // namespace Quorvel
