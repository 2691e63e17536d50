// TMeshInstance: a scene object that draws a mesh under its world transform.
// The mesh is shared: acquired (reference count up) at construction and
// released at destruction, never deleted here.
#pragma once

#include "scene/Thing.h"

namespace Quorvel {

class Mesh;

class TMeshInstance : public Thing {
public:
    explicit TMeshInstance(Mesh* mesh); // null draws only the children
    ~TMeshInstance() override;

    // Camera view times world, then the mesh and the children; the
    // model-view matrix is restored.
    void draw(const Camera& camera) override;

    Mesh* getMesh() const { return mesh; }

private:
    Mesh* mesh; // shared
};

} // namespace Quorvel
