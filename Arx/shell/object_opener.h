// The one way the module opens database objects: an opener in the style of the host's
// AcDbObjectPointer that keeps the object open for its own life and closes it on every path.
// A failed close of an object that was opened stops the host (acrx_abort), as the host's own
// rules for broken object discipline require. A new object that never reached a database is
// deleted instead of closed.
#pragma once
#include "aced.h"
#include "dbmain.h"

namespace kestra {

constexpr const char* kFailedClose = "Failed AcDbObject::close()";

// Closes an open object; fatal (with the message) when the host refuses.
inline void closeOrAbort(AcDbObject* object, const char* failureMessage = kFailedClose)
{
    if (object->close() != Acad::eOk) acrx_abort("%s", failureMessage);
}

template <class T>
class ObjectOpener {
public:
    ObjectOpener() = default;
    ObjectOpener(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false, bool openOnLockedLayer = false)
    {
        open(id, mode, openErased, openOnLockedLayer);
    }
    // Takes over an object that is open already or not yet in a database.
    explicit ObjectOpener(T* object) { adopt(object); }
    ~ObjectOpener() { close(); }
    ObjectOpener(const ObjectOpener&) = delete;
    ObjectOpener& operator=(const ObjectOpener&) = delete;

    // Opens the object as a T (eNotThatKindOfClass, and nothing open, for another class),
    // closing the one held before.
    Acad::ErrorStatus open(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false,
                           bool openOnLockedLayer = false)
    {
        close();
        status_ = acdbOpenObject(object_, id, mode, openErased, openOnLockedLayer);
        if (status_ != Acad::eOk) object_ = nullptr;
        return status_;
    }
    void adopt(T* object)
    {
        close();
        object_ = object;
        status_ = object ? Acad::eOk : Acad::eNullObjectPointer;
    }
    // Closes now (deletes a new object that is in no database).
    void close()
    {
        T* object = object_;
        object_ = nullptr;
        status_ = Acad::eNullObjectPointer;
        if (object == nullptr) return;
        if (object->objectId().isNull()) delete object;
        else closeOrAbort(object, closeFailure_);
    }
    // The message the host aborts with when this object cannot be closed.
    void setCloseFailureMessage(const char* message) { closeFailure_ = message; }

    Acad::ErrorStatus upgradeOpen() { return object_ ? object_->upgradeOpen() : Acad::eNullObjectPointer; }
    Acad::ErrorStatus downgradeOpen() { return object_ ? object_->downgradeOpen() : Acad::eNullObjectPointer; }

    Acad::ErrorStatus openStatus() const { return status_; }
    bool isOpen() const { return object_ != nullptr; }
    explicit operator bool() const { return object_ != nullptr; }
    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }

private:
    T* object_ = nullptr;
    Acad::ErrorStatus status_ = Acad::eNullObjectPointer;
    const char* closeFailure_ = kFailedClose;
};

}  // namespace kestra
