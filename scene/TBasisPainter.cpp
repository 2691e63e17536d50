#include "scene/TBasisPainter.h"

#include "math/Camera.h"
#include "system/OpenGL.h"

namespace Quorvel {

namespace {
constexpr float AxisStartShade = 0.4f; // axis colour at the origin
}

TBasisPainter::TBasisPainter() : TBasisPainter(1.0f)
{
}

TBasisPainter::TBasisPainter(float length_) : color(0.0f, 0.0f, 0.0f), length(length_), colored(true)
{
}

TBasisPainter::TBasisPainter(const Vector3& color_, float length_) : color(color_), length(length_), colored(false)
{
}

void TBasisPainter::draw(const Camera& camera)
{
    glPushMatrix();
    camera.applyView();
    glMultMatrixf(world);
    if (colored) {
        glBegin(GL_LINES);
        glColor3f(AxisStartShade, 0.0f, 0.0f);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glColor3f(1.0f, 0.0f, 0.0f);
        glVertex3f(length, 0.0f, 0.0f);
        glColor3f(0.0f, AxisStartShade, 0.0f);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glColor3f(0.0f, 1.0f, 0.0f);
        glVertex3f(0.0f, length, 0.0f);
        glColor3f(0.0f, 0.0f, AxisStartShade);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glColor3f(0.0f, 0.0f, 1.0f);
        glVertex3f(0.0f, 0.0f, length);
        glEnd();
    } else {
        static const struct {
            unsigned short pattern;
            float x, y, z;
        } axes[3] = {{StippleX, 1.0f, 0.0f, 0.0f}, {StippleY, 0.0f, 1.0f, 0.0f}, {StippleZ, 0.0f, 0.0f, 1.0f}};
        glEnable(GL_LINE_STIPPLE);
        glColor3fv(color.getData());
        for (const auto& axis : axes) {
            glLineStipple(1, axis.pattern);
            glBegin(GL_LINES);
            glVertex3f(0.0f, 0.0f, 0.0f);
            glVertex3f(axis.x * length, axis.y * length, axis.z * length);
            glEnd();
        }
        glDisable(GL_LINE_STIPPLE);
    }
    glPopMatrix();
}

} // namespace Quorvel
