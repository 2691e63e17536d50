// quorvel-fontgen: rasterises a TrueType/OpenType font with FreeType into the
// engine's ".glf" font format: one 8-bit alpha image holding every glyph
// ("FBIT") and a table of glyph records ("CHRS").
//
// Layout: text drawn at (x, y) with size s occupies the line box from y to
// y + s in screen space (y downwards). The pen line is the top of that box:
// the tool scales the font so that its ascender-to-descender height fills
// `--size` pixels, and the glyph scale (default: the same number) turns
// those pixels into text units, so one line is one text unit high.
//
// The output depends only on the options, the font file and FreeType:
// glyphs are packed in code order onto shelves of a fixed-width image.

#include "files/BinaryDiskFile.h"
#include "files/ChunkFile.h"
#include "files/FontFile.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const DefaultFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int ImageWidth = 256; // power of two, so any OpenGL 1.1 accepts the texture
constexpr int Padding = 1;      // empty pixels between glyphs against filter bleeding

struct Options {
    std::string fontPath = DefaultFontPath;
    std::string output;
    std::string name;
    int size = 16;  // line box height in pixels
    int first = 32; // character range, Latin-1 byte values
    int last = 255;
    int scale = 0; // glyph scale; 0: the line box height
};

struct GlyphRecord {
    uint32_t code;
    uint32_t x, y, w, h;
    int32_t offsetX, offsetY, advance;
    std::vector<uint8_t> alpha; // w x h, rows packed
};

// To standard output when asked for, to standard error after a mistake.
void usage(std::FILE* out)
{
    std::fprintf(out,
                 "usage: quorvel-fontgen [options] OUTPUT.glf\n"
                 "  --font PATH    TrueType/OpenType font (default %s)\n"
                 "  --size N       line box height in pixels (default 16)\n"
                 "  --first N      first character code (default 32)\n"
                 "  --last N       last character code, at most 255 (default 255)\n"
                 "  --scale N      glyph scale, glyph units per text unit (default: the size)\n"
                 "  --name NAME    name stored in the file header (default: output base name)\n",
                 DefaultFontPath);
}

bool parseInt(const char* text, int& out)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 1000000) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char*& out) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "quorvel-fontgen: %s needs a value\n", arg.c_str());
                return false;
            }
            out = argv[++i];
            return true;
        };
        const char* text = nullptr;
        if (arg == "--font" || arg == "--name") {
            if (!value(text))
                return false;
            (arg == "--font" ? options.fontPath : options.name) = text;
        } else if (arg == "--size" || arg == "--first" || arg == "--last" || arg == "--scale") {
            if (!value(text))
                return false;
            int& target = arg == "--size" ? options.size
                : arg == "--first"        ? options.first
                : arg == "--last"         ? options.last
                                          : options.scale;
            if (!parseInt(text, target)) {
                std::fprintf(stderr, "quorvel-fontgen: %s: not a number: %s\n", arg.c_str(), text);
                return false;
            }
        } else if (arg == "--help" || arg == "-h") {
            usage(stdout);
            std::exit(0);
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "quorvel-fontgen: unknown option %s\n", arg.c_str());
            return false;
        } else if (options.output.empty()) {
            options.output = arg;
        } else {
            std::fprintf(stderr, "quorvel-fontgen: more than one output file: %s\n", arg.c_str());
            return false;
        }
    }
    if (options.output.empty()) {
        return false;
    }
    if (options.size < 1 || options.size > 256) {
        std::fprintf(stderr, "quorvel-fontgen: --size must be 1 to 256\n");
        return false;
    }
    if (options.first > options.last || options.last > 255) {
        std::fprintf(stderr, "quorvel-fontgen: the character range must lie within 0 to 255\n");
        return false;
    }
    if (options.scale == 0) {
        options.scale = options.size;
    }
    if (options.name.empty()) {
        std::string base = options.output.substr(options.output.find_last_of('/') + 1);
        options.name = base.substr(0, base.find_last_of('.'));
    }
    return true;
}

