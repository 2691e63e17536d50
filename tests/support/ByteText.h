#pragma once
// ByteText: little-endian values as bytes in a std::string, for tests that
// build content files by hand (chunk files, fonts, bitmaps) and read back
// what the engine wrote.

#include <cstddef>
#include <cstdint>
#include <string>

namespace QuorvelTest {

inline std::string u16(uint16_t value)
{
    return std::string{static_cast<char>(value), static_cast<char>(value >> 8)};
}

inline std::string u32(uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
    return bytes;
}

// The value stored at offset (4 bytes must follow it).
inline uint32_t u32At(const std::string& bytes, size_t offset)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[offset + static_cast<size_t>(i)]);
    return value;
}

} // namespace QuorvelTest
