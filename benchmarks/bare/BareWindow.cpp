// quorvel-bare-window: the floor for start-up. The least a program must do
// to put a frame on the screen the way the demonstration does: SDL's video,
// a borderless window covering the screen at its top-left corner (what the
// demonstration shows full screen without a window manager), an OpenGL
// context with the demonstration's pixel format (8-bit red, green and blue,
// a 24-bit depth buffer, double-buffered), one clear and one buffer swap.
// Right after the swap it prints the same mark as quorvel-demo --first-frame,
//
//   first frame: SECONDS
//
// the wall-clock time in seconds since 1970 to the microsecond, and exits.
// scripts/startup-compare.sh runs the two alternately and compares the time
// from their launch to that mark. Exit code 1 (with a message on standard
// error) when there is no display or no context.

#include <SDL.h>
#include <SDL_opengl.h>

#include <chrono>
#include <cstdio>

namespace {

int fail(const char* what)
{
    std::fprintf(stderr, "quorvel-bare-window: %s: %s\n", what, SDL_GetError());
    SDL_Quit();
    return 1;
}

} // namespace

int main(int, char**)
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return fail("no display");
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return fail("no display mode");

    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window =
        SDL_CreateWindow("bare window", 0, 0, desktop.w, desktop.h, SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
    if (window == nullptr)
        return fail("no window");
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr)
        return fail("no OpenGL context");

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapWindow(window);

    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const long long micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    std::printf("first frame: %lld.%06lld\n", micros / 1000000, micros % 1000000);
    std::fflush(stdout);

    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
