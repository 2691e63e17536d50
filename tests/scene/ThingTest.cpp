#include "scene/Thing.h"

#include "math/MathUtil.h"
#include "math/PerspectiveCamera.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Quorvel::Matrix4;
using Quorvel::Quaternion;
using Quorvel::Thing;
using Quorvel::Vector3;

namespace {

// A thing that notes its drawing and its destruction by name.
class NotingThing : public Thing {
public:
    NotingThing(const char* label, std::vector<std::string>& notes_, Thing* parent = nullptr) : notes(notes_)
    {
        setName(label);
        if (parent)
            parent->addChild(this);
    }
    ~NotingThing() override { notes.push_back(std::string("~") + getName().c_str()); }

    void draw(const Quorvel::Camera& camera) override
    {
        notes.push_back(getName().c_str());
        drawChildren(camera);
    }

    std::vector<std::string>& notes;
};

std::vector<Thing*> children(const Thing& parent)
{
    std::vector<Thing*> list;
    for (Thing* child = parent.getFirstChild(); child; child = child->getNextSibling())
        list.push_back(child);
    return list;
}

void expectNear(const Vector3& expected, const Vector3& actual, const char* what)
{
    EXPECT_NEAR(expected.x, actual.x, 1e-5f) << what;
    EXPECT_NEAR(expected.y, actual.y, 1e-5f) << what;
    EXPECT_NEAR(expected.z, actual.z, 1e-5f) << what;
}

Vector3 translationOf(const Matrix4& m)
{
    return Vector3(m.getData()[12], m.getData()[13], m.getData()[14]);
}

TEST(ThingTest, NewChildrenGoToTheFrontSoDrawingRunsNewestFirst)
{
    std::vector<std::string> notes;
    Thing root;
    Thing* a = new NotingThing("A", notes, &root);
    Thing* b = new NotingThing("B", notes, &root);
    EXPECT_EQ((std::vector<Thing*>{b, a}), children(root));
    EXPECT_EQ(&root, a->getParent());
    EXPECT_EQ(&root, b->getParent());

    Quorvel::PerspectiveCamera camera;
    root.draw(camera);
    EXPECT_EQ((std::vector<std::string>{"B", "A"}), notes);
}

TEST(ThingTest, ConstructorsLinkToAParentOrToTheSceneRoot)
{
    Quorvel::Scene scene;
    Thing* first = new Thing(&scene);
    Thing* second = new Thing(first);
    Thing* third = new Thing(&scene);
    EXPECT_EQ((std::vector<Thing*>{third, first}), children(*scene.getRoot()));
    EXPECT_EQ((std::vector<Thing*>{second}), children(*first));
    EXPECT_EQ(scene.getRoot(), first->getParent());

    Thing loose;
    EXPECT_EQ(nullptr, loose.getParent());
    EXPECT_FALSE(loose.isDirty());
    EXPECT_EQ(nullptr, loose.getPivot());
    EXPECT_EQ(Matrix4(), loose.getWorld());
    EXPECT_EQ(Matrix4(), loose.getLocal());
}

TEST(ThingTest, PivotIsMovedThenRotatedThenPlaced)
{
    Quorvel::Scene scene;
    Thing* thing = new Thing(&scene);
    const Vector3 pivot(0.0f, 0.0f, 1.0f);
    thing->setPosition(Vector3(1.0f, 0.0f, 0.0f));
    thing->setOrientation(Quaternion::rotationY(Quorvel::HalfPi));
    thing->setPivot(&pivot);
    scene.update();

    expectNear(Vector3(2.0f, 0.0f, 0.0f), thing->getWorld().transformPoint(Vector3()), "origin");
    expectNear(Vector3(2.0f, 1.0f, 0.0f), thing->getWorld().transformPoint(Vector3(0.0f, 1.0f, 0.0f)), "up one");
    EXPECT_FALSE(thing->isDirty());
}

TEST(ThingTest, WorldComposesParentAndChild)
{
    Quorvel::Scene scene;
    Thing* parent = new Thing(&scene);
    Thing* child = new Thing(parent);
    parent->setPosition(Vector3(0.0f, 0.0f, 5.0f));
    parent->setOrientation(Quaternion::rotationZ(Quorvel::HalfPi)); // x turns into y
    child->setPosition(Vector3(2.0f, 0.0f, 0.0f));
    scene.update();
    expectNear(Vector3(0.0f, 2.0f, 5.0f), translationOf(child->getWorld()), "child origin in the world");
}

// update only descends through clean things; updateAll always recomputes.
TEST(ThingTest, UpdateRefreshesAChildOnlyWhenSomethingOnItsPathIsDirtyOrPivoted)
{
    Quorvel::Scene scene;
    Thing* parent = new Thing(&scene);
    Thing* child = new Thing(parent);
    child->setPosition(Vector3(0.0f, 1.0f, 0.0f));
    scene.update();
    expectNear(Vector3(0.0f, 1.0f, 0.0f), translationOf(child->getWorld()), "first update");

    // The parent moved through setPosition: dirty, so the child follows.
    parent->setPosition(Vector3(5.0f, 0.0f, 0.0f));
    scene.update();
    expectNear(Vector3(5.0f, 1.0f, 0.0f), translationOf(child->getWorld()), "dirty parent");

    // The parent's local was rebuilt by hand, leaving it clean: update passes
    // over both, updateAll refreshes both.
    parent->setPosition(Vector3(7.0f, 0.0f, 0.0f));
    parent->rebuildLocal();
    EXPECT_FALSE(parent->isDirty());
    scene.update();
    expectNear(Vector3(5.0f, 0.0f, 0.0f), translationOf(parent->getWorld()), "clean parent, update");
    expectNear(Vector3(5.0f, 1.0f, 0.0f), translationOf(child->getWorld()), "clean parent, update");
    scene.getRoot()->updateAll();
    expectNear(Vector3(7.0f, 0.0f, 0.0f), translationOf(parent->getWorld()), "updateAll");
    expectNear(Vector3(7.0f, 1.0f, 0.0f), translationOf(child->getWorld()), "updateAll");

    // A dirty child under a clean parent is rebuilt against the parent's world.
    child->setPosition(Vector3(0.0f, 2.0f, 0.0f));
    scene.update();
    expectNear(Vector3(7.0f, 2.0f, 0.0f), translationOf(child->getWorld()), "dirty child");

    // A pivoted parent is rebuilt on every update, and refreshes its subtree.
    const Vector3 pivot(0.0f, 0.0f, 0.0f);
    parent->setPivot(&pivot);
    parent->setPosition(Vector3(9.0f, 0.0f, 0.0f));
    parent->rebuildLocal();
    scene.update();
    expectNear(Vector3(9.0f, 2.0f, 0.0f), translationOf(child->getWorld()), "pivoted parent");
}

// A thing without a parent has no parent's world to compose with: when it is
// dirty or pivoted its world is its local transform, and its subtree follows.
TEST(ThingTest, AMovedRootPlacesItsSubtreeByItsOwnTransform)
{
    Thing root;
    Thing* child = new Thing(&root);
    child->setPosition(Vector3(0.0f, 1.0f, 0.0f));
    root.setPosition(Vector3(4.0f, 0.0f, 0.0f));
    root.setOrientation(Quaternion::rotationZ(Quorvel::HalfPi)); // y turns into -x
    root.update();
    EXPECT_FALSE(root.isDirty());
    expectNear(Vector3(4.0f, 0.0f, 0.0f), translationOf(root.getWorld()), "root");
    expectNear(Vector3(3.0f, 0.0f, 0.0f), translationOf(child->getWorld()), "child");

    root.setPosition(Vector3(-4.0f, 0.0f, 0.0f));
    root.updateAll();
    expectNear(Vector3(-5.0f, 0.0f, 0.0f), translationOf(child->getWorld()), "child after updateAll");
}

TEST(ThingTest, DetachUnlinksFirstMiddleAndLastChildKeepingTheOthers)
{
    struct Case {
        int detached; // index in the list B, C, D, E (newest first)
        std::vector<int> left;
    } const cases[] = {{0, {1, 2, 3}}, {1, {0, 2, 3}}, {2, {0, 1, 3}}, {3, {0, 1, 2}}};
    for (const Case& c : cases) {
        Thing parent;
        std::vector<Thing*> list;
        for (int i = 0; i < 4; ++i)
            new Thing(&parent);
        list = children(parent);
        Thing* detached = list[c.detached];
        detached->detach();

        std::vector<Thing*> expected;
        for (int i : c.left)
            expected.push_back(list[i]);
        EXPECT_EQ(expected, children(parent)) << "detaching entry " << c.detached;
        EXPECT_EQ(nullptr, detached->getParent());
        EXPECT_EQ(nullptr, detached->getNextSibling());
        detached->detach(); // a root: nothing happens
        delete detached;    // the caller owns it now
        EXPECT_EQ(expected, children(parent)) << "deleting the detached thing leaves the parent alone";
    }
}

TEST(ThingTest, DeletingAThingDeletesItsSubtreeAndLeavesItsParent)
{
    std::vector<std::string> notes;
    Thing root;
    Thing* a = new NotingThing("A", notes, &root);
    Thing* b = new NotingThing("B", notes, &root);
    Thing* b1 = new NotingThing("B1", notes, b);
    new NotingThing("B1x", notes, b1);
    new NotingThing("B2", notes, b);

    delete b;
    // Each thing notes its destruction before its children go.
    EXPECT_EQ((std::vector<std::string>{"~B", "~B2", "~B1", "~B1x"}), notes);
    EXPECT_EQ((std::vector<Thing*>{a}), children(root));

    notes.clear();
    {
        Quorvel::Scene scene;
        Thing* c = new NotingThing("C", notes, scene.getRoot());
        new NotingThing("C1", notes, c);
    }
    EXPECT_EQ((std::vector<std::string>{"~C", "~C1"}), notes) << "the scene deletes everything in it";
}

TEST(ThingTest, AddChildMovesAChildFromItsOldParentAndRefusesCycles)
{
    Thing first, second;
    Thing* x = new Thing(&first);
    Thing* y = new Thing(&first);
    EXPECT_TRUE(second.addChild(y));
    EXPECT_EQ((std::vector<Thing*>{x}), children(first));
    EXPECT_EQ((std::vector<Thing*>{y}), children(second));
    EXPECT_EQ(&second, y->getParent());

    Thing* grandchild = new Thing(y);
    EXPECT_FALSE(grandchild->addChild(&second)) << "an ancestor cannot become a child";
    EXPECT_FALSE(y->addChild(y));
    EXPECT_FALSE(y->addChild(nullptr));
    EXPECT_EQ((std::vector<Thing*>{grandchild}), children(*y));
    EXPECT_EQ(nullptr, second.getParent());
}

} // namespace
