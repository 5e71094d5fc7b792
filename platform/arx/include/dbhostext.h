// Database services the stand-in host itself uses beyond the ObjectARX API: the undo
// controller its UNDO and REDO commands drive, the header variables its system variables
// read and write, the current space, and a change counter for DBMOD. Modules do not call
// these.
#pragma once
#include "acadstrc.h"
#include "adesk.h"
#include "adsdef.h"
#include "dbid.h"

class AcDbDatabase;

// One undo history per database. Each command is a group: the command processor calls
// beginGroup when a command starts and endGroup when it ends (nested calls count, only the
// outermost pair makes a group). Changes made outside any group collect in a group of their
// own that closes at the next beginGroup, undo or redo.
class ACAD_PORT AcDbUndoController {
public:
    virtual ~AcDbUndoController() = default;
    virtual void beginGroup(const char* name) = 0;
    virtual void endGroup() = 0;
    virtual bool inGroup() const = 0;
    // Undoes up to count groups, newest first; returns how many were undone. Objects must be
    // closed (an object open for write is skipped and the group stays partly undone).
    virtual int undo(int count = 1) = 0;
    // Redoes up to count undone groups, oldest undone last; returns how many.
    virtual int redo(int count = 1) = 0;
    virtual int undoableGroups() const = 0;
    virtual int redoableGroups() const = 0;
    // The name of the n-th newest undoable group (0 the newest), null past the end.
    virtual const char* groupName(int fromNewest) const = 0;
    // Forgets the whole history (UNDO Control None, a drawing just opened).
    virtual void clear() = 0;
    // UNDO Mark puts a mark after the newest group. groupsAboveMark: how many undoable groups
    // lie above the newest mark (-1 when there is none); undoToMark undoes them and takes the
    // mark away (a mark that undo passes over goes too). Returns the groups undone, -1 when
    // there was no mark.
    virtual void addMark() = 0;
    virtual int groupsAboveMark() const = 0;
    virtual int undoToMark() = 0;
    virtual bool isReplaying() const = 0;
};

ACAD_PORT AcDbUndoController* acdbUndoController(AcDbDatabase* pDb);

// Header variables by name (without '$', any case). The value is one resbuf whose restype is
// the variable's DXF group code (70 for a 16-bit integer, 40 a real, 10 a point, 1/2/6/7/8 a
// text, 5 a handle as text, 290 a flag, ...); strings are copied. eKeyNotFound for a name the
// drawing does not hold; eInvalidInput when the value's group code is not the variable's.
// Writing sends headerSysVarWillChange / headerSysVarChanged to the database reactors.
ACAD_PORT Acad::ErrorStatus acdbGetHeaderVar(const AcDbDatabase* pDb, const char* name, resbuf* result);
ACAD_PORT Acad::ErrorStatus acdbSetHeaderVar(AcDbDatabase* pDb, const char* name, const resbuf* value);

// The block table record entmake and new entities go to (the editor keeps it current with
// TILEMODE, the current layout and MSPACE/PSPACE).
ACAD_PORT Acad::ErrorStatus acdbSetCurrentSpace(AcDbDatabase* pDb, AcDbObjectId blockTableRecordId);

// Grows with every change to the database (append, modification, erase, undo, redo).
ACAD_PORT Adesk::UInt64 acdbChangeCount(const AcDbDatabase* pDb);
