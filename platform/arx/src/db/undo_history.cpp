#include "db/undo_history.h"

#include <algorithm>

#include "db/database_state.h"
#include "db/memory_dwg_filer.h"
#include "db/notifications.h"
#include "db/object_state.h"
#include "db/open_rules.h"
#include "db/structure_generation.h"
#include "db/undo_recording.h"
#include "rx/class_dictionary.h"

namespace arx::db {

namespace {

bool isRegisteredClass(const void* p)
{
    for (AcRxClass* cls : rx::ClassDictionary::instance().classes())
        if (cls == p) return true;
    return false;
}

// Opens the object as undo does: for write, whatever its erased bit and layer, marked as
// being restored (no undo recording of its own, no openedForModify or modified).
AcDbObject* openForReplay(AcDbStub* stub)
{
    AcDbObject* obj = nullptr;
    if (openForInternalWrite(obj, AcDbObjectId(stub)) != Acad::eOk) return nullptr;
    stateOf(obj).undoing = true;
    return obj;
}

}  // namespace

UndoHistory::~UndoHistory() = default;

bool UndoHistory::recording() const
{
    return !mDisabled && mSuspended == 0 && stateOf(mpDb).loading == 0 && !stateOf(mpDb).destroying;
}

UndoGroup& UndoHistory::currentGroup()
{
    if (mpTarget != nullptr) return *mpTarget;
    if (!mGroupOpen && !mLooseOpen) {
        mUndo.push_back(UndoGroup{});
        mLooseOpen = true;
    }
    return mUndo.back();
}

void UndoHistory::closeLooseGroup()
{
    if (!mLooseOpen) return;
    mLooseOpen = false;
    if (!mUndo.empty() && mUndo.back().records.empty()) mUndo.pop_back();
}

void UndoHistory::push(UndoRecord record)
{
    if (mpTarget == nullptr && !mRedo.empty()) discard(mRedo);
    currentGroup().records.push_back(std::move(record));
}

void UndoHistory::dropNewestRecord(AcDbStub* stub, UndoRecord::Kind kind)
{
    UndoGroup* group = mpTarget;
    if (group == nullptr) {
        if (mUndo.empty() || (!mGroupOpen && !mLooseOpen)) return;
        group = &mUndo.back();
    }
    auto& records = group->records;
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        if (it->stub == stub && it->kind == kind) {
            records.erase(std::next(it).base());
            return;
        }
    }
}

void UndoHistory::forgetModifications(AcDbStub* stub)
{
    auto strip = [stub](std::vector<UndoGroup>& groups) {
        for (UndoGroup& g : groups)
            std::erase_if(g.records, [stub](const UndoRecord& r) {
                return r.stub == stub && (r.kind == UndoRecord::Kind::Full || r.kind == UndoRecord::Kind::Partial);
            });
    };
    strip(mUndo);
    strip(mRedo);
}

void UndoHistory::beginGroup(const char* name)
{
    if (mpTarget != nullptr) return;
    if (mDepth++ > 0) return;
    closeLooseGroup();
    if (mDisabled) return;  // undo is off: commands leave no groups
    mUndo.push_back(UndoGroup{name ? name : "", {}, false});
    mGroupOpen = true;
}

void UndoHistory::endGroup()
{
    if (mpTarget != nullptr || mDepth == 0) return;
    if (--mDepth > 0) return;
    mGroupOpen = false;
}

int UndoHistory::undoableGroups() const
{
    int count = static_cast<int>(mUndo.size());
    if (mGroupOpen) --count;
    return std::max(count, 0);
}

const char* UndoHistory::groupName(int fromNewest) const
{
    int top = static_cast<int>(mUndo.size()) - (mGroupOpen ? 1 : 0);
    int index = top - 1 - fromNewest;
    if (fromNewest < 0 || index < 0) return nullptr;
    return mUndo[static_cast<std::size_t>(index)].name.c_str();
}

int UndoHistory::undo(int count)
{
    if (mpTarget != nullptr) return 0;
    closeLooseGroup();
    int done = 0;
    while (done < count) {
        // The open group (the command running UNDO) stays where it is.
        long top = static_cast<long>(mUndo.size()) - (mGroupOpen ? 1 : 0);
        if (top <= 0) break;
        UndoGroup group = std::move(mUndo[static_cast<std::size_t>(top - 1)]);
        mUndo.erase(mUndo.begin() + (top - 1));
        UndoGroup inverse{group.name, {}, false};
        replay(group, inverse);
        mRedo.push_back(std::move(inverse));
        ++done;
    }
    return done;
}

int UndoHistory::redo(int count)
{
    if (mpTarget != nullptr) return 0;
    closeLooseGroup();
    int done = 0;
    while (done < count && !mRedo.empty()) {
        UndoGroup group = std::move(mRedo.back());
        mRedo.pop_back();
        UndoGroup inverse{group.name, {}, false};
        replay(group, inverse);
        long at = std::max(0L, static_cast<long>(mUndo.size()) - (mGroupOpen ? 1 : 0));
        mUndo.insert(mUndo.begin() + at, std::move(inverse));
        ++done;
    }
    return done;
}

