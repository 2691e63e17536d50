#include "scene/Mesh.h"

#include "core/Application.h"
#include "math/PerspectiveCamera.h"
#include "math/VertexArray.h"
#include "scene/MeshIndexGroups.h"
#include "scene/SimpleMesh.h"
#include "support/TempDir.h"

#include "SceneTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

using Quorvel::String;

namespace {

std::unique_ptr<Quorvel::SimpleMesh> emptyMesh(const char* name)
{
    std::unique_ptr<Quorvel::SimpleMesh> mesh(
        new Quorvel::SimpleMesh(std::unique_ptr<Quorvel::VertexArray>(new Quorvel::VertexArray()),
                                std::unique_ptr<Quorvel::MeshIndexGroups>(new Quorvel::MeshIndexGroups())));
    mesh->setName(name);
    return mesh;
}

TEST(MeshTest, SetAnimationAcceptsOnlyTheEmptyNameAndLogsTheOthers)
{
    QuorvelTest::TempDir dir;
    SceneTest::BareApplication application;
    std::unique_ptr<Quorvel::SimpleMesh> mesh = emptyMesh("m");

    EXPECT_TRUE(mesh->setAnimation(""));
    EXPECT_EQ("", dir.read("quorvel.log")) << "the empty name logs nothing";

    EXPECT_FALSE(mesh->setAnimation("walk"));
    EXPECT_EQ("Error: no animation walk in mesh m\n", dir.read("quorvel.log"));
}

TEST(MeshTest, WithoutAnApplicationSetAnimationLogsNothingAndCreatesNone)
{
    ASSERT_EQ(nullptr, Quorvel::Application::existingInstance()) << "an earlier test left an application registered";
    QuorvelTest::TempDir dir;
    std::unique_ptr<Quorvel::SimpleMesh> mesh = emptyMesh("m");
    EXPECT_FALSE(mesh->setAnimation("walk"));
    EXPECT_EQ(nullptr, Quorvel::Application::existingInstance()) << "logging must not bring the platform up";
    EXPECT_FALSE(std::ifstream(dir.file("quorvel.log")).good()) << "no log was opened";
}

TEST(MeshTest, PlaybackHooksOfAStaticMeshAcceptAndDoNothing)
{
    std::unique_ptr<Quorvel::SimpleMesh> mesh = emptyMesh("m");
    Quorvel::Mesh& base = *mesh;
    EXPECT_TRUE(base.advance(20));
    EXPECT_TRUE(base.play());
    EXPECT_TRUE(base.pause());
    EXPECT_TRUE(base.rewind());
    EXPECT_TRUE(base.unload());
    EXPECT_FALSE(base.reload()) << "a mesh cannot be read again";
}

} // namespace
