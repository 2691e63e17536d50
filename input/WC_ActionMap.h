// WC_ActionMap: the widget that will one day map keys to named actions. It
// carries no bindings yet: it is offered every input event, declines each one
// so that the widgets after it still see them, and draws nothing.
#pragma once

#include "widgets/Widget.h"

namespace Quorvel {

class WC_ActionMap : public Widget {
public:
    WC_ActionMap(); // hidden, accepting every event kind
    ~WC_ActionMap() override;

    bool handleInput(uint32_t kind, const InputState& state) override; // always false
};

} // namespace Quorvel
