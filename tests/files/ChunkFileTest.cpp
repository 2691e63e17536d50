#include "files/ChunkFile.h"

#include "files/BinaryDiskFile.h"
#include "files/DiskDirectory.h"
#include "files/FileSystem.h"
#include "files/FontFile.h"
#include "files/MemoryFile.h"
#include "support/ByteText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Quorvel;
using QuorvelTest::u32;
using QuorvelTest::u32At;

namespace {

// A 48-byte header: magic, "0.1 ", name padded to 32 bytes, table offset, count.
std::string header(const char* magic, const std::string& name, uint32_t tableOffset, uint32_t count)
{
    std::string bytes = std::string(magic, 4) + "0.1 " + name;
    bytes.resize(40, '\0');
    return bytes + u32(tableOffset) + u32(count);
}

std::string entry(const char* id, uint32_t index, uint32_t offset, uint32_t size)
{
    return std::string(id, 4) + u32(index) + u32(offset) + u32(size);
}

// A well-formed plain file with chunks "AAAA"/0 = "hello" and "BBBB"/1 = "1234567".
std::string twoChunkFile()
{
    return header("GCFv", "pair", 48, 2) + entry("AAAA", 0, 80, 5) + entry("BBBB", 1, 85, 7) + "hello" + "1234567";
}

bool loadBytes(ChunkFile& file, const std::string& bytes)
{
    MemoryFile memory(bytes.data(), static_cast<int32_t>(bytes.size()), true);
    return file.load(memory);
}

std::string payload(const Chunk* chunk)
{
    return chunk ? std::string(reinterpret_cast<const char*>(chunk->data.get()), chunk->size) : "<no chunk>";
}

// Mounts the directory under a prefix of its own (mounts are never removed,
// so every test takes a fresh prefix) and returns that prefix.
String mount(const QuorvelTest::TempDir& dir)
{
    static int mounts = 0;
    const std::string prefix = "chunks" + std::to_string(++mounts) + ":";
    FileSystem::instance()->mount(prefix.c_str(), new DiskDirectory(dir.path().c_str()));
    return String(prefix.c_str());
}

// An output that accepts only a limited number of bytes, like a full disk.
class ShortOutput : public BinaryFile {
public:
    explicit ShortOutput(uint32_t room_) : room(room_) { state = Open; }
    int32_t seek(int32_t, SeekOrigin) override { return 0; }
    uint32_t read(void*, uint32_t) override { return 0; }
    uint32_t write(const void*, uint32_t count) override
    {
        const uint32_t n = count < room ? count : room;
        room -= n;
        written += n;
        return n;
    }
    bool isEof() override { return true; }

    uint32_t room;
    uint32_t written = 0;
};

} // namespace

TEST(ChunkFileTest, FourCharacterCodesAreStoredInReadingOrder)
{
    EXPECT_EQ(0x54494246u, chunkId("FBIT"));
    ChunkFile plain;
    FontFile font;
    EXPECT_EQ(chunkId("GCFv"), plain.getMagic());
    EXPECT_EQ(chunkId("GLFv"), font.getMagic());
    EXPECT_EQ(chunkId("0.1 "), font.getVersion());
    EXPECT_TRUE(plain.isValid());
    EXPECT_TRUE(font.isValid());
    font.setMagic(chunkId("GCFv"));
    EXPECT_FALSE(font.isValid()) << "a font file knows only its own magic";
    EXPECT_EQ(0, plain.getName().length());
    EXPECT_EQ(0u, font.getGlyphScale());
}

TEST(ChunkFileTest, LoadsChunksInFileOrderWithTheWholeNameField)
{
    ChunkFile file;
    ASSERT_TRUE(loadBytes(file, twoChunkFile()));
    ASSERT_EQ(2u, file.getChunkCount());
    EXPECT_EQ(chunkId("AAAA"), file.getChunk(0)->id);
    EXPECT_EQ(1u, file.getChunk(1)->index);
    EXPECT_EQ("hello", payload(file.getChunk(0)));
    EXPECT_EQ("1234567", payload(file.getChunk(1)));
    EXPECT_EQ(32, file.getName().length()) << "the name keeps its padding";
    EXPECT_EQ(0, std::memcmp(file.getName().getData(), "pair\0\0", 6));
}