UndoGroup* UndoHistory::newestClosedGroup()
{
    const long top = static_cast<long>(mUndo.size()) - (mGroupOpen ? 1 : 0);
    return top > 0 ? &mUndo[static_cast<std::size_t>(top - 1)] : nullptr;
}

void UndoHistory::addMark()
{
    closeLooseGroup();
    if (UndoGroup* newest = newestClosedGroup()) newest->markAfter = true;
    else mMarkAtBottom = true;
}

int UndoHistory::groupsAboveMark() const
{
    const long top = static_cast<long>(mUndo.size()) - (mGroupOpen ? 1 : 0);
    for (long i = top - 1; i >= 0; --i)
        if (mUndo[static_cast<std::size_t>(i)].markAfter) return static_cast<int>(top - 1 - i);
    return mMarkAtBottom ? static_cast<int>(std::max(top, 0L)) : -1;
}

int UndoHistory::undoToMark()
{
    closeLooseGroup();
    const int above = groupsAboveMark();
    if (above < 0) return -1;
    const int done = undo(above);
    if (done < above) return done;  // an object open for write stopped it: the mark stays
    if (UndoGroup* newest = newestClosedGroup()) newest->markAfter = false;
    else mMarkAtBottom = false;
    return done;
}

void UndoHistory::clear()
{
    closeLooseGroup();
    mMarkAtBottom = false;
    discard(mRedo);
    std::vector<UndoGroup> kept;
    if (mGroupOpen && !mUndo.empty()) {
        kept.push_back(UndoGroup{mUndo.back().name, {}, false});
    }
    discard(mUndo);
    mUndo = std::move(kept);
}

void UndoHistory::discard(std::vector<UndoGroup>& groups)
{
    for (UndoGroup& g : groups)
        for (UndoRecord& r : g.records)
            if (r.kind == UndoRecord::Kind::Unappended && r.stub->unappended && r.stub->object != nullptr &&
                stateOf(r.stub->object).closed())
                destroyObject(r.stub);
    groups.clear();
}

void UndoHistory::replay(UndoGroup& group, UndoGroup& inverse)
{
    mpTarget = &inverse;
    DatabaseState& ds = stateOf(mpDb);
    for (auto it = group.records.rbegin(); it != group.records.rend(); ++it) {
        UndoRecord& rec = *it;
        AcDbStub* stub = rec.stub;
        AcDbObject* obj = stub->object;
        if (obj == nullptr) continue;
        ObjectState& st = stateOf(obj);
        switch (rec.kind) {
        case UndoRecord::Kind::Appended:
        case UndoRecord::Kind::Unappended: {
            bool unappending = rec.kind == UndoRecord::Kind::Appended;
            // Already so (a reactor did it during this replay): its own record takes it back.
            if (!st.closed() || stub->unappended == unappending) break;
            stub->unappended = unappending;
            structureChanged();
            inverse.records.push_back(
                {unappending ? UndoRecord::Kind::Unappended : UndoRecord::Kind::Appended, stub, {}});
            ds.changed();
            st.undoing = true;
            ++st.notifying;
            if (unappending) sendUnappended(obj);
            else sendReappended(obj);
            --st.notifying;
            st.undoing = false;
            break;
        }
        case UndoRecord::Kind::Erased:
        case UndoRecord::Kind::Unerased: {
            bool erasing = rec.kind == UndoRecord::Kind::Unerased;
            if (stub->erased == erasing) break;
            AcDbObject* open = openForReplay(stub);
            if (open == nullptr) break;
            stub->erased = erasing;
            structureChanged();
            st.eraseToggled = true;
            inverse.records.push_back({erasing ? UndoRecord::Kind::Erased : UndoRecord::Kind::Unerased, stub, {}});
            ds.changed();
            sendErased(obj, erasing);
            obj->close();
            break;
        }
        case UndoRecord::Kind::Full: {
            AcDbObject* open = openForReplay(stub);
            if (open == nullptr) break;
            inverse.records.push_back({UndoRecord::Kind::Full, stub, undoSnapshotOf(obj)});
            MemoryDwgFiler filer(AcDb::kUndoFiler, mpDb, rec.bytes);
            obj->dwgInFields(&filer);
            st.modified = true;
            obj->close();
            break;
        }
        case UndoRecord::Kind::Partial: {
            AcDbObject* open = openForReplay(stub);
            if (open == nullptr) break;
            MemoryDwgFiler filer(AcDb::kUndoFiler, mpDb, rec.bytes);
            void* cls = nullptr;
            if (filer.readAddress(&cls) == Acad::eOk && isRegisteredClass(cls)) {
                // The object records its own inverse through undoFiler() while it applies this.
                obj->applyPartialUndo(&filer, static_cast<AcRxClass*>(cls));
                st.modified = true;
            }
            obj->close();
            break;
        }
        }
    }
    mpTarget = nullptr;
}

}  // namespace arx::db
