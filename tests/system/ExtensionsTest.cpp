#include "system/Extensions.h"

#include "system/GraphicSystem.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace Quorvel;

namespace {

// A graphic system in its ContextReady state with a made-up driver: an
// extension string, and every entry point known except the ones listed as
// missing. It records what the loaders ask, in order.
class FakeDriver : public GraphicSystem {
public:
    bool hasFailed() override { return false; }
    uint32_t getWidth() const override { return 0; }
    void setWidth(uint32_t) override {}
    uint32_t getHeight() const override { return 0; }
    void setHeight(uint32_t) override {}
    uint32_t getBitsPerPixel() const override { return 0; }
    void setBitsPerPixel(uint32_t) override {}
    uint32_t getRefreshRate() const override { return 0; }
    void setRefreshRate(uint32_t) override {}
    bool getVsync() const override { return false; }
    void setVsync(bool) override {}
    bool getDoubleBuffer() const override { return true; }
    void setDoubleBuffer(bool) override {}
    bool getFullscreen() const override { return true; }
    void setFullscreen(bool) override {}
    int32_t getState() const override { return ContextReady; }
    void useDesktopMode() override {}
    uint32_t getFrameCount() const override { return 0; }
    void resetFrameCount() override {}

    bool isExtensionSupported(const char* name) override
    {
        queried.push_back(name);
        return containsExtension(extensions.c_str(), name);
    }
    void* getProcAddress(const char* name) override
    {
        lookedUp.push_back(name);
        return missing.count(name) ? nullptr : static_cast<void*>(&entryPoint);
    }

    std::string extensions;
    std::set<std::string> missing;
    std::vector<std::string> queried;
    std::vector<std::string> lookedUp;

    static char entryPoint; // any non-null address stands for a found entry point
};

char FakeDriver::entryPoint = 0;

void* found()
{
    return &FakeDriver::entryPoint;
}

template <typename Pointer>
void* address(Pointer pointer)
{
    return reinterpret_cast<void*>(pointer);
}

bool* const allFlags[] = {&extSwapControl,        &extBgra,
                          &extPointParameters,    &extPointSprite,
                          &extShadingLanguage100, &extShaderObjects,
                          &extVertexShader,       &extFragmentShader,
                          &extMultitexture,       &extFramebufferObject};

class ExtensionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(&driver, GraphicSystem::existingInstance()) << "another graphic system is registered";
        for (bool* flag : allFlags)
            *flag = false;
    }
    FakeDriver driver;
};

const char* const everyExtension =
    "GL_EXT_bgra GL_ARB_point_parameters GL_ARB_point_sprite GL_ARB_shading_language_100 "
    "GL_ARB_shader_objects GL_ARB_vertex_shader GL_ARB_fragment_shader GL_ARB_multitexture "
    "GL_EXT_framebuffer_object";

} // namespace

