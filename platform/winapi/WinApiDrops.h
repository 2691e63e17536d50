#pragma once
// WinApiDrops: the dropped-file handles (HDROP) the layer gives out with
// WM_DROPFILES. Each holds the paths of one drop and belongs to the layer
// until the receiver hands it back with DragFinish. A receiver that never
// does cannot make them pile up: beyond MaxOpen the oldest is let go.

#include "platform/winapi/include/windows.h"

#include "platform/winapi/include/shellapi.h"

#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace Quorvel {

class WinApiHandles;

class WinApiDrops {
public:
    static constexpr size_t MaxOpen = 64;           // drops not yet handed back
    static constexpr size_t MaxPathLength = 32767;  // bytes, the longest path Windows knows
    static constexpr UINT CountIndex = 0xFFFFFFFFu; // DragQueryFileA's index for the count

    explicit WinApiDrops(WinApiHandles& handles);

    // Whether a path can be handed out: not empty, at most MaxPathLength
    // bytes, no zero byte.
    static bool acceptable(const std::string& path);
    // A new drop holding the paths (each acceptable); null when there is none.
    HDROP add(const std::vector<std::string>& paths);
    UINT query(HDROP drop, UINT index, LPSTR buffer, UINT size) const; // DragQueryFileA
    bool finish(HDROP drop);                                           // false for an unknown handle
    size_t openCount() const { return drops.size(); }

private:
    const std::vector<std::string>* find(HDROP drop) const;

    WinApiHandles& handles;
    std::deque<std::pair<HDROP, std::vector<std::string>>> drops; // oldest first
};

} // namespace Quorvel
