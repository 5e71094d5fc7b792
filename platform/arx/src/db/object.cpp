// AcDbObject: identity, open state, the write protocol and erasing.
#include <new>

#include "db/database_state.h"
#include "db/fatal.h"
#include "db/structure_generation.h"
#include "db/memory_dwg_filer.h"
#include "db/notifications.h"
#include "db/object_heap.h"
#include "db/object_state.h"
#include "db/open_rules.h"
#include "db/proxy_support.h"
#include "db/undo_recording.h"

using arx::db::ObjectState;
using arx::db::stateOf;

namespace arx::db {

OpenUndo::OpenUndo() = default;
OpenUndo::~OpenUndo() = default;

void ObjectState::resetWriteOpen()
{
    modified = false;
    modifiedXData = false;
    modifiedGraphics = false;
    firstWriteDone = false;
    appendedInOpen = false;
    eraseToggled = false;
    undoing = false;
    cancelling = false;
    reallyClosing = false;
    openUndo.reset();
}

}  // namespace arx::db

ACRX_DEFINE_MEMBERS_COMMON(AcDbObject)
void AcDbObject::rxInit() { gpDesc = newAcRxClass("AcDbObject", "AcRxObject"); }

void* AcDbObject::operator new(std::size_t size) { return arx::db::allocateObjectMemory(size); }

void AcDbObject::operator delete(void* memory, std::size_t size) noexcept
{
    arx::db::releaseObjectMemory(memory, size);
}

AcDbObject::AcDbObject() : mpState(new (mStateStorage) ObjectState)
{
    static_assert(sizeof(ObjectState) <= sizeof(mStateStorage) && alignof(ObjectState) <= 8);
}

AcDbObject::~AcDbObject()
{
    // The database deletes its objects through destroyObject, which clears the stub first; an
    // object deleted directly while in a database leaves its id without an object.
    if (mpState->stub != nullptr && mpState->stub->object == this) mpState->stub->object = nullptr;
    mpState->~ObjectState();
}

AcDbObjectId AcDbObject::objectId() const { return AcDbObjectId(mpState->stub); }
AcDbObjectId AcDbObject::ownerId() const { return mpState->owner; }

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId objId)
{
    if (mpState->resident() && !mpState->writer && !mpState->undoing) return Acad::eNotOpenForWrite;
    if (mpState->owner == objId) return Acad::eOk;
    assertWriteEnabled();
    mpState->owner = objId;
    return Acad::eOk;
}

void AcDbObject::getAcDbHandle(AcDbHandle& handle) const
{
    handle = mpState->stub ? AcDbHandle(mpState->stub->handle) : AcDbHandle();
}

AcDbDatabase* AcDbObject::database() const { return mpState->stub ? mpState->stub->database : nullptr; }

void AcDbObject::assertReadEnabled() const
{
    const ObjectState& st = *mpState;
    if (!st.resident() || st.readers > 0 || st.writer || st.notifyOpen || st.notifying > 0 || st.undoing) return;
    arx::db::fatal("AcDbObject::assertReadEnabled: the object is not open");
}

void AcDbObject::assertNotifyEnabled() const
{
    const ObjectState& st = *mpState;
    if (!st.resident() || st.notifyOpen || st.notifying > 0 || st.writer) return;
    arx::db::fatal("AcDbObject::assertNotifyEnabled: the object is not open for notify");
}

void AcDbObject::assertWriteEnabled(Adesk::Boolean autoUndo, Adesk::Boolean recordModified)
{
    ObjectState& st = *mpState;
    if (!st.resident()) return;
    if (st.undoing) {
        // Undo is restoring the object: nothing is recorded or announced.
        if (recordModified) st.modified = true;
        return;
    }
    if (!st.writer) arx::db::fatal("AcDbObject::assertWriteEnabled: the object is not open for write");
    if (st.notifying > 0 && st.reallyClosing)
        arx::db::fatal("AcDbObject::assertWriteEnabled: the object is sending its close notifications");
    if (recordModified) {
        st.modified = true;
        if (isKindOf(AcDbEntity::desc())) st.modifiedGraphics = true;
    }
    if (!st.firstWriteDone) {
        st.firstWriteDone = true;
        arx::db::beginObjectWrite(this);
        if (!st.appendedInOpen) arx::db::sendOpenedForModify(this);
    }
    if (autoUndo) arx::db::commitFullRecord(this);
}

