// WinApiDrops: dropped-file handles and the reading of their paths.

#include "platform/winapi/WinApiDrops.h"

#include "platform/winapi/WinApiHandles.h"

#include <cstring>

namespace Quorvel {

WinApiDrops::WinApiDrops(WinApiHandles& handles) : handles(handles)
{
}

bool WinApiDrops::acceptable(const std::string& path)
{
    return !path.empty() && path.size() <= MaxPathLength && path.find('\0') == std::string::npos;
}

HDROP WinApiDrops::add(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return nullptr;
    for (const std::string& path : paths)
        if (!acceptable(path))
            return nullptr;
    if (drops.size() >= MaxOpen)
        drops.pop_front();
    const HDROP drop = handles.make<HDROP>();
    drops.emplace_back(drop, paths);
    return drop;
}

const std::vector<std::string>* WinApiDrops::find(HDROP drop) const
{
    for (const auto& entry : drops)
        if (entry.first == drop)
            return &entry.second;
    return nullptr;
}

UINT WinApiDrops::query(HDROP drop, UINT index, LPSTR buffer, UINT size) const
{
    const std::vector<std::string>* paths = drop ? find(drop) : nullptr;
    if (!paths) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (index == CountIndex)
        return UINT(paths->size());
    if (index >= paths->size())
        return 0;
    const std::string& path = (*paths)[index];
    if (!buffer)
        return UINT(path.size());
    if (size == 0)
        return 0;
    const size_t copied = path.size() < size_t(size) ? path.size() : size_t(size) - 1;
    std::memcpy(buffer, path.data(), copied);
    buffer[copied] = '\0';
    return UINT(copied);
}

bool WinApiDrops::finish(HDROP drop)
{
    for (auto entry = drops.begin(); entry != drops.end(); ++entry) {
        if (entry->first == drop) {
            drops.erase(entry);
            return true;
        }
    }
    return false;
}

} // namespace Quorvel
