// FakeScreen: a graphic system without a display, for tests of code that asks
// the graphic system for the screen size (cursor offsets, screen space). It
// holds the settings and answers queries; it draws and presents nothing.
// Constructed while no other graphic system exists, it is the registered one
// until it is destroyed: keep one on the stack for the length of a test.
#pragma once

#include "system/GraphicSystem.h"

#include <cstdint>

namespace QuorvelTest {

class FakeScreen : public Quorvel::GraphicSystem {
public:
    explicit FakeScreen(uint32_t width_ = 1024, uint32_t height_ = 768) : width(width_), height(height_) {}

    // True when this screen is the graphic system that the engine reaches.
    bool isRegistered() const { return existingInstance() == this; }

    bool hasFailed() override { return false; }
    uint32_t getWidth() const override { return width; }
    void setWidth(uint32_t value) override { width = value; }
    uint32_t getHeight() const override { return height; }
    void setHeight(uint32_t value) override { height = value; }
    uint32_t getBitsPerPixel() const override { return bitsPerPixel; }
    void setBitsPerPixel(uint32_t value) override { bitsPerPixel = value; }
    uint32_t getRefreshRate() const override { return refreshRate; }
    void setRefreshRate(uint32_t value) override { refreshRate = value; }
    bool getVsync() const override { return vsync; }
    void setVsync(bool value) override { vsync = value; }
    bool getDoubleBuffer() const override { return doubleBuffer; }
    void setDoubleBuffer(bool value) override { doubleBuffer = value; }
    bool getFullscreen() const override { return true; }
    void setFullscreen(bool) override {}
    int32_t getState() const override { return Configuring; }
    void useDesktopMode() override {}
    uint32_t getFrameCount() const override { return frames; }
    void resetFrameCount() override { frames = 0; }
    bool isExtensionSupported(const char*) override { return false; }
    void* getProcAddress(const char*) override { return nullptr; }

    uint32_t width = 1024;
    uint32_t height = 768;
    uint32_t bitsPerPixel = 32;
    uint32_t refreshRate = 0;
    bool vsync = false;
    bool doubleBuffer = true;
    uint32_t frames = 0;
};

} // namespace QuorvelTest
