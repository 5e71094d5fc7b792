// AcRxClass, AcRxObject and the class registration calls.
#include <map>

#include "rx/class_dictionary.h"
#include "rxclass.h"

using arx::rx::ClassDictionary;

struct AcRxClass::Extensions {
    std::map<const AcRxClass*, AcRxObject*> byProtocol;
};

AcRxClass::AcRxClass(const char* name, AcRxClass* parent, int dwgVersion, int maintenanceVersion, int proxyFlags,
                     AcRxPseudoConstructor constructor, const char* dxfName, const char* appName)
    : name_(name ? name : ""), parentName_(parent ? parent->name() : ""), dxfName_(dxfName ? dxfName : ""),
      appName_(appName ? appName : ""), parent_(parent), dwgVersion_(dwgVersion),
      maintenanceVersion_(maintenanceVersion), proxyFlags_(proxyFlags), constructor_(constructor),
      extensions_(new Extensions)
{}

AcRxClass::~AcRxClass() { delete extensions_; }

AcRxClass* AcRxClass::desc() { return ClassDictionary::instance().find("AcRxClass"); }
AcRxClass* AcRxClass::isA() const { return AcRxClass::desc(); }

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const
{
    for (const AcRxClass* cls = this; cls != nullptr; cls = cls->myParent())
        if (cls == other) return true;
    return false;
}

AcRxObject* AcRxClass::addX(AcRxClass* protocolClass, AcRxObject* extension)
{
    AcRxObject*& slot = extensions_->byProtocol[protocolClass];
    AcRxObject* previous = slot;
    slot = extension;
    return previous;
}

AcRxObject* AcRxClass::getX(const AcRxClass* protocolClass) const
{
    auto it = extensions_->byProtocol.find(protocolClass);
    return it == extensions_->byProtocol.end() ? nullptr : it->second;
}

AcRxObject* AcRxClass::queryX(const AcRxClass* protocolClass) const
{
    for (const AcRxClass* cls = this; cls != nullptr; cls = cls->myParent())
        if (AcRxObject* extension = cls->getX(protocolClass)) return extension;
    return nullptr;
}

AcRxObject* AcRxClass::delX(AcRxClass* protocolClass)
{
    auto it = extensions_->byProtocol.find(protocolClass);
    if (it == extensions_->byProtocol.end()) return nullptr;
    AcRxObject* previous = it->second;
    extensions_->byProtocol.erase(it);
    return previous;
}

AcRxObject::~AcRxObject() = default;

AcRxClass* AcRxObject::desc() { return ClassDictionary::instance().find("AcRxObject"); }
AcRxClass* AcRxObject::isA() const { return AcRxObject::desc(); }

bool AcRxObject::isKindOf(const AcRxClass* aClass) const
{
    const AcRxClass* mine = isA();
    return mine != nullptr && aClass != nullptr && mine->isDerivedFrom(aClass);
}

AcRxObject* AcRxObject::queryX(const AcRxClass* protocolClass) const
{
    for (const AcRxClass* cls = isA(); cls != nullptr; cls = cls->myParent())
        if (AcRxObject* extension = cls->getX(protocolClass)) return extension;
    return nullptr;
}

AcRxObject* AcRxObject::x(const AcRxClass* protocolClass) const { return queryX(protocolClass); }
AcRxObject* AcRxObject::clone() const { return nullptr; }
Acad::ErrorStatus AcRxObject::copyFrom(const AcRxObject*) { return Acad::eNotApplicable; }
bool AcRxObject::isEqualTo(const AcRxObject* other) const { return this == other; }

AcRxClass* newAcRxClass(const char* className, const char* parentClassName, int proxyFlags,
                        AcRxPseudoConstructor pseudoConstructor, const char* dxfName, const char* appName)
{
    return newAcRxClass(className, parentClassName, 0, 0, proxyFlags, pseudoConstructor, dxfName, appName);
}

AcRxClass* newAcRxClass(const char* className, const char* parentClassName, int dwgVersion, int maintenanceVersion,
                        int proxyFlags, AcRxPseudoConstructor pseudoConstructor, const char* dxfName,
                        const char* appName)
{
    auto& dictionary = ClassDictionary::instance();
    if (className == nullptr) return nullptr;
    if (AcRxClass* existing = dictionary.find(className)) return existing;
    auto* cls = new AcRxClass(className, dictionary.find(parentClassName ? parentClassName : ""), dwgVersion,
                              maintenanceVersion, proxyFlags, pseudoConstructor, dxfName, appName);
    cls->setParentName(parentClassName);
    return dictionary.add(cls);
}

void deleteAcRxClass(AcRxClass* classObj)
{
    if (classObj == nullptr) return;
    ClassDictionary::instance().remove(classObj);
    delete classObj;
}

void acrxBuildClassHierarchy() { ClassDictionary::instance().bindParents(); }
namespace arx::rx {
unsigned classGeneration = 1;
}
AcRxClass* acrxFindClass(const char* className)
{
    return className ? ClassDictionary::instance().find(className) : nullptr;
}
AcRxClass* acrxFindClassByDxfName(const char* dxfName)
{
    return dxfName ? ClassDictionary::instance().findByDxfName(dxfName) : nullptr;
}
void acrxAddClassObserver(AcRxClassObserver* observer) { ClassDictionary::instance().addObserver(observer); }
void acrxRemoveClassObserver(AcRxClassObserver* observer) { ClassDictionary::instance().removeObserver(observer); }
