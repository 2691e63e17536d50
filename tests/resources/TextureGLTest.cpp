// Textures on a real OpenGL context: loading ".glt" files through the file
// system and the cache, refusing bad files without touching OpenGL state,
// and binding on texture units.

#include "support/LogLines.h"
#include "resources/MemoryDirectory.h"
#include "support/TestEngine.h"

#include "files/FileSystem.h"
#include "resources/Texture.h"
#include "system/Extensions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using Quorvel::GltHeader;
using Quorvel::Texture;

namespace {

// Files for these tests live under the prefix "tex/".
QuorvelTest::MemoryDirectory* textureFiles()
{
    static QuorvelTest::MemoryDirectory* directory = [] {
        auto* created = new QuorvelTest::MemoryDirectory();
        Quorvel::FileSystem::instance()->mount("tex/", created); // owned by the file system
        return created;
    }();
    return directory;
}

// A 3 x 2 texture, by default RGB bytes: rows of 9 pixel bytes padded to 12.
std::string smallRgbFile(GltHeader header = GltHeader())
{
    header.width = 3;
    header.height = 2;
    if (header.dataSize == 0)
        header.dataSize = 24;
    std::string pixels;
    for (int i = 0; i < 24; ++i)
        pixels.push_back(static_cast<char>(i * 10));
    return header.encode() + pixels;
}

// The OpenGL state a texture load or bind could disturb.
struct TextureState {
    GLint active = 0;
    GLint binding2D = 0;
    GLint binding1D = 0;
    GLboolean enabled2D = GL_FALSE;
    GLboolean enabled1D = GL_FALSE;

    static TextureState read()
    {
        TextureState state;
        glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &state.active);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &state.binding2D);
        glGetIntegerv(GL_TEXTURE_BINDING_1D, &state.binding1D);
        state.enabled2D = glIsEnabled(GL_TEXTURE_2D);
        state.enabled1D = glIsEnabled(GL_TEXTURE_1D);
        return state;
    }
    bool operator==(const TextureState& o) const
    {
        return active == o.active && binding2D == o.binding2D && binding1D == o.binding1D && enabled2D == o.enabled2D
            && enabled1D == o.enabled1D;
    }
};

class TextureGLTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QuorvelTest::TestEngine::start()) << QuorvelTest::TestEngine::lastError();
        while (glGetError() != GL_NO_ERROR) {
        }
    }
};

} // namespace

TEST_F(TextureGLTest, LoadsTheFloorWithItsPixelsAndCachesIt)
{
    Texture* floor = Texture::load("floor");
    ASSERT_NE(floor, nullptr);
    EXPECT_EQ(Texture::load("floor"), floor);
    EXPECT_TRUE(floor->getName() == "floor");
    EXPECT_NE(floor->getId(), 0u);
    EXPECT_EQ(floor->getTarget(), static_cast<GLenum>(GL_TEXTURE_2D));

    // Level 0 holds the file's pixels unchanged.
    std::ifstream file(std::string(QUORVEL_SOURCE_DIR) + "/data/floor.glt", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), GltHeader::Size);
    const GltHeader header = GltHeader::decode(reinterpret_cast<const uint8_t*>(bytes.data()));
    ASSERT_EQ(header.width, 256u);
    ASSERT_EQ(header.height, 256u);
    glBindTexture(GL_TEXTURE_2D, floor->getId());
    std::vector<uint8_t> level0(256 * 256 * 3);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, level0.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(std::string(level0.begin(), level0.end()), bytes.substr(GltHeader::Size));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureGLTest, SecondLoadComesFromTheCacheWithoutReadingTheFile)
{
    QuorvelTest::MemoryDirectory* files = textureFiles();
    files->files["cached.glt"] = smallRgbFile();
    Texture* first = Texture::load("tex/cached");
    ASSERT_NE(first, nullptr);
    files->files.erase("cached.glt"); // a second read would now fail
    EXPECT_EQ(Texture::load("tex/cached"), first);
    EXPECT_EQ(files->opens["cached.glt"], 1);
    // The cache compares names exactly.
    EXPECT_EQ(Texture::load("tex/Cached"), nullptr);
}

TEST_F(TextureGLTest, FailedLoadIsLoggedAndNotCached)
{
    QuorvelTest::MemoryDirectory* files = textureFiles();
    QuorvelTest::LogMark mark;
    EXPECT_EQ(Texture::load("tex/late"), nullptr);
    EXPECT_EQ(mark.since(), std::vector<std::string>{"Texture id=tex/late load failed"});

    files->files["late.glt"] = smallRgbFile();
    Texture* late = Texture::load("tex/late");
    EXPECT_NE(late, nullptr) << "a failed name must be tried again";
    EXPECT_EQ(files->opens["late.glt"], 2);
}

