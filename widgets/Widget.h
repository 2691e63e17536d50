#pragma once
// Widget: an input handler that also draws on screen. The widget manager
// initialises it, tells it the screen rectangle, draws it once per frame while
// it is visible and offers it every input event. Widgets start hidden.

#include "widgets/InputHandler.h"

namespace Quorvel {

class Vector4;

class Widget : public InputHandler {
public:
    Widget() = default;

    // Called once when the widget becomes part of an initialised manager.
    virtual bool init();
    // The manager's screen rectangle in pixels: left, top, right, bottom.
    virtual bool resize(const Vector4& screenRect);
    // Draws in screen space (manager's camera applied). Anything that changes
    // matrices or other state restores it.
    virtual void draw();

    void show() { visible = true; } // there is no way back to hidden
    bool isVisible() const { return visible; }

protected:
    bool visible = false;
};

} // namespace Quorvel
