#include "files/FileSystem.h"

#include "files/BinaryFile.h"
#include "files/DiskDirectory.h"
#include "files/MemoryFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace Quorvel;

namespace {

// A directory that holds a set of names and records every name it is asked
// for, shared with the test through calls.
class FakeDirectory : public Directory {
public:
    FakeDirectory(const char* label, std::set<std::string> names, std::vector<std::string>* calls,
                  bool* destroyed = nullptr)
        : label(label), names(std::move(names)), calls(calls), destroyed(destroyed)
    {
    }
    ~FakeDirectory() override
    {
        if (destroyed)
            *destroyed = true;
    }

    bool exists(const String& name) override { return has(name); }
    std::istream* openTextInput(const String& name) override
    {
        return has(name) ? new std::istringstream(label) : nullptr;
    }
    std::ostream* openTextOutput(const String& name) override
    {
        return has(name) ? new std::ostringstream(label) : nullptr;
    }
    BinaryFile* openBinaryInput(const String& name) override { return file(name); }
    BinaryFile* openBinaryOutput(const String& name) override { return file(name); }

private:
    bool has(const String& name)
    {
        const std::string text(name.getData(), size_t(name.length()));
        calls->push_back(label + ":" + text);
        return names.count(text) != 0;
    }
    BinaryFile* file(const String& name)
    {
        return has(name) ? new MemoryFile(label.data(), int32_t(label.size()), true) : nullptr;
    }

    std::string label;
    std::set<std::string> names;
    std::vector<std::string>* calls;
    bool* destroyed;
};

std::string contentOf(BinaryFile* file)
{
    std::unique_ptr<BinaryFile> owned(file);
    if (!owned)
        return "(null)";
    char buffer[32];
    const uint32_t n = owned->read(buffer, sizeof buffer);
    return std::string(buffer, n);
}

std::string contentOf(std::istream* stream)
{
    std::unique_ptr<std::istream> owned(stream);
    if (!owned)
        return "(null)";
    std::string text;
    *owned >> text;
    return text;
}

std::string join(const std::vector<std::string>& calls)
{
    std::string text;
    for (const std::string& call : calls)
        text += (text.empty() ? "" : " ") + call;
    return text;
}

} // namespace

TEST(FileSystemTest, WithoutMountsNothingIsFound)
{
    FileSystem files;
    EXPECT_FALSE(files.exists("anything"));
    EXPECT_EQ(files.openTextInput("anything"), nullptr);
    EXPECT_EQ(files.openTextOutput("anything"), nullptr);
    EXPECT_EQ(files.openBinaryInput("anything"), nullptr);
    EXPECT_EQ(files.openBinaryOutput(""), nullptr);
}

TEST(FileSystemTest, MatchingMountsAreTriedInOrderWithTheRestOfTheName)
{
    // "a" holds bc and b; the unnamed mount holds abc, x and the empty name.
    std::vector<std::string> calls;
    FileSystem files;
    files.mount("a", new FakeDirectory("first", {"bc", "b"}, &calls));
    files.mount("abcdef", new FakeDirectory("long", {""}, &calls));
    files.mount("", new FakeDirectory("second", {"abc", "ac", "x", ""}, &calls));

    struct Case {
        const char* name;
        const char* answer;
        const char* asked;
    };
    const Case cases[] = {
        {"abc", "first", "first:bc"},
        {"ab", "first", "first:b"},
        {"ac", "second", "first:c second:ac"},          // the first mount fails, the second answers
        {"x", "second", "second:x"},                    // prefix differs: not asked
        {"", "second", "second:"},                      // both prefixes are longer than the name
        {"abcde", "(null)", "first:bcde second:abcde"}, // "abcdef" is longer than the name
        {"abcdef", "long", "first:bcdef long:"},
        {"zzz", "(null)", "second:zzz"},
    };
    for (const Case& c : cases) {
        calls.clear();
        EXPECT_EQ(contentOf(files.openBinaryInput(c.name)), c.answer) << c.name;
        EXPECT_EQ(join(calls), c.asked) << c.name;
    }

    // Every operation searches the same way.
    calls.clear();
    EXPECT_TRUE(files.exists("ac"));
    EXPECT_EQ(contentOf(files.openTextInput("ac")), "second");
    std::unique_ptr<std::ostream> out(files.openTextOutput("ac"));
    EXPECT_NE(out, nullptr);
    EXPECT_EQ(contentOf(files.openBinaryOutput("ac")), "second");
    EXPECT_EQ(join(calls), "first:c second:ac first:c second:ac first:c second:ac first:c second:ac");
    EXPECT_FALSE(files.exists("y"));
}

