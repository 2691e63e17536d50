#pragma once
// BinaryFile: the byte-level interface through which all binary content is
// read (textures, chunk files, shader sources, models). Files are obtained by
// name through the file system and owned by the caller, who deletes them.

#include "core/String.h"

#include <cstdint>

namespace Quorvel {

class BinaryFile {
public:
    enum FileState : int32_t {
        Open = 1,  // usable
        Failed = 2 // opening failed; no other operation may be used
    };

    enum SeekOrigin : int32_t {
        Begin = 0,  // offset from the start
        End = 1,    // offset from the end (size + offset)
        Current = 2 // offset from the current position
    };

    virtual ~BinaryFile();

    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    // Moves the position; returns the new absolute position, or -1 on error.
    virtual int32_t seek(int32_t offset, SeekOrigin origin) = 0;
    // Copies up to count bytes and advances; returns the number copied
    // (0xFFFFFFFF when a disk file reports an error).
    virtual uint32_t read(void* destination, uint32_t count) = 0;
    // Writes count bytes at the position; returns the number written.
    virtual uint32_t write(const void* source, uint32_t count) = 0;
    virtual bool isEof() = 0; // the position is at the end
    virtual int32_t getState() const { return state; }

    // The named file from the file system's mounts, ready for reading or
    // writing; the caller owns (deletes) it. Null when no mount can open it.
    static BinaryFile* openInput(const String& name);
    static BinaryFile* openOutput(const String& name);

protected:
    BinaryFile() : state(Failed) {}

    int32_t state; // a FileState, set by each derived constructor
};

// Little-endian values as the content files store them; bytes must hold at
// least the value's size.
inline uint16_t readU16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

inline uint32_t readU32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8
        | static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

inline void writeU32(uint8_t* bytes, uint32_t value)
{
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
    bytes[2] = static_cast<uint8_t>(value >> 16);
    bytes[3] = static_cast<uint8_t>(value >> 24);
}

} // namespace Quorvel
