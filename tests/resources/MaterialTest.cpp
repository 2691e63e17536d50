#include "resources/Material.h"
#include "resources/SimpleMaterial.h"

#include <gtest/gtest.h>

namespace {

// A material that fills in the two operations, as a user of the engine would.
class FlatMaterial : public Quorvel::SimpleMaterial {
public:
    bool bind() override { return ++binds > 0; }
    void unbind() override {}
    int binds = 0;
};

TEST(MaterialTest, LoadOnlyConsultsTheCacheWhichNothingFills)
{
    // The first call creates the empty cache, later ones search it.
    for (const char* name : {"stone", "stone", "", "wood"})
        EXPECT_EQ(nullptr, Quorvel::Material::load(name)) << "name '" << name << "'";

    // A material built by hand is not cached under its name either.
    FlatMaterial flat;
    flat.setName("flat");
    EXPECT_EQ(nullptr, Quorvel::Material::load("flat"));
}

TEST(MaterialTest, ResourceOperationsAreInherited)
{
    FlatMaterial flat;
    Quorvel::Material& material = flat;
    EXPECT_FALSE(material.reload());
    EXPECT_TRUE(material.unload());
    EXPECT_TRUE(material.bind());
    EXPECT_EQ(0, material.getRefCount());
}

} // namespace
