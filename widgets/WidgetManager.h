#pragma once
// WidgetManager: the one owner of screen space. It keeps the widgets in the
// order they were added (not owned, never deleted), sizes them to the screen,
// draws the visible ones once per frame through its orthographic camera and
// offers them every input event in order until one consumes it.
//
// Screen space: x from 0 at the left edge to the width, y from 0 at the top
// edge to the height, one unit per pixel, y growing downwards.

#include "math/OrthogonalCamera.h"
#include "math/Vector4.h"
#include "widgets/InputHandler.h"

#include <vector>

namespace Quorvel {

class Widget;

class WidgetManager : public InputHandler {
public:
    WidgetManager();

    WidgetManager(const WidgetManager&) = delete;
    WidgetManager& operator=(const WidgetManager&) = delete;

    // Appends a widget. After init the widget gets its init and then its
    // resize with the current screen rectangle before add returns. Always
    // true; a null widget is a usage error.
    bool add(Widget* widget);

    // Registers the manager with the input system, initialises every widget
    // and sizes them all to the graphic system's screen. Once only: a second
    // call is a usage error. Always true.
    bool init();

    // Sets the screen rectangle to (0, 0, width, height), the camera to match
    // it and resizes every widget. Called by init; later window size changes
    // are not followed.
    void resize(float width, float height);

    // Applies the camera once, then draws the visible widgets in order.
    void draw();

    // Offers the event to every widget in order, hidden or not and whatever
    // its event mask; true as soon as one consumes it.
    bool handleInput(uint32_t kind, const InputState& state) override;

    const Vector4& getScreenRect() const { return screenRect; } // left, top, right, bottom
    const OrthogonalCamera& getCamera() const { return camera; }
    const std::vector<Widget*>& getWidgets() const { return widgets; }
    bool isInitialised() const { return initialised; }

private:
    Vector4 screenRect;
    OrthogonalCamera camera;
    std::vector<Widget*> widgets; // order of addition; not owned
    bool initialised = false;
};

} // namespace Quorvel
