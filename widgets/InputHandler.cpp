#include "widgets/InputHandler.h"

namespace Quorvel {

bool InputHandler::handleInput(uint32_t, const InputState&)
{
    return false;
}

} // namespace Quorvel
