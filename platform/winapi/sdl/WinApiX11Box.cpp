// WinApiX11Box: a message box of the layer's own on an X11 display.

#include "platform/winapi/sdl/WinApiX11Box.h"

#if __has_include(<X11/Xlib.h>)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>
#define QUORVEL_X11_BOX 1
#endif

#include <algorithm>
#include <cstdint>

namespace Quorvel {

#if QUORVEL_X11_BOX

namespace {

// The first font the server has: the fixed font with all of Unicode's first
// plane, then the one every X server has built in (Latin-1).
const char* const FontNames[] = {
    "-misc-fixed-medium-r-normal--13-120-75-75-c-70-iso10646-1",
    "fixed",
};

constexpr int Margin = 16;        // pixels around the text and below the buttons
constexpr int ButtonGap = 8;      // between two buttons
constexpr int ButtonPadding = 12; // left and right of a button's label
constexpr int MinButtonWidth = 80;
constexpr int MinBoxWidth = 240;
constexpr int PollMilliseconds = 50; // how soon takeDown is seen

// UTF-8 as the font's characters: code points it lacks (or bytes that are no
// UTF-8) become '?'. The font is a single row (a Latin-1 font) or a matrix
// of rows (Unicode's first plane).
std::vector<XChar2b> toFontText(const std::string& text, const XFontStruct& font)
{
    const unsigned maxCode = font.max_byte1 == 0 ? font.max_char_or_byte2 : 0xFFFF;
    std::vector<XChar2b> out;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        uint32_t code = lead;
        size_t length = 1;
        if (lead >= 0x80) {
            length = lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
            code = length == 4 ? lead & 0x07u : length == 3 ? lead & 0x0Fu : lead & 0x1Fu;
            bool valid = length > 0 && i + length <= text.size();
            for (size_t k = 1; valid && k < length; ++k) {
                const unsigned char next = static_cast<unsigned char>(text[i + k]);
                valid = (next & 0xC0) == 0x80;
                code = (code << 6) | (next & 0x3Fu);
            }
            if (!valid) {
                code = '?';
                length = 1;
            }
        }
        i += length;
        if (code == '\r')
            continue;
        if (code > maxCode || code < 0x20)
            code = '?';
        XChar2b glyph;
        glyph.byte1 = static_cast<unsigned char>(code >> 8);
        glyph.byte2 = static_cast<unsigned char>(code & 0xFF);
        out.push_back(glyph);
    }
    return out;
}

// UTF-8 as Latin-1, for the window's WM_NAME (a STRING).
std::string toLatin1(const std::string& text)
{
    XFontStruct latin1 = {};
    latin1.max_char_or_byte2 = 0xFF;
    std::string out;
    for (const XChar2b& glyph : toFontText(text, latin1))
        out += static_cast<char>(glyph.byte2);
    return out;
}

unsigned long colour(Display* display, int screen, unsigned short red, unsigned short green, unsigned short blue,
                     unsigned long fallback)
{
    XColor wanted = {};
    wanted.red = static_cast<unsigned short>(red * 257);
    wanted.green = static_cast<unsigned short>(green * 257);
    wanted.blue = static_cast<unsigned short>(blue * 257);
    wanted.flags = DoRed | DoGreen | DoBlue;
    return XAllocColor(display, DefaultColormap(display, screen), &wanted) ? wanted.pixel : fallback;
}

// Called by Xlib when the box's own connection breaks (the server ended):
// returning leaves that connection dead, and the box ends as closed.
void onConnectionLost(Display*, void* lost)
{
    *static_cast<bool*>(lost) = true;
}

struct Box {
    Display* display = nullptr;
    Window window = 0;
    GC gc = nullptr;
    XFontStruct* font = nullptr;
    std::vector<std::vector<XChar2b>> lines;
    std::vector<std::vector<XChar2b>> labels;
    std::vector<XRectangle> buttons;
    int lineHeight = 0;
    int width = 0;
    int height = 0;
    size_t focus = 0;
    int pressed = -1; // the button the mouse went down on
    unsigned long face = 0, text = 0, buttonFace = 0, buttonDown = 0, border = 0, focusBorder = 0;

