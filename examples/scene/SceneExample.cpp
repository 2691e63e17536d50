// quorvel-scene-example: the engine's scene facilities on screen.
//
// Run it where "quorvel.conf" (with its [GraphicSystem] section) and the
// content directory "data" are, for example the repository root. It shows,
// through a perspective camera:
// - the crate model "crate.ms3d" (written by quorvel-ms3dgen), turning;
// - an axis cross at the origin (x red, y green, z blue);
// - a stream of 10000 particles rising on the right;
// - a second crate thrown up again and again by the physic system's gravity.
// It ends with exit code 0 when the window is closed.
//
//   quorvel-scene-example [--screenshot FILE.ppm [--frames N]]
//
// With --screenshot it saves frame N (default 120) as a binary PPM image
// (for example: convert FILE.ppm FILE.png) and quits.

#include "core/Application.h"
#include "core/Log.h"
#include "platform/Engine.h"
#include "math/MathUtil.h"
#include "math/PerspectiveCamera.h"
#include "scene/Ms3dLoader.h"
#include "scene/PhysicSystem.h"
#include "scene/Scene.h"
#include "scene/SimpleMesh.h"
#include "scene/TBasisPainter.h"
#include "scene/TMeshInstance.h"
#include "scene/TParticleSystem.h"
#include "system/GraphicSystem.h"
#include "system/OpenGL.h"
#include "system/TimerEvent.h"
#include "system/TimerSystem.h"
#include "widgets/Widget.h"
#include "widgets/WidgetManager.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace Quorvel;

// Draws the scene through its own perspective camera, in the widget
// manager's frame; restores both matrices for the widgets after it.
// Optionally saves one frame (read before the buffers are swapped).
class SceneView : public Widget {
public:
    SceneView(Scene& scene_, float aspect) : scene(scene_)
    {
        visible = true;
        camera.aspect = aspect;
        camera.position = Vector3(0.0f, 4.0f, 14.0f);
        camera.direction = Vector3(0.0f, -0.25f, 1.0f); // the eye looks along -direction: slightly down
        camera.updateProjection();
    }

    void draw() override
    {
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        camera.apply();
        scene.draw(camera);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();

        ++frames;
        if (!screenshot.empty() && frames == screenshotFrame) {
            save();
            Application::instance()->quit();
        }
    }

    std::string screenshot;
    int screenshotFrame = 120;

private:
    void save()
    {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        const int width = viewport[2], height = viewport[3];
        const size_t rowBytes = static_cast<size_t>(width) * 3;
        std::vector<unsigned char> pixels(rowBytes * static_cast<size_t>(height));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

        // OpenGL's rows run bottom to top; the image's top to bottom.
        bool written = false;
        if (FILE* file = std::fopen(screenshot.c_str(), "wb")) {
            written = std::fprintf(file, "P6\n%d %d\n255\n", width, height) > 0;
            for (int row = height - 1; row >= 0 && written; --row)
                written = std::fwrite(pixels.data() + rowBytes * static_cast<size_t>(row), 1, rowBytes, file)
                    == rowBytes;
            written = std::fclose(file) == 0 && written;
        }
        Application::instance()->getLog()->printf("Screenshot %s %s (%dx%d, frame %d)", screenshot.c_str(),
                                                  written ? "written" : "could not be written", width, height, frames);
    }

    Scene& scene;
    PerspectiveCamera camera;
    int frames = 0;
};

// Moves the scene every 20 ms: turns the crate, puts the thrown crate where
// its body is and throws it up again once it has landed.
class Animator : public TimerEvent {
public:
    Animator(Scene& scene_, Thing& turning_, Thing& thrown_, PhysicBody& body_)
        : scene(scene_), turning(turning_), thrown(thrown_), body(body_)
    {
        interval = 20;
        TimerSystem::instance()->add(this);
    }

    void tick(uint32_t count) override
    {
        angle += 0.02f * static_cast<float>(count);
        turning.setOrientation(Quaternion(angle, Vector3(0.3f, 1.0f, 0.0f)));
        if (body.position.y < FloorHeight && body.velocity.y < 0.0f) {
            body.position.y = FloorHeight;
            body.velocity.y = ThrowSpeed;
        }
        thrown.setPosition(body.position);
        scene.update();
    }

    static constexpr float FloorHeight = 1.0f; // the crate's centre when it rests on y = 0
    static constexpr float ThrowSpeed = 9.0f;  // units per second, straight up

private:
    Scene& scene;
    Thing& turning;
    Thing& thrown;
    PhysicBody& body;
    float angle = 0.0f;
};

int runExample(int argc, char** argv)
{
    std::string screenshot;
    int frames = 120;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = argv[++i];
        else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
            frames = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "usage: quorvel-scene-example [--screenshot FILE.ppm [--frames N]]\n");
            return 2;
        }
    }

    // 1. The engine: the content in "data", the subsystems, the window with
    //    its OpenGL context.
    if (!Engine::start())
        return 1;
    Application* application = Application::instance();
    GraphicSystem* graphics = GraphicSystem::instance();

    // 3. The model. The loader explains a failure in its error text.
    Ms3dLoader loader;
    SimpleMesh* crateMesh = loader.open("crate.ms3d") ? loader.load() : nullptr;
    if (!crateMesh) {
        application->error(String("The crate model cannot be loaded: ") + loader.getError());
        return 1;
    }

    // 4. The scene: the turning crate on the left, the axis cross at the
    //    origin, the particle stream on the right, the thrown crate behind.
    Scene& scene = *new Scene(); // lives as long as the program
    TMeshInstance* turning = new TMeshInstance(crateMesh);
    turning->setPosition(Vector3(-4.0f, 1.5f, 0.0f));
    scene.add(turning);
    scene.add(new TBasisPainter(3.0f));

    // The stream runs along the particle system's +z; a plain parent turned a
    // quarter about x stands it up on the right.
    Thing* fountain = new Thing(&scene);
    fountain->setPosition(Vector3(4.0f, 0.0f, 0.0f));
    fountain->setOrientation(Quaternion::rotationX(-HalfPi));
    fountain->addChild(new TParticleSystem());

    static PhysicBody body;
    body.position = Vector3(0.0f, Animator::FloorHeight, -5.0f);
    body.velocity = Vector3(0.0f, Animator::ThrowSpeed, 0.0f);
    body.acceleration = Vector3(0.0f, -10.0f, 0.0f);
    TMeshInstance* thrown = new TMeshInstance(crateMesh);
    scene.add(thrown);
    PhysicSystem::instance()->addBody(&body);
    PhysicSystem::instance()->start();
    new Animator(scene, *turning, *thrown, body); // ticked by the timer system until the end
    scene.update();

    // 5. The view, then the main loop until the window is closed.
    const float aspect = static_cast<float>(graphics->getWidth()) / static_cast<float>(graphics->getHeight());
    SceneView* view = new SceneView(scene, aspect);
    view->screenshot = screenshot;
    view->screenshotFrame = frames;
    application->getWidgetManager()->add(view);
    return Engine::run();
}

} // namespace

#ifdef _WIN32
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return runExample(__argc, __argv);
}
#else
int main(int argc, char** argv)
{
    return runExample(argc, argv);
}
#endif
