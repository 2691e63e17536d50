#include "math/Camera.h"

namespace Quorvel {

Camera::Camera(const Vector3& position_, const Vector3& direction_, const Vector3& up_)
    : position(position_), up(up_), direction(direction_)
{
}

void Camera::updateView()
{
    direction.normalize();

    // The side axis is the unit vector perpendicular to up and direction. When
    // up is parallel to direction there is none: side (and so up) become zero
    // rather than the result of a division by zero.
    side = cross(up, direction);
    float sideLength = side.length();
    if (sideLength > 0.0f)
        side = side / sideLength;
    up = cross(direction, side);

    // clang-format off
    view = Matrix4(side.x, up.x, direction.x, 0.0f,
                   side.y, up.y, direction.y, 0.0f,
                   side.z, up.z, direction.z, 0.0f,
                   0.0f, 0.0f, 0.0f, 1.0f);
    // clang-format on
    view = affineProduct(view, orientation.conjugate().toMatrix());
    view = affineProduct(view, Matrix4::translation(-position));
}

void Camera::apply() const
{
    projection.loadProjection();
    view.loadModelView();
}

void Camera::applyView() const
{
    view.loadModelView();
}

} // namespace Quorvel