    void layOut()
    {
        lineHeight = font->ascent + font->descent + 2;
        int textWidth = 0;
        for (const auto& line : lines)
            textWidth = std::max(textWidth, XTextWidth16(font, line.data(), static_cast<int>(line.size())));
        int buttonWidth = MinButtonWidth;
        for (const auto& label : labels)
            buttonWidth =
                std::max(buttonWidth,
                         XTextWidth16(font, label.data(), static_cast<int>(label.size())) + 2 * ButtonPadding);
        const int buttonHeight = lineHeight + 10;
        const int count = static_cast<int>(labels.size());
        const int rowWidth = count * buttonWidth + (count - 1) * ButtonGap;
        width = std::max({MinBoxWidth, textWidth + 2 * Margin, rowWidth + 2 * Margin});
        const int textHeight = static_cast<int>(lines.size()) * lineHeight;
        height = Margin + textHeight + Margin + buttonHeight + Margin;
        // The row of buttons at the bottom right.
        int x = width - Margin - rowWidth;
        for (int i = 0; i < count; ++i, x += buttonWidth + ButtonGap) {
            XRectangle place;
            place.x = static_cast<short>(x);
            place.y = static_cast<short>(height - Margin - buttonHeight);
            place.width = static_cast<unsigned short>(buttonWidth);
            place.height = static_cast<unsigned short>(buttonHeight);
            buttons.push_back(place);
        }
    }

    int buttonAt(int x, int y) const
    {
        for (size_t i = 0; i < buttons.size(); ++i) {
            const XRectangle& b = buttons[i];
            if (x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height)
                return static_cast<int>(i);
        }
        return -1;
    }

