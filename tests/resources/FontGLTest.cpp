// Fonts on a real OpenGL context: loading through the cache, the glyph
// texture's upload, and where drawText and drawTextInBox put their pixels.

#include "resources/Font.h"

#include "core/Application.h"
#include "files/BinaryDiskFile.h"
#include "files/DiskDirectory.h"
#include "files/FileSystem.h"
#include "files/FontFile.h"
#include "math/Vector4.h"
#include "resources/BasicTexture.h"
#include "support/ByteText.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"
#include "widgets/Widget.h"
#include "widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace Quorvel;
using QuorvelTest::Frame;
using QuorvelTest::Pixel;
using QuorvelTest::TestEngine;
using QuorvelTest::u32;

namespace {

const Vector3 White(1.0f, 1.0f, 1.0f);

// A widget that runs the current test's drawing in screen space.
class Probe : public Widget {
public:
    std::function<void()> paint;
    void draw() override
    {
        if (paint)
            paint();
    }
};

// Brings the engine up once and adds the probe to its widget manager.
Probe* probe()
{
    static Probe* instance = [] {
        auto* created = new Probe(); // the manager keeps it for the rest of the process
        created->show();
        Application::instance()->getWidgetManager()->add(created);
        return created;
    }();
    return instance;
}

Frame drawWith(std::function<void()> paint)
{
    probe()->paint = std::move(paint);
    Frame frame = TestEngine::drawFrame();
    probe()->paint = nullptr;
    return frame;
}

bool lit(const Pixel& p)
{
    return p.r > 64 || p.g > 64 || p.b > 64;
}

// Lit pixels inside and outside a rectangle [x0, x1) x [y0, y1), counted
// over the region [rx0, rx1) x [ry0, ry1).
struct LitCount {
    int inside = 0;
    int outside = 0;
};

LitCount countLit(const Frame& frame, int x0, int y0, int x1, int y1, int rx0, int ry0, int rx1, int ry1)
{
    LitCount count;
    for (int y = ry0; y < ry1; ++y) {
        for (int x = rx0; x < rx1; ++x) {
            if (!lit(frame.at(x, y)))
                continue;
            const bool inside = x >= x0 && x < x1 && y >= y0 && y < y1;
            (inside ? count.inside : count.outside)++;
        }
    }
    return count;
}

} // namespace

