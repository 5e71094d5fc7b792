// The viewport index: an xrecord of handle texts (group 1) taken two at a time, the mark's
// handle first, then the handle of its viewport.
#include <optional>
#include <string>
#include <unordered_map>

#include "acdbads_db.h"
#include "acutads.h"
#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "assoc/store_access.h"
#include "shell/document_registry.h"
#include "shell/kestra_module.h"
#include "shell/system_variables.h"

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

Acad::ErrorStatus openIndex(const char* storeName, AcDb::OpenMode mode, bool create, ObjectOpener<AcDbXrecord>& index)
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

// True while a command or an AutoLISP evaluation runs whose end the module's editor reactor
// hears: the deferred removals are written then, inside the command's undo group.
bool commandEndWritesIndex()
{
    const KestraModule* module = kestraModule();
    if (module == nullptr || !module->editorReactor) return false;
    const std::optional<int> active = readIntegerVariable("CMDACTIVE");
    return active && *active != 0;
}

std::string pairKey(const std::string& mark, const std::string& viewport)
{
    return handleKey(mark) + ' ' + handleKey(viewport);
}

}  // namespace

void deferIndexRemoval(AcDbObjectId markId, AcDbObjectId viewportId)
{
    DocumentState* state = currentDocumentState();
    if (state == nullptr || !commandEndWritesIndex()) {
        removeIndexEntry(kStoreName, markId, viewportId);
        return;
    }
    state->deferredIndexRemovals.emplace_back(handleTextOf(markId), handleTextOf(viewportId));
}

void flushDeferredIndexRemovals()
{
    DocumentState* state = currentDocumentState();
    if (state == nullptr || state->deferredIndexRemovals.empty()) return;
    std::unordered_map<std::string, int> pending;
    for (const auto& [mark, viewport] : state->deferredIndexRemovals) ++pending[pairKey(mark, viewport)];
    state->deferredIndexRemovals.clear();
    ObjectOpener<AcDbXrecord> index;
    IndexPairs pairs;
    if (openIndex(kStoreName, AcDb::kForRead, false, index) != Acad::eOk || readIndexRecord(*index, pairs) != Acad::eOk)
        return;
    // Each removal takes the first pair of its mark and viewport still there, as one at a
    // time would.
    IndexPairs kept;
    kept.reserve(pairs.size());
    for (IndexPair& pair : pairs) {
        const auto found = pending.find(pairKey(pair.mark, pair.viewport));
        if (found != pending.end() && found->second > 0) --found->second;
        else kept.push_back(std::move(pair));
    }
    // Nothing to take out (an undo or redo put the index as it was already): no write.
    if (kept.size() == pairs.size() || index.upgradeOpen() != Acad::eOk) return;
    writeIndexRecord(kStoreName, index, kept);
}

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
    flushDeferredIndexRemovals();
    IndexPair added{handleTextOf(markId), handleTextOf(viewportId)};
    ObjectOpener<AcDbXrecord> index;
    Acad::ErrorStatus status = openIndex(storeName, AcDb::kForWrite, true, index);
    IndexPairs pairs;
    if (status == Acad::eOk) status = readIndexRecord(*index, pairs);
    if (status == Acad::eOk) {
        bool replaced = false;
        bool unchanged = false;
        for (IndexPair& pair : pairs) {
            if (sameHandle(pair.mark, added.mark)) {
                unchanged = pair.viewport == added.viewport;
                pair.viewport = added.viewport;
                replaced = true;
                break;
            }
        }
        if (!replaced) pairs.push_back(added);
        // A pair that is there already (an undo brought the index back first) is not written.
        if (!unchanged) status = writeIndexRecord(storeName, index, pairs);
    }
    if (status != Acad::eOk) acutPrintf("%s\n", kCannotAddToDictionary);
    return status;
}

Acad::ErrorStatus removeIndexEntry(const char* storeName, AcDbObjectId markId, AcDbObjectId viewportId)
{
    flushDeferredIndexRemovals();
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
    flushDeferredIndexRemovals();
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
    flushDeferredIndexRemovals();
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
    flushDeferredIndexRemovals();
    ObjectOpener<AcDbDictionary> store;
    Acad::ErrorStatus status = openStore(storeName, AcDb::kForWrite, false, store);
    if (status != Acad::eOk) return status;
    ObjectOpener<AcDbXrecord> index;
    if (openEntry(*store, kIndexKey, AcDb::kForWrite, false, index) == Acad::eOk) index->erase();
    return store->erase();
}

Acad::ErrorStatus dropIndex()
{
    flushDeferredIndexRemovals();
    ObjectOpener<AcDbDictionary> store;
    if (openStore(kStoreName, AcDb::kForWrite, false, store) != Acad::eOk) return Acad::eKeyNotFound;
    AcDbObjectId indexId;
    if (store->remove(kIndexKey, indexId) != Acad::eOk) return Acad::eNotApplicable;
    ObjectOpener<AcDbObject> index(indexId, AcDb::kForWrite);
    return index ? index->erase() : index.openStatus();
}

}  // namespace kestra
