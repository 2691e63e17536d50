// Mesh: a drawable resource that scene objects draw with the camera they were
// given. Defines the hooks for animation; a mesh without animations (the
// static SimpleMesh) accepts only the empty animation name.
#pragma once

#include "core/String.h"
#include "resources/Resource.h"

#include <cstdint>

namespace Quorvel {

class Camera;

class Mesh : public Resource {
public:
    Mesh() = default;
    ~Mesh() override = default;

    bool unload() override { return true; }

    // Draws in the current model-view; camera is the one the drawing scene
    // object received.
    virtual void draw(const Camera& camera) = 0;

    // Selects an animation by name. Without animations only "" is accepted;
    // any other name is logged as "Error: no animation <name> in mesh <mesh>"
    // and refused.
    virtual bool setAnimation(const String& animation);

    // Playback hooks for animated meshes; a static mesh accepts them and does
    // nothing. advance takes the milliseconds that have passed.
    virtual bool advance(uint32_t milliseconds)
    {
        (void)milliseconds;
        return true;
    }
    virtual bool play() { return true; }
    virtual bool pause() { return true; }
    virtual bool rewind() { return true; }
};

} // namespace Quorvel
