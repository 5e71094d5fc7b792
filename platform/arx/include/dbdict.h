// AcDbDictionary: a container of objects by key. Keys are compared without regard to case
// and keep the case they were given. A dictionary owns its entries (hard ownership unless
// setTreatElementsAsHard(false) makes it a soft owner for cloning).
#pragma once
#include "dbmain.h"

class AcDbDictionaryIterator;

class ACAD_PORT AcDbDictionary : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDictionary);
    AcDbDictionary();
    ~AcDbDictionary() override;

    Acad::ErrorStatus getAt(const char* entryName, AcDbObject*& entryObj, AcDb::OpenMode mode) const;
    Acad::ErrorStatus getAt(const char* entryName, AcDbObjectId& entryId) const;
    // The key of an entry; allocated with new[], the caller releases it with delete[].
    Acad::ErrorStatus nameAt(AcDbObjectId objId, char*& name) const;
    bool has(const char* entryName) const;
    bool has(AcDbObjectId objId) const;
    Adesk::UInt32 numEntries() const;

    // Unlinks the entry: the object is neither erased nor given another owner (erase it or
    // add it elsewhere).
    Acad::ErrorStatus remove(const char* key);
    Acad::ErrorStatus remove(const char* key, AcDbObjectId& returnId);
    Acad::ErrorStatus remove(AcDbObjectId objId);
    Acad::ErrorStatus setName(const char* oldName, const char* newName);
    // Adds newValue under key (adding it to the database when it is not in one yet) and makes
    // the dictionary its owner. An older entry under that key is erased and replaced.
    Acad::ErrorStatus setAt(const char* srchKey, AcDbObject* newValue, AcDbObjectId& retObjId);

    bool isTreatElementsAsHard() const;
    void setTreatElementsAsHard(bool doIt);
    AcDb::DuplicateRecordCloning mergeStyle() const;
    void setMergeStyle(AcDb::DuplicateRecordCloning style);

    // kDictSorted walks the keys in alphabetical order (without regard to case),
    // kDictCollated in the order they were added. The caller deletes the iterator.
    AcDbDictionaryIterator* newIterator(AcRx::DictIterType type = AcRx::kDictSorted) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

    // Internal: the entries in the order they were added.
    struct Entries;
    const Entries& entries() const { return *mpEntries; }

private:
    Entries* mpEntries;
};

// A dictionary with a default entry (ACAD_PLOTSTYLENAME: "Normal" is the default plot style).
class ACAD_PORT AcDbDictionaryWithDefault : public AcDbDictionary {
public:
    ACRX_DECLARE_MEMBERS(AcDbDictionaryWithDefault);
    AcDbDictionaryWithDefault();
    ~AcDbDictionaryWithDefault() override;

    Acad::ErrorStatus setDefaultId(const AcDbObjectId& newId);
    AcDbObjectId defaultId() const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    AcDbObjectId mDefault;
};

// An object without data that a dictionary entry can name (the "Normal" plot style).
class ACAD_PORT AcDbPlaceHolder : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbPlaceHolder);
    AcDbPlaceHolder();
    ~AcDbPlaceHolder() override;
};

class ACAD_PORT AcDbDictionaryIterator : public AcRxObject {
public:
    ~AcDbDictionaryIterator() override;
    const char* name() const;
    Acad::ErrorStatus getObject(AcDbObject*& pObject, AcDb::OpenMode mode);
    AcDbObjectId objectId() const;
    bool done() const;
    bool next();
    bool setPosition(AcDbObjectId objId);

private:
    friend class AcDbDictionary;
    AcDbDictionaryIterator() = default;
    struct Position;
    Position* mpPos = nullptr;
};