TEST(FileSystemTest, OwnsItsMountedDirectories)
{
    std::vector<std::string> calls;
    bool destroyed = false;
    {
        FileSystem files;
        EXPECT_TRUE(files.mount("p", new FakeDirectory("d", {}, &calls, &destroyed)));
        EXPECT_TRUE(files.mount("p", new FakeDirectory("e", {}, &calls))) << "duplicate prefixes are allowed";
        EXPECT_EQ(files.getMounts().size(), 2u);
        EXPECT_FALSE(destroyed);
    }
    EXPECT_TRUE(destroyed);
}

TEST(FileSystemTest, EarlierDiskMountsShadowLaterOnes)
{
    QuorvelTest::TempDir dir;
    std::filesystem::create_directories("mods");
    std::filesystem::create_directories("data");
    dir.write("mods/wall.glt", "modded");
    dir.write("data/wall.glt", "original");
    dir.write("data/floor.glt", "floor");

    FileSystem files;
    files.mount("", new DiskDirectory("mods"));
    files.mount("", new DiskDirectory("data"));
    EXPECT_EQ(contentOf(files.openBinaryInput("wall.glt")), "modded");
    EXPECT_EQ(contentOf(files.openBinaryInput("floor.glt")), "floor");
    EXPECT_TRUE(files.exists("floor.glt"));
    EXPECT_FALSE(files.exists("ceil.glt"));
}

TEST(FileSystemTest, BinaryFilesAreOpenedThroughTheEngineFileSystem)
{
    ASSERT_EQ(FileSystem::instance(), FileSystem::instance());

    QuorvelTest::TempDir dir;
    std::filesystem::create_directories("content");
    dir.write("content/blob.glt", "blob");
    // A prefix of its own keeps this mount out of the way of other names.
    FileSystem::instance()->mount("binaryfiletest:", new DiskDirectory("content"));

    EXPECT_EQ(contentOf(BinaryFile::openInput("binaryfiletest:blob.glt")), "blob");
    EXPECT_EQ(BinaryFile::openInput("binaryfiletest:absent.glt"), nullptr);
    {
        std::unique_ptr<BinaryFile> out(BinaryFile::openOutput("binaryfiletest:new.bin"));
        ASSERT_NE(out, nullptr);
        out->write("new", 3);
    }
    EXPECT_EQ(dir.read("content/new.bin"), "new");
}

TEST(FileSystemTest, NoNameReachesOutsideAMountedDiskDirectory)
{
    QuorvelTest::TempDir dir;
    std::filesystem::create_directories("data/levels");
    dir.write("quorvel.conf", "[Level]\n");
    dir.write("data/levels/maze.lvl", "S\n");

    FileSystem files;
    files.mount("", new DiskDirectory("data"));
    files.mount("levels:", new DiskDirectory("data/levels"));
    EXPECT_EQ(contentOf(files.openBinaryInput("levels/maze.lvl")), "S\n");
    EXPECT_EQ(contentOf(files.openBinaryInput("levels:maze.lvl")), "S\n");
    const char* const outside[] = {"../quorvel.conf", "levels/../../quorvel.conf", "levels:../../quorvel.conf",
                                   "levels:..\\..\\quorvel.conf"};
    for (const char* name : outside) {
        EXPECT_FALSE(files.exists(name)) << name;
        EXPECT_EQ(std::unique_ptr<BinaryFile>(files.openBinaryInput(name)), nullptr) << name;
        EXPECT_EQ(std::unique_ptr<std::istream>(files.openTextInput(name)), nullptr) << name;
        EXPECT_EQ(std::unique_ptr<std::ostream>(files.openTextOutput(name)), nullptr) << name;
    }
    EXPECT_EQ(dir.read("quorvel.conf"), "[Level]\n");
}
