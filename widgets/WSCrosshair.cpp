#include "widgets/WSCrosshair.h"

#include "math/Vector4.h"
#include "system/OpenGL.h"
#include "widgets/HudScale.h"

namespace Quorvel {

WSCrosshair::WSCrosshair() : centre(0.0f, 0.0f, 0.0f)
{
    eventMask = 0;
    visible = false;
}

WSCrosshair::~WSCrosshair() = default;

bool WSCrosshair::init()
{
    return true;
}

bool WSCrosshair::resize(const Vector4& r)
{
    centre = Vector3((r.x + r.z) / 2.0f, (r.y + r.w) / 2.0f, 0.0f);
    scale = HudScale::forHeight(r.w - r.y);
    lineWidth = HudScale::lineWidth(scale);
    return true;
}

std::array<Vector3, 8> WSCrosshair::segments() const
{
    const float end = ArmEnd * scale;
    const float start = ArmStart * scale;
    const Vector3 outerX(end, 0.0f, 0.0f);
    const Vector3 innerX(start, 0.0f, 0.0f);
    const Vector3 outerY(0.0f, end, 0.0f);
    const Vector3 innerY(0.0f, start, 0.0f);
    return {centre - outerX, centre - innerX, centre + outerX, centre + innerX,
            centre - outerY, centre - innerY, centre + outerY, centre + innerY};
}

void WSCrosshair::draw()
{
    // Only the colour changes, and it is meant to stay white.
    glColor3f(1.0f, 1.0f, 1.0f);
    if (lineWidth != 1.0f)
        glLineWidth(lineWidth);
    glBegin(GL_LINES);
    for (const Vector3& point : segments())
        glVertex3f(point.x, point.y, point.z);
    glEnd();
    if (lineWidth != 1.0f)
        glLineWidth(1.0f); // OpenGL's own default, which the other lines expect
}

} // namespace Quorvel
