#pragma once
// GraphicSystem: the platform-neutral interface of the display: the settings
// of the "GraphicSystem" configuration section, the mode switch and the OpenGL
// context (owned by the platform implementation), one frame per main-loop pass.

#include "core/RegisteredInstance.h"
#include "system/Subsystem.h"

#include <cstdint>
#include <memory>

namespace Quorvel {

class ConfigSection;
class String;

class GraphicSystem : public Subsystem, public RegisteredInstance<GraphicSystem> {
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
    virtual bool getFullscreen() const = 0;          // whether the window covers the screen now
    virtual void setFullscreen(bool fullscreen) = 0; // always a usage error: see setScreenMode

    // How the window is shown, from the "fullscreen" key: FullScreen ("on",
    // the default) switches the display to width x height; Windowed ("off")
    // is a normal window with a client area of width x height and no mode
    // change; Desktop covers the screen at the desktop's own size, without a
    // mode change (width and height are then not used).
    enum ScreenMode : int32_t {
        Windowed = 0,
        FullScreen = 1,
        Desktop = 2,
    };
    int32_t getScreenMode() const { return screenMode; }
    virtual void setScreenMode(int32_t mode) { screenMode = mode; } // Configuring only

    // A display setting of the configuration that cannot be used (a size of 0
    // or below), as "key = value" with the value as written; empty when every
    // setting read was usable. Start-up reports it and fails.
    const String& getSettingFault() const;
    virtual int32_t getState() const = 0;
    virtual void useDesktopMode() = 0;          // take the display's current mode (Configuring only)
    virtual uint32_t getFrameCount() const = 0; // frames presented since the last reset
    virtual void resetFrameCount() = 0;
    virtual bool isExtensionSupported(const char* name) = 0; // ContextReady only
    virtual void* getProcAddress(const char* name) = 0;      // ContextReady only; null when unknown

    // Reads the "GraphicSystem" section of the application's configuration
    // into the setters; without the section nothing is set. A width, height
    // or bpp of 0 or below is also kept as the setting fault (width and
    // height only where they are used); a fullscreen value other than
    // on/off/desktop (or the words getBool reads) is logged and read as on.
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
    // The value as the setters take it (a negative one wraps to a large unsigned value);
    // a used value of 0 or below becomes the setting fault.
    uint32_t readSize(ConfigSection* section, const char* key, uint32_t fallback, bool used);

    int32_t screenMode = FullScreen;
    std::unique_ptr<String> settingFault; // "key = value" of the first unusable setting
};

} // namespace Quorvel
