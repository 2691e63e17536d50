#include "scene/Scene.h"

#include "core/Application.h"
#include "math/MathUtil.h"
#include "math/PerspectiveCamera.h"
#include "resources/Texture.h"
#include "scene/MeshIndexGroups.h"
#include "scene/Ms3dLoader.h"
#include "scene/SimpleMesh.h"
#include "scene/TBasisPainter.h"
#include "scene/TMeshInstance.h"
#include "scene/TParticleSystem.h"
#include "support/TestEngine.h"
#include "system/Extensions.h"
#include "system/OpenGL.h"
#include "widgets/Widget.h"
#include "widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

using namespace Quorvel;
using QuorvelTest::Frame;
using QuorvelTest::Pixel;
using QuorvelTest::TestEngine;

namespace {

constexpr int CentreX = TestEngine::Width / 2;
constexpr int CentreY = TestEngine::Height / 2;

// A widget that draws whatever the current test puts in `content` through a
// perspective camera at the origin looking down -z, and restores both
// matrices afterwards.
class SceneView : public Widget {
public:
    SceneView()
    {
        visible = true;
        camera.aspect = static_cast<float>(TestEngine::Width) / TestEngine::Height;
        camera.updateProjection();
    }

    void draw() override
    {
        if (!content)
            return;
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        camera.apply();
        content(camera);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
    }

    PerspectiveCamera camera;
    std::function<void(const Camera&)> content;
};

SceneView& view()
{
    static SceneView* theView = nullptr; // the widget manager keeps it until the process ends
    if (!theView) {
        theView = new SceneView();
        Application::instance()->getWidgetManager()->add(theView);
    }
    return *theView;
}

class SceneGLTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestEngine::start()) << TestEngine::lastError();
        view().content = nullptr;
    }
    void TearDown() override { view().content = nullptr; }
};

bool isBlack(const Pixel& p)
{
    return p.r == 0 && p.g == 0 && p.b == 0;
}

// Whether a pixel within `reach` rows and columns of (x, y) satisfies the
// test: thin lines land on whichever side of a boundary the rasteriser picks.
bool anyNear(const Frame& frame, int x, int y, int reach, const std::function<bool(const Pixel&)>& test)
{
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (test(frame.at(x + dx, y + dy)))
                return true;
    return false;
}

std::unique_ptr<SimpleMesh> loadCrate()
{
    Ms3dLoader loader;
    if (!loader.open("crate.ms3d"))
        return nullptr;
    return std::unique_ptr<SimpleMesh>(loader.load());
}

TEST_F(SceneGLTest, CrateInstanceDrawsTexturedWhereItsTransformPutsIt)
{
    std::unique_ptr<SimpleMesh> mesh = loadCrate();
    ASSERT_NE(nullptr, mesh);
    ASSERT_EQ(1u, mesh->getGroups().getGroupCount());
    EXPECT_EQ(Texture::load("skeleton"), mesh->getGroups().getGroup(0).texture);
    ASSERT_NE(nullptr, mesh->getGroups().getGroup(0).texture);

    Scene scene;
    TMeshInstance* crate = new TMeshInstance(mesh.get());
    scene.add(crate);
    EXPECT_EQ(1, mesh->getRefCount());
    // The front face (z = 1 in the model) lies 5 units in front of the eye:
    // its half edge of 1 spans cot(30 deg) / 5 of the half screen height.
    crate->setPosition(Vector3(0.0f, 0.0f, -6.0f));
    scene.update();
    view().content = [&](const Camera& camera) { scene.draw(camera); };

    const Frame frame = TestEngine::drawFrame();
    const Pixel centre = frame.at(CentreX, CentreY);
    EXPECT_GT(centre.r, 120) << "the bone-coloured texture, not the white of an untextured mesh";
    EXPECT_GT(centre.r, centre.b);
    EXPECT_LT(centre.b, 250);
    const int halfEdge = static_cast<int>(1.7320508f / 5.0f * CentreY); // 133 pixels
    for (int offset : {halfEdge - 8, -(halfEdge - 8)}) {
        EXPECT_FALSE(isBlack(frame.at(CentreX + offset, CentreY))) << "inside, x offset " << offset;
        EXPECT_FALSE(isBlack(frame.at(CentreX, CentreY + offset))) << "inside, y offset " << offset;
    }
    for (int offset : {halfEdge + 8, -(halfEdge + 8)}) {
        EXPECT_TRUE(isBlack(frame.at(CentreX + offset, CentreY))) << "outside, x offset " << offset;
        EXPECT_TRUE(isBlack(frame.at(CentreX, CentreY + offset))) << "outside, y offset " << offset;
    }

    // Moved to the right: the centre is empty, the right half has the crate.
    crate->setPosition(Vector3(3.0f, 0.0f, -6.0f));
    scene.update();
    const Frame moved = TestEngine::drawFrame();
    EXPECT_TRUE(isBlack(moved.at(CentreX, CentreY)));
    EXPECT_FALSE(isBlack(moved.at(CentreX + 2 * halfEdge + 60, CentreY)));

    view().content = nullptr;
    crate->detach();
    delete crate;
    EXPECT_EQ(0, mesh->getRefCount()) << "the instance released its mesh";
}

