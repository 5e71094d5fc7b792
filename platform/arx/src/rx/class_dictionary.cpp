#include "rx/class_dictionary.h"

#include <algorithm>
#include <strings.h>

#include "rxclass.h"

namespace arx::rx {

ClassDictionary& ClassDictionary::instance()
{
    static ClassDictionary dictionary;
    return dictionary;
}

ClassDictionary::ClassDictionary()
{
    // The two root classes exist before any module is loaded.
    auto* root =
        ownClasses_.emplace_back(std::make_unique<AcRxClass>("AcRxObject", nullptr, 0, 0, 0, nullptr, nullptr, nullptr))
            .get();
    classes_[root->name()] = root;
    auto* meta =
        ownClasses_.emplace_back(std::make_unique<AcRxClass>("AcRxClass", root, 0, 0, 0, nullptr, nullptr, nullptr))
            .get();
    meta->setParentName("AcRxObject");
    classes_[meta->name()] = meta;
}

ClassDictionary::~ClassDictionary() = default;

AcRxClass* ClassDictionary::find(const std::string& name) const
{
    auto it = classes_.find(name);
    return it == classes_.end() ? nullptr : it->second;
}

AcRxClass* ClassDictionary::findByDxfName(const std::string& dxfName) const
{
    if (dxfName.empty()) return nullptr;
    for (const auto& [name, cls] : classes_)
        if (strcasecmp(cls->dxfName(), dxfName.c_str()) == 0) return cls;
    return nullptr;
}

AcRxClass* ClassDictionary::add(AcRxClass* cls)
{
    auto [it, inserted] = classes_.emplace(cls->name(), cls);
    if (!inserted) return it->second;
    for (AcRxClassObserver* observer : std::vector(observers_)) observer->classAdded(cls);
    return cls;
}

void ClassDictionary::remove(AcRxClass* cls)
{
    auto it = classes_.find(cls->name());
    if (it == classes_.end() || it->second != cls) return;
    for (AcRxClassObserver* observer : std::vector(observers_)) observer->classRemoving(cls);
    classes_.erase(it);
    for (auto& [name, other] : classes_)
        if (other->myParent() == cls) other->setParent(nullptr);
    ++classGeneration;
}

void ClassDictionary::bindParents()
{
    for (auto& [name, cls] : classes_)
        if (!cls->parentName().empty()) cls->setParent(find(cls->parentName()));
}

std::vector<AcRxClass*> ClassDictionary::classes() const
{
    std::vector<AcRxClass*> all;
    for (const auto& [name, cls] : classes_) all.push_back(cls);
    return all;
}

void ClassDictionary::addObserver(AcRxClassObserver* observer)
{
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
}

void ClassDictionary::removeObserver(AcRxClassObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace arx::rx
