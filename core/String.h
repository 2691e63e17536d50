// String: the engine's own byte string. It owns a heap buffer with an exact
// capacity and a length; every copy allocates and growth is exact, so the
// cost of each operation is plain to see. Used for every name, key, value,
// path and message in the engine.
//
// White space is any byte from 0 to 32; letters are A-Z and a-z only; bytes
// of 128 and above compare as negative (signed bytes) and are never white.
#pragma once

#include <cstdint>
#include <istream>

namespace Quorvel {

class String {
public:
    String();                 // empty, capacity 1
    String(const char* text); // NOLINT: implicit from literals; null gives the empty text
    String(const char* bytes, int32_t count);
    explicit String(int32_t reserved); // empty, capacity reserved + 1
    String(const String& other);
    ~String();

    String& operator=(const String& other); // grows, never shrinks

    int32_t length() const { return len; }
    int32_t getCapacity() const { return capacity; }

    char& operator[](int32_t position) { return data[position]; }             // unchecked
    const char& operator[](int32_t position) const { return data[position]; } // unchecked

    const char* c_str() const; // writes the terminator at length()
    const char* getData() const { return data; }

    void reserve(int32_t newCapacity); // exactly newCapacity bytes
    void truncate(int32_t newLength);  // at most capacity - 1

    String operator+(const String& other) const;
    String& operator+=(const String& other);
    String substr(int32_t start, int32_t count = -1) const;

    int32_t find(char byte, int32_t from = 0, int32_t to = -1) const; // -1 when absent
    bool operator==(const String& other) const;
    bool operator!=(const String& other) const { return !(*this == other); }
    bool operator<(const String& other) const; // signed bytes, shorter prefix first

    void toLower();
    void trim();
    void trimLeft();
    void trimRight();

    // Whole-text conversions: true only when every byte is consumed. An empty
    // text converts to 0. Results beyond the 32-bit range are clamped.
    bool toInt(int32_t& out) const;
    bool toFloat(float& out) const;

    // Reads one line of at most maxLength - 1 bytes into target (newline
    // consumed, not stored). A longer line leaves the stream failed, as the
    // standard line reading does. target's length stops at the first zero byte.
    static std::istream& getline(std::istream& stream, String& target, int32_t maxLength);

    static bool isWhite(char byte) { return static_cast<unsigned char>(byte) <= 32; }

private:
    char* data;
    int32_t capacity;
    int32_t len;
};

} // namespace Quorvel
