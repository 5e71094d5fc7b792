#include "db/undo_recording.h"

#include "db/database_state.h"
#include "db/memory_dwg_filer.h"
#include "db/object_state.h"

namespace arx::db {

namespace {

UndoHistory& historyOf(const ObjectState& st) { return stateOf(st.stub->database).undo; }

}  // namespace

std::vector<unsigned char> undoSnapshotOf(AcDbObject* obj)
{
    MemoryDwgFiler filer(AcDb::kUndoFiler, obj->database());
    obj->dwgOutFields(&filer);
    return filer.takeBytes();
}

void beginObjectWrite(AcDbObject* obj)
{
    ObjectState& st = stateOf(obj);
    if (!st.resident() || st.appendedInOpen) return;
    if (!st.openUndo) st.openUndo = std::make_unique<OpenUndo>();
    // Taken whether or not undo records: cancel() restores from it.
    st.openUndo->snapshot = undoSnapshotOf(obj);
    st.openUndo->hasSnapshot = true;
}

void commitFullRecord(AcDbObject* obj)
{
    ObjectState& st = stateOf(obj);
    if (!st.resident() || !st.openUndo) return;
    OpenUndo& ou = *st.openUndo;
    if (!ou.hasSnapshot || ou.fullCommitted) return;
    UndoHistory& history = historyOf(st);
    if (!history.recording()) return;
    history.push({UndoRecord::Kind::Full, st.stub, ou.snapshot});
    ou.fullCommitted = true;
    // The full record restores everything the partial ones would have.
    ou.partial.reset();
}

AcDbDwgFiler* partialUndoFiler(AcDbObject* obj)
{
    ObjectState& st = stateOf(obj);
    if (!st.resident() || (!st.writer && !st.undoing)) return nullptr;
    if (!historyOf(st).recording()) return nullptr;
    if (!st.openUndo) st.openUndo = std::make_unique<OpenUndo>();
    if (!st.openUndo->partial)
        st.openUndo->partial = std::make_unique<MemoryDwgFiler>(AcDb::kUndoFiler, obj->database());
    return st.openUndo->partial.get();
}

void endObjectWrite(AcDbObject* obj)
{
    ObjectState& st = stateOf(obj);
    if (!st.resident() || !st.openUndo || !st.openUndo->partial || st.openUndo->fullCommitted) return;
    UndoHistory& history = historyOf(st);
    if (!history.recording()) return;
    // Each record starts where the object wrote a class descriptor; bytes before the first
    // one do not form a record and are dropped.
    const MemoryDwgFiler& filer = *st.openUndo->partial;
    const std::vector<unsigned char>& bytes = filer.bytes();
    const std::vector<std::size_t>& marks = filer.classMarks();
    for (std::size_t i = 0; i < marks.size(); ++i) {
        std::size_t end = i + 1 < marks.size() ? marks[i + 1] : bytes.size();
        if (end <= marks[i]) continue;
        history.push({UndoRecord::Kind::Partial, st.stub,
                      std::vector<unsigned char>(bytes.begin() + static_cast<long>(marks[i]),
                                                 bytes.begin() + static_cast<long>(end))});
    }
    st.openUndo->partial.reset();
}

void restoreFirstWriteState(AcDbObject* obj)
{
    ObjectState& st = stateOf(obj);
    if (!st.resident() || !st.openUndo || !st.openUndo->hasSnapshot) return;
    MemoryDwgFiler filer(AcDb::kUndoFiler, obj->database(), st.openUndo->snapshot);
    bool wasUndoing = st.undoing;
    st.undoing = true;
    obj->dwgInFields(&filer);
    st.undoing = wasUndoing;
    if (st.openUndo->fullCommitted) historyOf(st).dropNewestRecord(st.stub, UndoRecord::Kind::Full);
    st.openUndo->partial.reset();
}

void recordAppend(AcDbObject* obj)
{
    ObjectState& st = stateOf(obj);
    UndoHistory& history = historyOf(st);
    if (history.recording()) history.push({UndoRecord::Kind::Appended, st.stub, {}});
}

void recordErase(AcDbObject* obj, bool erasing)
{
    ObjectState& st = stateOf(obj);
    UndoHistory& history = historyOf(st);
    if (history.recording())
        history.push({erasing ? UndoRecord::Kind::Erased : UndoRecord::Kind::Unerased, st.stub, {}});
}

}  // namespace arx::db
