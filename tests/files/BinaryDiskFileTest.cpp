#include "files/BinaryDiskFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

using namespace Quorvel;

TEST(BinaryDiskFileTest, RoundTripKeepsEveryByte)
{
    QuorvelTest::TempDir dir;
    // Line ends, a DOS end-of-file mark and zero bytes must pass unchanged.
    const std::string bytes("GLTF\r\n\x1a\0\0\xff\n\r", 12);
    {
        BinaryDiskFile out(dir.file("round.bin").c_str(), true);
        ASSERT_EQ(out.getState(), BinaryFile::Open);
        EXPECT_EQ(out.write(bytes.data(), 12), 12u);
    }
    EXPECT_EQ(dir.read("round.bin"), bytes);

    BinaryDiskFile in(dir.file("round.bin").c_str(), false);
    ASSERT_EQ(in.getState(), BinaryFile::Open);
    EXPECT_EQ(in.getPath(), String(dir.file("round.bin").c_str()));
    EXPECT_EQ(in.seek(0, BinaryFile::End), 12);
    EXPECT_EQ(in.seek(-2, BinaryFile::End), 10) << "size plus offset";
    EXPECT_EQ(in.seek(4, BinaryFile::Begin), 4);
    EXPECT_EQ(in.seek(2, BinaryFile::Current), 6);
    EXPECT_FALSE(in.isEof());

    char buffer[20] = {};
    EXPECT_EQ(in.read(buffer, 20), 6u) << "a short read at the end";
    EXPECT_EQ(std::string(buffer, 6), bytes.substr(6));
    EXPECT_TRUE(in.isEof());
    EXPECT_EQ(in.read(buffer, 1), 0u);
}

TEST(BinaryDiskFileTest, WritingTruncatesAnExistingFile)
{
    QuorvelTest::TempDir dir;
    dir.write("old.bin", "a much longer old content");
    {
        BinaryDiskFile out(dir.file("old.bin").c_str(), true);
        ASSERT_EQ(out.getState(), BinaryFile::Open);
        out.write("new", 3);
    }
    EXPECT_EQ(dir.read("old.bin"), "new");
}

TEST(BinaryDiskFileTest, FailuresAreReportedThroughStateAndResults)
{
    QuorvelTest::TempDir dir;
    dir.write("file.bin", "abc");
    const std::string subdir = dir.file("subdir");
    ASSERT_TRUE(std::filesystem::create_directory(subdir));

    struct Case {
        std::string path;
        bool forWriting;
    };
    const Case cases[] = {
        {dir.file("missing.bin"), false},
        {dir.file("no/such/dir.bin"), true},
        {subdir, false}, // a directory is not a file to read
        {"", false},
    };
    for (const Case& c : cases) {
        BinaryDiskFile file(c.path.c_str(), c.forWriting);
        EXPECT_EQ(file.getState(), BinaryFile::Failed) << c.path;
    }

    // Errors of the descriptor calls come back as their error results.
    BinaryDiskFile out(dir.file("file.bin").c_str(), true);
    ASSERT_EQ(out.getState(), BinaryFile::Open);
    char byte;
    EXPECT_EQ(out.read(&byte, 1), UINT32_MAX) << "reading a file opened for writing";
    EXPECT_EQ(out.seek(-1, BinaryFile::Begin), -1);
    BinaryDiskFile in(dir.file("file.bin").c_str(), false);
    EXPECT_EQ(in.write("x", 1), UINT32_MAX) << "writing a file opened for reading";
}

TEST(BinaryDiskFileTest, ARefusedSeekLeavesThePositionWhereItWas)
{
    QuorvelTest::TempDir dir;
    dir.write("file.bin", "0123456789");
    BinaryDiskFile file(dir.file("file.bin").c_str(), false);
    ASSERT_EQ(file.getState(), BinaryFile::Open);

    // Positions beyond the end are allowed, up to the 2 GiB the interface can express.
    const int32_t nearLimit = INT32_MAX - 4;
    ASSERT_EQ(file.seek(nearLimit, BinaryFile::Begin), nearLimit);

    struct Case {
        const char* what;
        int32_t offset;
        BinaryFile::SeekOrigin origin;
    };
    const Case cases[] = {
        {"past 2 GiB from the current position", 100, BinaryFile::Current},
        {"before the start from the current position", INT32_MIN, BinaryFile::Current},
        {"past 2 GiB from the end", INT32_MAX, BinaryFile::End},
        {"before the start from the end", -11, BinaryFile::End},
        {"before the start", -1, BinaryFile::Begin},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(file.seek(c.offset, c.origin), -1) << c.what;
        EXPECT_EQ(file.seek(0, BinaryFile::Current), nearLimit) << c.what << ": the position moved";
    }

    EXPECT_EQ(file.seek(-3, BinaryFile::End), 7);
    char bytes[4] = {};
    EXPECT_EQ(file.read(bytes, 4), 3u);
    EXPECT_EQ(std::string(bytes, 3), "789");
    EXPECT_EQ(file.seek(4, BinaryFile::Current), 14) << "beyond the end from the current position";
}
