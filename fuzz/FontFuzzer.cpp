// Fuzz target: Font loading from a ".glf" file, by name through the file
// system, up to the upload of its glyph image (a window and context are made
// once), then the text layout with what it read.

#include "FuzzInput.h"

#include "math/Vector4.h"
#include "resources/Font.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuorvelFuzz::FuzzInput::startGraphics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quorvel;
    const String name = QuorvelFuzz::FuzzInput::set("input.glf", data, size);
    Font font;
    if (!font.loadFile(name))
        return 0;

    const String text("The quick brown fox\njumps over the lazy dog 0123456789 \xE9\xFF");
    font.layoutTextInBox(16.0f, text, Vector4(0.0f, 0.0f, 320.0f, 240.0f));
    font.measureTextHeight(16.0f, text, 200.0f);
    font.measureTextWidth(16.0f, text, Font::WholeText);

    return 0;
}