bool AcDbObject::isReadEnabled() const
{
    const ObjectState& st = *mpState;
    return !st.resident() || st.readers > 0 || st.writer || st.notifyOpen || st.notifying > 0;
}
bool AcDbObject::isWriteEnabled() const { return !mpState->resident() || mpState->writer; }
bool AcDbObject::isNotifyEnabled() const { return mpState->notifyOpen || mpState->notifying > 0; }
bool AcDbObject::isModified() const { return mpState->modified; }
bool AcDbObject::isModifiedXData() const { return mpState->modifiedXData; }
bool AcDbObject::isModifiedGraphics() const { return mpState->modifiedGraphics; }
bool AcDbObject::isNewObject() const { return !mpState->resident() || mpState->appendedInOpen; }
bool AcDbObject::isNotifying() const { return mpState->notifying > 0; }
bool AcDbObject::isUndoing() const { return mpState->undoing; }
bool AcDbObject::isCancelling() const { return mpState->cancelling; }
bool AcDbObject::isReallyClosing() const { return mpState->reallyClosing; }
bool AcDbObject::isErased() const { return mpState->stub != nullptr && mpState->stub->erased; }
bool AcDbObject::isEraseStatusToggled() const { return mpState->eraseToggled; }
bool AcDbObject::isAProxy() const
{
    arx::db::ProxyOrigin origin;
    return arx::db::proxyOriginOf(this, origin);
}

namespace {

// The notifications and bookkeeping that end a write open (close and downgradeOpen).
void commitWriteOpen(AcDbObject* obj)
{
    ObjectState& st = stateOf(obj);
    st.reallyClosing = true;
    arx::db::endObjectWrite(obj);
    arx::db::sendCommitNotifications(obj);
    if (st.modified || st.modifiedXData || st.appendedInOpen) arx::db::stateOf(st.stub->database).changed();
}

}  // namespace

Acad::ErrorStatus AcDbObject::close()
{
    ObjectState& st = *mpState;
    if (!st.resident()) return Acad::eNotInDatabase;
    if (st.notifyOpen) {
        st.notifyOpen = false;
        return Acad::eOk;
    }
    if (st.writer) {
        if (st.notifying > 0) return Acad::eCloseWasNotifying;
        subClose();
        commitWriteOpen(this);
        st.writer = false;
        st.resetWriteOpen();
        arx::db::sendObjectClosed(this);
        return Acad::eOk;
    }
    if (st.readers > 0) {
        --st.readers;
        subClose();
        return Acad::eOk;
    }
    return Acad::eInvalidOpenState;
}

