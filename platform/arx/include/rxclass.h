// AcRxClass: the runtime class descriptor, the class dictionary and class registration.
#pragma once
#include <string>
#include "rxobject.h"

typedef AcRxObject* (*AcRxPseudoConstructor)();

class ACAD_PORT AcRxClass : public AcRxObject {
public:
    AcRxClass(const char* name, AcRxClass* parent, int dwgVersion, int maintenanceVersion, int proxyFlags,
              AcRxPseudoConstructor constructor, const char* dxfName, const char* appName);
    ~AcRxClass() override;

    static AcRxClass* desc();
    AcRxClass* isA() const override;

    const char* name() const { return name_.c_str(); }
    const char* dxfName() const { return dxfName_.c_str(); }
    const char* appName() const { return appName_.c_str(); }
    int proxyFlags() const { return proxyFlags_; }
    int dwgVersion() const { return dwgVersion_; }
    int maintenanceVersion() const { return maintenanceVersion_; }
    AcRxClass* myParent() const { return parent_; }
    bool isDerivedFrom(const AcRxClass* other) const;
    AcRxObject* create() const { return constructor_ ? constructor_() : nullptr; }

    // Protocol extensions: attach an object that serves this class for a protocol class.
    AcRxObject* addX(AcRxClass* protocolClass, AcRxObject* extension);
    AcRxObject* getX(const AcRxClass* protocolClass) const;
    AcRxObject* delX(AcRxClass* protocolClass);
    // The extension this class, or else its nearest parent, has for the protocol class (not
    // the extensions of AcRxClass itself, which AcRxObject::queryX would look at).
    AcRxObject* queryX(const AcRxClass* protocolClass) const;

    // Internal: the parent is resolved by name when the hierarchy is built.
    const std::string& parentName() const { return parentName_; }
    void setParent(AcRxClass* parent) { parent_ = parent; }
    void setParentName(const char* name) { parentName_ = name ? name : ""; }

private:
    std::string name_;
    std::string parentName_;
    std::string dxfName_;
    std::string appName_;
    AcRxClass* parent_;
    int dwgVersion_;
    int maintenanceVersion_;
    int proxyFlags_;
    AcRxPseudoConstructor constructor_;
    struct Extensions;
    Extensions* extensions_;
};

// Registers a class under its name in the class dictionary. The parent is named and
// bound by acrxBuildClassHierarchy.
ACAD_PORT AcRxClass* newAcRxClass(const char* className, const char* parentClassName, int proxyFlags = 0,
                                  AcRxPseudoConstructor pseudoConstructor = nullptr, const char* dxfName = nullptr,
                                  const char* appName = nullptr);
ACAD_PORT AcRxClass* newAcRxClass(const char* className, const char* parentClassName, int dwgVersion,
                                  int maintenanceVersion, int proxyFlags, AcRxPseudoConstructor pseudoConstructor,
                                  const char* dxfName, const char* appName);
ACAD_PORT void deleteAcRxClass(AcRxClass* classObj);
ACAD_PORT void acrxBuildClassHierarchy();

// Changes whenever a class is deleted, so cached descriptors can be checked. Every class's
// desc() reads it (a cast asks for it), so it is read in place rather than through a call.
namespace arx::rx {
ACAD_PORT extern unsigned classGeneration;
}
inline unsigned acrxClassGeneration() { return arx::rx::classGeneration; }

// Looks a class up by its C++ class name, or by its DXF name.
ACAD_PORT AcRxClass* acrxFindClass(const char* className);
ACAD_PORT AcRxClass* acrxFindClassByDxfName(const char* dxfName);

// Observers of class registration (the database turns proxies back into objects when their
// class arrives, and objects into proxies when it leaves).
class ACAD_PORT AcRxClassObserver {
public:
    virtual ~AcRxClassObserver() = default;
    virtual void classAdded(AcRxClass* cls) {}
    virtual void classRemoving(AcRxClass* cls) {}
};
ACAD_PORT void acrxAddClassObserver(AcRxClassObserver* observer);
ACAD_PORT void acrxRemoveClassObserver(AcRxClassObserver* observer);
