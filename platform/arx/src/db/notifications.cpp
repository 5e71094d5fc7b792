#include "db/notifications.h"

#include <algorithm>

#include "db/database_state.h"
#include "db/object_state.h"

namespace arx::db {

namespace {

bool mayNotify(const AcDbObject* obj)
{
    const ObjectState& st = stateOf(obj);
    if (!st.resident()) return true;
    return stateOf(st.stub->database).notifying();
}

bool stillAttached(const ObjectState& st, void* entry)
{
    for (void* p : st.reactors)
        if (p == entry) return true;
    return false;
}

// Calls transient(reactor) for each transient reactor and persistent(reactorObject) for each
// persistent reactor that opens for notify. The reactor list is copied first: reactors may
// attach or detach others while they are notified; one detached meanwhile is skipped.
template <class Transient, class Persistent>
void dispatch(const AcDbObject* obj, bool markNotifying, Transient transient, Persistent persistent)
{
    ObjectState& st = stateOf(obj);
    if (st.reactors.isEmpty()) return;
    AcDbVoidPtrArray entries = st.reactors;
    if (markNotifying) ++st.notifying;
    for (void* entry : entries) {
        if (!stillAttached(st, entry)) continue;
        if (isPersistentEntry(entry)) {
            AcDbObject* reactorObj = nullptr;
            if (acdbOpenAcDbObject(reactorObj, decodePersistentReactor(entry), AcDb::kForNotify) != Acad::eOk) continue;
            persistent(reactorObj);
            reactorObj->close();
        } else {
            transient(static_cast<AcDbObjectReactor*>(entry));
        }
    }
    if (markNotifying) --st.notifying;
}

template <class Fn>
void forEachDatabaseReactor(const AcDbObject* obj, Fn fn)
{
    const ObjectState& st = stateOf(obj);
    if (!st.resident()) return;
    AcDbDatabase* db = st.stub->database;
    std::vector<AcDbDatabaseReactor*> reactors = stateOf(db).reactors;
    for (AcDbDatabaseReactor* r : reactors) {
        const auto& current = stateOf(db).reactors;
        if (std::find(current.begin(), current.end(), r) == current.end()) continue;
        fn(db, r);
    }
}

}  // namespace

void sendOpenedForModify(AcDbObject* obj)
{
    if (!mayNotify(obj)) return;
    dispatch(
        obj, true, [&](AcDbObjectReactor* r) { r->openedForModify(obj); },
        [&](AcDbObject* p) { p->openedForModify(obj); });
    forEachDatabaseReactor(obj, [&](AcDbDatabase* db, AcDbDatabaseReactor* r) { r->objectOpenedForModify(db, obj); });
}

void sendCommitNotifications(AcDbObject* obj)
{
    if (!mayNotify(obj)) return;
    ObjectState& st = stateOf(obj);
    if (st.appendedInOpen) {
        forEachDatabaseReactor(obj, [&](AcDbDatabase* db, AcDbDatabaseReactor* r) { r->objectAppended(db, obj); });
        return;
    }
    if (st.modified) {
        if (st.undoing) {
            dispatch(
                obj, true, [&](AcDbObjectReactor* r) { r->modifyUndone(obj); },
                [&](AcDbObject* p) { p->modifyUndone(obj); });
        } else {
            dispatch(
                obj, true, [&](AcDbObjectReactor* r) { r->modified(obj); }, [&](AcDbObject* p) { p->modified(obj); });
        }
    }
    if (st.modifiedXData && !st.undoing) {
        dispatch(
            obj, true, [&](AcDbObjectReactor* r) { r->modifiedXData(obj); },
            [&](AcDbObject* p) { p->modifiedXData(obj); });
    }
    if (st.modifiedGraphics && !st.undoing) {
        if (const AcDbEntity* ent = AcDbEntity::cast(obj)) {
            dispatch(
                obj, true,
                [&](AcDbObjectReactor* r) {
                    if (auto* er = dynamic_cast<AcDbEntityReactor*>(r)) er->modifiedGraphics(ent);
                },
                [&](AcDbObject* p) { p->modifiedGraphics(obj); });
        }
    }
    if (st.modified || st.modifiedXData)
        forEachDatabaseReactor(obj, [&](AcDbDatabase* db, AcDbDatabaseReactor* r) { r->objectModified(db, obj); });
}

void sendErased(AcDbObject* obj, bool erasing)
{
    if (!mayNotify(obj)) return;
    dispatch(
        obj, true, [&](AcDbObjectReactor* r) { r->erased(obj, erasing); },
        [&](AcDbObject* p) { p->erased(obj, erasing); });
    forEachDatabaseReactor(obj, [&](AcDbDatabase* db, AcDbDatabaseReactor* r) { r->objectErased(db, obj, erasing); });
}

void sendCopied(const AcDbObject* original, const AcDbObject* copy)
{
    if (!mayNotify(original)) return;
    dispatch(
        original, true, [&](AcDbObjectReactor* r) { r->copied(original, copy); },
        [&](AcDbObject* p) { p->copied(original, copy); });
}

void sendUnappended(AcDbObject* obj)
{
    if (!mayNotify(obj)) return;
    dispatch(
        obj, true, [&](AcDbObjectReactor* r) { r->unappended(obj); }, [&](AcDbObject* p) { p->unappended(obj); });
    forEachDatabaseReactor(obj, [&](AcDbDatabase* db, AcDbDatabaseReactor* r) { r->objectUnAppended(db, obj); });
}

void sendReappended(AcDbObject* obj)
{
    if (!mayNotify(obj)) return;
    dispatch(
        obj, true, [&](AcDbObjectReactor* r) { r->reappended(obj); }, [&](AcDbObject* p) { p->reappended(obj); });
    forEachDatabaseReactor(obj, [&](AcDbDatabase* db, AcDbDatabaseReactor* r) { r->objectReAppended(db, obj); });
}

void sendCancelled(AcDbObject* obj)
{
    if (!mayNotify(obj)) return;
    dispatch(
        obj, true, [&](AcDbObjectReactor* r) { r->cancelled(obj); }, [&](AcDbObject* p) { p->cancelled(obj); });
}

void sendObjectClosed(AcDbObject* obj)
{
    if (!mayNotify(obj)) return;
    AcDbObjectId id = obj->objectId();
    dispatch(
        obj, false, [&](AcDbObjectReactor* r) { r->objectClosed(id); }, [&](AcDbObject* p) { p->objectClosed(id); });
}

void sendGoodbye(AcDbObject* obj)
{
    ObjectState& st = stateOf(obj);
    // Only transient reactors hear goodbye: persistent ones may be gone with the database.
    AcDbVoidPtrArray entries = st.reactors;
    for (void* entry : entries)
        if (!isPersistentEntry(entry) && stillAttached(st, entry)) static_cast<AcDbObjectReactor*>(entry)->goodbye(obj);
}

}  // namespace arx::db
