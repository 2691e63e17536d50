// quorvel-close-window: asks an X11 window to close the way a window manager
// does, with a WM_DELETE_WINDOW client message, so the program sees an
// ordinary close request. Used by scripts and tests that run the demonstration
// on a display without a window manager.
//
//   quorvel-close-window "Quorvel Application"
//
// Exits 0 when a window with that title was found and asked to close.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>

namespace {

// Compares the window's WM_NAME, whatever its encoding (SDL stores it as
// UTF8_STRING, which XFetchName does not return), and _NET_WM_NAME.
bool propertyIs(Display* display, Window window, Atom property, const char* title)
{
    XTextProperty text;
    if (!XGetTextProperty(display, window, &text, property) || !text.value)
        return false;
    bool match = text.format == 8 && text.nitems == std::strlen(title)
        && std::memcmp(text.value, title, text.nitems) == 0;
    XFree(text.value);
    return match;
}

bool hasTitle(Display* display, Window window, const char* title)
{
    return propertyIs(display, window, XA_WM_NAME, title)
        || propertyIs(display, window, XInternAtom(display, "_NET_WM_NAME", False), title);
}

Window findWindow(Display* display, Window root, const char* title)
{
    if (hasTitle(display, root, title))
        return root;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i)
        found = findWindow(display, children[i], title);
    if (children)
        XFree(children);
    return found;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf("usage: %s WINDOW-TITLE\n", argv[0]);
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WINDOW-TITLE\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "quorvel-close-window: cannot open the display\n");
        return 1;
    }
    Window window = findWindow(display, DefaultRootWindow(display), argv[1]);
    if (!window) {
        std::fprintf(stderr, "quorvel-close-window: no window titled \"%s\"\n", argv[1]);
        XCloseDisplay(display);
        return 1;
    }
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    std::printf("Asked window \"%s\" to close\n", argv[1]);
    return 0;
}
