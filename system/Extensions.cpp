// Extension flags, entry-point variables and their loaders.

#include "system/Extensions.h"

#include "system/GraphicSystem.h"

namespace Quorvel {

bool extSwapControl = false;
bool extBgra = false;
bool extPointParameters = false;
bool extPointSprite = false;
bool extShadingLanguage100 = false;
bool extShaderObjects = false;
bool extVertexShader = false;
bool extFragmentShader = false;
bool extMultitexture = false;
bool extFramebufferObject = false;

QuorvelSwapIntervalProc wglSwapIntervalEXT = nullptr;
QuorvelGetSwapIntervalProc wglGetSwapIntervalEXT = nullptr;

PFNGLPOINTPARAMETERFARBPROC glPointParameterfARB = nullptr;
PFNGLPOINTPARAMETERFVARBPROC glPointParameterfvARB = nullptr;

PFNGLDELETEOBJECTARBPROC glDeleteObjectARB = nullptr;
PFNGLGETHANDLEARBPROC glGetHandleARB = nullptr;
PFNGLDETACHOBJECTARBPROC glDetachObjectARB = nullptr;
PFNGLCREATESHADEROBJECTARBPROC glCreateShaderObjectARB = nullptr;
PFNGLSHADERSOURCEARBPROC glShaderSourceARB = nullptr;
PFNGLCOMPILESHADERARBPROC glCompileShaderARB = nullptr;
PFNGLCREATEPROGRAMOBJECTARBPROC glCreateProgramObjectARB = nullptr;
PFNGLATTACHOBJECTARBPROC glAttachObjectARB = nullptr;
PFNGLLINKPROGRAMARBPROC glLinkProgramARB = nullptr;
PFNGLUSEPROGRAMOBJECTARBPROC glUseProgramObjectARB = nullptr;
PFNGLVALIDATEPROGRAMARBPROC glValidateProgramARB = nullptr;
PFNGLUNIFORM1FARBPROC glUniform1fARB = nullptr;
PFNGLUNIFORM2FARBPROC glUniform2fARB = nullptr;
PFNGLUNIFORM3FARBPROC glUniform3fARB = nullptr;
PFNGLUNIFORM4FARBPROC glUniform4fARB = nullptr;
PFNGLUNIFORM1IARBPROC glUniform1iARB = nullptr;
PFNGLUNIFORM2IARBPROC glUniform2iARB = nullptr;
PFNGLUNIFORM3IARBPROC glUniform3iARB = nullptr;
PFNGLUNIFORM4IARBPROC glUniform4iARB = nullptr;
PFNGLUNIFORM1FVARBPROC glUniform1fvARB = nullptr;
PFNGLUNIFORM2FVARBPROC glUniform2fvARB = nullptr;
PFNGLUNIFORM3FVARBPROC glUniform3fvARB = nullptr;
PFNGLUNIFORM4FVARBPROC glUniform4fvARB = nullptr;
PFNGLUNIFORM1IVARBPROC glUniform1ivARB = nullptr;
PFNGLUNIFORM2IVARBPROC glUniform2ivARB = nullptr;
PFNGLUNIFORM3IVARBPROC glUniform3ivARB = nullptr;
PFNGLUNIFORM4IVARBPROC glUniform4ivARB = nullptr;
PFNGLUNIFORMMATRIX2FVARBPROC glUniformMatrix2fvARB = nullptr;
PFNGLUNIFORMMATRIX3FVARBPROC glUniformMatrix3fvARB = nullptr;
PFNGLUNIFORMMATRIX4FVARBPROC glUniformMatrix4fvARB = nullptr;
PFNGLGETOBJECTPARAMETERFVARBPROC glGetObjectParameterfvARB = nullptr;
PFNGLGETOBJECTPARAMETERIVARBPROC glGetObjectParameterivARB = nullptr;
PFNGLGETINFOLOGARBPROC glGetInfoLogARB = nullptr;
PFNGLGETATTACHEDOBJECTSARBPROC glGetAttachedObjectsARB = nullptr;
PFNGLGETUNIFORMLOCATIONARBPROC glGetUniformLocationARB = nullptr;
PFNGLGETACTIVEUNIFORMARBPROC glGetActiveUniformARB = nullptr;
PFNGLGETUNIFORMFVARBPROC glGetUniformfvARB = nullptr;
PFNGLGETUNIFORMIVARBPROC glGetUniformivARB = nullptr;
PFNGLGETSHADERSOURCEARBPROC glGetShaderSourceARB = nullptr;

PFNGLVERTEXATTRIB1FARBPROC glVertexAttrib1fARB = nullptr;
PFNGLVERTEXATTRIB1SARBPROC glVertexAttrib1sARB = nullptr;
PFNGLVERTEXATTRIB1DARBPROC glVertexAttrib1dARB = nullptr;
PFNGLVERTEXATTRIB2FARBPROC glVertexAttrib2fARB = nullptr;
PFNGLVERTEXATTRIB2SARBPROC glVertexAttrib2sARB = nullptr;
PFNGLVERTEXATTRIB2DARBPROC glVertexAttrib2dARB = nullptr;
PFNGLVERTEXATTRIB3FARBPROC glVertexAttrib3fARB = nullptr;
PFNGLVERTEXATTRIB3SARBPROC glVertexAttrib3sARB = nullptr;
PFNGLVERTEXATTRIB3DARBPROC glVertexAttrib3dARB = nullptr;
PFNGLVERTEXATTRIB4FARBPROC glVertexAttrib4fARB = nullptr;
PFNGLVERTEXATTRIB4SARBPROC glVertexAttrib4sARB = nullptr;
PFNGLVERTEXATTRIB4DARBPROC glVertexAttrib4dARB = nullptr;
PFNGLVERTEXATTRIB4NUBARBPROC glVertexAttrib4NubARB = nullptr;
PFNGLVERTEXATTRIB1FVARBPROC glVertexAttrib1fvARB = nullptr;
PFNGLVERTEXATTRIB1SVARBPROC glVertexAttrib1svARB = nullptr;
PFNGLVERTEXATTRIB1DVARBPROC glVertexAttrib1dvARB = nullptr;
PFNGLVERTEXATTRIB2FVARBPROC glVertexAttrib2fvARB = nullptr;
PFNGLVERTEXATTRIB2SVARBPROC glVertexAttrib2svARB = nullptr;
PFNGLVERTEXATTRIB2DVARBPROC glVertexAttrib2dvARB = nullptr;
PFNGLVERTEXATTRIB3FVARBPROC glVertexAttrib3fvARB = nullptr;
PFNGLVERTEXATTRIB3SVARBPROC glVertexAttrib3svARB = nullptr;
PFNGLVERTEXATTRIB3DVARBPROC glVertexAttrib3dvARB = nullptr;
PFNGLVERTEXATTRIB4FVARBPROC glVertexAttrib4fvARB = nullptr;
PFNGLVERTEXATTRIB4SVARBPROC glVertexAttrib4svARB = nullptr;
PFNGLVERTEXATTRIB4DVARBPROC glVertexAttrib4dvARB = nullptr;
PFNGLVERTEXATTRIB4IVARBPROC glVertexAttrib4ivARB = nullptr;
PFNGLVERTEXATTRIB4BVARBPROC glVertexAttrib4bvARB = nullptr;
PFNGLVERTEXATTRIB4UBVARBPROC glVertexAttrib4ubvARB = nullptr;
PFNGLVERTEXATTRIB4USVARBPROC glVertexAttrib4usvARB = nullptr;
PFNGLVERTEXATTRIB4UIVARBPROC glVertexAttrib4uivARB = nullptr;
PFNGLVERTEXATTRIB4NBVARBPROC glVertexAttrib4NbvARB = nullptr;
PFNGLVERTEXATTRIB4NSVARBPROC glVertexAttrib4NsvARB = nullptr;
PFNGLVERTEXATTRIB4NIVARBPROC glVertexAttrib4NivARB = nullptr;
PFNGLVERTEXATTRIB4NUBVARBPROC glVertexAttrib4NubvARB = nullptr;
PFNGLVERTEXATTRIB4NUSVARBPROC glVertexAttrib4NusvARB = nullptr;
PFNGLVERTEXATTRIB4NUIVARBPROC glVertexAttrib4NuivARB = nullptr;
PFNGLVERTEXATTRIBPOINTERARBPROC glVertexAttribPointerARB = nullptr;
PFNGLENABLEVERTEXATTRIBARRAYARBPROC glEnableVertexAttribArrayARB = nullptr;
PFNGLDISABLEVERTEXATTRIBARRAYARBPROC glDisableVertexAttribArrayARB = nullptr;
PFNGLBINDATTRIBLOCATIONARBPROC glBindAttribLocationARB = nullptr;
PFNGLGETACTIVEATTRIBARBPROC glGetActiveAttribARB = nullptr;
PFNGLGETATTRIBLOCATIONARBPROC glGetAttribLocationARB = nullptr;
PFNGLGETVERTEXATTRIBDVARBPROC glGetVertexAttribdvARB = nullptr;
PFNGLGETVERTEXATTRIBFVARBPROC glGetVertexAttribfvARB = nullptr;
PFNGLGETVERTEXATTRIBIVARBPROC glGetVertexAttribivARB = nullptr;
PFNGLGETVERTEXATTRIBPOINTERVARBPROC glGetVertexAttribPointervARB = nullptr;

PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
PFNGLMULTITEXCOORD1DARBPROC glMultiTexCoord1dARB = nullptr;
PFNGLMULTITEXCOORD1DVARBPROC glMultiTexCoord1dvARB = nullptr;
PFNGLMULTITEXCOORD1FARBPROC glMultiTexCoord1fARB = nullptr;
PFNGLMULTITEXCOORD1FVARBPROC glMultiTexCoord1fvARB = nullptr;
PFNGLMULTITEXCOORD1IARBPROC glMultiTexCoord1iARB = nullptr;
PFNGLMULTITEXCOORD1IVARBPROC glMultiTexCoord1ivARB = nullptr;
PFNGLMULTITEXCOORD1SARBPROC glMultiTexCoord1sARB = nullptr;
PFNGLMULTITEXCOORD1SVARBPROC glMultiTexCoord1svARB = nullptr;
PFNGLMULTITEXCOORD2DARBPROC glMultiTexCoord2dARB = nullptr;
PFNGLMULTITEXCOORD2DVARBPROC glMultiTexCoord2dvARB = nullptr;
PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
PFNGLMULTITEXCOORD2FVARBPROC glMultiTexCoord2fvARB = nullptr;
PFNGLMULTITEXCOORD2IARBPROC glMultiTexCoord2iARB = nullptr;
PFNGLMULTITEXCOORD2IVARBPROC glMultiTexCoord2ivARB = nullptr;
PFNGLMULTITEXCOORD2SARBPROC glMultiTexCoord2sARB = nullptr;
PFNGLMULTITEXCOORD2SVARBPROC glMultiTexCoord2svARB = nullptr;
PFNGLMULTITEXCOORD3DARBPROC glMultiTexCoord3dARB = nullptr;
PFNGLMULTITEXCOORD3DVARBPROC glMultiTexCoord3dvARB = nullptr;
PFNGLMULTITEXCOORD3FARBPROC glMultiTexCoord3fARB = nullptr;
PFNGLMULTITEXCOORD3FVARBPROC glMultiTexCoord3fvARB = nullptr;
PFNGLMULTITEXCOORD3IARBPROC glMultiTexCoord3iARB = nullptr;
PFNGLMULTITEXCOORD3IVARBPROC glMultiTexCoord3ivARB = nullptr;
PFNGLMULTITEXCOORD3SARBPROC glMultiTexCoord3sARB = nullptr;
PFNGLMULTITEXCOORD3SVARBPROC glMultiTexCoord3svARB = nullptr;
PFNGLMULTITEXCOORD4DARBPROC glMultiTexCoord4dARB = nullptr;
PFNGLMULTITEXCOORD4DVARBPROC glMultiTexCoord4dvARB = nullptr;
PFNGLMULTITEXCOORD4FARBPROC glMultiTexCoord4fARB = nullptr;
PFNGLMULTITEXCOORD4FVARBPROC glMultiTexCoord4fvARB = nullptr;
PFNGLMULTITEXCOORD4IARBPROC glMultiTexCoord4iARB = nullptr;
PFNGLMULTITEXCOORD4IVARBPROC glMultiTexCoord4ivARB = nullptr;
PFNGLMULTITEXCOORD4SARBPROC glMultiTexCoord4sARB = nullptr;
PFNGLMULTITEXCOORD4SVARBPROC glMultiTexCoord4svARB = nullptr;

PFNGLISRENDERBUFFEREXTPROC glIsRenderbufferEXT = nullptr;
PFNGLBINDRENDERBUFFEREXTPROC glBindRenderbufferEXT = nullptr;
PFNGLDELETERENDERBUFFERSEXTPROC glDeleteRenderbuffersEXT = nullptr;
PFNGLGENRENDERBUFFERSEXTPROC glGenRenderbuffersEXT = nullptr;
PFNGLRENDERBUFFERSTORAGEEXTPROC glRenderbufferStorageEXT = nullptr;
PFNGLGETRENDERBUFFERPARAMETERIVEXTPROC glGetRenderbufferParameterivEXT = nullptr;
PFNGLISFRAMEBUFFEREXTPROC glIsFramebufferEXT = nullptr;
PFNGLBINDFRAMEBUFFEREXTPROC glBindFramebufferEXT = nullptr;
PFNGLDELETEFRAMEBUFFERSEXTPROC glDeleteFramebuffersEXT = nullptr;
PFNGLGENFRAMEBUFFERSEXTPROC glGenFramebuffersEXT = nullptr;
PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC glCheckFramebufferStatusEXT = nullptr;
PFNGLFRAMEBUFFERTEXTURE1DEXTPROC glFramebufferTexture1DEXT = nullptr;
PFNGLFRAMEBUFFERTEXTURE2DEXTPROC glFramebufferTexture2DEXT = nullptr;
PFNGLFRAMEBUFFERTEXTURE3DEXTPROC glFramebufferTexture3DEXT = nullptr;
PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC glFramebufferRenderbufferEXT = nullptr;
PFNGLGETFRAMEBUFFERATTACHMENTPARAMETERIVEXTPROC glGetFramebufferAttachmentParameterivEXT = nullptr;
PFNGLGENERATEMIPMAPEXTPROC glGenerateMipmapEXT = nullptr;

namespace {

bool isSupported(const char* extension)
{
    return GraphicSystem::instance()->isExtensionSupported(extension);
}

// Stores the entry point's address in pointer; false when it is unknown.
template <typename Pointer>
bool lookUp(Pointer& pointer, const char* name)
{
    pointer = reinterpret_cast<Pointer>(GraphicSystem::instance()->getProcAddress(name));
    return pointer != nullptr;
}

} // namespace

bool loadSwapControl()
{
    extSwapControl = false;
    if (!lookUp(wglSwapIntervalEXT, "wglSwapIntervalEXT"))
        return false;
    if (!lookUp(wglGetSwapIntervalEXT, "wglGetSwapIntervalEXT"))
        return false;
    extSwapControl = true;
    return true;
}

bool loadBgra()
{
    extBgra = isSupported("GL_EXT_bgra");
    return extBgra;
}

bool loadPointSprite()
{
    extPointSprite = isSupported("GL_ARB_point_sprite");
    return extPointSprite;
}

bool loadShadingLanguage100()
{
    extShadingLanguage100 = isSupported("GL_ARB_shading_language_100");
    return extShadingLanguage100;
}

bool loadFragmentShader()
{
    extFragmentShader = isSupported("GL_ARB_fragment_shader");
    return extFragmentShader;
}

bool loadPointParameters()
{
    extPointParameters = false;
    if (!isSupported("GL_ARB_point_parameters"))
        return false;
    if (!lookUp(glPointParameterfARB, "glPointParameterfARB"))
        return false;
    if (!lookUp(glPointParameterfvARB, "glPointParameterfvARB"))
        return false;
    extPointParameters = true;
    return true;
}

bool loadShaderObjects()
{
    extShaderObjects = false;
    if (!isSupported("GL_ARB_shader_objects"))
        return false;
    if (!lookUp(glDeleteObjectARB, "glDeleteObjectARB"))
        return false;
    if (!lookUp(glGetHandleARB, "glGetHandleARB"))
        return false;
    if (!lookUp(glDetachObjectARB, "glDetachObjectARB"))
        return false;
    if (!lookUp(glCreateShaderObjectARB, "glCreateShaderObjectARB"))
        return false;
    if (!lookUp(glShaderSourceARB, "glShaderSourceARB"))
        return false;
    if (!lookUp(glCompileShaderARB, "glCompileShaderARB"))
        return false;
    if (!lookUp(glCreateProgramObjectARB, "glCreateProgramObjectARB"))
        return false;
    if (!lookUp(glAttachObjectARB, "glAttachObjectARB"))
        return false;
    if (!lookUp(glLinkProgramARB, "glLinkProgramARB"))
        return false;
    if (!lookUp(glUseProgramObjectARB, "glUseProgramObjectARB"))
        return false;
    if (!lookUp(glValidateProgramARB, "glValidateProgramARB"))
        return false;
    if (!lookUp(glUniform1fARB, "glUniform1fARB"))
        return false;
    if (!lookUp(glUniform2fARB, "glUniform2fARB"))
        return false;
    if (!lookUp(glUniform3fARB, "glUniform3fARB"))
        return false;
    if (!lookUp(glUniform4fARB, "glUniform4fARB"))
        return false;
    if (!lookUp(glUniform1iARB, "glUniform1iARB"))
        return false;
    if (!lookUp(glUniform2iARB, "glUniform2iARB"))
        return false;
    if (!lookUp(glUniform3iARB, "glUniform3iARB"))
        return false;
    if (!lookUp(glUniform4iARB, "glUniform4iARB"))
        return false;
    if (!lookUp(glUniform1fvARB, "glUniform1fvARB"))
        return false;
    if (!lookUp(glUniform2fvARB, "glUniform2fvARB"))
        return false;
    if (!lookUp(glUniform3fvARB, "glUniform3fvARB"))
        return false;
    if (!lookUp(glUniform4fvARB, "glUniform4fvARB"))
        return false;
    if (!lookUp(glUniform1ivARB, "glUniform1ivARB"))
        return false;
    if (!lookUp(glUniform2ivARB, "glUniform2ivARB"))
        return false;
    if (!lookUp(glUniform3ivARB, "glUniform3ivARB"))
        return false;
    if (!lookUp(glUniform4ivARB, "glUniform4ivARB"))
        return false;
    if (!lookUp(glUniformMatrix2fvARB, "glUniformMatrix2fvARB"))
        return false;
    if (!lookUp(glUniformMatrix3fvARB, "glUniformMatrix3fvARB"))
        return false;
    if (!lookUp(glUniformMatrix4fvARB, "glUniformMatrix4fvARB"))
        return false;
    if (!lookUp(glGetObjectParameterfvARB, "glGetObjectParameterfvARB"))
        return false;
    if (!lookUp(glGetObjectParameterivARB, "glGetObjectParameterivARB"))
        return false;
    if (!lookUp(glGetInfoLogARB, "glGetInfoLogARB"))
        return false;
    if (!lookUp(glGetAttachedObjectsARB, "glGetAttachedObjectsARB"))
        return false;
    if (!lookUp(glGetUniformLocationARB, "glGetUniformLocationARB"))
        return false;
    if (!lookUp(glGetActiveUniformARB, "glGetActiveUniformARB"))
        return false;
    if (!lookUp(glGetUniformfvARB, "glGetUniformfvARB"))
        return false;
    if (!lookUp(glGetUniformivARB, "glGetUniformivARB"))
        return false;
    if (!lookUp(glGetShaderSourceARB, "glGetShaderSourceARB"))
        return false;
    extShaderObjects = true;
    return true;
}

bool loadVertexShader()
{
    extVertexShader = false;
    if (!isSupported("GL_ARB_vertex_shader"))
        return false;
    if (!lookUp(glVertexAttrib1fARB, "glVertexAttrib1fARB"))
        return false;
    if (!lookUp(glVertexAttrib1sARB, "glVertexAttrib1sARB"))
        return false;
    if (!lookUp(glVertexAttrib1dARB, "glVertexAttrib1dARB"))
        return false;
    if (!lookUp(glVertexAttrib2fARB, "glVertexAttrib2fARB"))
        return false;
    if (!lookUp(glVertexAttrib2sARB, "glVertexAttrib2sARB"))
        return false;
    if (!lookUp(glVertexAttrib2dARB, "glVertexAttrib2dARB"))
        return false;
    if (!lookUp(glVertexAttrib3fARB, "glVertexAttrib3fARB"))
        return false;
    if (!lookUp(glVertexAttrib3sARB, "glVertexAttrib3sARB"))
        return false;
    if (!lookUp(glVertexAttrib3dARB, "glVertexAttrib3dARB"))
        return false;
    if (!lookUp(glVertexAttrib4fARB, "glVertexAttrib4fARB"))
        return false;
    if (!lookUp(glVertexAttrib4sARB, "glVertexAttrib4sARB"))
        return false;
    if (!lookUp(glVertexAttrib4dARB, "glVertexAttrib4dARB"))
        return false;
    if (!lookUp(glVertexAttrib4NubARB, "glVertexAttrib4NubARB"))
        return false;
    if (!lookUp(glVertexAttrib1fvARB, "glVertexAttrib1fvARB"))
        return false;
    if (!lookUp(glVertexAttrib1svARB, "glVertexAttrib1svARB"))
        return false;
    if (!lookUp(glVertexAttrib1dvARB, "glVertexAttrib1dvARB"))
        return false;
    if (!lookUp(glVertexAttrib2fvARB, "glVertexAttrib2fvARB"))
        return false;
    if (!lookUp(glVertexAttrib2svARB, "glVertexAttrib2svARB"))
        return false;
    if (!lookUp(glVertexAttrib2dvARB, "glVertexAttrib2dvARB"))
        return false;
    if (!lookUp(glVertexAttrib3fvARB, "glVertexAttrib3fvARB"))
        return false;
    if (!lookUp(glVertexAttrib3svARB, "glVertexAttrib3svARB"))
        return false;
    if (!lookUp(glVertexAttrib3dvARB, "glVertexAttrib3dvARB"))
        return false;
    if (!lookUp(glVertexAttrib4fvARB, "glVertexAttrib4fvARB"))
        return false;
    if (!lookUp(glVertexAttrib4svARB, "glVertexAttrib4svARB"))
        return false;
    if (!lookUp(glVertexAttrib4dvARB, "glVertexAttrib4dvARB"))
        return false;
    if (!lookUp(glVertexAttrib4ivARB, "glVertexAttrib4ivARB"))
        return false;
    if (!lookUp(glVertexAttrib4bvARB, "glVertexAttrib4bvARB"))
        return false;
    if (!lookUp(glVertexAttrib4ubvARB, "glVertexAttrib4ubvARB"))
        return false;
    if (!lookUp(glVertexAttrib4usvARB, "glVertexAttrib4usvARB"))
        return false;
    if (!lookUp(glVertexAttrib4uivARB, "glVertexAttrib4uivARB"))
        return false;
    if (!lookUp(glVertexAttrib4NbvARB, "glVertexAttrib4NbvARB"))
        return false;
    if (!lookUp(glVertexAttrib4NsvARB, "glVertexAttrib4NsvARB"))
        return false;
    if (!lookUp(glVertexAttrib4NivARB, "glVertexAttrib4NivARB"))
        return false;
    if (!lookUp(glVertexAttrib4NubvARB, "glVertexAttrib4NubvARB"))
        return false;
    if (!lookUp(glVertexAttrib4NusvARB, "glVertexAttrib4NusvARB"))
        return false;
    if (!lookUp(glVertexAttrib4NuivARB, "glVertexAttrib4NuivARB"))
        return false;
    if (!lookUp(glVertexAttribPointerARB, "glVertexAttribPointerARB"))
        return false;
    if (!lookUp(glEnableVertexAttribArrayARB, "glEnableVertexAttribArrayARB"))
        return false;
    if (!lookUp(glDisableVertexAttribArrayARB, "glDisableVertexAttribArrayARB"))
        return false;
    if (!lookUp(glBindAttribLocationARB, "glBindAttribLocationARB"))
        return false;
    if (!lookUp(glGetActiveAttribARB, "glGetActiveAttribARB"))
        return false;
    if (!lookUp(glGetAttribLocationARB, "glGetAttribLocationARB"))
        return false;
    if (!lookUp(glGetVertexAttribdvARB, "glGetVertexAttribdvARB"))
        return false;
    if (!lookUp(glGetVertexAttribfvARB, "glGetVertexAttribfvARB"))
        return false;
    if (!lookUp(glGetVertexAttribivARB, "glGetVertexAttribivARB"))
        return false;
    if (!lookUp(glGetVertexAttribPointervARB, "glGetVertexAttribPointervARB"))
        return false;
    extVertexShader = true;
    return true;
}

bool loadMultitexture()
{
    extMultitexture = false;
    if (!isSupported("GL_ARB_multitexture"))
        return false;
    if (!lookUp(glActiveTextureARB, "glActiveTextureARB"))
        return false;
    if (!lookUp(glClientActiveTextureARB, "glClientActiveTextureARB"))
        return false;
    if (!lookUp(glMultiTexCoord1dARB, "glMultiTexCoord1dARB"))
        return false;
    if (!lookUp(glMultiTexCoord1dvARB, "glMultiTexCoord1dvARB"))
        return false;
    if (!lookUp(glMultiTexCoord1fARB, "glMultiTexCoord1fARB"))
        return false;
    if (!lookUp(glMultiTexCoord1fvARB, "glMultiTexCoord1fvARB"))
        return false;
    if (!lookUp(glMultiTexCoord1iARB, "glMultiTexCoord1iARB"))
        return false;
    if (!lookUp(glMultiTexCoord1ivARB, "glMultiTexCoord1ivARB"))
        return false;
    if (!lookUp(glMultiTexCoord1sARB, "glMultiTexCoord1sARB"))
        return false;
    if (!lookUp(glMultiTexCoord1svARB, "glMultiTexCoord1svARB"))
        return false;
    if (!lookUp(glMultiTexCoord2dARB, "glMultiTexCoord2dARB"))
        return false;
    if (!lookUp(glMultiTexCoord2dvARB, "glMultiTexCoord2dvARB"))
        return false;
    if (!lookUp(glMultiTexCoord2fARB, "glMultiTexCoord2fARB"))
        return false;
    if (!lookUp(glMultiTexCoord2fvARB, "glMultiTexCoord2fvARB"))
        return false;
    if (!lookUp(glMultiTexCoord2iARB, "glMultiTexCoord2iARB"))
        return false;
    if (!lookUp(glMultiTexCoord2ivARB, "glMultiTexCoord2ivARB"))
        return false;
    if (!lookUp(glMultiTexCoord2sARB, "glMultiTexCoord2sARB"))
        return false;
    if (!lookUp(glMultiTexCoord2svARB, "glMultiTexCoord2svARB"))
        return false;
    if (!lookUp(glMultiTexCoord3dARB, "glMultiTexCoord3dARB"))
        return false;
    if (!lookUp(glMultiTexCoord3dvARB, "glMultiTexCoord3dvARB"))
        return false;
    if (!lookUp(glMultiTexCoord3fARB, "glMultiTexCoord3fARB"))
        return false;
    if (!lookUp(glMultiTexCoord3fvARB, "glMultiTexCoord3fvARB"))
        return false;
    if (!lookUp(glMultiTexCoord3iARB, "glMultiTexCoord3iARB"))
        return false;
    if (!lookUp(glMultiTexCoord3ivARB, "glMultiTexCoord3ivARB"))
        return false;
    if (!lookUp(glMultiTexCoord3sARB, "glMultiTexCoord3sARB"))
        return false;
    if (!lookUp(glMultiTexCoord3svARB, "glMultiTexCoord3svARB"))
        return false;
    if (!lookUp(glMultiTexCoord4dARB, "glMultiTexCoord4dARB"))
        return false;
    if (!lookUp(glMultiTexCoord4dvARB, "glMultiTexCoord4dvARB"))
        return false;
    if (!lookUp(glMultiTexCoord4fARB, "glMultiTexCoord4fARB"))
        return false;
    if (!lookUp(glMultiTexCoord4fvARB, "glMultiTexCoord4fvARB"))
        return false;
    if (!lookUp(glMultiTexCoord4iARB, "glMultiTexCoord4iARB"))
        return false;
    if (!lookUp(glMultiTexCoord4ivARB, "glMultiTexCoord4ivARB"))
        return false;
    if (!lookUp(glMultiTexCoord4sARB, "glMultiTexCoord4sARB"))
        return false;
    if (!lookUp(glMultiTexCoord4svARB, "glMultiTexCoord4svARB"))
        return false;
    extMultitexture = true;
    return true;
}

bool loadFramebufferObject()
{
    extFramebufferObject = false;
    if (!isSupported("GL_EXT_framebuffer_object"))
        return false;
    if (!lookUp(glIsRenderbufferEXT, "glIsRenderbufferEXT"))
        return false;
    if (!lookUp(glBindRenderbufferEXT, "glBindRenderbufferEXT"))
        return false;
    if (!lookUp(glDeleteRenderbuffersEXT, "glDeleteRenderbuffersEXT"))
        return false;
    if (!lookUp(glGenRenderbuffersEXT, "glGenRenderbuffersEXT"))
        return false;
    if (!lookUp(glRenderbufferStorageEXT, "glRenderbufferStorageEXT"))
        return false;
    if (!lookUp(glGetRenderbufferParameterivEXT, "glGetRenderbufferParameterivEXT"))
        return false;
    if (!lookUp(glIsFramebufferEXT, "glIsFramebufferEXT"))
        return false;
    if (!lookUp(glBindFramebufferEXT, "glBindFramebufferEXT"))
        return false;
    if (!lookUp(glDeleteFramebuffersEXT, "glDeleteFramebuffersEXT"))
        return false;
    if (!lookUp(glGenFramebuffersEXT, "glGenFramebuffersEXT"))
        return false;
    if (!lookUp(glCheckFramebufferStatusEXT, "glCheckFramebufferStatusEXT"))
        return false;
    if (!lookUp(glFramebufferTexture1DEXT, "glFramebufferTexture1DEXT"))
        return false;
    if (!lookUp(glFramebufferTexture2DEXT, "glFramebufferTexture2DEXT"))
        return false;
    if (!lookUp(glFramebufferTexture3DEXT, "glFramebufferTexture3DEXT"))
        return false;
    if (!lookUp(glFramebufferRenderbufferEXT, "glFramebufferRenderbufferEXT"))
        return false;
    if (!lookUp(glGetFramebufferAttachmentParameterivEXT, "glGetFramebufferAttachmentParameterivEXT"))
        return false;
    if (!lookUp(glGenerateMipmapEXT, "glGenerateMipmapEXT"))
        return false;
    extFramebufferObject = true;
    return true;
}

void loadExtensions()
{
    loadSwapControl();
    loadBgra();
    loadPointParameters();
    loadPointSprite();
    loadShadingLanguage100();
    loadShaderObjects();
    loadVertexShader();
    loadFragmentShader();
    loadMultitexture();
}

} // namespace Quorvel
