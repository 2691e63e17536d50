#include "resources/Font.h"

#include "core/Application.h"
#include "files/BinaryFile.h"
#include "files/FontFile.h"
#include "resources/BasicTexture.h"
#include "resources/Bitmap.h"
#include "system/OpenGL.h"

#include <cstring>

namespace Quorvel {

namespace {

constexpr uint32_t ImageId = chunkId("FBIT");
constexpr uint32_t GlyphTableId = chunkId("CHRS");
constexpr unsigned char LineFeed = 10;

// One glyph quad at pen (px, py), each texture coordinate before its vertex.
void emitGlyph(const Glyph& g, float px, float py, float s)
{
    glTexCoord2f(g.s0, g.t0);
    glVertex2f(px + g.x0 * s, py + g.y0 * s);
    glTexCoord2f(g.s1, g.t0);
    glVertex2f(px + g.x1 * s, py + g.y0 * s);
    glTexCoord2f(g.s1, g.t1);
    glVertex2f(px + g.x1 * s, py + g.y1 * s);
    glTexCoord2f(g.s0, g.t1);
    glVertex2f(px + g.x0 * s, py + g.y1 * s);
}

} // namespace

Font::Font() = default;

Font::~Font() = default;

Font* Font::load(const String& name)
{
    static ResourceCache<Font>* cache = nullptr;
    if (cache != nullptr) {
        if (Font* found = cache->find(name)) {
            return found;
        }
    } else {
        cache = new ResourceCache<Font>(); // lives until the process ends
    }

    auto font = std::make_unique<Font>();
    if (!font->loadFile(name + ".glf")) {
        Application::writeLog(String("Font id=") + name + " load failed");
        return nullptr;
    }
    font->setName(name);
    return cache->add(font.release());
}

bool Font::loadFile(const String& fileName)
{
    std::unique_ptr<Bitmap> image = readFile(fileName);
    if (!image) {
        return false;
    }

    texture = std::make_unique<BasicTexture>();
    texture->setTarget(GL_TEXTURE_2D);
    texture->create();
    texture->bind(0);
    // The alpha rows are packed without padding.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, image->getWidth(), image->getHeight(), 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 image->getData());
    glPopClientAttrib();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    texture->unbind();
    return true;
}

std::unique_ptr<Bitmap> Font::readFile(const String& fileName)
{
    FontFile file;
    if (!file.load(fileName)) {
        return nullptr;
    }
    return readFontFile(file);
}

std::unique_ptr<Bitmap> Font::readFontFile(const FontFile& file)
{
    const Chunk* imageChunk = file.findChunk(ImageId, 0);
    const Chunk* tableChunk = file.findChunk(GlyphTableId, 0);
    // A glyph scale of 0 would make every metric infinite.
    if (imageChunk == nullptr || tableChunk == nullptr || file.getGlyphScale() == 0
        || imageChunk->size < ImageHeadSize) {
        return nullptr;
    }

    const uint32_t width = readU32(imageChunk->data.get());
    const uint32_t height = readU32(imageChunk->data.get() + 4);
    const uint64_t pixels = static_cast<uint64_t>(width) * height;
    if (pixels > imageChunk->size - ImageHeadSize) {
        return nullptr; // the payload does not hold the image it describes
    }

    auto image = std::make_unique<Bitmap>();
    image->setWidth(static_cast<int32_t>(width));
    image->setHeight(static_cast<int32_t>(height));
    image->setBitsPerPixel(8);
    image->setFormat(GL_ALPHA);
    if (width > static_cast<uint32_t>(INT32_MAX) || height > static_cast<uint32_t>(INT32_MAX) || !image->allocate()) {
        return nullptr;
    }
    std::memcpy(image->getData(), imageChunk->data.get() + ImageHeadSize, static_cast<size_t>(pixels));

    const float invWidth = 1.0f / static_cast<float>(width);
    const float invHeight = 1.0f / static_cast<float>(height);
    const float invScale = 1.0f / static_cast<float>(file.getGlyphScale());

    for (Glyph& glyph : glyphs) {
        glyph = Glyph();
    }
    const uint32_t records = tableChunk->size / GlyphRecordSize;
    for (uint32_t i = 0; i < records; ++i) {
        const uint8_t* record = tableChunk->data.get() + static_cast<size_t>(i) * GlyphRecordSize;
        const uint32_t code = readU32(record);
        if (code >= GlyphCount) {
            continue;
        }
        const uint32_t x = readU32(record + 4);
        const uint32_t y = readU32(record + 8);
        const uint32_t w = readU32(record + 12);
        const uint32_t h = readU32(record + 16);
        const uint32_t offsetX = readU32(record + 20);
        const uint32_t offsetY = readU32(record + 24);
        const uint32_t advance = readU32(record + 28);

        // The offsets and the advance are signed: a glyph may lie wholly
        // above the baseline or left of the pen. Corners are summed in 64
        // bits, so that neither a negative offset nor a large size wraps.
        Glyph& glyph = glyphs[code];
        const int64_t left = static_cast<int32_t>(offsetX);
        const int64_t bottom = static_cast<int32_t>(offsetY);
        glyph.s0 = static_cast<float>(x) * invWidth;
        glyph.t0 = static_cast<float>(y) * invHeight;
        glyph.s1 = static_cast<float>(static_cast<uint64_t>(x) + w) * invWidth;
        glyph.t1 = static_cast<float>(static_cast<uint64_t>(y) + h) * invHeight;
        glyph.x0 = static_cast<float>(left) * invScale;
        glyph.y0 = static_cast<float>(bottom) * invScale;
        glyph.x1 = static_cast<float>(left + w) * invScale;
        glyph.y1 = static_cast<float>(bottom + h) * invScale;
        glyph.advance = static_cast<float>(static_cast<int32_t>(advance)) * invScale;
    }
    return image;
}

void Font::drawText(const Vector3& colour, float scale, const String& text, float x, float y) const
{
    drawText(colour, scale, text.getData(), text.length(), x, y);
}

void Font::drawText(const Vector3& colour, float scale, const char* text, int32_t length, float x, float y) const
{
    if (text == nullptr)
        length = 0;
    glPushAttrib(GL_ENABLE_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (texture) {
        texture->bind(0);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glScalef(scale, scale, 1.0f);
    glColor3f(colour.x, colour.y, colour.z);

    for (int32_t i = 0; i < length; ++i) {
        const Glyph& glyph = glyphs[static_cast<unsigned char>(text[i])];
        glBegin(GL_QUADS);
        emitGlyph(glyph, 0.0f, 0.0f, 1.0f);
        glEnd();
        glTranslatef(glyph.advance, 0.0f, 0.0f);
    }

    glPopMatrix();
    if (texture) {
        texture->unbind();
    }
    glPopAttrib();
}

template <class Place>
float Font::walkBox(float scale, const String& text, const Vector4& box, bool useBottom, Place place) const
{
    float px = box.x;
    float py = box.y;
    for (int32_t i = 0; i < text.length() && text[i] != 0; ++i) {
        const unsigned char code = static_cast<unsigned char>(text[i]);
        const float advance = glyphs[code].advance * scale;
        const bool fits = code != LineFeed && box.z > px + advance;
        if (!fits) {
            px = box.x;
            py += scale;
            if (useBottom && box.w < py + scale) {
                break;
            }
        }
        place(code, px, py);
        px += advance;
    }
    return py + scale;
}

void Font::drawTextInBox(const Vector3& colour, float scale, const String& text, const Vector4& box) const
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (texture) {
        texture->bind(0);
    }
    glMatrixMode(GL_MODELVIEW);
    glBegin(GL_QUADS);
    glColor3f(colour.x, colour.y, colour.z);
    walkBox(scale, text, box, true,
            [this, scale](unsigned char code, float px, float py) { emitGlyph(glyphs[code], px, py, scale); });
    glEnd();
    if (texture) {
        texture->unbind();
    }
    glDisable(GL_BLEND);
}

std::vector<GlyphPlacement> Font::layoutTextInBox(float scale, const String& text, const Vector4& box) const
{
    std::vector<GlyphPlacement> placements;
    walkBox(scale, text, box, true, [&placements](unsigned char code, float px, float py) {
        placements.push_back({code, px, py});
    });
    return placements;
}

float Font::measureTextHeight(float scale, const String& text, float width) const
{
    return walkBox(scale, text, Vector4(0.0f, 0.0f, width, 0.0f), false, [](unsigned char, float, float) {});
}

float Font::measureTextWidth(float scale, const String& text, uint32_t count) const
{
    const uint32_t length = static_cast<uint32_t>(text.length());
    const uint32_t n = count < length ? count : length;
    float width = 0.0f;
    for (uint32_t i = 0; i < n; ++i) {
        width += glyphs[static_cast<unsigned char>(text[static_cast<int32_t>(i)])].advance * scale;
    }
    return width;
}

} // namespace Quorvel
