#include "widgets/TextWriter.h"

#include "resources/Font.h"

#include <gtest/gtest.h>

using namespace Quorvel;

namespace {

// A font whose every glyph advances by the given number of text units.
void setAdvances(Font& font, float advance)
{
    for (int code = 0; code < 256; ++code) {
        Glyph glyph;
        glyph.advance = advance;
        font.setGlyph(static_cast<unsigned char>(code), glyph);
    }
}

} // namespace

TEST(TextWriterTest, HoldsOneReferenceOnTheFontItPointsTo)
{
    Font first;
    Font second;
    {
        TextWriter writer(&first, Vector3(1, 0, 0), 16.0f);
        EXPECT_EQ(1, first.getRefCount()) << "construction acquires";
        {
            TextWriter copy(writer);
            EXPECT_EQ(2, first.getRefCount()) << "a copy holds its own reference";
            EXPECT_FLOAT_EQ(16.0f, copy.getSize());
            EXPECT_FLOAT_EQ(1.0f, copy.getColour().x);

            TextWriter other(&second, Vector3(0, 1, 0), 8.0f);
            copy = other;
            EXPECT_EQ(1, first.getRefCount()) << "assignment releases the old font";
            EXPECT_EQ(2, second.getRefCount()) << "and acquires the new one";
            EXPECT_FLOAT_EQ(8.0f, copy.getSize());

            const TextWriter& same = copy; // through a reference, as self-assignment happens in real code
            copy = same;
            EXPECT_EQ(2, second.getRefCount()) << "assigning a writer to itself changes nothing";

            copy.setFont(&first);
            EXPECT_EQ(2, first.getRefCount());
            EXPECT_EQ(1, second.getRefCount());
            copy.setFont(&first);
            EXPECT_EQ(2, first.getRefCount()) << "setting the same font again keeps one reference";
            copy.setFont(nullptr);
            EXPECT_EQ(1, first.getRefCount());
        }
        EXPECT_EQ(1, first.getRefCount()) << "destruction releases";
        EXPECT_EQ(0, second.getRefCount());
    }
    EXPECT_EQ(0, first.getRefCount());
}

TEST(TextWriterTest, MeasuresThroughItsFontAtItsSize)
{
    Font font;
    setAdvances(font, 0.5f);
    TextWriter writer(&font, Vector3(1, 1, 1), 10.0f);

    EXPECT_FLOAT_EQ(20.0f, writer.textWidth("abcd"));
    EXPECT_FLOAT_EQ(20.0f, writer.textWidth("abcd", TextWriter::WholeText));
    EXPECT_FLOAT_EQ(10.0f, writer.textWidth("abcd", 2));
    EXPECT_FLOAT_EQ(10.0f, writer.textHeight(100.0f, "abcd")) << "one line of the writer's size";
    EXPECT_FLOAT_EQ(20.0f, writer.textHeight(12.0f, "abcd")) << "two characters a line";

    writer.setSize(20.0f);
    EXPECT_FLOAT_EQ(40.0f, writer.textWidth("abcd"));
    EXPECT_FLOAT_EQ(40.0f, writer.textHeight(25.0f, "abcd"));
}

TEST(TextWriterTest, WithoutAFontItMeasuresNothing)
{
    TextWriter writer(nullptr, Vector3(1, 1, 1), 16.0f);
    EXPECT_EQ(nullptr, writer.getFont());
    EXPECT_FLOAT_EQ(0.0f, writer.textWidth("9999"));
    EXPECT_FLOAT_EQ(0.0f, writer.textHeight(100.0f, "text"));
    // Drawing has nothing to draw with; formatting stays in its buffer.
    writer.print("text");
    writer.printf("%s", std::string(5000, 'x').c_str());
    writer.printfAt(1.0f, 2.0f, "%d", 42);
    writer.printInBox(Vector4(0, 0, 100, 100), "text");
    TextWriter copy(writer);
    copy = writer;
    EXPECT_EQ(nullptr, copy.getFont());
}
