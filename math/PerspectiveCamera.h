// PerspectiveCamera: a camera with a symmetric perspective projection given by
// a vertical field of view in degrees, an aspect ratio (width / height) and
// the near and far clipping distances. The level renderer drives one.
#pragma once

#include "math/Camera.h"
#include "math/Vector3.h"

namespace Quorvel {

class PerspectiveCamera : public Camera {
public:
    PerspectiveCamera() = default;
    PerspectiveCamera(const Vector3& position_, const Vector3& direction_, const Vector3& up_, float fov_,
                      float aspect_, float nearPlane_, float farPlane_);

    void updateProjection() override;

    float fov = 60.0f;         // vertical, degrees
    float aspect = 1.3333334f; // width / height
    float nearPlane = 1.0f;
    float farPlane = 10000.0f;
};

} // namespace Quorvel
