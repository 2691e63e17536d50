// Thing: a node of the scene graph. A named object placed by a position and an
// orientation relative to its parent, with cached local and world transforms.
// A thing owns its children (a singly linked list, newest first) and deletes
// them with itself; the parent and the pivot are only referred to.
#pragma once

#include "core/String.h"
#include "math/Matrix4.h"
#include "math/Quaternion.h"
#include "math/Vector3.h"

namespace Quorvel {

class Camera;
class Scene;

class Thing {
public:
    Thing();                       // a root: no parent
    explicit Thing(Thing* parent); // linked as parent's first child (a root when null)
    explicit Thing(Scene* scene);  // linked as the first child of the scene's root
    // Deletes every child; a thing that still has a parent first leaves its
    // child list, so deleting any thing of a tree is safe.
    virtual ~Thing();

    Thing(const Thing&) = delete;
    Thing& operator=(const Thing&) = delete;

    // Draws the thing; a plain thing only draws its children.
    virtual void draw(const Camera& camera);

    // Puts child at the front of the child list and takes ownership of it. A
    // child that still has another parent is detached from it first. Refuses
    // (false) null, the thing itself and its own ancestors, which would make a
    // cycle.
    bool addChild(Thing* child);
    // Leaves the parent's child list; the caller owns the thing afterwards.
    // Does nothing for a root.
    void detach();
    // Draws every child in list order with the same camera.
    void drawChildren(const Camera& camera);

    // Incremental: a thing that is neither dirty nor pivoted only passes the
    // update on; otherwise it rebuilds its transforms and refreshes its whole
    // subtree with updateAll.
    void update();
    // Forced: recomputes world (and local when dirty or pivoted) for the
    // thing and its whole subtree.
    void updateAll();
    // local = translation(position) * rotation(orientation) * translation(pivot):
    // a point is moved by the pivot, rotated, then placed at position.
    void rebuildLocal();

    const String& getName() const { return name; }
    void setName(const String& newName) { name = newName; }

    Thing* getParent() const { return parent; }
    Thing* getFirstChild() const { return firstChild; }
    Thing* getNextSibling() const { return nextSibling; }

    // Setting the pose marks the thing dirty so the next update rebuilds it.
    const Vector3& getPosition() const { return position; }
    void setPosition(const Vector3& newPosition)
    {
        position = newPosition;
        dirty = true;
    }
    const Quaternion& getOrientation() const { return orientation; }
    void setOrientation(const Quaternion& newOrientation)
    {
        orientation = newOrientation;
        dirty = true;
    }
    // The pivot is referred to, not copied; a pivoted thing rebuilds on every update.
    const Vector3* getPivot() const { return pivot; }
    void setPivot(const Vector3* newPivot) { pivot = newPivot; }
    bool isDirty() const { return dirty; }
    void setDirty() { dirty = true; } // after changing position or orientation in place

    const Matrix4& getWorld() const { return world; } // valid after an update that followed the last change
    const Matrix4& getLocal() const { return local; }

protected:
    String name;
    Thing* parent;     // not owned
    Thing* firstChild; // owned, as are its siblings
    Thing* nextSibling;
    Matrix4 world; // parent's world times local
    Matrix4 local;
    Vector3 position;
    Quaternion orientation;
    bool dirty;           // local must be rebuilt
    const Vector3* pivot; // not owned

private:
    // world = parent's world * local (local alone for a root).
    void updateWorld();
};

} // namespace Quorvel
