// The sky on a real OpenGL context: the uploaded noise and lookup textures,
// the state it leaves behind, and what the "sky" shaders draw at low and
// high cloud density.

#include "support/TestEngine.h"

#include "math/PerspectiveCamera.h"
#include "math/Quaternion.h"
#include "resources/ShaderProgram.h"
#include "resources/Texture.h"
#include "scene/SkyDome.h"
#include "scene/SkyNoise.h"
#include "system/Extensions.h"

#include <gtest/gtest.h>

#include <vector>

using Quorvel::SkyDome;

namespace {

// The back buffer as drawn so far.
QuorvelTest::Frame readBackBuffer()
{
    glFinish();
    QuorvelTest::Frame frame;
    frame.width = QuorvelTest::TestEngine::Width;
    frame.height = QuorvelTest::TestEngine::Height;
    frame.rgb.assign(static_cast<size_t>(frame.width * frame.height * 3), 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}

// Looking up into the dome, so the sky fills the whole screen.
Quorvel::PerspectiveCamera skywardCamera()
{
    Quorvel::PerspectiveCamera camera;
    camera.position = Quorvel::Vector3(30.0f, 8.0f, -40.0f);
    camera.orientation = Quorvel::Quaternion::rotationX(1.2f);
    camera.updateProjection();
    return camera;
}

// Share of the pixels in which the colour is close to white (cloud) rather than blue.
double cloudShare(const QuorvelTest::Frame& frame)
{
    int cloudy = 0;
    int total = 0;
    for (int y = 0; y < frame.height; y += 4) {
        for (int x = 0; x < frame.width; x += 4) {
            const QuorvelTest::Pixel p = frame.at(x, y);
            ++total;
            if (p.r > 170 && p.b > 170)
                ++cloudy;
        }
    }
    return static_cast<double>(cloudy) / total;
}

class SkyDomeGLTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QuorvelTest::TestEngine::start()) << QuorvelTest::TestEngine::lastError();
        if (!sky)
            sky.reset(new SkyDome());
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    static std::unique_ptr<SkyDome> sky; // built once: the noise takes a while
};

std::unique_ptr<SkyDome> SkyDomeGLTest::sky;

} // namespace

TEST_F(SkyDomeGLTest, UploadsTheNoiseAndTheTableItComputed)
{
    ASSERT_NE(sky->getNoiseTexture(), nullptr);
    ASSERT_NE(sky->getExpTexture(), nullptr);

    std::vector<uint8_t> expected(SkyDome::NoiseSize * SkyDome::NoiseSize);
    SkyDome::buildNoise(expected.data());
    std::vector<uint8_t> uploaded(expected.size(), 0xEE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, sky->getNoiseTexture()->getId());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, uploaded.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_TRUE(uploaded == expected) << "the noise texture holds the computed bytes";

    uint8_t table[SkyDome::ExpTableSize];
    SkyDome::buildExpTable(table);
    uint8_t uploadedTable[SkyDome::ExpTableSize] = {};
    glBindTexture(GL_TEXTURE_1D, sky->getExpTexture()->getId());
    glGetTexImage(GL_TEXTURE_1D, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, uploadedTable);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, &filter);
    glBindTexture(GL_TEXTURE_1D, 0);
    EXPECT_EQ(std::vector<uint8_t>(table, table + 256), std::vector<uint8_t>(uploadedTable, uploadedTable + 256));
    EXPECT_EQ(filter, GL_NEAREST);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SkyDomeGLTest, ASkyMadeWithPreparedNoiseUploadsTheSameNoise)
{
    Quorvel::SkyNoise noise;
    noise.startBuilding(); // as start-up does, while other work goes on
    const SkyDome prepared(noise);
    ASSERT_NE(prepared.getNoiseTexture(), nullptr);
    std::vector<uint8_t> expected(SkyDome::NoiseSize * SkyDome::NoiseSize);
    SkyDome::buildNoise(expected.data());
    std::vector<uint8_t> uploaded(expected.size(), 0xEE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, prepared.getNoiseTexture()->getId());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, uploaded.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_TRUE(uploaded == expected) << "the prepared noise is uploaded as the sky would compute it";
    EXPECT_EQ(prepared.getRadius(), sky->getRadius());
    EXPECT_EQ(prepared.getIndexCount(), sky->getIndexCount());
    EXPECT_EQ(prepared.getDensity(), SkyDome::DefaultDensity);
    EXPECT_NE(prepared.getProgram(), nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SkyDomeGLTest, UsesTheLinkedSkyProgramWithItsSamplers)
{
    ASSERT_TRUE(Quorvel::ShaderProgram::isSupported());
    Quorvel::ShaderProgram* program = sky->getProgram();
    ASSERT_EQ(program, Quorvel::ShaderProgram::load("sky"));
    ASSERT_NE(program->getHandle(), 0u);
    GLint unit = -1;
    Quorvel::glGetUniformivARB(program->getHandle(), Quorvel::glGetUniformLocationARB(program->getHandle(), "expTable"),
                               &unit);
    EXPECT_EQ(unit, 1);
    Quorvel::glGetUniformivARB(program->getHandle(), Quorvel::glGetUniformLocationARB(program->getHandle(), "noiseMap"),
                               &unit);
    EXPECT_EQ(unit, 0);
    EXPECT_GE(program->getRefCount(), 1) << "the sky holds a reference";
}

TEST_F(SkyDomeGLTest, DrawRestoresWhatItChanges)
{
    const Quorvel::PerspectiveCamera camera = skywardCamera();
    camera.apply();
    GLfloat before[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    sky->draw(camera);

    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(std::vector<float>(before, before + 16), std::vector<float>(after, after + 16));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    EXPECT_EQ(active, GL_TEXTURE0_ARB);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
    EXPECT_EQ(glIsEnabled(GL_VERTEX_ARRAY), GL_FALSE);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_COORD_ARRAY), GL_FALSE);
    Quorvel::glActiveTextureARB(GL_TEXTURE0_ARB + 1);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_1D), GL_FALSE);
    Quorvel::glActiveTextureARB(GL_TEXTURE0_ARB);
    EXPECT_EQ(Quorvel::glGetHandleARB(GL_PROGRAM_OBJECT_ARB), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SkyDomeGLTest, CloudsThickenWithTheDensity)
{
    const Quorvel::PerspectiveCamera camera = skywardCamera();
    std::vector<double> shares;
    for (float density : {0.0f, 0.4f, 1.0f}) {
        sky->setDensity(density);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        camera.apply();
        sky->draw(camera);
        const QuorvelTest::Frame frame = readBackBuffer();
        const QuorvelTest::Pixel centre = frame.at(512, 384);
        EXPECT_NE(centre, (QuorvelTest::Pixel{0, 0, 0})) << "the dome covers the view at density " << density;
        EXPECT_GE(centre.b, centre.r) << "blue sky or white cloud at density " << density;
        shares.push_back(cloudShare(frame));
    }
    EXPECT_LT(shares[0], 0.05) << "a clear sky at density 0";
    EXPECT_GT(shares[1], shares[0]);
    EXPECT_LT(shares[1], 0.9) << "broken cloud at density 0.4";
    EXPECT_GT(shares[2], 0.9) << "overcast at density 1";
    sky->setDensity(SkyDome::DefaultDensity);
}

