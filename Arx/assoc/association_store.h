// The association store: what the module keeps in the drawing to tie a mark to its floating
// viewport. The dictionary "VADU_KESTRA" of the named-object dictionary holds the viewport
// index (pairs of mark handle and viewport handle, one pair per mark) and the four reactor
// objects; the viewport and the outline block reference of a mark keep the mark's handle in
// a partner handle record of their extension dictionary.
//
// Every operation works on the working database, closes what it opened before it returns,
// and answers with a host status (eKeyNotFound when the store or its index is missing).
#pragma once
#include <string>
#include <vector>

#include "dbmain.h"
#include "shell/result_buffer.h"

namespace kestra {

constexpr const char* kStoreName = "VADU_KESTRA";
constexpr const char* kLegacyStoreName = "VADU_MSVIEWPORT";
constexpr const char* kIndexKey = "MSPS_VIEWPORT_INDEX";
constexpr const char* kMarkReactorKey = "PERSISTANT_REACTORS_MS";
constexpr const char* kViewportReactorKey = "PERSISTANT_REACTORS_PS";
constexpr const char* kClipReactorKey = "PERSISTANT_REACTORS_PSIRR";
constexpr const char* kOutlineReactorKey = "PERSISTANT_REACTORS_CLONE";
constexpr const char* kPartnerHandleKey = "VADU_KESTRAHANDLE";
constexpr const char* kCannotAddToDictionary = "Cannot add data to dictionary.";
constexpr const char* kCannotAddIndexEntry = "Cannot add the entry to the dictionary. \n";

// One pair of the viewport index, as handle texts.
struct IndexPair {
    std::string mark;
    std::string viewport;
};
using IndexPairs = std::vector<IndexPair>;

// The viewport index.

// Adds the pair, or replaces the viewport of the mark's pair when the mark is indexed
// already; creates the store and the index when missing.
Acad::ErrorStatus addIndexEntry(const char* storeName, AcDbObjectId markId, AcDbObjectId viewportId);
// Unlinks the first pair of that mark and viewport; a pair that is not there leaves the index
// as it is and gives a non-zero status.
Acad::ErrorStatus removeIndexEntry(const char* storeName, AcDbObjectId markId, AcDbObjectId viewportId);
// Takes the pair out of the association store's index later, together with every other pair
// deferred so: before the index is next read or written, or at the end of the command
// (flushDeferredIndexRemovals, which the editor reactor runs). Erasing thousands of marks in
// one command thus rewrites the index once. Pairs that are not there by then are passed over.
// Outside a command, or without the editor reactor, the pair is taken out at once.
void deferIndexRemoval(AcDbObjectId markId, AcDbObjectId viewportId);
void flushDeferredIndexRemovals();
// A copy of the index chain (null for an empty index).
Acad::ErrorStatus readIndex(const char* storeName, ResultBufferHolder& chain);
// The index as pairs; an odd last item is left out.
Acad::ErrorStatus readIndexPairs(const char* storeName, IndexPairs& pairs);
IndexPairs pairsOfChain(const resbuf* chain);
// Replaces the whole index by these pairs in one write (the store is created when missing).
Acad::ErrorStatus writeIndex(const char* storeName, const IndexPairs& pairs);
// The first pair whose mark handle (byMark) or viewport handle equals the probe, as ids;
// eNullObjectId when the index is empty or nothing matches. A handle that names no object
// gives a null id.
Acad::ErrorStatus findIndexEntry(const char* storeName, const char* probe, bool byMark, AcDbObjectId& markId,
                                 AcDbObjectId& viewportId);
// Erases the store's index and the store itself.
Acad::ErrorStatus eraseStore(const char* storeName);
// Removes and erases the index of the association store (eKeyNotFound without a store).
Acad::ErrorStatus dropIndex();

// The reactor objects.

struct ReactorObjects {
    AcDbObjectId mark;      // "PERSISTANT_REACTORS_MS"
    AcDbObjectId outline;   // "PERSISTANT_REACTORS_CLONE"
    AcDbObjectId viewport;  // "PERSISTANT_REACTORS_PS"
    AcDbObjectId clip;      // "PERSISTANT_REACTORS_PSIRR"
};

// The reactor object under the key; with create, the store and the object are made when
// missing (eKeyNotFound otherwise).
Acad::ErrorStatus getReactorObject(const char* storeName, const char* key, bool create, AcDbObjectId& id);
// The four reactor objects of the association store, made when missing.
ReactorObjects getReactorObjects();
// Unlinks the four reactor objects from the association store, then removes and erases the
// store with its index. eKeyNotFound without a store, eNotApplicable when a removal failed.
Acad::ErrorStatus dropStore();
bool hasPersistentReactor(const AcDbObject& object, AcDbObjectId reactorId);

// The partner handle record.

// Stores the handle (no data for a null handle) under "VADU_KESTRAHANDLE" in the object's
// extension dictionary, made when missing.
Acad::ErrorStatus writePartnerHandle(AcDbObjectId objectId, const AcDbHandle& handle);
// The mark named by the object's partner handle record; false when there is no record or it
// is empty.
bool readPartnerHandle(const AcDbObject& object, AcDbObjectId& markId);

}  // namespace kestra
