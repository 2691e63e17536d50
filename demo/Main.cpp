// The Quorvel demonstration: a first-person walk through a small level under
// a procedural cloudy sky. Everything is composed by Startup::run.

#include "core/Startup.h"

#if defined(_WIN32)
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return Quorvel::Startup::run();
}
#else
int main()
{
    return Quorvel::Startup::run();
}
#endif
