#include "widgets/TextWriter.h"

#include "resources/Font.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace Quorvel {

namespace {

void acquireFont(Font* font)
{
    if (font != nullptr) {
        font->acquire();
    }
}

void releaseFont(Font* font)
{
    if (font != nullptr) {
        font->release();
    }
}

// Formats into the buffer, cutting what does not fit; a format that cannot be
// rendered (an encoding error) gives the empty text rather than whatever the
// buffer held.
void formatInto(char (&buffer)[TextWriter::BufferSize], const char* format, va_list arguments)
{
    if (std::vsnprintf(buffer, sizeof buffer, format, arguments) < 0) {
        buffer[0] = '\0';
    }
}

} // namespace

TextWriter::TextWriter(Font* font_, const Vector3& colour_, float size_) : font(font_), colour(colour_), size(size_)
{
    acquireFont(font);
}

TextWriter::TextWriter(const TextWriter& other) : font(other.font), colour(other.colour), size(other.size)
{
    acquireFont(font);
}

TextWriter& TextWriter::operator=(const TextWriter& other)
{
    // Acquire first, so assigning a writer to itself keeps its reference.
    acquireFont(other.font);
    releaseFont(font);
    font = other.font;
    colour = other.colour;
    size = other.size;
    return *this;
}

TextWriter::~TextWriter()
{
    releaseFont(font);
}

void TextWriter::setFont(Font* newFont)
{
    acquireFont(newFont);
    releaseFont(font);
    font = newFont;
}

void TextWriter::print(const String& text) const
{
    printAt(0.0f, 0.0f, text);
}

void TextWriter::printf(const char* format, ...) const
{
    char buffer[BufferSize];
    va_list arguments;
    va_start(arguments, format);
    formatInto(buffer, format, arguments);
    va_end(arguments);
    printAt(0.0f, 0.0f, static_cast<const char*>(buffer));
}

void TextWriter::printAt(float x, float y, const String& text) const
{
    if (font != nullptr) {
        font->drawText(colour, size, text, x, y);
    }
}

void TextWriter::printAt(float x, float y, const char* text) const
{
    if (font != nullptr && text != nullptr) {
        font->drawText(colour, size, text, static_cast<int32_t>(std::strlen(text)), x, y);
    }
}

void TextWriter::printfAt(float x, float y, const char* format, ...) const
{
    char buffer[BufferSize];
    va_list arguments;
    va_start(arguments, format);
    formatInto(buffer, format, arguments);
    va_end(arguments);
    printAt(x, y, static_cast<const char*>(buffer));
}

void TextWriter::printInBox(const Vector4& box, const String& text) const
{
    if (font != nullptr) {
        font->drawTextInBox(colour, size, text, box);
    }
}

float TextWriter::textHeight(float width, const String& text) const
{
    return font != nullptr ? font->measureTextHeight(size, text, width) : 0.0f;
}

float TextWriter::textWidth(const String& text, uint32_t count) const
{
    return font != nullptr ? font->measureTextWidth(size, text, count) : 0.0f;
}

} // namespace Quorvel
