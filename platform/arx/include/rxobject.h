// AcRxObject: the root of every runtime class, with run-time type identification.
#pragma once
#include "acadstrc.h"
#include "adesk.h"
#include "rxdefs.h"

class AcRxClass;

class ACAD_PORT AcRxObject {
public:
    virtual ~AcRxObject();

    static AcRxClass* desc();
    static AcRxObject* cast(const AcRxObject* inPtr) { return const_cast<AcRxObject*>(inPtr); }

    virtual AcRxClass* isA() const;
    bool isKindOf(const AcRxClass* aClass) const;

    // Protocol extension: the object registered for this object's class (or a parent's)
    // under the protocol class, or null.
    AcRxObject* queryX(const AcRxClass* protocolClass) const;
    virtual AcRxObject* x(const AcRxClass* protocolClass) const;

    virtual AcRxObject* clone() const;
    virtual Acad::ErrorStatus copyFrom(const AcRxObject* other);
    virtual bool isEqualTo(const AcRxObject* other) const;

protected:
    AcRxObject() = default;
};
