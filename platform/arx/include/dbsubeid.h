// Sub-entity ids and paths: a face, edge or vertex of an entity, reached through a path of
// object ids (the entity, preceded by the block references it is seen through).
#pragma once
#include "acdb.h"
#include "dbidar.h"

class ACAD_PORT AcDbSubentId {
public:
    AcDbSubentId() = default;
    AcDbSubentId(AcDb::SubentType type, long index) : mType(type), mIndex(index) {}
    AcDb::SubentType type() const { return mType; }
    void setType(AcDb::SubentType type) { mType = type; }
    long index() const { return mIndex; }
    void setIndex(long index) { mIndex = index; }
    bool operator==(const AcDbSubentId& o) const { return mType == o.mType && mIndex == o.mIndex; }
    bool operator!=(const AcDbSubentId& o) const { return !(*this == o); }

private:
    AcDb::SubentType mType = AcDb::kNullSubentType;
    long mIndex = 0;
};

class ACAD_PORT AcDbFullSubentPath {
public:
    AcDbFullSubentPath() = default;
    AcDbFullSubentPath(AcDb::SubentType type, long index) : mSubent(type, index) {}
    AcDbFullSubentPath(AcDbObjectId entId, AcDb::SubentType type, long index) : mSubent(type, index)
    {
        mIds.append(entId);
    }
    AcDbFullSubentPath(AcDbObjectId entId, AcDbSubentId subId) : mSubent(subId) { mIds.append(entId); }
    AcDbFullSubentPath(const AcDbObjectIdArray& objectIds, AcDbSubentId subId) : mIds(objectIds), mSubent(subId) {}

    void objectIds(AcDbObjectIdArray& objectIds) const { objectIds = mIds; }
    AcDbObjectIdArray& objectIds() { return mIds; }
    const AcDbObjectIdArray& objectIds() const { return mIds; }
    const AcDbSubentId subentId() const { return mSubent; }
    AcDbSubentId& subentId() { return mSubent; }
    bool operator==(const AcDbFullSubentPath& o) const { return mIds == o.mIds && mSubent == o.mSubent; }
    bool operator!=(const AcDbFullSubentPath& o) const { return !(*this == o); }

private:
    AcDbObjectIdArray mIds;
    AcDbSubentId mSubent;
};

extern ACAD_PORT const AcDbFullSubentPath kNullSubent;
