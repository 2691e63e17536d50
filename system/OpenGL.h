// The one include for OpenGL in the engine: OpenGL 1.1, GLU and the extension
// types (PFN...PROC) whose entry points are looked up at run time.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glext.h>