TEST(FontGLTest, DefaultLoadsOnceWithItsTexture)
{
    ASSERT_TRUE(TestEngine::start()) << TestEngine::lastError();
    Font* font = Font::load("default");
    ASSERT_NE(nullptr, font) << "data/default.glf";
    EXPECT_EQ(font, Font::load("default")) << "the second request comes from the cache";
    EXPECT_EQ(String("default"), font->getName());
    ASSERT_NE(nullptr, font->getTexture());
    EXPECT_NE(0u, font->getTexture()->getId());
    EXPECT_TRUE(glIsTexture(font->getTexture()->getId()));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "loading leaves no texture switched on";
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST(FontGLTest, DrawTextStaysInItsLineBoxAndRestoresState)
{
    ASSERT_TRUE(TestEngine::start()) << TestEngine::lastError();
    Font* font = Font::load("default");
    ASSERT_NE(nullptr, font);
    const float size = 32.0f;
    const float width = font->measureTextWidth(size, "HHH", Font::WholeText);

    GLboolean blendAfter = GL_TRUE;
    GLboolean textureAfter = GL_TRUE;
    GLfloat before[16];
    GLfloat after[16];
    Frame frame = drawWith([&] {
        glGetFloatv(GL_MODELVIEW_MATRIX, before);
        font->drawText(White, size, "HHH", 100.0f, 200.0f);
        blendAfter = glIsEnabled(GL_BLEND);
        textureAfter = glIsEnabled(GL_TEXTURE_2D);
        glGetFloatv(GL_MODELVIEW_MATRIX, after);
    });

    const LitCount count = countLit(frame, 100, 200, 100 + static_cast<int>(width) + 1, 232, 50, 150, 400, 300);
    EXPECT_GT(count.inside, 100) << "three H of 32 pixels";
    EXPECT_EQ(0, count.outside) << "text drawn at (x, y) with size s stays between y and y + s";
    EXPECT_FALSE(blendAfter) << "the enable state is restored";
    EXPECT_FALSE(textureAfter);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(before[i], after[i]) << "model-view element " << i;
}

TEST(FontGLTest, DrawTextInBoxWrapsOntoTheNextLine)
{
    ASSERT_TRUE(TestEngine::start()) << TestEngine::lastError();
    Font* font = Font::load("default");
    ASSERT_NE(nullptr, font);
    const float size = 32.0f;
    const float h = font->measureTextWidth(size, "H", Font::WholeText);
    // Room for one H a line: the second goes below the first.
    const Vector4 box(100.0f, 300.0f, 100.0f + 1.5f * h, 500.0f);

    GLboolean blendAfter = GL_TRUE;
    Frame frame = drawWith([&] {
        glEnable(GL_BLEND);
        font->drawTextInBox(White, size, "HH", box);
        blendAfter = glIsEnabled(GL_BLEND);
    });
    const int right = 100 + static_cast<int>(h) + 1;
    const LitCount first = countLit(frame, 100, 300, right, 332, 50, 250, 400, 332);
    const LitCount second = countLit(frame, 100, 332, right, 364, 50, 332, 400, 450);
    EXPECT_GT(first.inside, 30);
    EXPECT_EQ(0, first.outside);
    EXPECT_GT(second.inside, 30) << "the second H starts the next line, one size lower";
    EXPECT_EQ(0, second.outside);
    EXPECT_FALSE(blendAfter) << "drawTextInBox leaves blending off whatever it was";
}

TEST(FontGLTest, GlyphRowsOfAnyWidthUploadUnskewed)
{
    ASSERT_TRUE(TestEngine::start()) << TestEngine::lastError();
    probe();
    QuorvelTest::TempDir dir;
    FileSystem::instance()->mount("fontgl:", new DiskDirectory(dir.path().c_str()));

    // A 5 x 3 image (rows of 5 bytes, not a multiple of 4): a bright middle
    // row between dark ones, one glyph 'x' covering it all.
    FontFile file;
    file.setGlyphScale(1);
    const std::string image = u32(5) + u32(3) + u32(0) + std::string(5, '\0') + std::string(5, '\xFF')
        + std::string(5, '\0');
    const std::string glyph = u32('x') + u32(0) + u32(0) + u32(5) + u32(3) + u32(0) + u32(0) + u32(5);
    file.addChunk(std::make_unique<Chunk>(chunkId("FBIT"), 0, image.data(), static_cast<uint32_t>(image.size())));
    file.addChunk(std::make_unique<Chunk>(chunkId("CHRS"), 0, glyph.data(), static_cast<uint32_t>(glyph.size())));
    {
        // Written straight into the scratch directory: saving through the file
        // system would land in the first mount, the source tree's "data".
        BinaryDiskFile out(dir.file("odd.glf").c_str(), true);
        ASSERT_EQ(BinaryFile::Open, out.getState());
        ASSERT_TRUE(file.save(out));
    }
    Font* font = Font::load("fontgl:odd");
    ASSERT_NE(nullptr, font);

    // Drawn at scale 10 each texel is 10 x 10 pixels; sample texel centres.
    Frame frame = drawWith([&] { font->drawText(White, 10.0f, "x", 600.0f, 100.0f); });
    for (int texel = 0; texel < 5; ++texel) {
        const int x = 600 + texel * 10 + 5;
        EXPECT_TRUE(lit(frame.at(x, 115))) << "middle row, texel " << texel;
        EXPECT_FALSE(lit(frame.at(x, 105))) << "top row, texel " << texel;
        EXPECT_FALSE(lit(frame.at(x, 125))) << "bottom row, texel " << texel;
    }
}
