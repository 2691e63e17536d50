#include "math/PerspectiveCamera.h"

#include <cmath>

namespace Quorvel {

PerspectiveCamera::PerspectiveCamera(const Vector3& position_, const Vector3& direction_, const Vector3& up_,
                                     float fov_, float aspect_, float nearPlane_, float farPlane_)
    : Camera(position_, direction_, up_), fov(fov_), aspect(aspect_), nearPlane(nearPlane_), farPlane(farPlane_)
{
}

void PerspectiveCamera::updateProjection()
{
    // Cotangent of half the field of view, the degrees converted in double.
    const float c = static_cast<float>(1.0 / std::tan(fov * 3.141592653589793 / 360.0));
    const float k = 1.0f / (nearPlane - farPlane);
    // clang-format off
    projection = Matrix4(c / aspect, 0.0f, 0.0f, 0.0f,
                         0.0f, c, 0.0f, 0.0f,
                         0.0f, 0.0f, (nearPlane + farPlane) * k, nearPlane * 2.0f * farPlane * k,
                         0.0f, 0.0f, -1.0f, 0.0f);
    // clang-format on
    updateView();
}

} // namespace Quorvel
