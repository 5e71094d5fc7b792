// The viewport index: an xrecord of handle texts (group 1) taken two at a time, the mark's
// handle first, then the handle of its viewport.
#include "acdbads_db.h"
#include "acutads.h"
#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "assoc/store_access.h"

namespace kestra {

namespace {

ResultBufferHolder chainOfPairs(const IndexPairs& pairs)
{
    resbuf head{};
    resbuf* tail = &head;
    for (const IndexPair& pair : pairs) {
        for (const std::string* text : {&pair.mark, &pair.viewport}) {
            tail->rbnext = acutBuildList(1, text->c_str(), 0);
            if (tail->rbnext == nullptr) {
                acutRelRb(head.rbnext);
                return nullptr;
            }
            tail = tail->rbnext;
        }
    }
    return ResultBufferHolder(head.rbnext);
}

Acad::ErrorStatus openIndex(const char* storeName, AcDb::OpenMode mode, bool create,
                            ObjectOpener<AcDbXrecord>& index)
{
    ObjectOpener<AcDbDictionary> store;
    Acad::ErrorStatus status = openStore(storeName, mode, create, store);
    if (status != Acad::eOk) return status;
    return openEntry(*store, kIndexKey, mode, create, index);
}

Acad::ErrorStatus readIndexRecord(const AcDbXrecord& index, IndexPairs& pairs)
{
    resbuf* chain = nullptr;
    Acad::ErrorStatus status = index.rbChain(&chain);
    ResultBufferHolder holder(chain);
    if (status == Acad::eOk) pairs = pairsOfChain(chain);
    return status;
}

// Writes the pairs into the open index record; an empty list leaves a record without data.
Acad::ErrorStatus writeIndexRecord(const char* storeName, ObjectOpener<AcDbXrecord>& index, const IndexPairs& pairs)
{
    if (pairs.empty()) {
        index.close();
        ObjectOpener<AcDbDictionary> store;
        Acad::ErrorStatus status = openStore(storeName, AcDb::kForWrite, true, store);
        return status == Acad::eOk ? replaceRecord(*store, kIndexKey, nullptr) : status;
    }
    ResultBufferHolder chain = chainOfPairs(pairs);
    if (!chain) return Acad::eOutOfMemory;
    return index->setFromRbChain(*chain);
}

}  // namespace

IndexPairs pairsOfChain(const resbuf* chain)
{
    IndexPairs pairs;
    for (const resbuf* item = chain; item != nullptr && item->rbnext != nullptr; item = item->rbnext->rbnext) {
        const resbuf* partner = item->rbnext;
        pairs.push_back({item->restype == 1 && item->resval.rstring ? item->resval.rstring : "",
                         partner->restype == 1 && partner->resval.rstring ? partner->resval.rstring : ""});
    }
    return pairs;
}

Acad::ErrorStatus addIndexEntry(const char* storeName, AcDbObjectId markId, AcDbObjectId viewportId)
{
    IndexPair added{handleTextOf(markId), handleTextOf(viewportId)};
    ObjectOpener<AcDbXrecord> index;
    Acad::ErrorStatus status = openIndex(storeName, AcDb::kForWrite, true, index);
    IndexPairs pairs;
    if (status == Acad::eOk) status = readIndexRecord(*index, pairs);
    if (status == Acad::eOk) {
        bool replaced = false;
        for (IndexPair& pair : pairs) {
            if (sameHandle(pair.mark, added.mark)) {
                pair.viewport = added.viewport;
                replaced = true;
                break;
            }
        }
        if (!replaced) pairs.push_back(added);
        status = writeIndexRecord(storeName, index, pairs);
    }
    if (status != Acad::eOk) acutPrintf("%s\n", kCannotAddToDictionary);
    return status;
}

Acad::ErrorStatus removeIndexEntry(const char* storeName, AcDbObjectId markId, AcDbObjectId viewportId)
{
    ObjectOpener<AcDbXrecord> index;
    Acad::ErrorStatus status = openIndex(storeName, AcDb::kForRead, false, index);
    IndexPairs pairs;
    if (status == Acad::eOk) status = readIndexRecord(*index, pairs);
    if (status != Acad::eOk) return status;
    const std::string mark = handleTextOf(markId);
    const std::string viewport = handleTextOf(viewportId);
    for (auto pair = pairs.begin(); pair != pairs.end(); ++pair) {
        if (sameHandle(pair->mark, mark) && sameHandle(pair->viewport, viewport)) {
            pairs.erase(pair);
            status = index.upgradeOpen();
            return status == Acad::eOk ? writeIndexRecord(storeName, index, pairs) : status;
        }
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus readIndex(const char* storeName, ResultBufferHolder& chain)
{
    ObjectOpener<AcDbXrecord> index;
    Acad::ErrorStatus status = openIndex(storeName, AcDb::kForRead, false, index);
    if (status != Acad::eOk) return status;
    resbuf* data = nullptr;
    status = index->rbChain(&data);
    chain.reset(data);
    return status;
}

Acad::ErrorStatus readIndexPairs(const char* storeName, IndexPairs& pairs)
{
    ResultBufferHolder chain;
    Acad::ErrorStatus status = readIndex(storeName, chain);
    pairs = status == Acad::eOk ? pairsOfChain(chain.get()) : IndexPairs();
    return status;
}

Acad::ErrorStatus writeIndex(const char* storeName, const IndexPairs& pairs)
{
    ObjectOpener<AcDbXrecord> index;
    Acad::ErrorStatus status = openIndex(storeName, AcDb::kForWrite, true, index);
    return status == Acad::eOk ? writeIndexRecord(storeName, index, pairs) : status;
}

Acad::ErrorStatus findIndexEntry(const char* storeName, const char* probe, bool byMark, AcDbObjectId& markId,
                                 AcDbObjectId& viewportId)
{
    markId.setNull();
    viewportId.setNull();
    IndexPairs pairs;
    if (readIndexPairs(storeName, pairs) != Acad::eOk) return Acad::eNullObjectId;
    for (const IndexPair& pair : pairs) {
        if (!sameHandle(byMark ? pair.mark.c_str() : pair.viewport.c_str(), probe)) continue;
        markId = objectIdOfHandle(pair.mark.c_str());
        viewportId = objectIdOfHandle(pair.viewport.c_str());
        return Acad::eOk;
    }
    return Acad::eNullObjectId;
}

Acad::ErrorStatus eraseStore(const char* storeName)
{
    ObjectOpener<AcDbDictionary> store;
    Acad::ErrorStatus status = openStore(storeName, AcDb::kForWrite, false, store);
    if (status != Acad::eOk) return status;
    ObjectOpener<AcDbXrecord> index;
    if (openEntry(*store, kIndexKey, AcDb::kForWrite, false, index) == Acad::eOk) index->erase();
    return store->erase();
}

Acad::ErrorStatus dropIndex()
{
    ObjectOpener<AcDbDictionary> store;
    if (openStore(kStoreName, AcDb::kForWrite, false, store) != Acad::eOk) return Acad::eKeyNotFound;
    AcDbObjectId indexId;
    if (store->remove(kIndexKey, indexId) != Acad::eOk) return Acad::eNotApplicable;
    ObjectOpener<AcDbObject> index(indexId, AcDb::kForWrite);
    return index ? index->erase() : index.openStatus();
}

}  // namespace kestra
