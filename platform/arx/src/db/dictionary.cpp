// AcDbDictionary and its iterator.
#include "dbdict.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/enum_values.h"
#include "db/object_state.h"
#include "db/symbol_lookup.h"

struct AcDbDictionary::Entries {
    struct Entry {
        std::string key;
        AcDbObjectId id;
    };
    std::vector<Entry> order;
    bool hardOwner = false;
    AcDb::DuplicateRecordCloning merge = AcDb::kDrcIgnore;

    static std::string fold(const char* key)
    {
        std::string folded = key ? key : "";
        for (char& c : folded) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return folded;
    }
    long find(const char* key) const
    {
        for (std::size_t i = 0; i < order.size(); ++i)
            if (strcasecmp(order[i].key.c_str(), key) == 0) return static_cast<long>(i);
        return -1;
    }
    long find(AcDbObjectId id) const
    {
        for (std::size_t i = 0; i < order.size(); ++i)
            if (order[i].id == id) return static_cast<long>(i);
        return -1;
    }
    // An entry counts while its object is part of the drawing and not erased.
    static bool present(AcDbObjectId id) { return !id.isNull() && id.stub()->isLive() && !id.isErased(); }
};

struct AcDbDictionaryIterator::Position {
    std::vector<AcDbDictionary::Entries::Entry> entries;
    std::size_t index = 0;

    void fill(const AcDbDictionary::Entries& from, AcRx::DictIterType type)
    {
        for (const auto& e : from.order)
            if (AcDbDictionary::Entries::present(e.id)) entries.push_back(e);
        if (type == AcRx::kDictSorted)
            std::stable_sort(entries.begin(), entries.end(),
                             [](const auto& a, const auto& b) { return strcasecmp(a.key.c_str(), b.key.c_str()) < 0; });
    }
    void settle()
    {
        while (index < entries.size() && !AcDbDictionary::Entries::present(entries[index].id)) ++index;
    }
};

namespace arx::db {

AcDbObjectId findEntry(AcDbObjectId dictionaryId, const char* key)
{
    if (key == nullptr || dictionaryId.isNull() || dictionaryId.stub()->object == nullptr) return AcDbObjectId();
    const AcDbDictionary* dict = AcDbDictionary::cast(dictionaryId.stub()->object);
    if (dict == nullptr) return AcDbObjectId();
    long i = dict->entries().find(key);
    if (i < 0) return AcDbObjectId();
    AcDbObjectId id = dict->entries().order[static_cast<std::size_t>(i)].id;
    return AcDbDictionary::Entries::present(id) ? id : AcDbObjectId();
}

}  // namespace arx::db

ACRX_DEFINE_MEMBERS_COMMON(AcDbDictionary)
static AcRxObject* makeAcDbDictionary() { return new AcDbDictionary(); }
void AcDbDictionary::rxInit()
{
    gpDesc = newAcRxClass("AcDbDictionary", "AcDbObject", 0, 0, 0, makeAcDbDictionary, "DICTIONARY", "");
}

AcDbDictionary::AcDbDictionary() : mpEntries(new Entries) {}
AcDbDictionary::~AcDbDictionary() { delete mpEntries; }

