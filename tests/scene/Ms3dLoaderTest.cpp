#include "scene/Ms3dLoader.h"

#include "core/Application.h"
#include "core/Log.h"
#include "math/VertexArray.h"
#include "scene/MeshIndexGroups.h"
#include "scene/SimpleMesh.h"
#include "support/TempDir.h"
#include "system/OpenGL.h"
#include "tools/ms3dgen/Ms3dModel.h"

#include "SceneTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using Quorvel::Ms3dLoader;
using Quorvel::SimpleMesh;
using Quorvel::String;

namespace {

// A two-triangle model: a quad whose corner vertices 0 and 2 are shared by
// both triangles with different texture coordinates.
Ms3dGen::Model sharedQuad()
{
    Ms3dGen::Model model;
    const float corners[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    for (const auto& c : corners) {
        Ms3dGen::Vertex v;
        v.x = c[0];
        v.y = c[1];
        v.z = c[2];
        model.vertices.push_back(v);
    }
    Ms3dGen::Triangle first;
    first.index[0] = 0, first.index[1] = 1, first.index[2] = 2;
    first.s[0] = 0.1f, first.s[1] = 0.2f, first.s[2] = 0.3f;
    first.t[0] = 0.4f, first.t[1] = 0.5f, first.t[2] = 0.6f;
    Ms3dGen::Triangle second;
    second.index[0] = 2, second.index[1] = 3, second.index[2] = 0;
    second.s[0] = 0.7f, second.s[1] = 0.8f, second.s[2] = 0.9f;
    second.t[0] = -1.0f, second.t[1] = 2.0f, second.t[2] = 3.0f;
    model.triangles = {first, second};
    Ms3dGen::Group group;
    group.name = "quad";
    group.triangles = {0, 1};
    group.material = 0;
    model.groups.push_back(group);
    Ms3dGen::Material material;
    material.name = "quad";
    model.materials.push_back(material);
    return model;
}

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

float floatAt(const uint8_t* bytes)
{
    float value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

void patchU16(std::string& bytes, size_t offset, uint16_t value)
{
    bytes[offset] = static_cast<char>(value & 0xff);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

// Each test works in a temporary directory that holds the log of a bare
// application and the model files, mounted under a prefix of its own.
class Ms3dLoaderTest : public ::testing::Test {
protected:
    Ms3dLoaderTest() : prefix(SceneTest::mountUnderFreshPrefix(dir.path())) {}

    // Writes the bytes as name and returns the name to open.
    String file(const std::string& name, const std::string& bytes)
    {
        dir.write(name, bytes);
        return (prefix + name).c_str();
    }

    std::unique_ptr<SimpleMesh> load(const std::string& bytes, Ms3dLoader& loader)
    {
        const String name = file("model.ms3d", bytes);
        if (!loader.open(name))
            return nullptr;
        return std::unique_ptr<SimpleMesh>(loader.load());
    }

    std::string logText() { return dir.read("quorvel.log"); }

    QuorvelTest::TempDir dir;
    SceneTest::BareApplication application;
    std::string prefix;
};

TEST(Ms3dLoaderLogTest, WithoutAnApplicationFailuresLogNothingAndCreateNone)
{
    ASSERT_EQ(nullptr, Quorvel::Application::existingInstance()) << "an earlier test left an application registered";
    QuorvelTest::TempDir dir;
    const String prefix = SceneTest::mountUnderFreshPrefix(dir.path()).c_str();
    dir.write("short.ms3d", "MS3D000000");

    Ms3dLoader loader;
    EXPECT_FALSE(loader.open(prefix + "missing.ms3d"));
    EXPECT_FALSE(loader.open(prefix + "short.ms3d"));
    EXPECT_NE(0, loader.getError().length()) << "the error text is still there for the caller";
    EXPECT_EQ(nullptr, Quorvel::Application::existingInstance()) << "logging must not bring the platform up";
    EXPECT_FALSE(std::ifstream(dir.file("quorvel.log")).good()) << "no log was opened";
}

TEST(Ms3dGenTest, ShippedCrateIsTheGeneratorsOutput)
{
    const std::string shipped = readFile(std::string(QUORVEL_SOURCE_DIR) + "/data/crate.ms3d");
    const std::string generated = Ms3dGen::write(Ms3dGen::makeCrate());
    EXPECT_EQ(generated.size(), shipped.size());
    EXPECT_TRUE(generated == shipped) << "data/crate.ms3d differs from quorvel-ms3dgen's output; regenerate it";
}

TEST_F(Ms3dLoaderTest, LoadsTheShippedCrate)
{
    const std::string bytes = readFile(std::string(QUORVEL_SOURCE_DIR) + "/data/crate.ms3d");
    const Ms3dGen::Model model = Ms3dGen::makeCrate();
    Ms3dLoader loader;
    const String name = file("crate.ms3d", bytes);
    ASSERT_TRUE(loader.open(name)) << loader.getError().c_str();
    EXPECT_EQ(String(""), loader.getError());
    std::unique_ptr<SimpleMesh> mesh(loader.load());
    ASSERT_NE(nullptr, mesh) << loader.getError().c_str();
    EXPECT_EQ(name, mesh->getName());

    const Quorvel::VertexArray& vertices = mesh->getVertices();
    ASSERT_EQ(24u, vertices.getCount());
    EXPECT_EQ(32u, vertices.getStride());
    ASSERT_EQ(2u, vertices.getAttributes().size());
    const Quorvel::VertexAttribute& position = vertices.getAttributes()[0];
    const Quorvel::VertexAttribute& texCoord = vertices.getAttributes()[1];
    EXPECT_EQ(Quorvel::AttributeKind::Position, position.kind);
    EXPECT_EQ(0u, position.offset);
    EXPECT_EQ(3u, position.size);
    EXPECT_EQ(static_cast<uint32_t>(GL_FLOAT), position.type);
    EXPECT_EQ(Quorvel::AttributeKind::TexCoord, texCoord.kind);
    EXPECT_EQ(24u, texCoord.offset);
    EXPECT_EQ(2u, texCoord.size);
    EXPECT_EQ(static_cast<uint32_t>(GL_FLOAT), texCoord.type);

    // Every vertex: file position, zero normal, the coordinates its triangles give it.
    for (uint32_t v = 0; v < 24; ++v) {
        const uint8_t* vertex = vertices.getData() + v * 32;
        EXPECT_EQ(model.vertices[v].x, floatAt(vertex + 0)) << "vertex " << v;
        EXPECT_EQ(model.vertices[v].y, floatAt(vertex + 4)) << "vertex " << v;
        EXPECT_EQ(model.vertices[v].z, floatAt(vertex + 8)) << "vertex " << v;
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(0.0f, floatAt(vertex + 12 + 4 * k)) << "normal of vertex " << v;
    }
    for (const Ms3dGen::Triangle& triangle : model.triangles) {
        for (int k = 0; k < 3; ++k) {
            const uint8_t* vertex = vertices.getData() + triangle.index[k] * 32;
            EXPECT_EQ(triangle.s[k], floatAt(vertex + 24)) << "vertex " << triangle.index[k];
            EXPECT_EQ(triangle.t[k], floatAt(vertex + 28)) << "vertex " << triangle.index[k];
        }
    }

    // One group with every triangle in file order, drawn with the "skeleton"
    // texture (not mounted here, so none).
    const Quorvel::MeshIndexGroups& groups = mesh->getGroups();
    ASSERT_EQ(36u, groups.getIndexCount());
    ASSERT_EQ(1u, groups.getGroupCount());
    EXPECT_EQ(0u, groups.getGroup(0).first);
    EXPECT_EQ(36u, groups.getGroup(0).count);
    EXPECT_EQ(nullptr, groups.getGroup(0).texture);
    for (uint32_t i = 0; i < 36; ++i)
        EXPECT_EQ(model.triangles[i / 3].index[i % 3], groups.getIndices()[i]) << "index " << i;
    EXPECT_NE(std::string::npos, logText().find("Texture id=skeleton load failed\n"));
}

TEST_F(Ms3dLoaderTest, SharedVertexKeepsTheLaterTrianglesCoordinates)
{
    Ms3dLoader loader;
    std::unique_ptr<SimpleMesh> mesh = load(Ms3dGen::write(sharedQuad()), loader);
    ASSERT_NE(nullptr, mesh) << loader.getError().c_str();
    const uint8_t* data = mesh->getVertices().getData();
    struct Expected {
        uint32_t vertex;
        float s, t;
    } const cases[] = {
        {0, 0.9f, 3.0f},  // named by both triangles: the second wins
        {1, 0.2f, 0.5f},  // only in the first
        {2, 0.7f, -1.0f}, // named by both: the second wins; t as stored, even negative
        {3, 0.8f, 2.0f},  // only in the second
    };
    for (const Expected& c : cases) {
        EXPECT_FLOAT_EQ(c.s, floatAt(data + c.vertex * 32 + 24)) << "s of vertex " << c.vertex;
        EXPECT_FLOAT_EQ(c.t, floatAt(data + c.vertex * 32 + 28)) << "t of vertex " << c.vertex;
    }
    const uint32_t expectedIndices[] = {0, 1, 2, 2, 3, 0};
    ASSERT_EQ(6u, mesh->getGroups().getIndexCount());
    for (uint32_t i = 0; i < 6; ++i)
        EXPECT_EQ(expectedIndices[i], mesh->getGroups().getIndices()[i]) << "index " << i;
}

TEST_F(Ms3dLoaderTest, ModelWithoutTrianglesGivesAMeshThatDrawsNothing)
{
    Ms3dGen::Model model = sharedQuad();
    model.triangles.clear();
    model.groups.clear();
    Ms3dLoader loader;
    std::unique_ptr<SimpleMesh> mesh = load(Ms3dGen::write(model), loader);
    ASSERT_NE(nullptr, mesh) << loader.getError().c_str();
    EXPECT_EQ(4u, mesh->getVertices().getCount());
    EXPECT_EQ(0u, mesh->getGroups().getIndexCount());
    EXPECT_EQ(0u, mesh->getGroups().getGroupCount());
    // Vertices no triangle names get zero texture coordinates, never stale bytes.
    for (uint32_t v = 0; v < 4; ++v) {
        EXPECT_EQ(0.0f, floatAt(mesh->getVertices().getData() + v * 32 + 24));
        EXPECT_EQ(0.0f, floatAt(mesh->getVertices().getData() + v * 32 + 28));
    }
}

TEST_F(Ms3dLoaderTest, OpenRefusesMissingAndForeignFilesWithTheirTexts)
{
    const std::string valid = Ms3dGen::write(sharedQuad());
    std::string lastByteWrong = valid;
    lastByteWrong[9] = '1';
    std::string firstByteWrong = valid;
    firstByteWrong[0] = 'm';
    struct Case {
        const char* what;
        const char* name;
        const std::string* bytes; // null: the file is not written
        std::string error;
    } const cases[] = {
        {"missing file", "absent.ms3d", nullptr, "Error opening file" + prefix + "absent.ms3d\n"},
        {"last id byte differs", "last.ms3d", &lastByteWrong,
         "File " + prefix + "last.ms3d is not a valid Milkshape3D file\n"},
        {"first id byte differs", "first.ms3d", &firstByteWrong,
         "File " + prefix + "first.ms3d is not a valid Milkshape3D file\n"},
    };
    for (const Case& c : cases) {
        String name = (prefix + c.name).c_str();
        if (c.bytes)
            name = file(c.name, *c.bytes);
        Ms3dLoader loader;
        EXPECT_FALSE(loader.open(name)) << c.what;
        EXPECT_EQ(c.error, loader.getError().c_str()) << c.what;
        EXPECT_EQ(nullptr, loader.load()) << c.what << ": nothing is open after a refused open";
        EXPECT_EQ(std::string("No Milkshape3D file is open\n"), loader.getError().c_str()) << c.what;
        // The log has the error text as one line.
        const std::string line = c.error;
        EXPECT_NE(std::string::npos, logText().find(line)) << c.what;
    }
}

TEST_F(Ms3dLoaderTest, ShortFilesAreNotMilkshape3DFiles)
{
    const std::string valid = Ms3dGen::write(sharedQuad());
    for (size_t length : {size_t(0), size_t(9), size_t(10), size_t(13)}) {
        const String name = file("short.ms3d", valid.substr(0, length));
        Ms3dLoader loader;
        EXPECT_FALSE(loader.open(name)) << length << " bytes";
        EXPECT_EQ("File " + std::string(name.c_str()) + " is not a valid Milkshape3D file\n", loader.getError().c_str())
            << length << " bytes";
    }
}

TEST_F(Ms3dLoaderTest, OpenClearsTheErrorAndTheVersionIsNotCompared)
{
    Ms3dGen::Model model = sharedQuad();
    model.version = 99;
    Ms3dLoader loader;
    EXPECT_FALSE(loader.open((prefix + "absent.ms3d").c_str()));
    EXPECT_NE(String(""), loader.getError());
    ASSERT_TRUE(loader.open(file("v99.ms3d", Ms3dGen::write(model))));
    EXPECT_EQ(String(""), loader.getError());
    std::unique_ptr<SimpleMesh> first(loader.load());
    std::unique_ptr<SimpleMesh> second(loader.load());
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second) << "the file stays open: load may run again";
    EXPECT_EQ(first->getVertices().getCount(), second->getVertices().getCount());
}

// Every malformed file is refused by load with a text naming the fault, and
// the log gets the same text as one line.
TEST_F(Ms3dLoaderTest, LoadRefusesMalformedFiles)
{
    const Ms3dGen::Model model = sharedQuad();
    const std::string valid = Ms3dGen::write(model);
    const Ms3dGen::Layout at = Ms3dGen::layoutOf(model);
    const size_t groupStart = at.groupCount + 2;

    struct Case {
        const char* what;
        std::string bytes;
        std::string fault; // follows "File <name> "
    };
    std::vector<Case> cases = {
        {"header only", valid.substr(0, 14), "ends before its vertex count"},
        {"half a vertex count", valid.substr(0, 15), "ends before its vertex count"},
        {"cut inside the vertices", valid.substr(0, at.triangleCount - 1), "ends inside its vertices (4 declared)"},
        {"no triangle count", valid.substr(0, at.triangleCount), "ends before its triangle count"},
        {"cut inside the triangles", valid.substr(0, at.groupCount - 70), "ends inside its triangles (2 declared)"},
        {"no group count", valid.substr(0, at.groupCount + 1), "ends before its group count"},
        {"cut inside a group head", valid.substr(0, groupStart + 20), "ends inside its groups (1 declared)"},
        {"cut inside a group's triangle list", valid.substr(0, groupStart + 35 + 3),
         "ends inside its groups (1 declared)"},
        {"no material index of a group", valid.substr(0, at.materialCount - 1), "ends inside its groups (1 declared)"},
        {"no material count", valid.substr(0, at.materialCount), "ends before its material count"},
        {"cut inside the materials", valid.substr(0, at.animation - 1), "ends inside its materials (1 declared)"},
    };
    {
        std::string bytes = valid;
        patchU16(bytes, at.vertexCount, 65535);
        cases.push_back({"vertex count beyond the file", bytes, "ends inside its vertices (65535 declared)"});
    }
    {
        std::string bytes = valid;
        patchU16(bytes, at.triangleCount, 4000);
        cases.push_back({"triangle count beyond the file", bytes, "ends inside its triangles (4000 declared)"});
    }
    {
        std::string bytes = valid;
        patchU16(bytes, groupStart + 33, 30000);
        cases.push_back({"group triangle count beyond the file", bytes, "ends inside its groups (1 declared)"});
    }
    {
        std::string bytes = valid;
        patchU16(bytes, at.materialCount, 2);
        cases.push_back({"material count beyond the file", bytes, "ends inside its materials (2 declared)"});
    }
    {
        std::string bytes = valid;
        patchU16(bytes, at.triangleCount + 2 + 70 + 2 + 2, 4); // second triangle, second corner
        cases.push_back(
            {"vertex index equal to the count", bytes, "has triangle 1 naming vertex 4, beyond its 4 vertices"});
    }
    {
        std::string bytes = valid;
        patchU16(bytes, at.triangleCount + 2 + 2, 65535); // first triangle, first corner
        cases.push_back(
            {"vertex index far beyond the count", bytes, "has triangle 0 naming vertex 65535, beyond its 4 vertices"});
    }

    for (const Case& c : cases) {
        const String name = file("bad.ms3d", c.bytes);
        Ms3dLoader loader;
        ASSERT_TRUE(loader.open(name)) << c.what;
        EXPECT_EQ(nullptr, loader.load()) << c.what;
        const std::string expected = "File " + std::string(name.c_str()) + " " + c.fault + "\n";
        EXPECT_EQ(expected, loader.getError().c_str()) << c.what;
        EXPECT_NE(std::string::npos, logText().find(expected)) << c.what << ": the log has the text as a line";
    }
}

// Cut at every length: a file that ends anywhere before the end of its
// materials is refused; what follows the materials is never needed.
TEST_F(Ms3dLoaderTest, EveryTruncationBeforeTheAnimationSectionIsRefused)
{
    const Ms3dGen::Model model = sharedQuad();
    const std::string valid = Ms3dGen::write(model);
    const size_t animation = Ms3dGen::layoutOf(model).animation;
    for (size_t length = 14; length <= valid.size(); ++length) {
        const String name = file("cut.ms3d", valid.substr(0, length));
        Ms3dLoader loader;
        ASSERT_TRUE(loader.open(name));
        std::unique_ptr<SimpleMesh> mesh(loader.load());
        if (length < animation)
            EXPECT_EQ(nullptr, mesh) << "cut at " << length << " of " << valid.size();
        else
            EXPECT_NE(nullptr, mesh) << "cut at " << length << ": " << loader.getError().c_str();
    }
}

TEST_F(Ms3dLoaderTest, LoadWithoutOpenIsRefused)
{
    Ms3dLoader loader;
    EXPECT_EQ(String(""), loader.getError());
    EXPECT_EQ(nullptr, loader.load());
    EXPECT_EQ(std::string("No Milkshape3D file is open\n"), loader.getError().c_str());
}

} // namespace
