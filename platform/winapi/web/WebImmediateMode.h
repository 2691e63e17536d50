#pragma once
// WebImmediateMode: glBegin / glEnd in a browser. The vertices between them
// (place, colour, texture coordinate) are gathered into one interleaved
// array, quadrilaterals as two triangles each, and drawn with one
// glDrawArrays at glEnd: emulating each call on WebGL costs far more, and
// emscripten's own immediate mode loses its way when the colour changes
// between the vertices of one glBegin. The current colour and texture
// coordinate hold between glBegin blocks as in OpenGL.

#include <GL/gl.h>

#include <vector>

namespace Quorvel {

class WebImmediateMode {
public:
    struct Vertex {
        GLfloat position[3];
        GLfloat colour[4];
        GLfloat texCoord[2];
    };

    // What glEnd draws for what was given since glBegin(mode): the mode it
    // draws in and the vertices, quadrilaterals turned into triangles (an
    // unfinished one left out). Public for the tests.
    static GLenum drawnMode(GLenum mode);
    static void expand(GLenum mode, const std::vector<Vertex>& given, std::vector<Vertex>& drawn);
};

} // namespace Quorvel

extern "C" {
void quorvelWebBegin(GLenum mode);
void quorvelWebEnd(void);
void quorvelWebVertex2f(GLfloat x, GLfloat y);
void quorvelWebVertex3f(GLfloat x, GLfloat y, GLfloat z);
void quorvelWebVertex3fv(const GLfloat* v);
void quorvelWebColor3f(GLfloat r, GLfloat g, GLfloat b);
void quorvelWebColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void quorvelWebColor3fv(const GLfloat* v);
void quorvelWebTexCoord2f(GLfloat s, GLfloat t);
void quorvelWebTexCoord2fv(const GLfloat* v);
}
