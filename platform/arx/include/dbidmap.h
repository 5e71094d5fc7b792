// AcDbIdMapping: the (original id, copy id) pairs of one clone operation.
#pragma once
#include "acdb.h"
#include "dbid.h"
#include "rxobject.h"

class AcDbDatabase;
namespace arx::db {
struct IdMap;
}

class ACAD_PORT AcDbIdPair {
public:
    AcDbIdPair() = default;
    AcDbIdPair(AcDbObjectId key, AcDbObjectId value, bool isCloned, bool isPrimary = false, bool isOwnerXlated = true)
        : mKey(key), mValue(value), mCloned(isCloned), mPrimary(isPrimary), mOwnerXlated(isOwnerXlated)
    {}

    AcDbObjectId key() const { return mKey; }
    AcDbObjectId value() const { return mValue; }
    bool isCloned() const { return mCloned; }
    bool isPrimary() const { return mPrimary; }
    bool isOwnerXlated() const { return mOwnerXlated; }
    void setKey(AcDbObjectId key) { mKey = key; }
    void setValue(AcDbObjectId value) { mValue = value; }
    void setIsCloned(bool isCloned) { mCloned = isCloned; }
    void setIsPrimary(bool isPrimary) { mPrimary = isPrimary; }
    void setIsOwnerXlated(bool isOwnerXlated) { mOwnerXlated = isOwnerXlated; }

private:
    AcDbObjectId mKey;
    AcDbObjectId mValue;
    bool mCloned = false;
    bool mPrimary = false;
    bool mOwnerXlated = true;
};

class ACAD_PORT AcDbIdMapping : public AcRxObject {
public:
    AcDbIdMapping();
    ~AcDbIdMapping() override;
    AcDbIdMapping(const AcDbIdMapping&) = delete;
    AcDbIdMapping& operator=(const AcDbIdMapping&) = delete;

    // Adds or replaces the pair of the pair's key.
    Acad::ErrorStatus assign(const AcDbIdPair& pair);
    // Fills pair (looked up by its key); false when the key is not mapped.
    bool compute(AcDbIdPair& pair) const;
    bool change(const AcDbIdPair& pair);
    bool del(AcDbObjectId key);

    Acad::ErrorStatus destDb(AcDbDatabase*& db) const;
    Acad::ErrorStatus setDestDb(AcDbDatabase* db);
    Acad::ErrorStatus origDb(AcDbDatabase*& db) const;
    AcDb::DeepCloneType deepCloneContext() const;
    AcDb::DuplicateRecordCloning duplicateRecordCloning() const;

    // Internal.
    arx::db::IdMap& map() const { return *mpMap; }

private:
    arx::db::IdMap* mpMap;
};

class ACAD_PORT AcDbIdMappingIter : public AcRxObject {
public:
    explicit AcDbIdMappingIter(const AcDbIdMapping& map);
    ~AcDbIdMappingIter() override;
    Acad::ErrorStatus iterateOn(const AcDbIdMapping& map);
    void start();
    bool getMap(AcDbIdPair& pair);
    bool next();
    bool done();

private:
    const AcDbIdMapping* mpMapping;
    unsigned long mIndex = 0;
};
