// Camera: the pose of a view (position, a basis and an orientation) and the
// two matrices OpenGL needs for it. The concrete cameras build the projection;
// updateView builds the model-view matrix from the pose. Nothing is computed
// until the owner calls updateProjection or updateView.
#pragma once

#include "math/Matrix4.h"
#include "math/Quaternion.h"
#include "math/Vector3.h"

namespace Quorvel {

class Camera {
public:
    Camera() = default;
    Camera(const Vector3& position_, const Vector3& direction_, const Vector3& up_); // direction before up
    virtual ~Camera() = default;

    // Rebuilds projection from the camera's parameters, then calls updateView.
    virtual void updateProjection() = 0;

    // Rebuilds view from the pose: normalises direction, derives side and a
    // perpendicular up, then view = basis * rotation(conjugate(orientation))
    // * translation(-position), all as affine products.
    virtual void updateView();

    // Loads projection, then view; leaves OpenGL in model-view mode.
    void apply() const;
    // Loads view as the model-view matrix only.
    void applyView() const;

    // The pose is written directly by the owner; call updateView afterwards.
    Vector3 position; // eye point, world units
    Vector3 side;     // derived by updateView
    Vector3 up = Vector3(0.0f, 1.0f, 0.0f);
    Vector3 direction = Vector3(0.0f, 0.0f, 1.0f); // normalised by updateView
    Quaternion orientation;                        // rotation of the camera in the world
    Matrix4 projection;
    Matrix4 view; // model-view matrix
};

} // namespace Quorvel
