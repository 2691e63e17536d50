#pragma once
// WinApiHandles: the handles the layer gives out (windows, device and
// rendering contexts, brushes). They are plain numbers that never repeat
// while the program runs, spaced like pointers and well away from the small
// values Windows gives its stock objects.

#include <cstdint>

namespace Quorvel {

class WinApiHandles {
public:
    template <typename Handle>
    Handle make()
    {
        next += 0x10;
        return reinterpret_cast<Handle>(next);
    }

private:
    uintptr_t next = 0x10000;
};

} // namespace Quorvel
