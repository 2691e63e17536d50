// OrthogonalCamera: a camera with an orthographic projection of the box from
// minCorner (left, bottom, near) to maxCorner (right, top, far). The widget
// manager uses one with its corners set to the screen for 2D overlays.
#pragma once

#include "math/Camera.h"
#include "math/Vector3.h"

namespace Quorvel {

class OrthogonalCamera : public Camera {
public:
    OrthogonalCamera() = default; // the box from (-1, -1, -1) to (1, 1, 1)
    OrthogonalCamera(const Vector3& position_, const Vector3& direction_, const Vector3& up_, const Vector3& minCorner_,
                     const Vector3& maxCorner_);
    // minCorner = (left, bottom, -1), maxCorner = (right, top, 1). A top below
    // bottom in numbers (top 0, bottom = screen height) makes y grow downwards.
    OrthogonalCamera(float left, float top, float right, float bottom);

    void updateProjection() override;

    Vector3 minCorner = Vector3(-1.0f, -1.0f, -1.0f); // left, bottom, near
    Vector3 maxCorner = Vector3(1.0f, 1.0f, 1.0f);    // right, top, far
};

} // namespace Quorvel
