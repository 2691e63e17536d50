#pragma once
// Font: a bitmap font resource loaded from a ".glf" file. It owns one 8-bit
// alpha texture holding every glyph image and a table of 256 glyphs, one per
// byte value. Text is drawn as one alpha-blended quad per character in the
// current model-view space, scaled by the caller's size; measuring and the
// wrapped layout need no OpenGL context.

#include "resources/Resource.h"

#include "core/String.h"
#include "math/Vector3.h"
#include "math/Vector4.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Quorvel {

class BasicTexture;
class Bitmap;
class FontFile;

// One character's texture rectangle and quad, in text units (glyph units
// divided by the font's glyph scale). All zero for a byte the font lacks.
struct Glyph {
    float s0 = 0.0f, t0 = 0.0f; // texture coordinates of the first corner
    float s1 = 0.0f, t1 = 0.0f; // and of the opposite corner
    float x0 = 0.0f, y0 = 0.0f; // quad corner relative to the pen
    float x1 = 0.0f, y1 = 0.0f; // opposite quad corner
    float advance = 0.0f;       // pen movement to the next character
};

// Where the wrapped layout puts one character: its byte and pen position.
struct GlyphPlacement {
    unsigned char code;
    float x;
    float y;
};

class Font : public Resource {
public:
    static constexpr uint32_t GlyphCount = 256;
    static constexpr uint32_t ImageHeadSize = 12;   // "FBIT": width, height, reserved
    static constexpr uint32_t GlyphRecordSize = 32; // "CHRS": eight 32-bit values
    static constexpr uint32_t WholeText = 0xFFFFFFFFu;

    Font();
    ~Font() override;

    // The font of this name (the file name plus ".glf"), loaded once and then
    // taken from the font cache. Null, with "Font id=<name> load failed" in
    // the log, when the file is missing or not a usable font.
    static Font* load(const String& name);

    // Reads the font file (readFile) and uploads its glyph image as the
    // font's texture. Needs the OpenGL context.
    bool loadFile(const String& fileName);

    // Reads and checks a font file: fills the glyph table and returns the
    // glyph image (8-bit alpha), or null when the file is missing, lacks its
    // "FBIT" or "CHRS" chunk, has an image payload shorter than its size
    // says, or has a glyph scale of 0. No OpenGL.
    std::unique_ptr<Bitmap> readFile(const String& fileName);
    // The same from a font file already loaded.
    std::unique_ptr<Bitmap> readFontFile(const FontFile& file);

    // Draws every byte of text on one line with its origin at (x, y).
    void drawText(const Vector3& colour, float scale, const String& text, float x, float y) const;
    // The same for length bytes of text (which need not end in a zero byte);
    // nothing is allocated, so drawing paths can print from a fixed buffer.
    void drawText(const Vector3& colour, float scale, const char* text, int32_t length, float x, float y) const;
    // Draws text wrapped into box (start x, start y, right limit, bottom
    // limit); the text ends at its first zero byte.
    void drawTextInBox(const Vector3& colour, float scale, const String& text, const Vector4& box) const;
    // The height drawTextInBox would use for text wrapped to width.
    float measureTextHeight(float scale, const String& text, float width) const;
    // The width of the first count bytes (WholeText: all of them).
    float measureTextWidth(float scale, const String& text, uint32_t count) const;

    // The characters drawTextInBox draws, with their pen positions.
    std::vector<GlyphPlacement> layoutTextInBox(float scale, const String& text, const Vector4& box) const;

    const Glyph& getGlyph(unsigned char code) const { return glyphs[code]; }
    void setGlyph(unsigned char code, const Glyph& glyph) { glyphs[code] = glyph; }
    BasicTexture* getTexture() const { return texture.get(); }

private:
    // Runs the line-breaking walk from the box's start; calls place(code,
    // px, py) for every character drawn and returns the final py + scale.
    // Without a bottom limit the walk never stops early.
    template <class Place>
    float walkBox(float scale, const String& text, const Vector4& box, bool useBottom, Place place) const;

    std::unique_ptr<BasicTexture> texture;
    Glyph glyphs[GlyphCount];
};

} // namespace Quorvel