TEST(ChunkFileTest, ReaderFindsTableAndPayloadsAnywhere)
{
    // Payloads first, a gap, then the table; the magic and version are not checked.
    const std::string bytes = header("XXXX", "", 67, 2) + "abc" + "defg" + std::string(12, '#')
        + entry("BBBB", 0, 51, 4) + entry("AAAA", 0, 48, 3) + "trailing bytes";
    ChunkFile file;
    ASSERT_TRUE(loadBytes(file, bytes));
    EXPECT_EQ(chunkId("XXXX"), file.getMagic());
    EXPECT_FALSE(file.isValid());
    EXPECT_EQ("defg", payload(file.findChunk(chunkId("BBBB"), 0)));
    EXPECT_EQ("abc", payload(file.findChunk(chunkId("AAAA"), 0)));
}

TEST(ChunkFileTest, ZeroChunksAndEmptyPayloads)
{
    ChunkFile file;
    ASSERT_TRUE(loadBytes(file, twoChunkFile()));
    ASSERT_TRUE(loadBytes(file, header("GCFv", "empty", 48, 0))) << "a file of exactly the header";
    EXPECT_EQ(0u, file.getChunkCount()) << "load replaces the earlier chunks";

    ASSERT_TRUE(loadBytes(file, header("GCFv", "", 48, 1) + entry("ZERO", 0, 64, 0)));
    ASSERT_EQ(1u, file.getChunkCount());
    EXPECT_EQ(0u, file.getChunk(0)->size) << "a payload of 0 bytes at the very end is in the file";
}

TEST(ChunkFileTest, RefusesShortAndLyingFiles)
{
    const std::string good = twoChunkFile();
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"47 bytes", good.substr(0, 47)},
        {"table cut short", good.substr(0, 70)},
        {"last payload cut short", good.substr(0, good.size() - 1)},
        {"table offset past the end", header("GCFv", "", 4000, 1) + entry("AAAA", 0, 48, 0)},
        {"absurd chunk count", header("GCFv", "", 48, 0xFFFFFFFFu) + entry("AAAA", 0, 48, 0)},
        {"count of 2^28 wraps 16 x count to 0", header("GCFv", "", 48, 0x10000000u) + entry("AAAA", 0, 48, 0)},
        {"payload offset past the end", header("GCFv", "", 48, 1) + entry("AAAA", 0, 9000, 1) + "x"},
        {"payload size past the end", header("GCFv", "", 48, 1) + entry("AAAA", 0, 64, 0x7FFFFFF0u) + "x"},
        {"offset + size wraps 32 bits", header("GCFv", "", 48, 1) + entry("AAAA", 0, 0xFFFFFFF0u, 0x20) + "x"},
        {"a bad second entry after a good one",
         header("GCFv", "", 48, 2) + entry("AAAA", 0, 80, 1) + entry("BBBB", 0, 81, 100) + "x"},
        // Each entry lies inside the file, but together they list the same
        // bytes again and again: more payload than the file holds.
        {"overlapping payloads",
         header("GCFv", "", 48, 3) + entry("AAAA", 0, 96, 60) + entry("AAAA", 1, 96, 60) + entry("AAAA", 2, 96, 60)
             + std::string(60, 'p')},
        {"every entry the whole file",
         [] {
             std::string bytes = header("GCFv", "", 48, 64);
             for (uint32_t i = 0; i < 64; ++i)
                 bytes += entry("AAAA", i, 0, 48 + 64 * 16);
             return bytes;
         }()},
    };
    for (const Case& c : cases) {
        ChunkFile file;
        file.addChunk(std::make_unique<Chunk>(chunkId("OLD!"), 0, "old", 3));
        EXPECT_FALSE(loadBytes(file, c.bytes)) << c.what;
        EXPECT_EQ(0u, file.getChunkCount()) << c.what << ": a refused file leaves no chunks";
    }
}

