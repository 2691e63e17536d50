// TempDir: a fresh temporary directory that a test works in. The constructor
// creates it and makes it the working directory; the destructor restores the
// previous working directory and removes the tree, so tests never write into
// the source tree or leave files behind.
#pragma once

#include <string>

namespace QuorvelTest {

class TempDir {
public:
    TempDir();
    ~TempDir();

    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return dir; }
    std::string file(const std::string& name) const { return dir + "/" + name; }

    // Writes bytes to a file inside the directory (binary, exact).
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string dir;
    std::string previous;
};

} // namespace QuorvelTest