TEST_F(ExtensionsTest, EachLoaderLooksUpItsEntryPointsInTheirPublishedOrder)
{
    struct Case {
        bool (*load)();
        const bool* flag;
        const char* extension;
        size_t entryPoints;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {loadPointParameters, &extPointParameters, "GL_ARB_point_parameters", 2, "glPointParameterfARB",
         "glPointParameterfvARB"},
        {loadShaderObjects, &extShaderObjects, "GL_ARB_shader_objects", 39, "glDeleteObjectARB",
         "glGetShaderSourceARB"},
        {loadVertexShader, &extVertexShader, "GL_ARB_vertex_shader", 46, "glVertexAttrib1fARB",
         "glGetVertexAttribPointervARB"},
        {loadMultitexture, &extMultitexture, "GL_ARB_multitexture", 34, "glActiveTextureARB", "glMultiTexCoord4svARB"},
        {loadFramebufferObject, &extFramebufferObject, "GL_EXT_framebuffer_object", 17, "glIsRenderbufferEXT",
         "glGenerateMipmapEXT"},
        {loadBgra, &extBgra, "GL_EXT_bgra", 0, nullptr, nullptr},
        {loadPointSprite, &extPointSprite, "GL_ARB_point_sprite", 0, nullptr, nullptr},
        {loadShadingLanguage100, &extShadingLanguage100, "GL_ARB_shading_language_100", 0, nullptr, nullptr},
        {loadFragmentShader, &extFragmentShader, "GL_ARB_fragment_shader", 0, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        for (bool listed : {false, true}) {
            driver.extensions = listed ? std::string("GL_X ") + c.extension + " GL_Y" : "GL_X GL_Y";
            driver.queried.clear();
            driver.lookedUp.clear();

            EXPECT_EQ(listed, c.load()) << (listed ? "listed" : "not listed");
            EXPECT_EQ(listed, *c.flag);
            EXPECT_EQ(std::vector<std::string>{c.extension}, driver.queried);
            if (!listed) {
                EXPECT_TRUE(driver.lookedUp.empty()) << "no entry point of an unlisted extension is looked up";
                continue;
            }
            ASSERT_EQ(c.entryPoints, driver.lookedUp.size());
            if (c.entryPoints > 0) {
                EXPECT_EQ(c.first, driver.lookedUp.front());
                EXPECT_EQ(c.last, driver.lookedUp.back());
                EXPECT_EQ(c.entryPoints, std::set<std::string>(driver.lookedUp.begin(), driver.lookedUp.end()).size())
                    << "every entry point once";
            }
        }
    }
}

TEST_F(ExtensionsTest, EntryPointsAreLookedUpInTheOrderOfEachExtensionsPublishedList)
{
    // Which pointers stay null behind a missing entry point depends on this
    // order, so it is checked name by name.
    std::vector<std::string> multitexture = {"glActiveTextureARB", "glClientActiveTextureARB"};
    for (const char* components : {"1", "2", "3", "4"})
        for (const char* type : {"d", "f", "i", "s"}) // double, float, integer, short
            for (const char* form : {"", "v"})
                multitexture.push_back(std::string("glMultiTexCoord") + components + type + form + "ARB");

    std::vector<std::string> vertexShader;
    for (const char* form : {"", "v"}) {
        for (const char* components : {"1", "2", "3", "4"})
            for (const char* type : {"f", "s", "d"}) // float, short, double
                vertexShader.push_back(std::string("glVertexAttrib") + components + type + form + "ARB");
        if (*form == '\0') {
            vertexShader.push_back("glVertexAttrib4NubARB");
        } else {
            for (const char* type : {"i", "b", "ub", "us", "ui"})
                vertexShader.push_back(std::string("glVertexAttrib4") + type + "vARB");
            for (const char* type : {"b", "s", "i", "ub", "us", "ui"})
                vertexShader.push_back(std::string("glVertexAttrib4N") + type + "vARB");
        }
    }
    for (const char* name :
         {"glVertexAttribPointerARB", "glEnableVertexAttribArrayARB", "glDisableVertexAttribArrayARB",
          "glBindAttribLocationARB", "glGetActiveAttribARB", "glGetAttribLocationARB", "glGetVertexAttribdvARB",
          "glGetVertexAttribfvARB", "glGetVertexAttribivARB", "glGetVertexAttribPointervARB"})
        vertexShader.push_back(name);

    std::vector<std::string> shaderObjects = {"glDeleteObjectARB",        "glGetHandleARB",      "glDetachObjectARB",
                                              "glCreateShaderObjectARB",  "glShaderSourceARB",   "glCompileShaderARB",
                                              "glCreateProgramObjectARB", "glAttachObjectARB",   "glLinkProgramARB",
                                              "glUseProgramObjectARB",    "glValidateProgramARB"};
    for (const char* form : {"", "v"})
        for (const char* type : {"f", "i"})
            for (const char* components : {"1", "2", "3", "4"})
                shaderObjects.push_back(std::string("glUniform") + components + type + form + "ARB");
    for (const char* name :
         {"glUniformMatrix2fvARB", "glUniformMatrix3fvARB", "glUniformMatrix4fvARB", "glGetObjectParameterfvARB",
          "glGetObjectParameterivARB", "glGetInfoLogARB", "glGetAttachedObjectsARB", "glGetUniformLocationARB",
          "glGetActiveUniformARB", "glGetUniformfvARB", "glGetUniformivARB", "glGetShaderSourceARB"})
        shaderObjects.push_back(name);

    const std::vector<std::string> framebufferObject = {
        "glIsRenderbufferEXT",          "glBindRenderbufferEXT",
        "glDeleteRenderbuffersEXT",     "glGenRenderbuffersEXT",
        "glRenderbufferStorageEXT",     "glGetRenderbufferParameterivEXT",
        "glIsFramebufferEXT",           "glBindFramebufferEXT",
        "glDeleteFramebuffersEXT",      "glGenFramebuffersEXT",
        "glCheckFramebufferStatusEXT",  "glFramebufferTexture1DEXT",
        "glFramebufferTexture2DEXT",    "glFramebufferTexture3DEXT",
        "glFramebufferRenderbufferEXT", "glGetFramebufferAttachmentParameterivEXT",
        "glGenerateMipmapEXT"};

    const std::vector<std::string> pointParameters = {"glPointParameterfARB", "glPointParameterfvARB"};

    const struct {
        bool (*load)();
        const char* extension;
        const std::vector<std::string>& entryPoints;
        size_t count;
    } cases[] = {
        {loadMultitexture, "GL_ARB_multitexture", multitexture, 34},
        {loadVertexShader, "GL_ARB_vertex_shader", vertexShader, 46},
        {loadShaderObjects, "GL_ARB_shader_objects", shaderObjects, 39},
        {loadFramebufferObject, "GL_EXT_framebuffer_object", framebufferObject, 17},
        {loadPointParameters, "GL_ARB_point_parameters", pointParameters, 2},
    };
    driver.extensions = everyExtension;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        ASSERT_EQ(c.count, c.entryPoints.size()) << "the expected list itself";
        driver.lookedUp.clear();
        EXPECT_TRUE(c.load());
        EXPECT_EQ(c.entryPoints, driver.lookedUp);
    }
}

