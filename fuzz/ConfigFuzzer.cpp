// Fuzz target: the configuration reader, from the text stream the
// application reads "quorvel.conf" from, then every value through every
// typed getter, as the subsystems ask for them, and the [Controls] section
// through the reader the demonstration uses.

#include "FuzzInput.h"

#include "core/Config.h"
#include "core/ConfigSection.h"
#include "core/Log.h"
#include "input/ControlSettings.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quorvel;
    const String name = QuorvelFuzz::FuzzInput::set("quorvel.conf", data, size);
    Config config(name);
    for (const auto& section : config.getSections()) {
        const ConfigSection& values = *section.second;
        for (const auto& entry : values.getValues()) {
            values.getBool(entry.first, false);
            values.getInt(entry.first, 0);
            values.getFloat(entry.first, 0.0f);
            values.getString(entry.first, String());
        }
        config.getSection(section.first);
    }
    static Log log("quorvel.log"); // the refusals' lines, in the run's working directory
    ControlSettings::read(config.getSection("Controls"), log);
    return 0;
}
