#pragma once
// TextWriter: binds a font, a colour and a text size, and draws or measures
// strings with them in the current model-view space (screen space for the
// overlays). It holds one reference on its font for as long as it points to
// it; it does not own the font, which lives in the font cache.

#include "core/String.h"
#include "math/Vector3.h"
#include "math/Vector4.h"

#include <cstdint>

namespace Quorvel {

class Font;

class TextWriter {
public:
    static constexpr int BufferSize = 1024; // printf output is cut to 1023 bytes
    static constexpr uint32_t WholeText = 0xFFFFFFFFu;

    // A null font is allowed: the writer then draws nothing and measures 0.
    TextWriter(Font* font, const Vector3& colour, float size);
    TextWriter(const TextWriter& other);
    TextWriter& operator=(const TextWriter& other);
    ~TextWriter();

    Font* getFont() const { return font; }
    void setFont(Font* newFont); // releases the old font, acquires the new one
    Vector3 getColour() const { return colour; }
    void setColour(const Vector3& newColour) { colour = newColour; }
    float getSize() const { return size; } // scale of the font's text units
    void setSize(float newSize) { size = newSize; }

    void print(const String& text) const; // origin (0, 0)
    void printf(const char* format, ...) const
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void printAt(float x, float y, const String& text) const;
    // A zero-terminated text, drawn without making a String of it (no allocation).
    void printAt(float x, float y, const char* text) const;
    // Formats into a buffer on the stack and draws it; allocates nothing.
    void printfAt(float x, float y, const char* format, ...) const
#if defined(__GNUC__)
        __attribute__((format(printf, 4, 5)))
#endif
        ;
    // Wrapped into box: start x, start y, right limit, bottom limit.
    void printInBox(const Vector4& box, const String& text) const;

    float textHeight(float width, const String& text) const;
    float textWidth(const String& text, uint32_t count = WholeText) const; // first count bytes

private:
    Font* font;     // one reference held while set
    Vector3 colour; // red, green, blue from 0 to 1
    float size;
};

} // namespace Quorvel
