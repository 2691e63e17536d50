#pragma once
// GraphicSystem: the platform-neutral interface of the display: the settings
// of the "GraphicSystem" configuration section, the mode switch and the OpenGL
// context (owned by the platform implementation), one frame per main-loop pass.

#include "system/Subsystem.h"

#include <cstdint>

namespace Quorvel {

class String;

class GraphicSystem : public Subsystem {
public:
    // Configuring (setters allowed) -> ModeSet -> ContextReady (extension
    // queries allowed); Failed only when start-up fails. Calling an operation
    // in a state that does not allow it is a usage error: an assertion in
    // debug builds, ignored in release builds.
    enum State : int32_t {
        Failed = 0,
        Configuring = 1,
        ModeSet = 2,
        ContextReady = 3,
    };

    // The graphic system. Creates the platform implementation (which registers
    // itself with the application) on the first call unless one already exists.
    static GraphicSystem* instance();
    // The registered graphic system without creating one (null when there is none).
    static GraphicSystem* existingInstance();

    ~GraphicSystem() override;

    GraphicSystem(const GraphicSystem&) = delete;
    GraphicSystem& operator=(const GraphicSystem&) = delete;

    virtual uint32_t getWidth() const = 0; // pixels
    virtual void setWidth(uint32_t width) = 0;
    virtual uint32_t getHeight() const = 0; // pixels
    virtual void setHeight(uint32_t height) = 0;
    virtual uint32_t getBitsPerPixel() const = 0;
    virtual void setBitsPerPixel(uint32_t bits) = 0;
    virtual uint32_t getRefreshRate() const = 0; // hertz, 0 = the driver's default
    virtual void setRefreshRate(uint32_t hertz) = 0;
    virtual bool getVsync() const = 0;
    virtual void setVsync(bool vsync) = 0;
    virtual bool getDoubleBuffer() const = 0;
    virtual void setDoubleBuffer(bool doubleBuffer) = 0;
    virtual bool getFullscreen() const = 0;
    virtual void setFullscreen(bool fullscreen) = 0; // always a usage error: the display is always full-screen
    virtual int32_t getState() const = 0;
    virtual void useDesktopMode() = 0;          // take the display's current mode (Configuring only)
    virtual uint32_t getFrameCount() const = 0; // frames presented since the last reset
    virtual void resetFrameCount() = 0;
    virtual bool isExtensionSupported(const char* name) = 0; // ContextReady only
    virtual void* getProcAddress(const char* name) = 0;      // ContextReady only; null when unknown

    // Reads the "GraphicSystem" section of the application's configuration
    // into the setters; without the section nothing is set.
    virtual void configure();

    // True when name is a whole word of extensions. Words are separated by
    // bytes of 32 and below and of 128 and above. A null or empty name never
    // matches.
    static bool containsExtension(const char* extensions, const char* name);

    // Configuration defaults.
    static constexpr uint32_t DefaultWidth = 1024;
    static constexpr uint32_t DefaultHeight = 768;
    static constexpr uint32_t DefaultBitsPerPixel = 32;
    static constexpr uint32_t DefaultRefreshRate = 0;
    static constexpr bool DefaultVsync = false;
    static constexpr bool DefaultDoubleBuffer = true;

protected:
    // Becomes the registered instance when none is registered yet.
    GraphicSystem();

private:
    static GraphicSystem* registeredInstance;
};

} // namespace Quorvel
