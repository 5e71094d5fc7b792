// The profile manager and its reactor.
#pragma once
#include "adesk.h"
#include "rxobject.h"

class ACAD_PORT AcApProfileManagerReactor : public AcRxObject {
public:
    virtual void currentProfileWillChange(const char* newProfile) {}
    virtual void currentProfileChanged(const char* newProfile) {}
    virtual void currentProfileWillBeReset(const char* currentProfile) {}
    virtual void currentProfileReset(const char* currentProfile) {}
    virtual void currentProfileWillBeSaved(const char* currentProfile) {}
    virtual void currentProfileSaved(const char* currentProfile) {}
    virtual void profileWillReset(const char* profileName) {}
    virtual void profileReset(const char* profileName) {}
};

class ACAD_PORT AcApProfileManager {
public:
    virtual ~AcApProfileManager() = default;
    virtual void addReactor(AcApProfileManagerReactor* reactor) = 0;
    virtual void removeReactor(AcApProfileManagerReactor* reactor) = 0;
    virtual const char* currentProfileName() const = 0;
    // Makes another profile current and notifies the reactors.
    virtual bool setCurrentProfile(const char* name) = 0;
};
ACAD_PORT AcApProfileManager* acProfileManagerPtr();
#define acProfileManager (acProfileManagerPtr())
