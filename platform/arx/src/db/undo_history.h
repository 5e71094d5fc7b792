// The undo history of a database: groups of records (appends, erases, full and partial
// modification records), undone newest first and redone in the opposite order. Replaying a
// group records its inverse (each record's replay leaves the record that takes it back, and
// whatever reactors change on the way is recorded too), which becomes the group that redo
// (or undo again) replays.
#pragma once
#include <string>
#include <vector>

#include "dbhostext.h"
#include "db/stub.h"

class AcDbObject;

namespace arx::db {

struct UndoRecord {
    enum class Kind : unsigned char {
        Appended,    // undo: un-append
        Unappended,  // undo: append again
        Erased,      // undo: unerase
        Unerased,    // undo: erase
        Full,        // the object's state before a change (dwgOutFields through the undo filer)
        Partial,     // one record the object wrote itself: class descriptor, then its data
    };
    Kind kind;
    AcDbStub* stub;
    std::vector<unsigned char> bytes;
};

struct UndoGroup {
    std::string name;
    std::vector<UndoRecord> records;
    bool markAfter = false;  // UNDO Mark was placed after this group
};

class UndoHistory : public AcDbUndoController {
public:
    explicit UndoHistory(AcDbDatabase* db) : mpDb(db) {}
    void setDatabase(AcDbDatabase* db) { mpDb = db; }
    ~UndoHistory() override;

    // True when changes are to be recorded now.
    bool recording() const;
    void setDisabled(bool disabled) { mDisabled = disabled; }
    bool disabled() const { return mDisabled; }
    void suspend() { ++mSuspended; }
    void resume() { --mSuspended; }

    // Adds a record to the group being recorded (a loose group when none is open). A new
    // change outside a replay makes the undone groups unreachable: they are dropped.
    void push(UndoRecord record);
    // Takes back the newest record of that kind for the object from the group being
    // recorded (a cancelled open).
    void dropNewestRecord(AcDbStub* stub, UndoRecord::Kind kind);

    // Forgets a converted object's modification records (its class changed: a proxy cannot
    // read them back).
    void forgetModifications(AcDbStub* stub);

    void beginGroup(const char* name) override;
    void endGroup() override;
    bool inGroup() const override { return mDepth > 0; }
    int undo(int count = 1) override;
    int redo(int count = 1) override;
    int undoableGroups() const override;
    int redoableGroups() const override { return static_cast<int>(mRedo.size()); }
    const char* groupName(int fromNewest) const override;
    void clear() override;
    bool isReplaying() const override { return mpTarget != nullptr; }
    void addMark() override;
    int groupsAboveMark() const override;
    int undoToMark() override;

private:
    UndoGroup& currentGroup();
    // The newest group that undo can reach (not the open command group), or null.
    UndoGroup* newestClosedGroup();
    void closeLooseGroup();
    void replay(UndoGroup& group, UndoGroup& inverse);
    // Objects only the dropped groups could bring back (un-appended ones) are deleted.
    void discard(std::vector<UndoGroup>& groups);

    AcDbDatabase* mpDb;
    std::vector<UndoGroup> mUndo;
    std::vector<UndoGroup> mRedo;
    UndoGroup* mpTarget = nullptr;  // the inverse group during a replay
    bool mLooseOpen = false;        // the newest undo group collects changes made outside groups
    bool mGroupOpen = false;        // the newest undo group is the open command group
    bool mMarkAtBottom = false;     // a mark placed when there was nothing to undo
    int mDepth = 0;
    int mSuspended = 0;
    bool mDisabled = false;
};

}  // namespace arx::db
