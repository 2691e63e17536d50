#pragma once
// WS_FpsCounter: the overlay that shows how many frames per second are
// presented. Once a second the timer system ticks it and it turns the
// graphic system's frame count into a rate; every frame it prints the rate
// through the TextWriter it owns, at a position set by its alignment codes.
// On a screen taller than 768 pixels the text grows with the screen's height
// (HudScale) from the size the writer had when the counter got it.

#include "system/TimerEvent.h"
#include "widgets/TextWriter.h"
#include "widgets/Widget.h"

#include <cstdint>
#include <memory>

namespace Quorvel {

class WS_FpsCounter : public Widget, public TimerEvent {
public:
    // Alignment codes; any other value means left (hAlign) or top (vAlign).
    static constexpr int32_t AlignRight = 1;  // hAlign
    static constexpr int32_t AlignLeft = 3;   // hAlign
    static constexpr int32_t AlignTop = 1;    // vAlign
    static constexpr int32_t AlignBottom = 3; // vAlign
    static constexpr int32_t AlignCentre = 4; // either

    static constexpr uint32_t Interval = 1000; // milliseconds between samples
    static constexpr float DefaultSize = 16.0f;

    // The font "default" in white at size 16, centred at the bottom.
    WS_FpsCounter();
    // The given alignment and writer, which the counter owns from now on (a
    // null writer is replaced by one without a font).
    WS_FpsCounter(int32_t hAlign, int32_t vAlign, std::unique_ptr<TextWriter> writer);
    ~WS_FpsCounter() override;

    // Places the text by the alignment codes (screenRect's third and fourth
    // components are the screen size) and restarts the frame count.
    bool resize(const Vector4& screenRect) override;
    // Prints the rate; nothing when the writer has no font. Allocates nothing.
    void draw() override;
    const char* getText() const { return text; }
    // fps = frames presented since the last tick / count of whole seconds.
    void tick(uint32_t count) override;

    uint32_t getFps() const { return fps; }
    float getX() const { return x; }
    float getY() const { return y; }
    int32_t getHAlign() const { return hAlign; }
    int32_t getVAlign() const { return vAlign; }
    TextWriter* getWriter() const { return writer.get(); }
    float getBaseSize() const { return baseSize; } // the text size on screens up to 768 pixels high

private:
    void formatText(); // text = fps in decimal

    uint32_t fps = 0;    // 0 until the first tick
    char text[16] = "0"; // fps as printed, formatted only when it changes (draw allocates nothing)
    std::unique_ptr<TextWriter> writer;
    float baseSize = DefaultSize;
    float x = 0.0f; // text origin in screen space
    float y = 0.0f;
    int32_t hAlign;
    int32_t vAlign;
};

} // namespace Quorvel