TEST(ChunkFileTest, PayloadsThatShareNoBytesMayFillTheWholeFile)
{
    // Payloads adding up to exactly what follows the table, in any order.
    const std::string bytes = header("GCFv", "", 48, 2) + entry("BBBB", 0, 83, 3) + entry("AAAA", 0, 80, 3) + "aaabbb";
    ChunkFile file;
    ASSERT_TRUE(loadBytes(file, bytes));
    ASSERT_EQ(2u, file.getChunkCount());
    EXPECT_EQ("bbb", payload(file.getChunk(0)));
    EXPECT_EQ("aaa", payload(file.getChunk(1)));
}

TEST(ChunkFileTest, FontFileNeedsItsWholeHeaderExtension)
{
    const std::string extension = u32(16) + u32(7) + u32(9);
    const std::string full = header("GLFv", "f", 60, 0) + extension;

    FontFile font;
    ASSERT_TRUE(loadBytes(font, full));
    EXPECT_EQ(16u, font.getGlyphScale());
    EXPECT_EQ(7u, font.getReserved(0));
    EXPECT_EQ(9u, font.getReserved(1));

    for (size_t size = 48; size < full.size(); ++size) {
        FontFile cut;
        EXPECT_FALSE(loadBytes(cut, full.substr(0, size))) << size << " bytes: the extension is incomplete";
        EXPECT_EQ(0u, cut.getGlyphScale()) << size << " bytes";
    }

    ChunkFile plain;
    EXPECT_TRUE(loadBytes(plain, full.substr(0, 48))) << "a plain chunk file has no extension to read";
    EXPECT_EQ(0u, plain.getChunkCount()) << "no chunks: the table is never read, wherever it is said to be";
}

