// Runtime classes as modules register them: by name with a parent named (bound when the
// hierarchy is built, even if the parent comes later), found by name and by DXF name, gone
// with deleteAcRxClass (observers told, the generation moved on), and protocol extensions
// found through the parents of an object's class.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rxclass.h"
#include "rxobject.h"

namespace {

class Recorder : public AcRxClassObserver {
public:
    std::vector<std::string> events;
    void classAdded(AcRxClass* cls) override { events.push_back(std::string("added ") + cls->name()); }
    void classRemoving(AcRxClass* cls) override { events.push_back(std::string("removing ") + cls->name()); }
};

// An object of a class given at run time.
class Instance : public AcRxObject {
public:
    explicit Instance(AcRxClass* cls) : cls_(cls) {}
    AcRxClass* isA() const override { return cls_; }

private:
    AcRxClass* cls_;
};

class Extension : public AcRxObject {};

}  // namespace

TEST(ClassRegistration, AParentRegisteredLaterIsBoundWhenTheHierarchyIsBuilt)
{
    Recorder recorder;
    acrxAddClassObserver(&recorder);
    AcRxClass* child = newAcRxClass("RxTestChild", "RxTestParent", 0, nullptr, "RXTESTCHILD", "RxTestApp");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->myParent(), nullptr);
    AcRxClass* parent = newAcRxClass("RxTestParent", "AcRxObject");
    acrxBuildClassHierarchy();
    EXPECT_EQ(child->myParent(), parent);
    EXPECT_TRUE(child->isDerivedFrom(parent));
    EXPECT_TRUE(child->isDerivedFrom(AcRxObject::desc()));
    EXPECT_FALSE(parent->isDerivedFrom(child));
    EXPECT_TRUE(Instance(child).isKindOf(parent));
    EXPECT_FALSE(Instance(parent).isKindOf(child));

    // A second registration under the same name is the first class.
    EXPECT_EQ(newAcRxClass("RxTestChild", "AcRxObject"), child);
    EXPECT_EQ(acrxFindClass("RxTestChild"), child);
    EXPECT_EQ(acrxFindClassByDxfName("rxtestchild"), child);  // DXF names match without case
    EXPECT_STREQ(child->appName(), "RxTestApp");

    const unsigned generation = acrxClassGeneration();
    deleteAcRxClass(parent);
    EXPECT_NE(acrxClassGeneration(), generation);
    EXPECT_EQ(acrxFindClass("RxTestParent"), nullptr);
    EXPECT_EQ(child->myParent(), nullptr);  // no dangling parent
    deleteAcRxClass(child);
    EXPECT_EQ(acrxFindClassByDxfName("RXTESTCHILD"), nullptr);
    acrxRemoveClassObserver(&recorder);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"added RxTestChild", "added RxTestParent",
                                                         "removing RxTestParent", "removing RxTestChild"}));
}

TEST(ClassRegistration, ProtocolExtensionsAreFoundThroughTheParentsOfTheClass)
{
    AcRxClass* protocol = newAcRxClass("RxTestProtocol", "AcRxObject");
    AcRxClass* base = newAcRxClass("RxTestBase", "AcRxObject");
    AcRxClass* derived = newAcRxClass("RxTestDerived", "RxTestBase");
    acrxBuildClassHierarchy();
    Extension forBase, forDerived;
    EXPECT_EQ(base->addX(protocol, &forBase), nullptr);
    const Instance object(derived);
    EXPECT_EQ(object.queryX(protocol), &forBase);
    EXPECT_EQ(derived->addX(protocol, &forDerived), nullptr);
    EXPECT_EQ(object.queryX(protocol), &forDerived);
    EXPECT_EQ(object.x(protocol), &forDerived);
    EXPECT_EQ(derived->delX(protocol), &forDerived);
    EXPECT_EQ(object.queryX(protocol), &forBase);
    EXPECT_EQ(base->delX(protocol), &forBase);
    EXPECT_EQ(object.queryX(protocol), nullptr);
    EXPECT_EQ(base->delX(protocol), nullptr);
    for (AcRxClass* cls : {derived, base, protocol}) deleteAcRxClass(cls);
}
