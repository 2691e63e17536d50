#include "files/DiskDirectory.h"

#include "files/BinaryDiskFile.h"
#include "files/MemoryFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace Quorvel;
namespace fs = std::filesystem;

namespace {

const char Separator = static_cast<char>(fs::path::preferred_separator); // '/' here, '\\' on Windows

std::string canonicalWithSeparator(const std::string& path)
{
    std::string text = fs::canonical(path).string();
    if (text.empty() || text.back() != Separator)
        text += Separator;
    return text;
}

std::string str(const String& text)
{
    return std::string(text.getData(), size_t(text.length()));
}

} // namespace

TEST(DiskDirectoryTest, ResolvesAnAbsolutePathEndingInTheSeparator)
{
    QuorvelTest::TempDir dir;
    fs::create_directories("data/sub");
    const std::string here = canonicalWithSeparator(".");

    struct Case {
        const char* given;
        std::string expected;
    };
    const Case cases[] = {
        {"data", here + "data" + Separator},
        {"data/sub/..", here + "data" + Separator},
        {"./data/sub/", here + "data" + Separator + "sub" + Separator},
        {"missing", here}, // no such directory: the working directory
        {"", here},
        {"data/file.txt", here}, // a file is no directory
    };
    dir.write("data/file.txt", "x");
    for (const Case& c : cases) {
        DiskDirectory directory(c.given);
        EXPECT_EQ(str(directory.getPath()), c.expected) << "given \"" << c.given << "\"";
    }
    EXPECT_EQ(str(DiskDirectory().getPath()), here);

    // The root already ends in the separator and gets no second one.
    const std::string root = fs::current_path().root_path().string();
    EXPECT_EQ(str(DiskDirectory(root.c_str()).getPath()), root);
}

TEST(DiskDirectoryTest, LongPathsAndLaterWorkingDirectoryChanges)
{
    QuorvelTest::TempDir dir;
    std::string deep = "d";
    for (int i = 0; i < 40; ++i)
        deep += "/level-of-a-deep-tree";
    fs::create_directories(deep);
    dir.write(deep + "/leaf.txt", "leaf");

    DiskDirectory directory(deep.c_str());
    EXPECT_GT(directory.getPath().length(), 600);
    EXPECT_EQ(str(directory.getPath()), canonicalWithSeparator(deep));

    fs::current_path(deep); // the directory stays where it was resolved
    DiskDirectory relative("level-of-a-deep-tree/..");
    fs::current_path(dir.path());
    EXPECT_TRUE(directory.exists("leaf.txt"));
    EXPECT_EQ(str(relative.getPath()), canonicalWithSeparator(deep));
}

TEST(DiskDirectoryTest, ExistsAndTextStreams)
{
    QuorvelTest::TempDir dir;
    fs::create_directories("data/inner");
    dir.write("data/note.txt", "first line\nsecond\n");
    DiskDirectory directory("data");

    EXPECT_TRUE(directory.exists("note.txt"));
    EXPECT_TRUE(directory.exists("inner")) << "a directory counts as existing";
    EXPECT_FALSE(directory.exists("absent.txt"));
    EXPECT_FALSE(directory.exists("note.txt/x"));

    std::unique_ptr<std::istream> in(directory.openTextInput("note.txt"));
    ASSERT_NE(in, nullptr);
    std::string line;
    std::getline(*in, line);
    EXPECT_EQ(line, "first line");
    EXPECT_EQ(directory.openTextInput("absent.txt"), nullptr);
    EXPECT_EQ(directory.openTextInput("inner"), nullptr);

    {
        std::unique_ptr<std::ostream> out(directory.openTextOutput("written.txt"));
        ASSERT_NE(out, nullptr);
        *out << "value = 1\n";
    }
    EXPECT_EQ(dir.read("data/written.txt"), "value = 1\n");
    EXPECT_EQ(directory.openTextOutput("nowhere/written.txt"), nullptr);
}

TEST(DiskDirectoryTest, BinaryFilesAreReadInMemoryBelow32MiB)
{
    QuorvelTest::TempDir dir;
    fs::create_directories("data/inner");
    dir.write("data/small.bin", "small content");
    // Sparse files: their size costs no disk space.
    struct Case {
        const char* name;
        uintmax_t size;
        bool inMemory;
    };
    const Case cases[] = {
        {"below.bin", 33554431u, true},
        {"limit.bin", 33554432u, false},
        {"empty.bin", 0u, true},
    };
    for (const Case& c : cases) {
        dir.write(std::string("data/") + c.name, "head");
        fs::resize_file(dir.file(std::string("data/") + c.name), c.size);
    }
    DiskDirectory directory("data");
    EXPECT_EQ(DiskDirectory::MemoryFileLimit, 33554432);

    for (const Case& c : cases) {
        std::unique_ptr<BinaryFile> file(directory.openBinaryInput(c.name));
        ASSERT_NE(file, nullptr) << c.name;
        EXPECT_EQ(file->getState(), BinaryFile::Open);
        EXPECT_EQ(dynamic_cast<MemoryFile*>(file.get()) != nullptr, c.inMemory) << c.name;
        EXPECT_EQ(dynamic_cast<BinaryDiskFile*>(file.get()) != nullptr, !c.inMemory) << c.name;
        EXPECT_EQ(file->seek(0, BinaryFile::Current), 0) << c.name << ": handed out at its start";
        char head[4] = {};
        EXPECT_EQ(file->read(head, 4), c.size ? 4u : 0u) << c.name;
        if (c.size) {
            EXPECT_EQ(std::string(head, 4), "head") << c.name;
        }
        EXPECT_EQ(uintmax_t(file->seek(0, BinaryFile::End)), c.size) << c.name;
    }

    std::unique_ptr<BinaryFile> small(directory.openBinaryInput("small.bin"));
    ASSERT_NE(small, nullptr);
    char buffer[32] = {};
    EXPECT_EQ(small->read(buffer, sizeof buffer), 13u);
    EXPECT_STREQ(buffer, "small content");

    EXPECT_EQ(directory.openBinaryInput("absent.bin"), nullptr);
    EXPECT_EQ(directory.openBinaryInput("inner"), nullptr);
    EXPECT_EQ(directory.openBinaryInput(""), nullptr) << "the directory itself";
}