// Two quads side by side, their triangles interleaved in the input: left with
// the "skeleton" texture, right untextured. Grouping sorts the triangles, and
// each group must draw its own run of indices with its own texture.
TEST_F(SceneGLTest, EachGroupDrawsItsOwnTrianglesWithItsOwnTexture)
{
    Texture* skeleton = Texture::load("skeleton");
    ASSERT_NE(nullptr, skeleton);
    struct Corner {
        float x, y, s, t;
    } const corners[8] = {
        {-2.0f, -0.75f, 0, 0}, {-0.5f, -0.75f, 1, 0}, {-0.5f, 0.75f, 1, 1}, {-2.0f, 0.75f, 0, 1}, // left
        {0.5f, -0.75f, 0, 0},  {2.0f, -0.75f, 1, 0},  {2.0f, 0.75f, 1, 1},  {0.5f, 0.75f, 0, 1},  // right
    };
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[8 * 32]());
    for (int v = 0; v < 8; ++v) {
        const float position[3] = {corners[v].x, corners[v].y, 0.0f};
        const float texCoord[2] = {corners[v].s, corners[v].t};
        std::memcpy(bytes.get() + v * 32, position, sizeof position);
        std::memcpy(bytes.get() + v * 32 + 24, texCoord, sizeof texCoord);
    }
    std::unique_ptr<VertexArray> vertices(new VertexArray());
    ASSERT_TRUE(vertices->setData(8, 32, std::move(bytes)));
    vertices->addAttribute(AttributeKind::Position, 0, 3, GL_FLOAT);
    vertices->addAttribute(AttributeKind::TexCoord, 24, 2, GL_FLOAT);
    MeshTriangle triangles[4];
    const uint32_t indices[4][3] = {{0, 1, 2}, {4, 5, 6}, {0, 2, 3}, {4, 6, 7}};
    for (int t = 0; t < 4; ++t) {
        std::memcpy(triangles[t].index, indices[t], sizeof indices[t]);
        triangles[t].texture = t % 2 == 0 ? skeleton : nullptr;
    }
    std::unique_ptr<MeshIndexGroups> groups(new MeshIndexGroups());
    ASSERT_TRUE(groups->build(4, triangles));
    SimpleMesh mesh(std::move(vertices), std::move(groups));

    Scene scene;
    TMeshInstance* instance = new TMeshInstance(&mesh);
    instance->setPosition(Vector3(0.0f, 0.0f, -5.0f));
    scene.add(instance);
    scene.update();
    view().content = [&](const Camera& camera) { scene.draw(camera); };
    const Frame frame = TestEngine::drawFrame();

    // Quad centres at x = -1.25 and 1.25, five units away.
    const float aspect = static_cast<float>(TestEngine::Width) / TestEngine::Height;
    const int offset = static_cast<int>(1.25f / 5.0f * 1.7320508f / aspect * CentreX);
    const int rows[] = {CentreY - 20, CentreY, CentreY + 20};
    for (int y : rows) {
        const Pixel left = frame.at(CentreX - offset, y);
        const Pixel right = frame.at(CentreX + offset, y);
        EXPECT_GT(left.r, 120) << "left quad textured, row " << y;
        EXPECT_GT(left.r, left.b) << "left quad textured, row " << y;
        EXPECT_EQ((Pixel{255, 255, 255}), right) << "right quad white and untextured, row " << y;
    }
    EXPECT_TRUE(isBlack(frame.at(CentreX, CentreY))) << "nothing between the quads";
    view().content = nullptr;
    instance->detach();
    delete instance;
}