TEST_F(TextureGLTest, RefusesBadFilesWithoutChangingOpenGLState)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    GltHeader version2;
    version2.version = 2;
    GltHeader wrongMagic;
    wrongMagic.magic = 0x46544C47u + 1;
    GltHeader target1D;
    target1D.target = GL_TEXTURE_1D;
    GltHeader oversized;
    oversized.dataSize = 0xFFFFFFF0u;
    GltHeader shortData;
    shortData.dataSize = 18; // unpadded rows: OpenGL would read 24
    GltHeader colourIndex;
    colourIndex.format = GL_COLOR_INDEX;
    const std::string good = smallRgbFile();
    const Case cases[] = {
        {"version2", smallRgbFile(version2)},
        {"magic", smallRgbFile(wrongMagic)},
        {"target1d", smallRgbFile(target1D)},
        {"truncated", good.substr(0, good.size() - 5)},
        {"headeronly", good.substr(0, GltHeader::Size)},
        {"shortheader", good.substr(0, 30)},
        {"empty", std::string()},
        {"oversized", smallRgbFile(oversized)},
        {"shortdata", smallRgbFile(shortData)},
        {"colourindex", smallRgbFile(colourIndex)},
    };

    QuorvelTest::MemoryDirectory* files = textureFiles();
    for (const Case& c : cases)
        files->files[std::string("bad_") + c.name + ".glt"] = c.bytes;

    Texture* bound = Texture::load("floor");
    ASSERT_NE(bound, nullptr);
    bound->bind(0);
    const TextureState before = TextureState::read();
    for (const Case& c : cases) {
        const Quorvel::String name = Quorvel::String("tex/bad_") + c.name;
        QuorvelTest::LogMark mark;
        EXPECT_EQ(Texture::load(name), nullptr) << c.name;
        EXPECT_EQ(mark.since(), std::vector<std::string>{std::string("Texture id=") + name.c_str() + " load failed"})
            << c.name;
        EXPECT_TRUE(TextureState::read() == before) << c.name;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << c.name;
    }
    bound->unbind();
}

TEST_F(TextureGLTest, MaxTextureUnitsIsAskedOnceAndMatchesOpenGL)
{
    ASSERT_TRUE(Quorvel::extMultitexture) << "the test display offers GL_ARB_multitexture";
    GLint reported = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &reported);
    EXPECT_EQ(Texture::maxTextureUnits(), static_cast<uint32_t>(reported));
    EXPECT_EQ(Texture::maxTextureUnits(), static_cast<uint32_t>(reported));
}

TEST_F(TextureGLTest, BindOnAUnitBeyondTheLastChangesNothing)
{
    Texture* floor = Texture::load("floor");
    ASSERT_NE(floor, nullptr);
    floor->bind(0);
    floor->unbind();
    const TextureState before = TextureState::read();
    for (uint32_t unit : {Texture::maxTextureUnits(), Texture::maxTextureUnits() + 4, 0xFFFFFFFFu}) {
        floor->bind(unit);
        EXPECT_TRUE(TextureState::read() == before) << "unit " << unit;
        EXPECT_EQ(floor->getUnit(), 0u) << "unit " << unit;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureGLTest, BindSelectsTheUnitAndUnbindReturnsToUnitZero)
{
    ASSERT_GE(Texture::maxTextureUnits(), 2u);
    Texture* wall = Texture::load("wall");
    ASSERT_NE(wall, nullptr);
    wall->bind(1);
    EXPECT_EQ(wall->getUnit(), 1u);
    TextureState bound = TextureState::read();
    EXPECT_EQ(bound.active, GL_TEXTURE0_ARB + 1);
    EXPECT_EQ(bound.binding2D, static_cast<GLint>(wall->getId()));
    EXPECT_EQ(bound.enabled2D, GL_TRUE);

    wall->unbind();
    EXPECT_EQ(wall->getUnit(), 0u);
    Quorvel::glActiveTextureARB(GL_TEXTURE0_ARB + 1);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE) << "the unit of the last bind is disabled";
    GLint binding = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding);
    EXPECT_EQ(binding, 0);
    Quorvel::glActiveTextureARB(GL_TEXTURE0_ARB);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    EXPECT_EQ(active, GL_TEXTURE0_ARB);
}

TEST_F(TextureGLTest, CreateKeepsAnExistingNameAndDestructionFreesIt)
{
    GLuint id = 0;
    {
        Texture texture;
        EXPECT_TRUE(texture.create());
        id = texture.getId();
        EXPECT_NE(id, 0u);
        EXPECT_TRUE(texture.create());
        EXPECT_EQ(texture.getId(), id);
        texture.setTarget(GL_TEXTURE_2D);
        texture.bind(0);
        texture.unbind();
        EXPECT_EQ(glIsTexture(id), GL_TRUE);
    }
    EXPECT_EQ(glIsTexture(id), GL_FALSE);
}