    void draw()
    {
        XSetForeground(display, gc, face);
        XFillRectangle(display, window, gc, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
        XSetForeground(display, gc, text);
        int y = Margin + font->ascent;
        for (const auto& line : lines) {
            XDrawString16(display, window, gc, Margin, y, line.data(), static_cast<int>(line.size()));
            y += lineHeight;
        }
        for (size_t i = 0; i < buttons.size(); ++i) {
            const XRectangle& b = buttons[i];
            XSetForeground(display, gc, static_cast<int>(i) == pressed ? buttonDown : buttonFace);
            XFillRectangle(display, window, gc, b.x, b.y, b.width, b.height);
            XSetForeground(display, gc, i == focus ? focusBorder : border);
            XDrawRectangle(display, window, gc, b.x, b.y, b.width - 1u, b.height - 1u);
            if (i == focus)
                XDrawRectangle(display, window, gc, b.x + 1, b.y + 1, b.width - 3u, b.height - 3u);
            const auto& label = labels[i];
            const int labelWidth = XTextWidth16(font, label.data(), static_cast<int>(label.size()));
            XSetForeground(display, gc, text);
            XDrawString16(display, window, gc, b.x + (b.width - labelWidth) / 2,
                          b.y + (b.height - font->ascent - font->descent) / 2 + font->ascent, label.data(),
                          static_cast<int>(label.size()));
        }
        XFlush(display);
    }
};

} // namespace

int WinApiX11Box::show(const std::string& title, const std::string& text, const std::vector<Button>& buttons,
                       size_t returnDefault, size_t escapeDefault, unsigned long owner,
                       const std::atomic<bool>& takeDown)
{
    if (buttons.empty())
        return NotShown;
    Box box;
    box.display = XOpenDisplay(nullptr);
    if (!box.display)
        return NotShown;
    Display* display = box.display;
    bool lost = false;
    XSetIOErrorExitHandler(display, onConnectionLost, &lost);
    for (const char* name : FontNames)
        if (!box.font)
            box.font = XLoadQueryFont(display, name);
    if (!box.font) {
        XCloseDisplay(display);
        return NotShown;
    }

    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        box.lines.push_back(toFontText(text.substr(start, end == std::string::npos ? end : end - start), *box.font));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    for (const Button& button : buttons)
        box.labels.push_back(toFontText(button.label, *box.font));
    box.layOut();
    box.focus = std::min(returnDefault, buttons.size() - 1);
    escapeDefault = std::min(escapeDefault, buttons.size() - 1);

    const int screen = DefaultScreen(display);
    const unsigned long black = BlackPixel(display, screen);
    const unsigned long white = WhitePixel(display, screen);
    box.face = colour(display, screen, 0xF0, 0xF0, 0xF0, white);
    box.text = colour(display, screen, 0x10, 0x10, 0x10, black);
    box.buttonFace = colour(display, screen, 0xE1, 0xE1, 0xE1, white);
    box.buttonDown = colour(display, screen, 0xC4, 0xC4, 0xC4, white);
    box.border = colour(display, screen, 0x8A, 0x8A, 0x8A, black);
    box.focusBorder = colour(display, screen, 0x1F, 0x5F, 0xB4, black);

    XSetWindowAttributes attributes = {};
    attributes.background_pixel = box.face;
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask
        | StructureNotifyMask;
    const int x = std::max(0, (DisplayWidth(display, screen) - box.width) / 2);
    const int y = std::max(0, (DisplayHeight(display, screen) - box.height) / 2);
    box.window = XCreateWindow(display, RootWindow(display, screen), x, y, static_cast<unsigned>(box.width),
                               static_cast<unsigned>(box.height), 0, CopyFromParent, InputOutput, CopyFromParent,
                               CWBackPixel | CWEventMask, &attributes);
    Window window = box.window;

    // The title both ways window managers and tools read it.
    const std::string latin1Title = toLatin1(title);
    XStoreName(display, window, latin1Title.c_str());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
    char resourceName[] = "quorvel";
    char resourceClass[] = "Quorvel";
    XClassHint classHint = {resourceName, resourceClass};
    XSetClassHint(display, window, &classHint);
    const Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dialog), 1);
    if (owner)
        XSetTransientForHint(display, window, owner);
    // A fixed size where it was put.
    XSizeHints* hints = XAllocSizeHints();
    if (hints) {
        hints->flags = USPosition | PPosition | PMinSize | PMaxSize;
        hints->x = x;
        hints->y = y;
        hints->min_width = hints->max_width = box.width;
        hints->min_height = hints->max_height = box.height;
        XSetWMNormalHints(display, window, hints);
        XFree(hints);
    }
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    box.gc = XCreateGC(display, window, 0, nullptr);
    XSetFont(display, box.gc, box.font->fid);
    XMapRaised(display, window);
    XFlush(display);

    int result = Closed;
    bool done = false;
    KeySym lastPressed = NoSymbol; // a key is acted on when it is let go after being pressed here
    while (!done && !lost && !takeDown.load()) {
        while (!done && !lost && XPending(display) > 0) {
            XEvent event = {};
            XNextEvent(display, &event);
            if (lost)
                break;
            switch (event.type) {
            case Expose:
                if (event.xexpose.count == 0)
                    box.draw();
                break;
            case KeyPress: {
                const KeySym key = XLookupKeysym(&event.xkey, 0);
                lastPressed = key;
                const bool back = key == XK_Left || key == XK_ISO_Left_Tab
                    || (key == XK_Tab && (event.xkey.state & ShiftMask));
                if (back || key == XK_Right || key == XK_Tab) {
                    const size_t count = buttons.size();
                    box.focus = back ? (box.focus + count - 1) % count : (box.focus + 1) % count;
                    box.draw();
                }
                break;
            }
            case KeyRelease: {
                const KeySym key = XLookupKeysym(&event.xkey, 0);
                if (key != lastPressed)
                    break;
                lastPressed = NoSymbol;
                if (key == XK_Return || key == XK_KP_Enter || key == XK_space) {
                    result = buttons[box.focus].id;
                    done = true;
                } else if (key == XK_Escape) {
                    result = buttons[escapeDefault].id;
                    done = true;
                }
                break;
            }
            case ButtonPress:
                if (event.xbutton.button == Button1) {
                    box.pressed = box.buttonAt(event.xbutton.x, event.xbutton.y);
                    box.draw();
                }
                break;
            case ButtonRelease:
                if (event.xbutton.button == Button1 && box.pressed >= 0) {
                    if (box.buttonAt(event.xbutton.x, event.xbutton.y) == box.pressed) {
                        result = buttons[static_cast<size_t>(box.pressed)].id;
                        done = true;
                    }
                    box.pressed = -1;
                    if (!done)
                        box.draw();
                }
                break;
            case ClientMessage:
                if (event.xclient.message_type == protocols && event.xclient.format == 32
                    && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow)
                    done = true;
                break;
            default:
                break;
            }
        }
        if (done || lost)
            break;
        pollfd wait = {ConnectionNumber(display), POLLIN, 0};
        poll(&wait, 1, PollMilliseconds);
    }

    // A dead connection is left as it is; the program is ending.
    if (!lost) {
        XFreeGC(display, box.gc);
        XDestroyWindow(display, window);
        XFreeFont(display, box.font);
        XCloseDisplay(display);
    }
    return done ? result : Closed;
}

#else

int WinApiX11Box::show(const std::string&, const std::string&, const std::vector<Button>&, size_t, size_t,
                       unsigned long, const std::atomic<bool>&)
{
    return NotShown;
}

#endif

} // namespace Quorvel
