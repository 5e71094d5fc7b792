// The process-wide dictionary of runtime classes, keyed by class name.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "rxclass.h"

class AcRxClass;
class AcRxClassObserver;

namespace arx::rx {

class ClassDictionary {
public:
    static ClassDictionary& instance();

    AcRxClass* find(const std::string& name) const;
    AcRxClass* findByDxfName(const std::string& dxfName) const;
    // Adds a class; an existing class of the same name is kept and returned instead.
    AcRxClass* add(AcRxClass* cls);
    void remove(AcRxClass* cls);
    void bindParents();
    unsigned generation() const { return classGeneration; }
    std::vector<AcRxClass*> classes() const;

    void addObserver(AcRxClassObserver* observer);
    void removeObserver(AcRxClassObserver* observer);

private:
    ClassDictionary();
    ~ClassDictionary();
    std::map<std::string, AcRxClass*> classes_;
    std::vector<std::unique_ptr<AcRxClass>> ownClasses_;  // the roots, which no module deletes
    std::vector<AcRxClassObserver*> observers_;
};

}  // namespace arx::rx
