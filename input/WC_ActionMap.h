// WC_ActionMap: which key does which of the player's actions. It holds one
// key code per action, starting from the walk-through's own keys, and answers
// which action a key is bound to; the level asks it for every key event, so a
// rebound key walks and the key it replaced no longer does. As a widget it is
// offered every input event, declines each one so that the widgets after it
// still see them, and draws nothing.
#pragma once

#include "widgets/Widget.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace Quorvel {

class WC_ActionMap : public Widget {
public:
    enum class Action { Forward, Back, Left, Right, CloudsDenser, CloudsThinner };
    static constexpr size_t ActionCount = 6;

    // The action's name in the settings file ("forward", "clouds_denser").
    static const char* actionName(Action action);
    // The key an action has without settings: w, s, a, d, Gray +, Gray -.
    static uint32_t defaultKey(Action action);
    static Action actionAt(size_t index) { return static_cast<Action>(index); } // index below ActionCount

    WC_ActionMap(); // hidden, accepting every event kind, every action on its default key
    ~WC_ActionMap() override;

    bool handleInput(uint32_t kind, const InputState& state) override; // always false

    uint32_t getKey(Action action) const { return keys[static_cast<size_t>(action)]; }
    // Binds the action to the key code; the caller keeps keys distinct.
    void setKey(Action action, uint32_t code) { keys[static_cast<size_t>(action)] = code; }
    // Whether the key code is bound; if so, action is set to the first action
    // (in declaration order) bound to it.
    bool findAction(uint32_t code, Action& action) const;

private:
    std::array<uint32_t, ActionCount> keys;
};

} // namespace Quorvel
