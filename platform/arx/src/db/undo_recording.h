// Recording an object's changes for undo during a write open: the state at the first write
// (kept for cancel and for the full record), the full record when automatic undo is on, the
// partial records the object writes itself when it is off, and the erase and append records.
#pragma once
#include <vector>

#include "dbmain.h"

namespace arx::db {

// At the first assertWriteEnabled of a write open.
void beginObjectWrite(AcDbObject* obj);
// assertWriteEnabled with autoUndo: the full record goes into the history (replacing the
// partial records of the same open).
void commitFullRecord(AcDbObject* obj);
// The filer partial records are written to; null when nothing is recorded.
AcDbDwgFiler* partialUndoFiler(AcDbObject* obj);
// At the close of a write open: the partial records go into the history.
void endObjectWrite(AcDbObject* obj);
// cancel(): the object gets back its state of the first write and its records are dropped.
void restoreFirstWriteState(AcDbObject* obj);

// The object's fields as the undo filer writes them.
std::vector<unsigned char> undoSnapshotOf(AcDbObject* obj);

void recordAppend(AcDbObject* obj);
void recordErase(AcDbObject* obj, bool erasing);

}  // namespace arx::db
