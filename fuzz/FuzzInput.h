#pragma once
// FuzzInput: hands the fuzzer's bytes to the engine as a file, so that every
// target reads them the way the engine reads real content: by name, through
// the file system and the binary file the directory gives out. A directory of
// one file is mounted once under the prefix "fuzz/"; set() replaces its
// bytes before each run.
//
//   const Quorvel::String name = QuorvelFuzz::FuzzInput::set("input.bmp", data, size);
//   std::unique_ptr<Quorvel::Bitmap> bitmap = loader.load(name); // "fuzz/input.bmp"

#include "core/String.h"

#include <cstddef>
#include <cstdint>

namespace QuorvelFuzz {

class FuzzInput {
public:
    // Makes bytes the content of "fuzz/<name>" (the only file there) and
    // returns that full name.
    static Quorvel::String set(const char* name, const uint8_t* bytes, size_t size);

    // Brings the engine up with a window and an OpenGL context once per
    // process (for the readers that upload what they read). Ends the process
    // with a message when that fails: the target cannot run without it.
    static void startGraphics();
};

} // namespace QuorvelFuzz
