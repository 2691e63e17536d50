#include "scene/Ms3dLoader.h"

#include "core/Application.h"
#include "files/BinaryFile.h"
#include "math/VertexArray.h"
#include "resources/Texture.h"
#include "scene/MeshIndexGroups.h"
#include "scene/SimpleMesh.h"
#include "system/OpenGL.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace Quorvel {

namespace {

const char FileId[] = "MS3D000000";
constexpr uint32_t FileIdSize = 10;

// Every model loaded here is drawn with this one texture.
const char ModelTexture[] = "skeleton";

// Offsets inside the records of the file.
constexpr uint32_t VertexPositionAt = 1;
constexpr uint32_t TriangleIndicesAt = 2;
constexpr uint32_t TriangleSAt = 44;
constexpr uint32_t TriangleTAt = 56;
constexpr uint32_t GroupTriangleCountAt = 33;

// Offsets inside an engine vertex.
constexpr uint32_t PositionOffset = 0;
constexpr uint32_t TexCoordOffset = 24;

float readFloat(const uint8_t* bytes)
{
    const uint32_t bits = readU32(bytes);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

String number(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u", value);
    return String(text);
}

// Reads the file front to back and never asks for more than it holds, so a
// count that promises more records than follow is caught before any copy.
class BoundedReader {
public:
    BoundedReader(BinaryFile& file_, uint32_t position_, uint32_t size_) : file(file_), position(position_), size(size_)
    {
    }

    uint32_t remaining() const { return size - position; }

    bool read(void* destination, uint32_t count)
    {
        if (count > remaining())
            return false;
        if (count > 0 && file.read(destination, count) != count)
            return false;
        position += count;
        return true;
    }

    bool readU16(uint16_t& value)
    {
        uint8_t bytes[2];
        if (!read(bytes, sizeof bytes))
            return false;
        value = Quorvel::readU16(bytes);
        return true;
    }

    bool skip(uint32_t count)
    {
        if (count > remaining())
            return false;
        const int32_t target = static_cast<int32_t>(position + count);
        if (file.seek(target, BinaryFile::Begin) != target)
            return false;
        position += count;
        return true;
    }

private:
    BinaryFile& file;
    uint32_t position;
    uint32_t size;
};

} // namespace

Ms3dLoader::Ms3dLoader() = default;

Ms3dLoader::~Ms3dLoader() = default;

bool Ms3dLoader::fail(const String& text)
{
    error = text;
    // The log takes the text as one line, without its newline.
    Application::writeLog(text.substr(0, text.length() - 1));
    return false;
}

bool Ms3dLoader::open(const String& name)
{
    error = String();
    file.reset();
    fileName = name;

    std::unique_ptr<BinaryFile> opened(BinaryFile::openInput(name));
    if (!opened)
        return fail(String("Error opening file") + name + "\n");

    uint8_t header[HeaderSize];
    if (opened->read(header, HeaderSize) != HeaderSize || std::memcmp(header, FileId, FileIdSize) != 0)
        return fail(String("File ") + name + " is not a valid Milkshape3D file\n");

    file = std::move(opened);
    return true;
}

SimpleMesh* Ms3dLoader::load()
{
    if (!file) {
        fail("No Milkshape3D file is open\n");
        return nullptr;
    }
    const String prefix = String("File ") + fileName;

    const int32_t size = file->seek(0, BinaryFile::End);
    if (size < static_cast<int32_t>(HeaderSize)
        || file->seek(HeaderSize, BinaryFile::Begin) != static_cast<int32_t>(HeaderSize)) {
        fail(prefix + " cannot be read\n");
        return nullptr;
    }
    BoundedReader reader(*file, HeaderSize, static_cast<uint32_t>(size));

    uint16_t vertexCount = 0;
    if (!reader.readU16(vertexCount)) {
        fail(prefix + " ends before its vertex count\n");
        return nullptr;
    }
    std::vector<uint8_t> fileVertices(static_cast<size_t>(vertexCount) * VertexSize);
    if (!reader.read(fileVertices.data(), static_cast<uint32_t>(fileVertices.size()))) {
        fail(prefix + " ends inside its vertices (" + number(vertexCount) + " declared)\n");
        return nullptr;
    }

    uint16_t triangleCount = 0;
    if (!reader.readU16(triangleCount)) {
        fail(prefix + " ends before its triangle count\n");
        return nullptr;
    }
    std::vector<uint8_t> fileTriangles(static_cast<size_t>(triangleCount) * TriangleSize);
    if (!reader.read(fileTriangles.data(), static_cast<uint32_t>(fileTriangles.size()))) {
        fail(prefix + " ends inside its triangles (" + number(triangleCount) + " declared)\n");
        return nullptr;
    }

    // Groups and materials are checked for size but not used.
    uint16_t groupCount = 0;
    if (!reader.readU16(groupCount)) {
        fail(prefix + " ends before its group count\n");
        return nullptr;
    }
    for (uint32_t g = 0; g < groupCount; ++g) {
        uint8_t head[GroupHeadSize];
        uint8_t material;
        if (!reader.read(head, GroupHeadSize) || !reader.skip(2u * readU16(head + GroupTriangleCountAt))
            || !reader.read(&material, 1)) {
            fail(prefix + " ends inside its groups (" + number(groupCount) + " declared)\n");
            return nullptr;
        }
    }

    uint16_t materialCount = 0;
    if (!reader.readU16(materialCount)) {
        fail(prefix + " ends before its material count\n");
        return nullptr;
    }
    if (!reader.skip(static_cast<uint32_t>(materialCount) * MaterialSize)) {
        fail(prefix + " ends inside its materials (" + number(materialCount) + " declared)\n");
        return nullptr;
    }

    for (uint32_t t = 0; t < triangleCount; ++t) {
        const uint8_t* record = fileTriangles.data() + static_cast<size_t>(t) * TriangleSize;
        for (uint32_t k = 0; k < 3; ++k) {
            const uint16_t index = readU16(record + TriangleIndicesAt + 2 * k);
            if (index >= vertexCount) {
                fail(prefix + " has triangle " + number(t) + " naming vertex " + number(index) + ", beyond its "
                     + number(vertexCount) + " vertices\n");
                return nullptr;
            }
        }
    }

    // Engine vertices: position, a zero normal, and the texture coordinate
    // of the last triangle that names the vertex (zero if none does).
    std::unique_ptr<uint8_t[]> vertices(new uint8_t[static_cast<size_t>(vertexCount) * EngineVertexSize + 1]());
    for (uint32_t v = 0; v < vertexCount; ++v) {
        const uint8_t* record = fileVertices.data() + static_cast<size_t>(v) * VertexSize;
        const float position[3] = {readFloat(record + VertexPositionAt), readFloat(record + VertexPositionAt + 4),
                                   readFloat(record + VertexPositionAt + 8)};
        std::memcpy(vertices.get() + static_cast<size_t>(v) * EngineVertexSize + PositionOffset, position,
                    sizeof position);
    }

    Texture* texture = Texture::load(ModelTexture);

    std::vector<MeshTriangle> triangles(triangleCount);
    for (uint32_t t = 0; t < triangleCount; ++t) {
        const uint8_t* record = fileTriangles.data() + static_cast<size_t>(t) * TriangleSize;
        MeshTriangle& triangle = triangles[t];
        triangle.texture = texture;
        for (uint32_t k = 0; k < 3; ++k) {
            const uint16_t index = readU16(record + TriangleIndicesAt + 2 * k);
            triangle.index[k] = index;
            const float texCoord[2] = {readFloat(record + TriangleSAt + 4 * k),
                                       readFloat(record + TriangleTAt + 4 * k)};
            std::memcpy(vertices.get() + static_cast<size_t>(index) * EngineVertexSize + TexCoordOffset, texCoord,
                        sizeof texCoord);
        }
    }

    std::unique_ptr<VertexArray> vertexArray(new VertexArray());
    vertexArray->setData(vertexCount, EngineVertexSize, std::move(vertices));
    vertexArray->addAttribute(AttributeKind::Position, PositionOffset, 3, GL_FLOAT);
    vertexArray->addAttribute(AttributeKind::TexCoord, TexCoordOffset, 2, GL_FLOAT);

    std::unique_ptr<MeshIndexGroups> groups(new MeshIndexGroups());
    if (!groups->build(triangleCount, triangles.data())) {
        fail(prefix + " cannot be grouped by texture\n");
        return nullptr;
    }

    SimpleMesh* mesh = new SimpleMesh(std::move(vertexArray), std::move(groups));
    mesh->setName(fileName);
    return mesh;
}

} // namespace Quorvel
