// Fuzz target: the BMP loader, by name through the file system. A bitmap it
// returns holds exactly the pixels its shape says.

#include "FuzzInput.h"

#include "resources/BmpLoader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quorvel;
    const String name = QuorvelFuzz::FuzzInput::set("input.bmp", data, size);
    BmpLoader loader;
    std::unique_ptr<Bitmap> bitmap = loader.load(name);
    if (bitmap) {
        const int64_t bytes = bitmap->byteCount();
        if (bytes <= 0 || bytes > static_cast<int64_t>(size) || !bitmap->getData())
            std::abort();
        volatile uint8_t last = bitmap->getData()[bytes - 1]; // the whole buffer is there
        (void)last;
    }
    return 0;
}