TEST_F(ExtensionsTest, TheEntryPointsTheEngineCallsAreFilled)
{
    driver.extensions = everyExtension;
    ASSERT_TRUE(loadShaderObjects());
    ASSERT_TRUE(loadMultitexture());
    ASSERT_TRUE(loadPointParameters());
    const std::vector<std::pair<const char*, void*>> pointers = {
        {"glCreateProgramObjectARB", address(Quorvel::glCreateProgramObjectARB)},
        {"glUseProgramObjectARB", address(Quorvel::glUseProgramObjectARB)},
        {"glGetInfoLogARB", address(Quorvel::glGetInfoLogARB)},
        {"glUniform3fARB", address(Quorvel::glUniform3fARB)},
        {"glCompileShaderARB", address(Quorvel::glCompileShaderARB)},
        {"glActiveTextureARB", address(Quorvel::glActiveTextureARB)},
        {"glPointParameterfARB", address(Quorvel::glPointParameterfARB)},
        {"glPointParameterfvARB", address(Quorvel::glPointParameterfvARB)},
    };
    for (const auto& entry : pointers)
        EXPECT_EQ(found(), entry.second) << entry.first;
}

TEST_F(ExtensionsTest, AMissingEntryPointLeavesTheFlagFalseAndStopsTheLookUps)
{
    driver.extensions = everyExtension;
    ASSERT_TRUE(loadMultitexture());
    Quorvel::glMultiTexCoord2fvARB = nullptr;
    Quorvel::glMultiTexCoord4svARB = nullptr;

    driver.missing = {"glMultiTexCoord2fARB"};
    driver.lookedUp.clear();

    EXPECT_FALSE(loadMultitexture());
    EXPECT_FALSE(extMultitexture);
    ASSERT_FALSE(driver.lookedUp.empty());
    EXPECT_EQ("glMultiTexCoord2fARB", driver.lookedUp.back()) << "nothing is looked up after the missing one";
    EXPECT_EQ(found(), address(Quorvel::glActiveTextureARB)) << "entry points before the missing one keep their values";
    EXPECT_EQ(nullptr, address(Quorvel::glMultiTexCoord2fARB));
    EXPECT_EQ(nullptr, address(Quorvel::glMultiTexCoord2fvARB));
    EXPECT_EQ(nullptr, address(Quorvel::glMultiTexCoord4svARB));
}

TEST_F(ExtensionsTest, SwapControlDependsOnItsEntryPointsAlone)
{
    struct Case {
        const char* extensions;
        std::set<std::string> missing;
        bool expected;
        size_t lookUps;
    };
    const Case cases[] = {
        {"", {}, true, 2},
        {everyExtension, {"wglSwapIntervalEXT"}, false, 1},
        {everyExtension, {"wglGetSwapIntervalEXT"}, false, 2},
    };
    for (const Case& c : cases) {
        driver.extensions = c.extensions;
        driver.missing = c.missing;
        driver.queried.clear();
        driver.lookedUp.clear();
        Quorvel::wglSwapIntervalEXT = nullptr;

        EXPECT_EQ(c.expected, loadSwapControl()) << "missing " << c.missing.size();
        EXPECT_EQ(c.expected, extSwapControl);
        EXPECT_TRUE(driver.queried.empty()) << "the extension string is not consulted";
        ASSERT_EQ(c.lookUps, driver.lookedUp.size());
        EXPECT_EQ("wglSwapIntervalEXT", driver.lookedUp.front());
    }
}

TEST_F(ExtensionsTest, LoadExtensionsRunsTheNineLoadersInOrderButNotFramebufferObjects)
{
    driver.extensions = everyExtension;

    loadExtensions();

    const std::vector<std::string> expected = {
        "GL_EXT_bgra",           "GL_ARB_point_parameters", "GL_ARB_point_sprite",    "GL_ARB_shading_language_100",
        "GL_ARB_shader_objects", "GL_ARB_vertex_shader",    "GL_ARB_fragment_shader", "GL_ARB_multitexture"};
    EXPECT_EQ(expected, driver.queried);
    ASSERT_FALSE(driver.lookedUp.empty());
    EXPECT_EQ("wglSwapIntervalEXT", driver.lookedUp.front()) << "swap control comes first";
    EXPECT_EQ(2u + 2 + 39 + 46 + 34, driver.lookedUp.size());
    for (bool* flag : allFlags) {
        if (flag == &extFramebufferObject)
            EXPECT_FALSE(*flag) << "the framebuffer-object loader is not run";
        else
            EXPECT_TRUE(*flag);
    }
}
