#include "scene/Thing.h"

#include "scene/Scene.h"

namespace Quorvel {

Thing::Thing() : parent(nullptr), firstChild(nullptr), nextSibling(nullptr), dirty(false), pivot(nullptr)
{
}

Thing::Thing(Thing* parent_) : Thing()
{
    if (parent_)
        parent_->addChild(this);
}

Thing::Thing(Scene* scene) : Thing()
{
    if (scene)
        scene->add(this);
}

Thing::~Thing()
{
    detach();
    Thing* child = firstChild;
    firstChild = nullptr;
    while (child) {
        Thing* next = child->nextSibling;
        child->parent = nullptr; // already out of the list: no search needed
        child->nextSibling = nullptr;
        delete child;
        child = next;
    }
}

void Thing::draw(const Camera& camera)
{
    drawChildren(camera);
}

bool Thing::addChild(Thing* child)
{
    if (!child)
        return false;
    for (const Thing* ancestor = this; ancestor; ancestor = ancestor->parent) {
        if (ancestor == child)
            return false;
    }
    child->detach();
    child->nextSibling = firstChild;
    child->parent = this;
    firstChild = child;
    return true;
}

void Thing::detach()
{
    if (!parent)
        return;
    if (parent->firstChild == this) {
        parent->firstChild = nextSibling;
    } else {
        Thing* previous = parent->firstChild;
        while (previous && previous->nextSibling != this)
            previous = previous->nextSibling;
        if (previous)
            previous->nextSibling = nextSibling;
    }
    parent = nullptr;
    nextSibling = nullptr;
}

void Thing::drawChildren(const Camera& camera)
{
    for (Thing* child = firstChild; child; child = child->nextSibling)
        child->draw(camera);
}

void Thing::rebuildLocal()
{
    local = Matrix4::translation(position);
    local *= orientation.toMatrix();
    if (pivot)
        local *= Matrix4::translation(*pivot);
    dirty = false;
}

void Thing::updateWorld()
{
    world = parent ? affineProduct(parent->world, local) : local;
}

void Thing::update()
{
    if (!dirty && !pivot) {
        for (Thing* child = firstChild; child; child = child->nextSibling)
            child->update();
        return;
    }
    rebuildLocal();
    updateWorld();
    for (Thing* child = firstChild; child; child = child->nextSibling)
        child->updateAll();
}

void Thing::updateAll()
{
    if (dirty || pivot)
        rebuildLocal();
    updateWorld();
    for (Thing* child = firstChild; child; child = child->nextSibling)
        child->updateAll();
}

} // namespace Quorvel
