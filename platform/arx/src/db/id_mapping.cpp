// AcDbIdMapping and its iterator.
#include "dbidmap.h"

#include "db/id_map.h"

AcDbIdMapping::AcDbIdMapping() : mpMap(new arx::db::IdMap) {}
AcDbIdMapping::~AcDbIdMapping() { delete mpMap; }

Acad::ErrorStatus AcDbIdMapping::assign(const AcDbIdPair& pair)
{
    if (pair.key().isNull()) return Acad::eNullObjectId;
    auto [it, inserted] = mpMap->pairs.insert_or_assign(pair.key(), pair);
    if (inserted) mpMap->order.push_back(pair.key());
    if (!pair.value().isNull()) mpMap->values.insert(pair.value());
    if (mpMap->orig == nullptr) mpMap->orig = pair.key().database();
    return Acad::eOk;
}

bool AcDbIdMapping::compute(AcDbIdPair& pair) const
{
    auto it = mpMap->pairs.find(pair.key());
    if (it == mpMap->pairs.end()) return false;
    pair = it->second;
    return true;
}

bool AcDbIdMapping::change(const AcDbIdPair& pair)
{
    auto it = mpMap->pairs.find(pair.key());
    if (it == mpMap->pairs.end()) return false;
    it->second = pair;
    if (!pair.value().isNull()) mpMap->values.insert(pair.value());
    return true;
}

bool AcDbIdMapping::del(AcDbObjectId key)
{
    auto it = mpMap->pairs.find(key);
    if (it == mpMap->pairs.end()) return false;
    mpMap->values.erase(it->second.value());
    mpMap->pairs.erase(it);
    std::erase(mpMap->order, key);
    return true;
}

Acad::ErrorStatus AcDbIdMapping::destDb(AcDbDatabase*& db) const
{
    db = mpMap->dest;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbIdMapping::setDestDb(AcDbDatabase* db)
{
    mpMap->dest = db;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbIdMapping::origDb(AcDbDatabase*& db) const
{
    db = mpMap->orig;
    return Acad::eOk;
}

AcDb::DeepCloneType AcDbIdMapping::deepCloneContext() const { return mpMap->context; }
AcDb::DuplicateRecordCloning AcDbIdMapping::duplicateRecordCloning() const { return mpMap->drc; }

AcDbIdMappingIter::AcDbIdMappingIter(const AcDbIdMapping& map) : mpMapping(&map) {}
AcDbIdMappingIter::~AcDbIdMappingIter() = default;

Acad::ErrorStatus AcDbIdMappingIter::iterateOn(const AcDbIdMapping& map)
{
    mpMapping = &map;
    mIndex = 0;
    return Acad::eOk;
}

void AcDbIdMappingIter::start() { mIndex = 0; }

bool AcDbIdMappingIter::getMap(AcDbIdPair& pair)
{
    if (done()) return false;
    pair = AcDbIdPair(mpMapping->map().order[mIndex], AcDbObjectId(), false);
    return mpMapping->compute(pair);
}

bool AcDbIdMappingIter::next()
{
    if (done()) return false;
    ++mIndex;
    return !done();
}

bool AcDbIdMappingIter::done() { return mIndex >= mpMapping->map().order.size(); }