TEST_F(TextureGLTest, WithoutMultitextureBindIgnoresTheUnitAndNeverSwitchesUnits)
{
    ASSERT_GE(Texture::maxTextureUnits(), 2u);
    Texture* floor = Texture::load("floor");
    ASSERT_NE(floor, nullptr);
    floor->unbind();

    // The flag as a system without GL_ARB_multitexture has it; the texture
    // then binds on whichever unit is active, and leaves that unit active.
    struct FlagOff {
        bool saved = Quorvel::extMultitexture;
        FlagOff() { Quorvel::extMultitexture = false; }
        ~FlagOff() { Quorvel::extMultitexture = saved; }
    };
    struct Case {
        GLenum active;
        uint32_t unit;
    };
    const Case cases[] = {{0, 5}, {0, 0xFFFFFFFFu}, {1, 0}};
    for (const Case& c : cases) {
        Quorvel::glActiveTextureARB(GL_TEXTURE0_ARB + c.active);
        {
            FlagOff off;
            floor->bind(c.unit);
        }
        TextureState bound = TextureState::read();
        EXPECT_EQ(bound.active, static_cast<GLint>(GL_TEXTURE0_ARB + c.active)) << "unit " << c.unit;
        EXPECT_EQ(bound.binding2D, static_cast<GLint>(floor->getId())) << "unit " << c.unit;
        EXPECT_EQ(bound.enabled2D, GL_TRUE) << "unit " << c.unit;
        EXPECT_EQ(floor->getUnit(), 0u) << "unit " << c.unit;
        {
            FlagOff off;
            floor->unbind();
        }
        TextureState unbound = TextureState::read();
        EXPECT_EQ(unbound.active, static_cast<GLint>(GL_TEXTURE0_ARB + c.active)) << "unit " << c.unit;
        EXPECT_EQ(unbound.binding2D, 0) << "unit " << c.unit;
        EXPECT_EQ(unbound.enabled2D, GL_FALSE) << "unit " << c.unit;
    }
    Quorvel::glActiveTextureARB(GL_TEXTURE0_ARB);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureGLTest, PaddedRowsUploadWhateverUnpackStateTheCallerLeft)
{
    QuorvelTest::MemoryDirectory* files = textureFiles();
    // 2 x 2 RGB (a power of two, so the mipmap builder keeps level 0 as it
    // is): rows of 6 bytes, each padded to 8.
    GltHeader header;
    header.width = 2;
    header.height = 2;
    header.dataSize = 16;
    std::string pixels;
    for (int i = 0; i < 16; ++i)
        pixels.push_back(static_cast<char>(i * 10));
    files->files["padded.glt"] = header.encode() + pixels;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 5);
    Texture* texture = Texture::load("tex/padded");
    GLint alignment = 0;
    GLint rowLength = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(alignment, 1) << "the caller's unpack state comes back";
    EXPECT_EQ(rowLength, 5);

    // Left bound on unit 0 with its target enabled.
    const TextureState state = TextureState::read();
    EXPECT_EQ(state.active, GL_TEXTURE0_ARB);
    EXPECT_EQ(state.binding2D, static_cast<GLint>(texture->getId()));
    EXPECT_EQ(state.enabled2D, GL_TRUE);

    std::vector<uint8_t> level0(2 * 2 * 3, 0xEE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, level0.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    texture->unbind();
    std::vector<uint8_t> expected;
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 6; ++i)
            expected.push_back(static_cast<uint8_t>((row * 8 + i) * 10));
    }
    EXPECT_EQ(level0, expected) << "the padding is skipped, not read as pixels";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureGLTest, MipmapsKeepTheAlphaOfFilesThatHaveIt)
{
    QuorvelTest::MemoryDirectory* files = textureFiles();
    struct Case {
        const char* name;
        uint32_t format;
        uint32_t pixelBytes;
        bool alpha; // whether every level keeps an alpha channel
    };
    const Case cases[] = {
        {"rgba", GL_RGBA, 4, true},
        {"bgra", GL_BGRA, 4, true},
        {"alpha", GL_ALPHA, 1, true},
        {"luminance-alpha", GL_LUMINANCE_ALPHA, 2, true},
        {"rgb", GL_RGB, 3, false}, // RGB files stay as they are
        {"luminance", GL_LUMINANCE, 1, false},
    };
    for (const Case& c : cases) {
        // 4 x 4, half-transparent: every byte 0x80.
        GltHeader header;
        header.format = c.format;
        header.width = 4;
        header.height = 4;
        header.dataSize = static_cast<uint32_t>(GltHeader::imageBytes(c.format, GL_UNSIGNED_BYTE, 4, 4));
        files->files[std::string("alpha-") + c.name + ".glt"] = header.encode() + std::string(header.dataSize, '\x80');
        Texture* texture = Texture::load((std::string("tex/alpha-") + c.name).c_str());
        ASSERT_NE(texture, nullptr) << c.name;
        for (GLint level = 0; level < 3; ++level) {
            GLint alphaBits = -1;
            glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
            EXPECT_EQ(alphaBits > 0, c.alpha) << c.name << " level " << level << ": " << alphaBits << " alpha bits";
        }
        GLubyte level1[2 * 2 * 4] = {}; // 2 x 2 RGBA, rows of 8 bytes
        glGetTexImage(GL_TEXTURE_2D, 1, GL_RGBA, GL_UNSIGNED_BYTE, level1);
        EXPECT_EQ(level1[3], c.alpha ? 0x80 : 0xFF) << c.name << ": the alpha of the first mipmap";
        texture->unbind();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
