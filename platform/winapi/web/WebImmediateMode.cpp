#include "platform/winapi/web/WebImmediateMode.h"

#include "platform/winapi/web/WebGLFillIns.h"

#include <cstddef>

// The real calls.
#undef glEnableClientState
#undef glDisableClientState
#undef glColor4f

namespace Quorvel {

namespace {

bool inside = false; // between glBegin and glEnd
GLenum beginMode = GL_POINTS;
WebImmediateMode::Vertex current = {{0, 0, 0}, {1, 1, 1, 1}, {0, 0}};
std::vector<WebImmediateMode::Vertex> given;
std::vector<WebImmediateMode::Vertex> drawn;

void vertex(GLfloat x, GLfloat y, GLfloat z)
{
    if (!inside)
        return; // OpenGL ignores a vertex outside glBegin / glEnd
    current.position[0] = x;
    current.position[1] = y;
    current.position[2] = z;
    given.push_back(current);
}

void colour(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    current.colour[0] = r;
    current.colour[1] = g;
    current.colour[2] = b;
    current.colour[3] = a;
    if (!inside)
        glColor4f(r, g, b, a); // the colour client arrays draw with
}

} // namespace

GLenum WebImmediateMode::drawnMode(GLenum mode)
{
    return mode == GL_QUADS ? GL_TRIANGLES : mode == GL_QUAD_STRIP ? GL_TRIANGLE_STRIP : mode == GL_POLYGON ? GL_TRIANGLE_FAN : mode;
}

void WebImmediateMode::expand(GLenum mode, const std::vector<Vertex>& in, std::vector<Vertex>& out)
{
    out.clear();
    if (mode != GL_QUADS) {
        out = in;
        return;
    }
    for (size_t i = 0; i + 3 < in.size(); i += 4) {
        const size_t order[6] = {i, i + 1, i + 2, i, i + 2, i + 3};
        for (size_t k : order)
            out.push_back(in[k]);
    }
}

} // namespace Quorvel

using namespace Quorvel;

extern "C" {

void quorvelWebBegin(GLenum mode)
{
    if (inside)
        return; // GL_INVALID_OPERATION on a desktop
    inside = true;
    beginMode = mode;
    given.clear();
}

void quorvelWebEnd(void)
{
    if (!inside)
        return;
    inside = false;
    WebImmediateMode::expand(beginMode, given, drawn);
    if (drawn.empty())
        return;
    // One interleaved array: the emulation copies it once for all three.
    const GLsizei stride = sizeof(WebImmediateMode::Vertex);
    const bool vertices = WebGLFillIns::clientArrayEnabled(GL_VERTEX_ARRAY, GL_TEXTURE0);
    const bool colours = WebGLFillIns::clientArrayEnabled(GL_COLOR_ARRAY, GL_TEXTURE0);
    const bool texCoords = WebGLFillIns::clientArrayEnabled(GL_TEXTURE_COORD_ARRAY, GL_TEXTURE0);
    const bool normals = WebGLFillIns::clientArrayEnabled(GL_NORMAL_ARRAY, GL_TEXTURE0);
    const GLenum unit = WebGLFillIns::clientActiveUnit();
    if (unit != GL_TEXTURE0)
        glClientActiveTexture(GL_TEXTURE0);
    const WebImmediateMode::Vertex* first = drawn.data();
    glVertexPointer(3, GL_FLOAT, stride, first->position);
    glColorPointer(4, GL_FLOAT, stride, first->colour);
    glTexCoordPointer(2, GL_FLOAT, stride, first->texCoord);
    if (!vertices)
        glEnableClientState(GL_VERTEX_ARRAY);
    if (!colours)
        glEnableClientState(GL_COLOR_ARRAY);
    if (!texCoords)
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    if (normals)
        glDisableClientState(GL_NORMAL_ARRAY);
    glDrawArrays(WebImmediateMode::drawnMode(beginMode), 0, GLsizei(drawn.size()));
    if (!vertices)
        glDisableClientState(GL_VERTEX_ARRAY);
    if (!colours)
        glDisableClientState(GL_COLOR_ARRAY);
    if (!texCoords)
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    if (normals)
        glEnableClientState(GL_NORMAL_ARRAY);
    if (unit != GL_TEXTURE0)
        glClientActiveTexture(unit);
    // The current colour after glEnd is the last one given, as in OpenGL.
    glColor4f(current.colour[0], current.colour[1], current.colour[2], current.colour[3]);
}

void quorvelWebVertex2f(GLfloat x, GLfloat y)
{
    vertex(x, y, 0.0f);
}

void quorvelWebVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    vertex(x, y, z);
}

void quorvelWebVertex3fv(const GLfloat* v)
{
    vertex(v[0], v[1], v[2]);
}

void quorvelWebColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    colour(r, g, b, 1.0f);
}

void quorvelWebColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    colour(r, g, b, a);
}

void quorvelWebColor3fv(const GLfloat* v)
{
    colour(v[0], v[1], v[2], 1.0f);
}

void quorvelWebTexCoord2f(GLfloat s, GLfloat t)
{
    current.texCoord[0] = s;
    current.texCoord[1] = t;
}

void quorvelWebTexCoord2fv(const GLfloat* v)
{
    quorvelWebTexCoord2f(v[0], v[1]);
}

} // extern "C"