// Drawing leaves the matrices, the texture and client-array state and the
// enables as they were.
TEST_F(SceneGLTest, DrawingRestoresWhatItChanges)
{
    std::unique_ptr<SimpleMesh> mesh = loadCrate();
    ASSERT_NE(nullptr, mesh);
    Quorvel::srand(1);
    Scene scene;
    TMeshInstance* crate = new TMeshInstance(mesh.get());
    crate->setPosition(Vector3(0.0f, 0.0f, -6.0f));
    scene.add(crate);
    scene.add(new TBasisPainter(2.0f));
    scene.add(new TBasisPainter(Vector3(1.0f, 1.0f, 0.0f), 3.0f));
    TParticleSystem* particles = new TParticleSystem();
    particles->setPosition(Vector3(0.0f, 0.0f, -50.0f));
    scene.add(particles);
    scene.update();

    struct State {
        GLfloat modelView[16];
        GLboolean depthTest, blend, texture2D, vertexArray, texCoordArray, depthMask, stipple;
        GLint depthFunc;
        GLfloat pointSize;
    };
    auto capture = [] {
        State s;
        glGetFloatv(GL_MODELVIEW_MATRIX, s.modelView);
        s.depthTest = glIsEnabled(GL_DEPTH_TEST);
        s.blend = glIsEnabled(GL_BLEND);
        s.texture2D = glIsEnabled(GL_TEXTURE_2D);
        s.vertexArray = glIsEnabled(GL_VERTEX_ARRAY);
        s.texCoordArray = glIsEnabled(GL_TEXTURE_COORD_ARRAY);
        s.stipple = glIsEnabled(GL_LINE_STIPPLE);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &s.depthMask);
        glGetIntegerv(GL_DEPTH_FUNC, &s.depthFunc);
        glGetFloatv(GL_POINT_SIZE, &s.pointSize);
        return s;
    };
    State before{}, after{};
    view().content = [&](const Camera& camera) {
        glDisable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        before = capture();
        scene.draw(camera);
        after = capture();
    };
    TestEngine::drawFrame();
    EXPECT_EQ(0, std::memcmp(before.modelView, after.modelView, sizeof before.modelView));
    EXPECT_EQ(before.depthTest, after.depthTest);
    EXPECT_EQ(before.depthFunc, after.depthFunc);
    EXPECT_EQ(before.blend, after.blend);
    EXPECT_EQ(GL_FALSE, after.texture2D);
    EXPECT_EQ(GL_FALSE, after.vertexArray);
    EXPECT_EQ(GL_FALSE, after.texCoordArray);
    EXPECT_EQ(GL_FALSE, after.stipple);
    EXPECT_EQ(before.depthMask, after.depthMask);
    EXPECT_EQ(before.pointSize, after.pointSize);
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(SceneGLTest, BasisPaintersDrawShadedAxesOrStippledOnes)
{
    Scene scene;
    TBasisPainter* shaded = new TBasisPainter(2.0f);
    shaded->setPosition(Vector3(0.0f, 0.0f, -5.0f));
    scene.add(shaded);
    scene.update();
    view().content = [&](const Camera& camera) { scene.draw(camera); };

    // Two units at five: 1.299 * 2 / 5 of the half width to the right, the
    // same height up. Halfway out the shade is 0.7 of full.
    const int reach = static_cast<int>(1.2990381f * 2.0f / 5.0f * CentreX);
    const Frame frame = TestEngine::drawFrame();
    auto red = [](const Pixel& p) { return p.r > 150 && p.r < 200 && p.g == 0 && p.b == 0; };
    auto green = [](const Pixel& p) { return p.g > 150 && p.g < 200 && p.r == 0 && p.b == 0; };
    EXPECT_TRUE(anyNear(frame, CentreX + reach / 2, CentreY, 1, red)) << "x axis, half shaded";
    EXPECT_TRUE(anyNear(frame, CentreX, CentreY - reach / 2, 1, green)) << "y axis, half shaded, upwards";
    EXPECT_FALSE(anyNear(frame, CentreX + reach + 6, CentreY, 2, red)) << "x axis ends at its length";
    EXPECT_FALSE(anyNear(frame, CentreX - reach / 2, CentreY, 2, red)) << "nothing along -x";

    // One colour, stippled: along x, runs of four pixels on and four off.
    TBasisPainter* stippled = new TBasisPainter(Vector3(1.0f, 1.0f, 0.0f), 2.0f);
    stippled->setPosition(Vector3(0.0f, 0.0f, -5.0f));
    shaded->detach();
    delete shaded;
    scene.add(stippled);
    scene.update();
    const Frame dashed = TestEngine::drawFrame();
    int lit = 0, dark = 0;
    for (int x = CentreX + 10; x < CentreX + reach - 10; ++x) {
        const bool yellow =
            anyNear(dashed, x, CentreY, 0, [](const Pixel& p) { return p.r == 255 && p.g == 255 && p.b == 0; })
            || anyNear(dashed, x, CentreY - 1, 0, [](const Pixel& p) { return p.r == 255 && p.g == 255 && p.b == 0; });
        (yellow ? lit : dark) += 1;
    }
    EXPECT_GT(lit, 0);
    EXPECT_GT(dark, 0) << "a stippled axis has gaps";
    EXPECT_NEAR(lit, dark, (lit + dark) / 5) << "0xF0F0 lights half the pixels";
}

