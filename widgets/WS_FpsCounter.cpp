#include "widgets/WS_FpsCounter.h"

#include "math/Vector4.h"
#include "resources/Font.h"
#include "system/GraphicSystem.h"
#include "system/TimerSystem.h"
#include "widgets/HudScale.h"

#include <cstdio>

namespace Quorvel {

WS_FpsCounter::WS_FpsCounter()
    : WS_FpsCounter(AlignCentre, AlignBottom,
                    std::make_unique<TextWriter>(Font::load("default"), Vector3(1.0f, 1.0f, 1.0f), DefaultSize))
{
}

WS_FpsCounter::WS_FpsCounter(int32_t hAlign_, int32_t vAlign_, std::unique_ptr<TextWriter> writer_)
    : writer(std::move(writer_)), hAlign(hAlign_), vAlign(vAlign_)
{
    if (!writer) {
        writer = std::make_unique<TextWriter>(nullptr, Vector3(1.0f, 1.0f, 1.0f), DefaultSize);
    }
    baseSize = writer->getSize();
    visible = true;
    eventMask = 0;
    interval = Interval;
    TimerSystem::instance()->add(this);
}

WS_FpsCounter::~WS_FpsCounter() = default;

bool WS_FpsCounter::resize(const Vector4& screenRect)
{
    writer->setSize(baseSize * HudScale::forHeight(screenRect.w)); // the screen height, as below
    // Room for four digits, so the usual rates do not shift the text.
    const float reserved = writer->textWidth("9999", TextWriter::WholeText);
    const float textHeight = writer->getSize();
    const float width = screenRect.z;
    const float height = screenRect.w;

    switch (hAlign) {
    case AlignRight:
        x = width - reserved;
        break;
    case AlignCentre:
        x = (width - reserved) / 2.0f;
        break;
    default:
        x = 0.0f;
        break;
    }
    switch (vAlign) {
    case AlignBottom:
        y = height - textHeight;
        break;
    case AlignCentre:
        y = (height - textHeight) / 2.0f;
        break;
    default:
        y = 0.0f;
        break;
    }

    GraphicSystem::instance()->resetFrameCount();
    return true;
}

void WS_FpsCounter::draw()
{
    if (writer->getFont() != nullptr) {
        writer->printAt(x, y, static_cast<const char*>(text));
    }
}

void WS_FpsCounter::formatText()
{
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(fps));
}

void WS_FpsCounter::tick(uint32_t count)
{
    GraphicSystem* graphics = GraphicSystem::instance();
    const uint32_t rate = graphics->getFrameCount() / (count > 0 ? count : 1);
    graphics->resetFrameCount();
    if (rate != fps) {
        fps = rate;
        formatText();
    }
}

} // namespace Quorvel