TEST(DiskDirectoryTest, BinaryOutputCreatesTheFile)
{
    QuorvelTest::TempDir dir;
    fs::create_directories("data");
    DiskDirectory directory("data");
    {
        std::unique_ptr<BinaryFile> out(directory.openBinaryOutput("out.bin"));
        ASSERT_NE(out, nullptr);
        EXPECT_NE(dynamic_cast<BinaryDiskFile*>(out.get()), nullptr);
        EXPECT_EQ(out->write("\x01\x02\r\n", 4), 4u);
    }
    EXPECT_EQ(dir.read("data/out.bin"), "\x01\x02\r\n");
    EXPECT_EQ(directory.openBinaryOutput("missing/out.bin"), nullptr);
}

TEST(DiskDirectoryTest, NamesLeadingOutsideTheDirectoryAreRefusedByEveryOperation)
{
    QuorvelTest::TempDir dir;
    fs::create_directories("data/sub");
    dir.write("secret.txt", "outside");
    const std::string absolute = dir.file("secret.txt");
    struct Case {
        std::string name;
        const char* why;
    };
    const Case cases[] = {
        {"../secret.txt", "has a \"..\" part"},        // the parent
        {"sub/../../secret.txt", "has a \"..\" part"}, // the parent, after a step down
        {"sub/../sub/x.txt", "has a \"..\" part"},     // even one that comes back in
        {"..\\secret.txt", "has a \"..\" part"},       // the Windows separator, on every system
        {"./../secret.txt", "has a \"..\" part"},      // after a "."
        {"..", "has a \"..\" part"},                   // the parent itself
        {"sub/...", "has a \"..\" part"},              // Windows drops trailing dots...
        {".. /secret.txt", "has a \"..\" part"},       // ... and spaces of a part
        {absolute, "is an absolute path"},             // a real file, named in full
        {"/secret.txt", "is an absolute path"},        // the root
        {"\\secret.txt", "is an absolute path"},       // the drive's root on Windows
        {"C:secret.txt", "is an absolute path"},       // drive C's own working directory
        {"c:/secret.txt", "is an absolute path"},      // drive C
    };
    DiskDirectory directory("data");
    for (const Case& c : cases) {
        const String name(c.name.c_str());
        ASSERT_NE(DiskDirectory::whyOutside(name), nullptr) << c.name;
        EXPECT_STREQ(DiskDirectory::whyOutside(name), c.why) << c.name;
        EXPECT_FALSE(directory.exists(name)) << c.name;
        EXPECT_EQ(std::unique_ptr<std::istream>(directory.openTextInput(name)), nullptr) << c.name;
        EXPECT_EQ(std::unique_ptr<BinaryFile>(directory.openBinaryInput(name)), nullptr) << c.name;
    }
    // Writing: nothing is created or truncated outside.
    const char* const writes[] = {"../secret.txt", "../made.txt", "sub/../../made.txt"};
    for (const char* name : writes) {
        EXPECT_EQ(std::unique_ptr<std::ostream>(directory.openTextOutput(name)), nullptr) << name;
        EXPECT_EQ(std::unique_ptr<BinaryFile>(directory.openBinaryOutput(name)), nullptr) << name;
    }
    EXPECT_EQ(dir.read("secret.txt"), "outside");
    EXPECT_FALSE(fs::exists("made.txt"));
}

TEST(DiskDirectoryTest, NamesInsideTheDirectoryStillOpen)
{
    QuorvelTest::TempDir dir;
    fs::create_directories("data/sub");
    // Dots that are part of a name, not a step up.
    const char* const names[] = {"sub/inside.txt", "./sub/inside.txt", "sub/./inside.txt", "..x", "x..",
                                 ".hidden",        "a..b.lvl",         "sub/c:x"};
    for (const char* name : names) {
        dir.write(std::string("data/") + name, name);
    }
    DiskDirectory directory("data");
    for (const char* name : names) {
        EXPECT_EQ(DiskDirectory::whyOutside(name), nullptr) << name;
        EXPECT_TRUE(directory.exists(name)) << name;
        std::unique_ptr<BinaryFile> file(directory.openBinaryInput(name));
        ASSERT_NE(file, nullptr) << name;
        std::unique_ptr<std::istream> text(directory.openTextInput(name));
        EXPECT_NE(text, nullptr) << name;
    }
    EXPECT_TRUE(directory.exists("")) << "the directory itself";
    EXPECT_TRUE(directory.exists("sub"));
    EXPECT_NE(std::unique_ptr<BinaryFile>(directory.openBinaryOutput("sub/new.bin")), nullptr);
    EXPECT_TRUE(fs::exists("data/sub/new.bin"));
}
