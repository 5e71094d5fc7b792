// AcDbObjectId and its four reference kinds. An id names one object of one database for the
// life of that database: it stays valid (and keeps answering isErased, handle, database)
// after the object is erased, un-appended or converted to a proxy.
#pragma once
#include <cstddef>
#include <functional>

#include "adesk.h"
#include "dbhandle.h"

class AcDbDatabase;
class AcDbStub;

class ACAD_PORT AcDbObjectId {
public:
    AcDbObjectId() = default;
    explicit AcDbObjectId(AcDbStub* stub) : mId(stub) {}

    static const AcDbObjectId kNull;

    bool isNull() const { return mId == nullptr; }
    void setNull() { mId = nullptr; }
    // True when the id names an object of a live database (not for the null id).
    bool isValid() const;
    bool isErased() const;
    bool isEffectivelyErased() const { return isErased(); }
    bool objectLeftOnDisk() const { return false; }
    AcDbHandle handle() const;
    AcDbDatabase* database() const;

    // The id as a number (what an ads_name holds) and back.
    long asOldId() const { return reinterpret_cast<long>(mId); }
    AcDbObjectId& setFromOldId(long oldId)
    {
        mId = reinterpret_cast<AcDbStub*>(oldId);
        return *this;
    }

    bool operator==(const AcDbObjectId& o) const { return mId == o.mId; }
    bool operator!=(const AcDbObjectId& o) const { return mId != o.mId; }
    bool operator<(const AcDbObjectId& o) const { return std::less<const AcDbStub*>()(mId, o.mId); }
    bool operator>(const AcDbObjectId& o) const { return o < *this; }
    bool operator<=(const AcDbObjectId& o) const { return !(o < *this); }
    bool operator>=(const AcDbObjectId& o) const { return !(*this < o); }

    operator AcDbStub*() const { return mId; }
    AcDbStub* stub() const { return mId; }

protected:
    AcDbStub* mId = nullptr;
};

// A reference that makes its target part of the referring object (copied and erased with it).
class ACAD_PORT AcDbHardOwnershipId : public AcDbObjectId {
public:
    AcDbHardOwnershipId() = default;
    AcDbHardOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}
    AcDbHardOwnershipId& operator=(const AcDbObjectId& id)
    {
        mId = id.stub();
        return *this;
    }
};

// Ownership that does not keep the target alive (dictionaries' entries, for instance).
class ACAD_PORT AcDbSoftOwnershipId : public AcDbObjectId {
public:
    AcDbSoftOwnershipId() = default;
    AcDbSoftOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}
    AcDbSoftOwnershipId& operator=(const AcDbObjectId& id)
    {
        mId = id.stub();
        return *this;
    }
};

// A reference the target must exist for (an entity's layer): wblock clones follow it.
class ACAD_PORT AcDbHardPointerId : public AcDbObjectId {
public:
    AcDbHardPointerId() = default;
    AcDbHardPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}
    AcDbHardPointerId& operator=(const AcDbObjectId& id)
    {
        mId = id.stub();
        return *this;
    }
};

// A plain reference: clones keep it (deep clone) or drop it when the target is not copied.
class ACAD_PORT AcDbSoftPointerId : public AcDbObjectId {
public:
    AcDbSoftPointerId() = default;
    AcDbSoftPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}
    AcDbSoftPointerId& operator=(const AcDbObjectId& id)
    {
        mId = id.stub();
        return *this;
    }
};

template <>
struct std::hash<AcDbObjectId> {
    std::size_t operator()(const AcDbObjectId& id) const noexcept { return std::hash<const void*>()(id.stub()); }
};