TEST(ChunkFileTest, FindAndRemoveMatchIdAndIndexFirstInOrder)
{
    ChunkFile file;
    Chunk* first = file.addChunk(std::make_unique<Chunk>(chunkId("DATA"), 0, "first", 5));
    Chunk* other = file.addChunk(std::make_unique<Chunk>(chunkId("DATA"), 1, "other", 5));
    Chunk* second = file.addChunk(std::make_unique<Chunk>(chunkId("DATA"), 0, "second", 6));

    struct Case {
        uint32_t id;
        uint32_t index;
        const Chunk* expected;
    };
    const Case cases[] = {
        {chunkId("DATA"), 0, first}, // duplicates: the first in list order
        {chunkId("DATA"), 1, other},
        {chunkId("DATA"), 2, nullptr}, // the id matches, the index does not
        {chunkId("ATAD"), 0, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, file.findChunk(c.id, c.index)) << std::hex << c.id << "/" << c.index;

    file.removeChunk(chunkId("DATA"), 0);
    EXPECT_EQ(second, file.findChunk(chunkId("DATA"), 0)) << "removing by identity takes only the first";
    file.removeChunk(chunkId("NONE"), 0);
    file.removeChunk(nullptr);
    EXPECT_EQ(2u, file.getChunkCount()) << "removing what is not there changes nothing";
    file.removeChunk(other);
    EXPECT_EQ(nullptr, file.findChunk(chunkId("DATA"), 1));
    file.clear();
    EXPECT_EQ(0u, file.getChunkCount());
}

TEST(ChunkFileTest, SaveLaysOutHeaderTableAndPayloads)
{
    struct Case {
        const char* what;
        bool font;
        uint32_t table;
        uint32_t first;
        uint32_t second;
    };
    const Case cases[] = {
        {"plain chunk file", false, 48, 80, 85},
        {"font file", true, 60, 92, 97},
    };
    for (const Case& c : cases) {
        QuorvelTest::TempDir dir;
        FontFile font;
        ChunkFile plain;
        ChunkFile& file = c.font ? static_cast<ChunkFile&>(font) : plain;
        font.setGlyphScale(16);
        font.setReserved(1, 0xABCD);
        file.setName("a name longer than the thirty-two bytes of its field");
        file.addChunk(std::make_unique<Chunk>(chunkId("FIVE"), 3, "12345", 5));
        file.addChunk(std::make_unique<Chunk>(chunkId("SEVN"), 4, "abcdefg", 7));
        {
            BinaryDiskFile out(dir.file("out").c_str(), true);
            ASSERT_EQ(BinaryFile::Open, out.getState());
            ASSERT_TRUE(file.save(out)) << c.what;
        }
        const std::string bytes = dir.read("out");
        ASSERT_EQ(c.second + 7, bytes.size()) << c.what;
        EXPECT_EQ(c.font ? "GLFv0.1 " : "GCFv0.1 ", bytes.substr(0, 8)) << c.what;
        EXPECT_EQ("a name longer than the thirty-tw", bytes.substr(8, 32)) << c.what << ": the name is cut to 32 bytes";
        EXPECT_EQ(c.table, u32At(bytes, 40)) << c.what;
        EXPECT_EQ(2u, u32At(bytes, 44)) << c.what;
        if (c.font) {
            EXPECT_EQ(u32(16) + u32(0) + u32(0xABCD), bytes.substr(48, 12));
        }
        EXPECT_EQ(entry("FIVE", 3, c.first, 5) + entry("SEVN", 4, c.second, 7), bytes.substr(c.table, 32)) << c.what;
        EXPECT_EQ("12345abcdefg", bytes.substr(c.first)) << c.what;
    }

    QuorvelTest::TempDir dir;
    ChunkFile shortName;
    shortName.setName("ab");
    BinaryDiskFile out(dir.file("short").c_str(), true);
    ASSERT_TRUE(shortName.save(out));
    EXPECT_EQ(std::string("ab") + std::string(30, '\0'), dir.read("short").substr(8, 32)) << "zero padding";
}

TEST(ChunkFileTest, RoundTripThroughTheFileSystem)
{
    QuorvelTest::TempDir dir;
    const String prefix = mount(dir);

    FontFile saved;
    saved.setName("round");
    saved.setGlyphScale(24);
    saved.setReserved(0, 5);
    const std::string binary("\0\xff\x01zero", 7);
    saved.addChunk(std::make_unique<Chunk>(chunkId("FBIT"), 0, binary.data(), 7));
    saved.addChunk(std::make_unique<Chunk>(chunkId("CHRS"), 9, "", 0));
    saved.addChunk(std::make_unique<Chunk>(chunkId("FBIT"), 0, "dup", 3));
    ASSERT_TRUE(saved.save(prefix + "round.glf"));

    FontFile loaded;
    ASSERT_TRUE(loaded.load(prefix + "round.glf"));
    EXPECT_TRUE(loaded.isValid());
    EXPECT_EQ(24u, loaded.getGlyphScale());
    EXPECT_EQ(5u, loaded.getReserved(0));
    ASSERT_EQ(3u, loaded.getChunkCount());
    EXPECT_EQ(binary, payload(loaded.getChunk(0)));
    EXPECT_EQ(9u, loaded.getChunk(1)->index);
    EXPECT_EQ(0u, loaded.getChunk(1)->size);
    EXPECT_EQ("dup", payload(loaded.getChunk(2)));

    // Saving what was loaded writes the same bytes again (the name field included).
    ASSERT_TRUE(loaded.save(prefix + "again.glf"));
    EXPECT_EQ(dir.read("round.glf"), dir.read("again.glf"));

    EXPECT_FALSE(loaded.load(prefix + "missing.glf"));
    EXPECT_EQ(0u, loaded.getChunkCount());
    EXPECT_FALSE(saved.save("no mount has this prefix:/x")) << "no directory to write to";
}

TEST(ChunkFileTest, SaveReportsAShortWrite)
{
    ChunkFile file;
    file.addChunk(std::make_unique<Chunk>(chunkId("DATA"), 0, "0123456789", 10));
    const uint32_t total = 48 + 16 + 10;
    for (uint32_t room : {0u, 47u, 48u, 63u, 64u, total - 1}) {
        ShortOutput out(room);
        EXPECT_FALSE(file.save(out)) << "room for " << room << " of " << total << " bytes";
    }
    ShortOutput enough(total);
    EXPECT_TRUE(file.save(enough));
    EXPECT_EQ(total, enough.written);

    FontFile font;
    ShortOutput noExtension(48 + 11);
    EXPECT_FALSE(font.save(noExtension)) << "the header extension did not fit";
}