Acad::ErrorStatus AcDbObject::cancel()
{
    ObjectState& st = *mpState;
    if (!st.resident()) return Acad::eNotInDatabase;
    if (!st.writer) return close();
    if (st.appendedInOpen) return Acad::eNotApplicable;
    st.cancelling = true;
    subCancel();
    arx::db::restoreFirstWriteState(this);
    arx::db::sendCancelled(this);
    st.writer = false;
    st.resetWriteOpen();
    arx::db::sendObjectClosed(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeOpen()
{
    ObjectState& st = *mpState;
    if (!st.resident()) return Acad::eOk;
    if (st.notifying > 0) return Acad::eWasNotifying;
    if (st.writer) return Acad::eWasOpenForWrite;
    if (st.readers == 0) return Acad::eNotOpenForRead;
    if (st.readers > 1) return Acad::eHadMultipleReaders;
    if (arx::db::isOnLockedLayer(this)) return Acad::eOnLockedLayer;
    st.readers = 0;
    st.writer = true;
    st.resetWriteOpen();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen()
{
    ObjectState& st = *mpState;
    if (!st.resident()) return Acad::eOk;
    if (!st.writer) return Acad::eNotOpenForWrite;
    if (st.notifying > 0) return Acad::eWasNotifying;
    commitWriteOpen(this);
    st.writer = false;
    st.resetWriteOpen();
    st.readers = 1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeFromNotify(Adesk::Boolean& wasWritable)
{
    ObjectState& st = *mpState;
    if (!st.notifyOpen && st.notifying == 0) return Acad::eNotOpenForRead;
    wasWritable = st.writer;
    st.writer = true;
    if (st.stub != nullptr) arx::db::stateOf(st.stub->database).noteOpened(st.stub);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeToNotify(Adesk::Boolean wasWritable)
{
    ObjectState& st = *mpState;
    if (!st.writer) return Acad::eNotOpenForWrite;
    if (!wasWritable) {
        arx::db::endObjectWrite(this);
        st.writer = false;
        st.resetWriteOpen();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::erase(Adesk::Boolean erasing)
{
    ObjectState& st = *mpState;
    if (!st.resident()) return Acad::eNotInDatabase;
    if (!st.writer && !st.undoing) return Acad::eNotOpenForWrite;
    if (static_cast<bool>(erasing) == st.stub->erased) return erasing ? Acad::eWasErased : Acad::eWasNotErased;
    Acad::ErrorStatus es = subErase(erasing);
    if (es != Acad::eOk) return es;
    assertWriteEnabled(false, true);
    arx::db::recordErase(this, erasing);
    st.stub->erased = erasing;
    arx::db::entityListChanged(st.stub->database, ownerId());
    st.eraseToggled = !st.eraseToggled;
    arx::db::stateOf(st.stub->database).changed();
    arx::db::sendErased(this, erasing);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::subErase(Adesk::Boolean erasing)
{
    // The extension dictionary is part of the object: it goes and comes back with it.
    if (mpState->extDict.isNull()) return Acad::eOk;
    AcDbObject* dict = nullptr;
    if (acdbOpenAcDbObject(dict, mpState->extDict, AcDb::kForWrite, true) != Acad::eOk) return Acad::eOk;
    if (dict->isErased() != static_cast<bool>(erasing)) dict->erase(erasing);
    dict->close();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::subOpen(AcDb::OpenMode) { return Acad::eOk; }
Acad::ErrorStatus AcDbObject::subClose() { return Acad::eOk; }
Acad::ErrorStatus AcDbObject::subCancel() { return Acad::eOk; }

Acad::ErrorStatus AcDbObject::audit(AcDbAuditInfo*) { return Acad::eOk; }

AcDbDwgFiler* AcDbObject::undoFiler() { return arx::db::partialUndoFiler(this); }

Acad::ErrorStatus AcDbObject::applyPartialUndo(AcDbDwgFiler*, AcRxClass*) { return Acad::eWrongObjectType; }

Adesk::UInt32 AcDbObject::setAttributes(AcGiDrawableTraits*) { return kDrawableNone; }
Adesk::Boolean AcDbObject::worldDraw(AcGiWorldDraw*) { return true; }
void AcDbObject::viewportDraw(AcGiViewportDraw*) {}

void AcDbObject::cancelled(const AcDbObject*) {}
void AcDbObject::copied(const AcDbObject*, const AcDbObject*) {}
void AcDbObject::erased(const AcDbObject*, Adesk::Boolean) {}
void AcDbObject::goodbye(const AcDbObject*) {}
void AcDbObject::openedForModify(const AcDbObject*) {}
void AcDbObject::modified(const AcDbObject*) {}
void AcDbObject::subObjModified(const AcDbObject*, const AcDbObject*) {}
void AcDbObject::modifyUndone(const AcDbObject*) {}
void AcDbObject::modifiedXData(const AcDbObject*) {}
void AcDbObject::unappended(const AcDbObject*) {}
void AcDbObject::reappended(const AcDbObject*) {}
void AcDbObject::objectClosed(const AcDbObjectId) {}
void AcDbObject::modifiedGraphics(const AcDbObject*) {}
