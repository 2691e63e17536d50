#include "core/String.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace Quorvel {

namespace {

char* allocate(int32_t size)
{
    return new char[static_cast<size_t>(size)];
}

} // namespace

String::String() : data(allocate(1)), capacity(1), len(0)
{
    data[0] = 0;
}

// A null pointer is the empty text.
String::String(const char* text) : String(text, text ? static_cast<int32_t>(std::strlen(text)) : 0)
{
}

// A negative count or size (a caller's arithmetic gone wrong) gives the empty
// text rather than a write before the buffer.
String::String(const char* bytes, int32_t count)
    : data(allocate(count > 0 ? count + 1 : 1)), capacity(count > 0 ? count + 1 : 1), len(count > 0 ? count : 0)
{
    if (len > 0)
        std::memcpy(data, bytes, static_cast<size_t>(len));
    data[len] = 0;
}

String::String(int32_t reserved)
    : data(allocate(reserved > 0 ? reserved + 1 : 1)), capacity(reserved > 0 ? reserved + 1 : 1), len(0)
{
    data[0] = 0;
}

String::String(const String& other) : String(other.data, other.len)
{
}

String::~String()
{
    delete[] data;
}

String& String::operator=(const String& other)
{
    if (this == &other)
        return *this;
    if (capacity < other.len + 1) {
        char* grown = allocate(other.len + 1);
        delete[] data;
        data = grown;
        capacity = other.len + 1;
    }
    if (other.len > 0)
        std::memmove(data, other.data, static_cast<size_t>(other.len));
    len = other.len;
    return *this;
}

const char* String::c_str() const
{
    data[len] = 0;
    return data;
}

void String::reserve(int32_t newCapacity)
{
    // The terminator always needs one byte, whatever a careless caller asks.
    if (newCapacity < 1)
        newCapacity = 1;
    char* grown = allocate(newCapacity);
    int32_t kept = len < newCapacity ? len : newCapacity;
    if (kept > 0)
        std::memcpy(grown, data, static_cast<size_t>(kept));
    delete[] data;
    data = grown;
    capacity = newCapacity;
    // Keep the invariant capacity >= length + 1 even for a careless caller.
    if (len > capacity - 1)
        len = capacity > 0 ? capacity - 1 : 0;
}

void String::truncate(int32_t newLength)
{
    len = newLength < capacity - 1 ? newLength : capacity - 1;
    if (len < 0)
        len = 0;
}

String String::operator+(const String& other) const
{
    String result(len + other.len);
    if (len > 0)
        std::memcpy(result.data, data, static_cast<size_t>(len));
    if (other.len > 0)
        std::memcpy(result.data + len, other.data, static_cast<size_t>(other.len));
    result.len = len + other.len;
    return result;
}

String& String::operator+=(const String& other)
{
    int32_t needed = len + other.len + 1;
    int32_t otherLength = other.len; // other may be *this
    if (capacity < needed) {
        char* grown = allocate(needed);
        if (len > 0)
            std::memcpy(grown, data, static_cast<size_t>(len));
        if (otherLength > 0)
            std::memcpy(grown + len, other.data, static_cast<size_t>(otherLength));
        delete[] data;
        data = grown;
        capacity = needed;
    } else if (otherLength > 0) {
        std::memmove(data + len, other.data, static_cast<size_t>(otherLength));
    }
    len += otherLength;
    return *this;
}

String String::substr(int32_t start, int32_t count) const
{
    if (start < 0)
        start = 0;
    if (count == -1 || static_cast<int64_t>(start) + count > len)
        count = len - start;
    if (count <= 0)
        return String();
    return String(data + start, count);
}

int32_t String::find(char byte, int32_t from, int32_t to) const
{
    if (to == -1 || to > len - 1)
        to = len - 1;
    if (from < 0)
        from = 0;
    for (int32_t i = from; i <= to; ++i) {
        if (data[i] == byte)
            return i;
    }
    return -1;
}

bool String::operator==(const String& other) const
{
    return len == other.len && (len == 0 || std::memcmp(data, other.data, static_cast<size_t>(len)) == 0);
}

bool String::operator<(const String& other) const
{
    int32_t common = len < other.len ? len : other.len;
    for (int32_t i = 0; i < common; ++i) {
        signed char a = static_cast<signed char>(data[i]);
        signed char b = static_cast<signed char>(other.data[i]);
        if (a != b)
            return a < b;
    }
    return len < other.len;
}

void String::toLower()
{
    for (int32_t i = 0; i < len; ++i) {
        if (data[i] >= 'A' && data[i] <= 'Z')
            data[i] = static_cast<char>(data[i] - 'A' + 'a');
    }
}

void String::trim()
{
    trimRight();
    trimLeft();
}

void String::trimLeft()
{
    int32_t skip = 0;
    while (skip < len && isWhite(data[skip]))
        ++skip;
    if (skip > 0) {
        std::memmove(data, data + skip, static_cast<size_t>(len - skip));
        len -= skip;
    }
}

void String::trimRight()
{
    while (len > 0 && isWhite(data[len - 1]))
        --len;
}

bool String::toInt(int32_t& out) const
{
    const char* text = c_str();
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(text, &end, 10);
    if (value > INT32_MAX)
        value = INT32_MAX;
    else if (value < INT32_MIN)
        value = INT32_MIN;
    out = static_cast<int32_t>(value);
    return end == text + len;
}

bool String::toFloat(float& out) const
{
    const char* text = c_str();
    char* end = nullptr;
    double value = std::strtod(text, &end);
    // Only the decimal form counts: strtod also reads hexadecimal, "inf" and
    // "nan", whose letters a decimal number never holds (besides the exponent).
    for (const char* p = text; p < end; ++p) {
        char c = *p;
        if ((c >= 'a' && c <= 'z' && c != 'e') || (c >= 'A' && c <= 'Z' && c != 'E')) {
            out = 0.0f;
            return false;
        }
    }
    if (value > FLT_MAX)
        value = FLT_MAX;
    else if (value < -FLT_MAX)
        value = -FLT_MAX;
    out = static_cast<float>(value);
    return end == text + len;
}

std::istream& String::getline(std::istream& stream, String& target, int32_t maxLength)
{
    // Room for at least the terminator, which is written before reading so
    // that a stream with nothing left (or already failed) yields the empty
    // text and never bytes of the fresh buffer.
    target.reserve(maxLength > 0 ? maxLength : 1);
    target.len = 0;
    target.data[0] = 0;
    stream.getline(target.data, target.capacity);
    const void* zero = std::memchr(target.data, 0, static_cast<size_t>(target.capacity));
    target.len = zero ? static_cast<int32_t>(static_cast<const char*>(zero) - target.data) : target.capacity - 1;
    return stream;
}

} // namespace Quorvel
