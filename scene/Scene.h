// Scene: holds the root of a scene graph and draws and updates the whole
// tree. Owns the root (and through it every thing added to the scene).
#pragma once

#include <memory>

namespace Quorvel {

class Camera;
class Thing;

class Scene {
public:
    Scene();  // an empty root
    ~Scene(); // deletes the root and with it every thing in the scene

    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Draws the root's children with depth testing (GL_LEQUAL); the depth
    // state is restored afterwards.
    void draw(const Camera& camera);
    // Incremental update from the root, which stays clean and unpivoted.
    void update();
    // Takes ownership of thing as the root's first child; false for null.
    bool add(Thing* thing);
    Thing* getRoot() const { return root.get(); }

private:
    std::unique_ptr<Thing> root;
};

} // namespace Quorvel
