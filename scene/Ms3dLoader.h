// Ms3dLoader: reads a binary Milkshape3D model through the file system and
// turns it into a SimpleMesh (positions and texture coordinates, one texture:
// "skeleton"). Owns the open file; reports failures through getError().
//
//   Ms3dLoader loader;
//   if (loader.open("crate.ms3d"))
//       std::unique_ptr<SimpleMesh> mesh(loader.load());
#pragma once

#include "core/String.h"

#include <cstdint>
#include <memory>

namespace Quorvel {

class BinaryFile;
class SimpleMesh;

class Ms3dLoader {
public:
    // Bytes of the parts of the file, as the format lays them out.
    static constexpr uint32_t HeaderSize = 14; // id "MS3D000000" and a 32-bit version
    static constexpr uint32_t VertexSize = 15;
    static constexpr uint32_t TriangleSize = 70;
    static constexpr uint32_t GroupHeadSize = 35;
    static constexpr uint32_t MaterialSize = 361;
    static constexpr uint32_t EngineVertexSize = 32; // position, normal, texture coordinate

    Ms3dLoader();
    ~Ms3dLoader();

    Ms3dLoader(const Ms3dLoader&) = delete;
    Ms3dLoader& operator=(const Ms3dLoader&) = delete;

    // Opens the file and checks its id; the file stays open for load. On
    // failure the error text says why and nothing is open.
    bool open(const String& fileName);

    // The model of the open file as a new mesh that the caller owns, named
    // after the file. Null when nothing is open or the file cannot be read
    // safely (counts beyond the file's end, a triangle naming a vertex that
    // does not exist); the error text says why.
    SimpleMesh* load();

    // The last error text, each ending in a newline; empty after a successful
    // open.
    const String& getError() const { return error; }

private:
    bool fail(const String& text);

    std::unique_ptr<BinaryFile> file;
    String error;
    String fileName;
};

} // namespace Quorvel
