#include "widgets/WidgetManager.h"

#include "input/InputSystem.h"
#include "math/Vector3.h"
#include "system/GraphicSystem.h"
#include "widgets/Widget.h"

#include <cassert>

namespace Quorvel {

WidgetManager::WidgetManager() : screenRect(0.0f, 0.0f, 0.0f, 0.0f)
{
    eventMask = AllEvents;
}

bool WidgetManager::add(Widget* widget)
{
    assert(widget != nullptr && "null widget");
    if (widget == nullptr)
        return true;
    widgets.push_back(widget);
    if (initialised) {
        widget->init();
        widget->resize(screenRect);
    }
    return true;
}

bool WidgetManager::init()
{
    assert(!initialised && "widget manager initialised twice");
    if (initialised)
        return true; // a second registration would offer every event twice

    InputSystem::instance()->addHandler(this);
    initialised = true;

    // Index loops throughout: a widget may add another one from its hooks.
    for (size_t i = 0; i < widgets.size(); ++i)
        widgets[i]->init();

    GraphicSystem* graphics = GraphicSystem::instance();
    resize(static_cast<float>(graphics->getWidth()), static_cast<float>(graphics->getHeight()));
    return true;
}

void WidgetManager::resize(float width, float height)
{
    screenRect = Vector4(0.0f, 0.0f, width, height);
    // Left 0, bottom height, near -1; right width, top 0, far 1: y grows downwards.
    camera.minCorner = Vector3(0.0f, height, -1.0f);
    camera.maxCorner = Vector3(width, 0.0f, 1.0f);
    camera.updateProjection();
    for (size_t i = 0; i < widgets.size(); ++i)
        widgets[i]->resize(screenRect);
}

void WidgetManager::draw()
{
    camera.apply();
    for (size_t i = 0; i < widgets.size(); ++i) {
        if (widgets[i]->isVisible())
            widgets[i]->draw();
    }
}

bool WidgetManager::handleInput(uint32_t kind, const InputState& state)
{
    for (size_t i = 0; i < widgets.size(); ++i) {
        if (widgets[i]->handleInput(kind, state))
            return true;
    }
    return false;
}

} // namespace Quorvel