void putU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        usage(stderr);
        return 2;
    }

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "quorvel-fontgen: FreeType could not be initialised\n");
        return 1;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, options.fontPath.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "quorvel-fontgen: %s: cannot open or not a font\n", options.fontPath.c_str());
        FT_Done_FreeType(library);
        return 1;
    }
    if (!FT_IS_SCALABLE(face) || face->ascender <= face->descender) {
        std::fprintf(stderr, "quorvel-fontgen: %s: not a scalable font with line metrics\n", options.fontPath.c_str());
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        return 1;
    }

    // The em size (26.6 pixels) at which ascender to descender spans the line
    // box, and the baseline's distance below the top of the box. Integer
    // arithmetic, rounded to nearest, so the result never varies.
    const int64_t lineUnits = static_cast<int64_t>(face->ascender) - face->descender;
    const int64_t emSize = (static_cast<int64_t>(options.size) * 64 * face->units_per_EM + lineUnits / 2) / lineUnits;
    const int32_t baseline =
        static_cast<int32_t>((static_cast<int64_t>(options.size) * face->ascender + lineUnits / 2) / lineUnits);
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(emSize), 72, 72) != 0) {
        std::fprintf(stderr, "quorvel-fontgen: %s: cannot be set to size %d\n", options.fontPath.c_str(), options.size);
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        return 1;
    }

    // Render every character of the range that the font has.
    std::vector<GlyphRecord> records;
    int skipped = 0;
    for (int code = options.first; code <= options.last; ++code) {
        const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code)); // Latin-1 = Unicode 0-255
        if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0
            || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
            ++skipped;
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        GlyphRecord record{};
        record.code = static_cast<uint32_t>(code);
        record.w = bitmap.width;
        record.h = bitmap.rows;
        record.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
        if (record.w > 0 && record.h > 0) {
            record.offsetX = slot->bitmap_left;
            record.offsetY = baseline - slot->bitmap_top;
            // The engine takes offset + extent as unsigned sums; keep them >= 0.
            if (record.offsetX + static_cast<int32_t>(record.w) < 0)
                record.offsetX = -static_cast<int32_t>(record.w);
            if (record.offsetY + static_cast<int32_t>(record.h) < 0)
                record.offsetY = -static_cast<int32_t>(record.h);
            record.alpha.resize(static_cast<size_t>(record.w) * record.h);
            for (uint32_t row = 0; row < record.h; ++row) {
                const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
                std::memcpy(record.alpha.data() + static_cast<size_t>(row) * record.w, source, record.w);
            }
        } else {
            record.w = 0;
            record.h = 0;
        }
        if (static_cast<int>(record.w) + 2 * Padding > ImageWidth) {
            std::fprintf(stderr, "quorvel-fontgen: %s: glyph %d is wider than the %d-pixel image\n",
                         options.fontPath.c_str(), code, ImageWidth);
            FT_Done_Face(face);
            FT_Done_FreeType(library);
            return 1;
        }
        records.push_back(std::move(record));
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    // Shelf packing in code order.
    int penX = Padding;
    int penY = Padding;
    int shelfHeight = 0;
    for (GlyphRecord& record : records) {
        if (record.w == 0) {
            continue;
        }
        if (penX + static_cast<int>(record.w) + Padding > ImageWidth) {
            penX = Padding;
            penY += shelfHeight + Padding;
            shelfHeight = 0;
        }
        record.x = static_cast<uint32_t>(penX);
        record.y = static_cast<uint32_t>(penY);
        penX += static_cast<int>(record.w) + Padding;
        shelfHeight = std::max(shelfHeight, static_cast<int>(record.h));
    }
    const int usedHeight = penY + shelfHeight + Padding;
    int imageHeight = 1;
    while (imageHeight < usedHeight) {
        imageHeight *= 2;
    }

    std::vector<uint8_t> image;
    putU32(image, ImageWidth);
    putU32(image, static_cast<uint32_t>(imageHeight));
    putU32(image, 0);
    const size_t pixelsStart = image.size();
    image.resize(pixelsStart + static_cast<size_t>(ImageWidth) * imageHeight, 0);
    std::vector<uint8_t> table;
    for (const GlyphRecord& record : records) {
        for (uint32_t row = 0; row < record.h; ++row) {
            std::memcpy(image.data() + pixelsStart + (static_cast<size_t>(record.y) + row) * ImageWidth + record.x,
                        record.alpha.data() + static_cast<size_t>(row) * record.w, record.w);
        }
        putU32(table, record.code);
        putU32(table, record.x);
        putU32(table, record.y);
        putU32(table, record.w);
        putU32(table, record.h);
        putU32(table, static_cast<uint32_t>(record.offsetX));
        putU32(table, static_cast<uint32_t>(record.offsetY));
        putU32(table, static_cast<uint32_t>(record.advance));
    }

    Quorvel::FontFile file;
    file.setName(options.name.c_str());
    file.setGlyphScale(static_cast<uint32_t>(options.scale));
    file.addChunk(std::make_unique<Quorvel::Chunk>(Quorvel::chunkId("FBIT"), 0, image.data(),
                                                   static_cast<uint32_t>(image.size())));
    file.addChunk(std::make_unique<Quorvel::Chunk>(Quorvel::chunkId("CHRS"), 0, table.data(),
                                                   static_cast<uint32_t>(table.size())));

    Quorvel::BinaryDiskFile output(options.output.c_str(), true);
    if (output.getState() != Quorvel::BinaryFile::Open) {
        std::fprintf(stderr, "quorvel-fontgen: %s: cannot be created\n", options.output.c_str());
        return 1;
    }
    if (!file.save(output)) {
        std::fprintf(stderr, "quorvel-fontgen: %s: write failed\n", options.output.c_str());
        return 1;
    }

    std::printf("wrote %s: %zu glyphs of %d to %d from %s (%d not in the font), image %d x %d, "
                "line box %d px with the baseline at %d, glyph scale %d\n",
                options.output.c_str(), records.size(), options.first, options.last, options.fontPath.c_str(), skipped,
                ImageWidth, imageHeight, options.size, baseline, options.scale);
    if (options.scale != options.size) {
        std::printf("note: glyph scale %d differs from the line box %d px: a line is %g text units high\n",
                    options.scale, options.size, static_cast<double>(options.size) / options.scale);
    }
    return 0;
}
