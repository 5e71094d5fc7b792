// Smart openers: AcDbObjectPointer<T> opens an object for the life of the pointer and closes
// it on every path.
#pragma once
#include "dbmain.h"

template <class T>
class AcDbObjectPointerBase {
public:
    AcDbObjectPointerBase() = default;
    AcDbObjectPointerBase(const AcDbObjectPointerBase&) = delete;
    AcDbObjectPointerBase& operator=(const AcDbObjectPointerBase&) = delete;
    virtual ~AcDbObjectPointerBase() { closeInternal(); }

    const T* object() const { return mpObj; }
    T* object() { return mpObj; }
    const T* operator->() const { return mpObj; }
    T* operator->() { return mpObj; }
    operator const T*() const { return mpObj; }
    operator T*() { return mpObj; }
    Acad::ErrorStatus openStatus() const { return mStatus; }

    // openOnLockedLayer lets an entity on a locked layer open for write (eOnLockedLayer else).
    Acad::ErrorStatus open(AcDbObjectId objId, AcDb::OpenMode mode, bool openErased = false,
                           bool openOnLockedLayer = false)
    {
        closeInternal();
        mStatus = acdbOpenObject(mpObj, objId, mode, openErased, openOnLockedLayer);
        return mStatus;
    }
    // Hands the object over: it is not closed by the pointer.
    Acad::ErrorStatus release(T*& pReleased)
    {
        pReleased = mpObj;
        mpObj = nullptr;
        mStatus = Acad::eNullObjectPointer;
        return Acad::eOk;
    }
    // Takes an open (or new) object over; closes the previous one.
    Acad::ErrorStatus acquire(T*& pObjToAcquire)
    {
        closeInternal();
        mpObj = pObjToAcquire;
        pObjToAcquire = nullptr;
        mStatus = mpObj ? Acad::eOk : Acad::eNullObjectPointer;
        return mStatus;
    }
    Acad::ErrorStatus close()
    {
        Acad::ErrorStatus es = closeInternal();
        mStatus = Acad::eNullObjectPointer;
        return es;
    }
    Acad::ErrorStatus create()
    {
        closeInternal();
        mpObj = new T();
        mStatus = Acad::eOk;
        return mStatus;
    }

protected:
    Acad::ErrorStatus closeInternal()
    {
        if (mpObj == nullptr) return Acad::eOk;
        Acad::ErrorStatus es = Acad::eOk;
        if (mpObj->objectId().isNull()) delete mpObj;
        else es = mpObj->close();
        mpObj = nullptr;
        return es;
    }
    T* mpObj = nullptr;
    Acad::ErrorStatus mStatus = Acad::eNullObjectPointer;
};

template <class T>
class AcDbObjectPointer : public AcDbObjectPointerBase<T> {
public:
    AcDbObjectPointer() = default;
    AcDbObjectPointer(AcDbObjectId objId, AcDb::OpenMode mode, bool openErased = false, bool openOnLockedLayer = false)
    {
        this->open(objId, mode, openErased, openOnLockedLayer);
    }
};

typedef AcDbObjectPointer<AcDbObject> AcDbObjectPointerAny;
typedef AcDbObjectPointer<AcDbEntity> AcDbEntityPointer;