TEST_F(SkyDomeGLTest, ConstructionLeavesNoTextureBoundAndDestructionGivesEverythingBack)
{
    Quorvel::ShaderProgram* program = Quorvel::ShaderProgram::load("sky");
    const int32_t references = program->getRefCount();
    GLuint noise = 0;
    GLuint table = 0;
    {
        SkyDome small(500.0f, 10.0f, 0.0f, 0); // resolution 0 is built as one cell
        EXPECT_EQ(small.getResolution(), 1u);
        EXPECT_EQ(small.getVertices().getCount(), 4u);
        EXPECT_EQ(small.getIndices(), (std::vector<uint32_t>{0, 1, 2, 1, 3, 2}));
        EXPECT_EQ(small.getIndexCount(), 6u);
        EXPECT_FLOAT_EQ(small.getDensity(), SkyDome::DefaultDensity);
        EXPECT_EQ(small.getProgram(), program);
        EXPECT_EQ(program->getRefCount(), references + 1) << "the dome holds the program";

        GLint active = 0;
        glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
        EXPECT_EQ(active, GL_TEXTURE0_ARB);
        for (GLenum unit : {0u, 1u}) {
            Quorvel::glActiveTextureARB(GL_TEXTURE0_ARB + unit);
            GLint binding2D = -1;
            GLint binding1D = -1;
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding2D);
            glGetIntegerv(GL_TEXTURE_BINDING_1D, &binding1D);
            EXPECT_EQ(binding2D, 0) << "unit " << unit;
            EXPECT_EQ(binding1D, 0) << "unit " << unit;
            EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE) << "unit " << unit;
            EXPECT_EQ(glIsEnabled(GL_TEXTURE_1D), GL_FALSE) << "unit " << unit;
        }
        Quorvel::glActiveTextureARB(GL_TEXTURE0_ARB);

        noise = small.getNoiseTexture()->getId();
        table = small.getExpTexture()->getId();
        EXPECT_EQ(glIsTexture(noise), GL_TRUE);
        EXPECT_EQ(glIsTexture(table), GL_TRUE);
    }
    EXPECT_EQ(glIsTexture(noise), GL_FALSE) << "the noise texture goes with the dome";
    EXPECT_EQ(glIsTexture(table), GL_FALSE) << "and the lookup table too";
    EXPECT_EQ(program->getRefCount(), references) << "the program's reference is given back";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SkyDomeGLTest, DomeFollowsTheCameraWithItsApexHeightAboveTheEye)
{
    // Looking up from wherever the eye is, the dome is overhead, unless it
    // was placed below the eye: height 10 less a vertical offset of 20.
    SkyDome lowered(SkyDome::DefaultRadius, SkyDome::DefaultHeight, 20.0f, SkyDome::DefaultResolution);
    struct Case {
        const char* what;
        SkyDome* dome;
        Quorvel::Vector3 eye;
        bool overhead;
    };
    const Case cases[] = {
        {"near the origin", sky.get(), Quorvel::Vector3(30.0f, 8.0f, -40.0f), true},
        {"far from the origin", sky.get(), Quorvel::Vector3(5000.0f, 8.0f, -5000.0f), true},
        {"high above the floor", sky.get(), Quorvel::Vector3(30.0f, 900.0f, -40.0f), true},
        {"apex 10 below the eye", &lowered, Quorvel::Vector3(30.0f, 8.0f, -40.0f), false},
    };
    for (const Case& c : cases) {
        Quorvel::PerspectiveCamera camera = skywardCamera();
        camera.position = c.eye;
        camera.updateView();
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        camera.apply();
        c.dome->draw(camera);
        const QuorvelTest::Pixel centre = readBackBuffer().at(512, 384);
        EXPECT_EQ(centre != (QuorvelTest::Pixel{0, 0, 0}), c.overhead)
            << c.what << ": " << ::testing::PrintToString(centre);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