// A plain thing that notes, when it is drawn, the blend and depth-write state
// its parent left for it.
class StateNotingThing : public Thing {
public:
    explicit StateNotingThing(Thing* parent) : Thing(parent) {}
    void draw(const Camera& camera) override
    {
        ++draws;
        blend = glIsEnabled(GL_BLEND);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
        drawChildren(camera);
    }
    int draws = 0;
    GLboolean blend = GL_TRUE;
    GLboolean depthMask = GL_FALSE;
};

// Mesh instances and particle systems draw their children (the particles
// after their own state is restored); a basis painter does not.
TEST_F(SceneGLTest, ChildrenAreDrawnByInstancesAndParticlesButNotByBasisPainters)
{
    Quorvel::srand(1);
    Scene scene;
    TMeshInstance* instance = new TMeshInstance(nullptr);
    TParticleSystem* particles = new TParticleSystem();
    particles->setPosition(Vector3(0.0f, 0.0f, -50.0f));
    TBasisPainter* painter = new TBasisPainter();
    scene.add(instance);
    scene.add(particles);
    scene.add(painter);
    StateNotingThing* underInstance = new StateNotingThing(instance);
    StateNotingThing* underParticles = new StateNotingThing(particles);
    StateNotingThing* underPainter = new StateNotingThing(painter);
    scene.update();
    view().content = [&](const Camera& camera) {
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
        scene.draw(camera);
    };
    TestEngine::drawFrame();

    EXPECT_EQ(1, underInstance->draws);
    EXPECT_EQ(1, underParticles->draws);
    EXPECT_EQ(GL_FALSE, underParticles->blend) << "the particles' blending ends before their children";
    EXPECT_EQ(GL_TRUE, underParticles->depthMask) << "the particles' depth mask ends before their children";
    EXPECT_EQ(0, underPainter->draws);
}

// Particles blend over what is there and never write depth, so whatever is
// drawn after them is not hidden by them.
TEST_F(SceneGLTest, ParticlesLeaveTheDepthBufferAlone)
{
    Quorvel::srand(1);
    Scene scene;
    TParticleSystem* particles = new TParticleSystem();
    particles->setPosition(Vector3(0.0f, 0.0f, -20.0f));
    scene.add(particles);
    scene.update();

    constexpr int Side = 120;
    std::vector<GLfloat> depth(Side * Side, 0.0f);
    view().content = [&](const Camera& camera) {
        glClearDepth(1.0);
        glClear(GL_DEPTH_BUFFER_BIT);
        scene.draw(camera);
        glReadPixels(CentreX - Side / 2, CentreY - Side / 2, Side, Side, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    };
    const Frame frame = TestEngine::drawFrame();
    int lit = 0;
    for (int y = CentreY - Side / 2; y < CentreY + Side / 2; ++y)
        for (int x = CentreX - Side / 2; x < CentreX + Side / 2; ++x)
            lit += isBlack(frame.at(x, y)) ? 0 : 1;
    ASSERT_GT(lit, 100) << "the particles cover the sampled square";
    int written = 0;
    for (GLfloat d : depth)
        written += d < 1.0f ? 1 : 0;
    EXPECT_EQ(0, written) << "depth samples the particles wrote";
}

TEST_F(SceneGLTest, ParticlesDrawBlendedPointsWithOrWithoutPointParameters)
{
    Quorvel::srand(1);
    Scene scene;
    TParticleSystem* particles = new TParticleSystem();
    // Position acts twice: the stream starts 40 units in front of the eye and
    // runs along +z towards it and past it.
    particles->setPosition(Vector3(0.0f, 0.0f, -20.0f));
    scene.add(particles);
    scene.update();
    EXPECT_EQ(Texture::load("blob"), particles->getTexture());
    view().content = [&](const Camera& camera) { scene.draw(camera); };

    auto litAround = [](const Frame& frame) {
        int lit = 0;
        for (int y = CentreY - 60; y < CentreY + 60; ++y)
            for (int x = CentreX - 60; x < CentreX + 60; ++x)
                lit += isBlack(frame.at(x, y)) ? 0 : 1;
        return lit;
    };
    const Frame frame = TestEngine::drawFrame();
    const int withParameters = litAround(frame);
    EXPECT_GT(withParameters, 100) << "the stream shows around the centre";

    // Without the extension the entry points are never called.
    const bool savedFlag = extPointParameters;
    const PFNGLPOINTPARAMETERFARBPROC savedF = glPointParameterfARB;
    const PFNGLPOINTPARAMETERFVARBPROC savedFv = glPointParameterfvARB;
    extPointParameters = false;
    glPointParameterfARB = nullptr;
    glPointParameterfvARB = nullptr;
    const int withoutParameters = litAround(TestEngine::drawFrame());
    extPointParameters = savedFlag;
    glPointParameterfARB = savedF;
    glPointParameterfvARB = savedFv;
    EXPECT_GT(withoutParameters, withParameters) << "unattenuated, distant points stay large";
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

} // namespace
