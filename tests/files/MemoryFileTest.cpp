#include "files/MemoryFile.h"

#include "files/BinaryDiskFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

using namespace Quorvel;

namespace {

const char Digits[] = "0123456789"; // a 10-byte file

// A source whose seek and read can be made to misbehave.
class FaultySource : public BinaryFile {
public:
    int32_t endPosition = 10;
    uint32_t delivered = 10;
    int reads = 0;

    FaultySource() { state = Open; }
    int32_t seek(int32_t offset, SeekOrigin origin) override { return origin == End ? endPosition : offset; }
    uint32_t read(void* destination, uint32_t count) override
    {
        ++reads;
        const uint32_t n = count < delivered ? count : delivered;
        std::memset(destination, 'x', n);
        return n;
    }
    uint32_t write(const void*, uint32_t) override { return 0; }
    bool isEof() override { return false; }
};

} // namespace

TEST(MemoryFileTest, ConstructionFromABuffer)
{
    EXPECT_EQ(MemoryFile(nullptr, 10, true).getState(), BinaryFile::Failed);
    EXPECT_EQ(MemoryFile(nullptr, 0, false).getState(), BinaryFile::Failed);
    MemoryFile negative(Digits, -1, true);
    EXPECT_EQ(negative.getState(), BinaryFile::Failed);
    char byte;
    EXPECT_EQ(negative.read(&byte, 1), 0u) << "a failed file holds nothing to read";

    char source[4] = {'a', 'b', 'c', 'd'};
    MemoryFile copied(source, 4, true);
    source[0] = 'z';
    ASSERT_EQ(copied.getState(), BinaryFile::Open);
    EXPECT_EQ(copied.getData()[0], 'a') << "the copy does not follow the caller's buffer";

    uint8_t* adopted = new uint8_t[3]{1, 2, 3};
    MemoryFile owner(adopted, 3, false);
    EXPECT_EQ(owner.getData(), adopted) << "the file takes over the buffer and frees it";
}

TEST(MemoryFileTest, EmptyFileIsAtItsEndAtOnce)
{
    MemoryFile file(Digits, 0, true);
    ASSERT_EQ(file.getState(), BinaryFile::Open);
    EXPECT_TRUE(file.isEof());
    char byte = '?';
    EXPECT_EQ(file.read(&byte, 1), 0u);
    EXPECT_EQ(byte, '?');
    EXPECT_EQ(file.seek(0, BinaryFile::End), 0);
}

TEST(MemoryFileTest, SeekClampsToTheFile)
{
    struct Case {
        int32_t from;
        int32_t offset;
        BinaryFile::SeekOrigin origin;
        int32_t expected;
    };
    const Case cases[] = {
        {4, 7, BinaryFile::Begin, 7},
        {4, -5, BinaryFile::Begin, 0},
        {4, 20, BinaryFile::Begin, 10},
        {4, 0, BinaryFile::End, 10},
        {4, -4, BinaryFile::End, 6}, // size + offset, as on disk
        {4, 3, BinaryFile::End, 10},
        {4, INT32_MIN, BinaryFile::End, 0},
        {2, 3, BinaryFile::Current, 5},
        {2, -3, BinaryFile::Current, 0},
        {5, INT32_MAX, BinaryFile::Current, 10}, // no overflow before the clamp
        {5, INT32_MIN, BinaryFile::Current, 0},
    };
    for (const Case& c : cases) {
        MemoryFile file(Digits, 10, true);
        file.seek(c.from, BinaryFile::Begin);
        EXPECT_EQ(file.seek(c.offset, c.origin), c.expected)
            << "from " << c.from << " offset " << c.offset << " origin " << c.origin;
        EXPECT_EQ(file.getPosition(), c.expected);
    }
}

TEST(MemoryFileTest, ReadsStopAtTheEnd)
{
    struct Case {
        int32_t from;
        uint32_t count;
        const char* expected;
        bool eof;
    };
    const Case cases[] = {
        {0, 3, "012", false},
        {6, 10, "6789", true}, // 10 bytes asked 4 bytes before the end
        {10, 1, "", true},
        {0, 0, "", false},
        {0, UINT32_MAX, "0123456789", true}, // position + count would overflow
        {5, 0x80000000u, "56789", true},
    };
    for (const Case& c : cases) {
        MemoryFile file(Digits, 10, true);
        file.seek(c.from, BinaryFile::Begin);
        char buffer[16] = {};
        const uint32_t n = file.read(buffer, c.count);
        EXPECT_EQ(n, std::strlen(c.expected)) << "from " << c.from << " count " << c.count;
        EXPECT_EQ(std::string(buffer, n), c.expected) << "from " << c.from << " count " << c.count;
        EXPECT_EQ(file.isEof(), c.eof) << "from " << c.from << " count " << c.count;
        EXPECT_EQ(file.getPosition(), c.from + int32_t(n));
    }
}

TEST(MemoryFileTest, WriteChangesNothing)
{
    MemoryFile file(Digits, 10, true);
    file.seek(2, BinaryFile::Begin);
    EXPECT_EQ(file.write("ab", 2), 0u);
    EXPECT_EQ(file.getPosition(), 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.getData()), 10), Digits);
}

TEST(MemoryFileTest, PullsAWholeFileIntoMemory)
{
    QuorvelTest::TempDir dir;
    const std::string bytes("\0\r\n\x1a\xff tail", 10);
    dir.write("blob", bytes);

    BinaryDiskFile disk(dir.file("blob").c_str(), false);
    disk.seek(3, BinaryFile::Begin);
    MemoryFile file(disk);
    ASSERT_EQ(file.getState(), BinaryFile::Open);
    EXPECT_EQ(file.getSize(), 10);
    EXPECT_EQ(file.getPosition(), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.getData()), 10), bytes);

    BinaryDiskFile missing(dir.file("missing").c_str(), false);
    MemoryFile fromFailed(missing);
    EXPECT_EQ(fromFailed.getState(), BinaryFile::Failed);
    EXPECT_EQ(fromFailed.getData(), nullptr);
}

TEST(MemoryFileTest, RefusesASourceThatCannotDeliverItsSize)
{
    FaultySource noSize;
    noSize.endPosition = -1;
    MemoryFile fromError(noSize);
    EXPECT_EQ(fromError.getState(), BinaryFile::Failed);
    EXPECT_EQ(noSize.reads, 0) << "nothing is allocated or read for an error code";

    FaultySource shortRead;
    shortRead.delivered = 6;
    MemoryFile partial(shortRead);
    EXPECT_EQ(partial.getState(), BinaryFile::Failed) << "no unfilled bytes are handed on";
    EXPECT_EQ(partial.getData(), nullptr);
    EXPECT_EQ(partial.getSize(), 0);
}