Acad::ErrorStatus AcDbDictionary::getAt(const char* entryName, AcDbObjectId& entryId) const
{
    assertReadEnabled();
    entryId.setNull();
    if (entryName == nullptr) return Acad::eInvalidKey;
    long i = mpEntries->find(entryName);
    if (i < 0) return Acad::eKeyNotFound;
    AcDbObjectId id = mpEntries->order[static_cast<std::size_t>(i)].id;
    if (!Entries::present(id)) return Acad::eKeyNotFound;
    entryId = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::getAt(const char* entryName, AcDbObject*& entryObj, AcDb::OpenMode mode) const
{
    entryObj = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(entryName, id);
    if (es != Acad::eOk) return es;
    return acdbOpenAcDbObject(entryObj, id, mode);
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId objId, char*& name) const
{
    assertReadEnabled();
    name = nullptr;
    long i = mpEntries->find(objId);
    if (i < 0) return Acad::eKeyNotFound;
    const std::string& key = mpEntries->order[static_cast<std::size_t>(i)].key;
    name = new char[key.size() + 1];
    std::memcpy(name, key.c_str(), key.size() + 1);
    return Acad::eOk;
}

bool AcDbDictionary::has(const char* entryName) const
{
    AcDbObjectId id;
    return getAt(entryName, id) == Acad::eOk;
}

bool AcDbDictionary::has(AcDbObjectId objId) const
{
    assertReadEnabled();
    return mpEntries->find(objId) >= 0 && Entries::present(objId);
}

Adesk::UInt32 AcDbDictionary::numEntries() const
{
    assertReadEnabled();
    Adesk::UInt32 count = 0;
    for (const auto& e : mpEntries->order)
        if (Entries::present(e.id)) ++count;
    return count;
}

Acad::ErrorStatus AcDbDictionary::remove(const char* key)
{
    AcDbObjectId id;
    return remove(key, id);
}

Acad::ErrorStatus AcDbDictionary::remove(const char* key, AcDbObjectId& returnId)
{
    returnId.setNull();
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (key == nullptr) return Acad::eInvalidKey;
    long i = mpEntries->find(key);
    if (i < 0 || !Entries::present(mpEntries->order[static_cast<std::size_t>(i)].id)) return Acad::eKeyNotFound;
    assertWriteEnabled();
    returnId = mpEntries->order[static_cast<std::size_t>(i)].id;
    mpEntries->order.erase(mpEntries->order.begin() + i);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(AcDbObjectId objId)
{
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    long i = mpEntries->find(objId);
    if (i < 0) return Acad::eKeyNotFound;
    assertWriteEnabled();
    mpEntries->order.erase(mpEntries->order.begin() + i);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::setName(const char* oldName, const char* newName)
{
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (oldName == nullptr || newName == nullptr || *newName == '\0') return Acad::eInvalidKey;
    long i = mpEntries->find(oldName);
    if (i < 0) return Acad::eKeyNotFound;
    long other = mpEntries->find(newName);
    if (other >= 0 && other != i && Entries::present(mpEntries->order[static_cast<std::size_t>(other)].id))
        return Acad::eDuplicateKey;
    assertWriteEnabled();
    if (other >= 0 && other != i) {
        mpEntries->order.erase(mpEntries->order.begin() + other);
        if (other < i) --i;
    }
    mpEntries->order[static_cast<std::size_t>(i)].key = newName;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::setAt(const char* srchKey, AcDbObject* newValue, AcDbObjectId& retObjId)
{
    retObjId.setNull();
    if (newValue == nullptr) return Acad::eNullObjectPointer;
    if (srchKey == nullptr || *srchKey == '\0') return Acad::eInvalidKey;
    if (database() == nullptr) return Acad::eNoDatabase;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (newValue->database() != nullptr && newValue->database() != database()) return Acad::eWrongDatabase;
    if (newValue->objectId() == objectId()) return Acad::eSelfReference;

    AcDbObjectId newId = newValue->objectId();
    if (newId.isNull()) {
        Acad::ErrorStatus es = database()->addAcDbObject(newId, newValue);
        if (es != Acad::eOk) return es;
    }
    long i = mpEntries->find(srchKey);
    if (i >= 0) {
        AcDbObjectId oldId = mpEntries->order[static_cast<std::size_t>(i)].id;
        if (oldId != newId && Entries::present(oldId)) {
            // The object replaced under the key goes: it is erased.
            AcDbObject* old = nullptr;
            if (acdbOpenAcDbObject(old, oldId, AcDb::kForWrite) == Acad::eOk) {
                old->erase();
                old->close();
            }
        }
    }
    assertWriteEnabled();
    if (i >= 0) mpEntries->order[static_cast<std::size_t>(i)].id = newId;
    else mpEntries->order.push_back({srchKey, newId});
    arx::db::stateOf(newValue).owner = objectId();
    retObjId = newId;
    return Acad::eOk;
}

bool AcDbDictionary::isTreatElementsAsHard() const { return mpEntries->hardOwner; }

void AcDbDictionary::setTreatElementsAsHard(bool doIt)
{
    assertWriteEnabled();
    mpEntries->hardOwner = doIt;
}

AcDb::DuplicateRecordCloning AcDbDictionary::mergeStyle() const { return mpEntries->merge; }

void AcDbDictionary::setMergeStyle(AcDb::DuplicateRecordCloning style)
{
    assertWriteEnabled();
    mpEntries->merge = style;
}

Acad::ErrorStatus AcDbDictionary::subErase(Adesk::Boolean erasing)
{
    Acad::ErrorStatus es = AcDbObject::subErase(erasing);
    if (es != Acad::eOk) return es;
    // The entries belong to the dictionary: they go and come back with it.
    std::vector<AcDbObjectId> ids;
    for (const auto& e : mpEntries->order) ids.push_back(e.id);
    for (AcDbObjectId id : ids) {
        if (id.isNull() || !id.stub()->isLive() || id.isErased() == static_cast<bool>(erasing)) continue;
        AcDbObject* entry = nullptr;
        if (acdbOpenAcDbObject(entry, id, AcDb::kForWrite, true, true) != Acad::eOk) continue;
        entry->erase(erasing);
        entry->close();
    }
    return Acad::eOk;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator(AcRx::DictIterType type) const
{
    assertReadEnabled();
    auto* it = new AcDbDictionaryIterator();
    it->mpPos = new AcDbDictionaryIterator::Position();
    it->mpPos->fill(*mpEntries, type);
    return it;
}

Acad::ErrorStatus AcDbDictionary::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeInt32(static_cast<Adesk::Int32>(mpEntries->order.size()));
    for (const auto& e : mpEntries->order) {
        pFiler->writeString(e.key.c_str());
        if (mpEntries->hardOwner) pFiler->writeHardOwnershipId(e.id);
        else pFiler->writeSoftOwnershipId(e.id);
    }
    pFiler->writeBool(mpEntries->hardOwner);
    pFiler->writeInt16(static_cast<Adesk::Int16>(mpEntries->merge));
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    Adesk::Int32 count = 0;
    if (pFiler->readInt32(&count) != Acad::eOk || count < 0) return Acad::eFilerError;
    std::vector<Entries::Entry> order;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        char* key = nullptr;
        AcDbSoftOwnershipId id;
        if (pFiler->readString(&key) != Acad::eOk) return pFiler->filerStatus();
        std::string keyText = key;
        delete[] key;
        if (pFiler->readSoftOwnershipId(&id) != Acad::eOk) return pFiler->filerStatus();
        // An entry a clone's id translation dropped (it owned an original) leaves the copy.
        if (!id.isNull()) order.push_back({keyText, id});
    }
    bool hard = false;
    Adesk::Int16 merge = 0;
    if (pFiler->readBool(&hard) != Acad::eOk || pFiler->readInt16(&merge) != Acad::eOk) return pFiler->filerStatus();
    mpEntries->order = std::move(order);
    mpEntries->hardOwner = hard;
    mpEntries->merge = arx::db::mergeStyleOf(merge, mpEntries->merge);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbDictionary");
    if (mpEntries->hardOwner) pFiler->writeInt16(static_cast<AcDb::DxfCode>(280), 1);
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(281), static_cast<Adesk::Int16>(mpEntries->merge));
    for (const auto& e : mpEntries->order) {
        // Erased entries are not written: erased objects are not saved.
        if (!Entries::present(e.id) && pFiler->filerType() == AcDb::kFileFiler) continue;
        pFiler->writeString(static_cast<AcDb::DxfCode>(3), e.key.c_str());
        pFiler->writeObjectId(mpEntries->hardOwner ? AcDb::kDxfHardOwnershipId : AcDb::kDxfSoftOwnershipId, e.id);
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    if (!pFiler->atSubclassData("AcDbDictionary")) return Acad::eBadDxfSequence;
    std::vector<Entries::Entry> order;
    bool hard = mpEntries->hardOwner;
    AcDb::DuplicateRecordCloning merge = mpEntries->merge;
    std::string pendingKey;
    bool haveKey = false;
    resbuf rb;
    while (!pFiler->atExtendedData() && pFiler->readItem(&rb) == Acad::eOk) {
        if (rb.restype == 280) {
            hard = rb.resval.rint != 0;
        } else if (rb.restype == 281) {
            merge = arx::db::mergeStyleOf(rb.resval.rint, merge);
        } else if (rb.restype == 3) {
            pendingKey = rb.resval.rstring ? rb.resval.rstring : "";
            haveKey = true;
        } else if ((rb.restype == 350 || rb.restype == 360) && haveKey) {
            AcDbObjectId id;
            id.setFromOldId(rb.resval.rlname[0]);
            if (!id.isNull()) order.push_back({pendingKey, id});
            haveKey = false;
        } else {
            pFiler->pushBackItem();
            break;
        }
    }
    if (!pFiler->isModifyingExistingObject() || !order.empty()) mpEntries->order = std::move(order);
    mpEntries->hardOwner = hard;
    mpEntries->merge = merge;
    return pFiler->filerStatus();
}

// ---- Iterator ------------------------------------------------------------------------------

AcDbDictionaryIterator::~AcDbDictionaryIterator() { delete mpPos; }

const char* AcDbDictionaryIterator::name() const
{
    mpPos->settle();
    return done() ? nullptr : mpPos->entries[mpPos->index].key.c_str();
}

Acad::ErrorStatus AcDbDictionaryIterator::getObject(AcDbObject*& pObject, AcDb::OpenMode mode)
{
    pObject = nullptr;
    mpPos->settle();
    if (done()) return Acad::eInvalidIndex;
    return acdbOpenAcDbObject(pObject, mpPos->entries[mpPos->index].id, mode);
}

AcDbObjectId AcDbDictionaryIterator::objectId() const
{
    mpPos->settle();
    return done() ? AcDbObjectId() : mpPos->entries[mpPos->index].id;
}

bool AcDbDictionaryIterator::done() const
{
    mpPos->settle();
    return mpPos->index >= mpPos->entries.size();
}

bool AcDbDictionaryIterator::next()
{
    if (done()) return false;
    ++mpPos->index;
    return !done();
}

bool AcDbDictionaryIterator::setPosition(AcDbObjectId objId)
{
    for (std::size_t i = 0; i < mpPos->entries.size(); ++i) {
        if (mpPos->entries[i].id == objId) {
            mpPos->index = i;
            return true;
        }
    }
    return false;
}
