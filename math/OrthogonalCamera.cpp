#include "math/OrthogonalCamera.h"

namespace Quorvel {

OrthogonalCamera::OrthogonalCamera(const Vector3& position_, const Vector3& direction_, const Vector3& up_,
                                   const Vector3& minCorner_, const Vector3& maxCorner_)
    : Camera(position_, direction_, up_), minCorner(minCorner_), maxCorner(maxCorner_)
{
}

OrthogonalCamera::OrthogonalCamera(float left, float top, float right, float bottom)
    : minCorner(left, bottom, -1.0f), maxCorner(right, top, 1.0f)
{
}

void OrthogonalCamera::updateProjection()
{
    const float l = minCorner.x, b = minCorner.y, n = minCorner.z;
    const float r = maxCorner.x, t = maxCorner.y, f = maxCorner.z;
    // clang-format off
    projection = Matrix4(2.0f / (r - l), 0.0f, 0.0f, -(r + l) / (r - l),
                         0.0f, 2.0f / (t - b), 0.0f, -(t + b) / (t - b),
                         0.0f, 0.0f, -2.0f / (f - n), -(f + n) / (f - n),
                         0.0f, 0.0f, 0.0f, 1.0f);
    // clang-format on
    updateView();
}

} // namespace Quorvel
