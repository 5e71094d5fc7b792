// Classes the database tests use: a small custom entity that files itself in both filer
// families and records its own partial undo, a persistent reactor object and a transient
// reactor that write what they hear into the event log, and a database reactor.
#pragma once
#include <string>
#include <vector>

#include "dbmain.h"
#include "rxboiler.h"

namespace dbtest {

// What the reactors heard, in order ("T:modified 2A", "P:erased 2A 1", "D:objectAppended 2A").
std::vector<std::string>& events();
std::string handleOf(const AcDbObject* obj);
std::string handleOf(AcDbObjectId id);
void registerTestClasses();
void unregisterTestEntityClass();

}  // namespace dbtest

class DbTestEntity : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(DbTestEntity);
    DbTestEntity();

    AcGePoint3d point() const;
    void setPoint(const AcGePoint3d& p);
    double value() const;
    void setValue(double v);
    // Changes the value with a partial undo record of its own (class, then the old value).
    void setValueRecorded(double v);
    AcDbObjectId link() const;
    void setLink(AcDbObjectId id);
    std::string label() const;
    void setLabel(const std::string& text);

    Acad::ErrorStatus applyPartialUndo(AcDbDwgFiler* filer, AcRxClass* cls) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& points, AcDbIntArray& modes, AcDbIntArray& ids) const override;
    // Moves the point; notes "E:moveGripPointsAt <indices> <offset x>" (and "drag" on a copy
    // not in a drawing).
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    // Notes "E:dragged <x>" when drawn in drag mode.
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;

    // The filer types dwgOutFields saw, most recent last.
    static std::vector<AcDb::FilerType>& filerTypesSeen();

private:
    AcGePoint3d mPoint;
    double mValue = 0.0;
    AcDbObjectId mLink;
    std::string mLabel;
};

// An entity that refuses to be copied the way the viewport mark does: its filing gives the
// clone and id-translation filers nothing (eNotApplicable), and deepClone and wblockClone
// print a refusal and hand back no copy.
class DbUncopyableEntity : public DbTestEntity {
public:
    ACRX_DECLARE_MEMBERS(DbUncopyableEntity);
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus deepClone(AcDbObject* owner, AcDbObject*& clone, AcDbIdMapping& map,
                                Adesk::Boolean isPrimary = true) const override;
    Acad::ErrorStatus wblockClone(AcRxObject* owner, AcDbObject*& clone, AcDbIdMapping& map,
                                  Adesk::Boolean isPrimary = true) const override;
};

// A persistent reactor object: attach its id to an object with addPersistentReactor.
class DbTestReactor : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(DbTestReactor);
    DbTestReactor() = default;

    void copied(const AcDbObject* dbObj, const AcDbObject* newObj) override;
    void erased(const AcDbObject* dbObj, Adesk::Boolean erasing) override;
    void openedForModify(const AcDbObject* dbObj) override;
    void modified(const AcDbObject* dbObj) override;
    void modifyUndone(const AcDbObject* dbObj) override;
    void unappended(const AcDbObject* dbObj) override;
    void reappended(const AcDbObject* dbObj) override;
};

class DbTestTransientReactor : public AcDbObjectReactor {
public:
    void cancelled(const AcDbObject* dbObj) override;
    void copied(const AcDbObject* dbObj, const AcDbObject* newObj) override;
    void erased(const AcDbObject* dbObj, Adesk::Boolean erasing) override;
    void goodbye(const AcDbObject* dbObj) override;
    void openedForModify(const AcDbObject* dbObj) override;
    void modified(const AcDbObject* dbObj) override;
    void modifyUndone(const AcDbObject* dbObj) override;
    void modifiedXData(const AcDbObject* dbObj) override;
    void unappended(const AcDbObject* dbObj) override;
    void reappended(const AcDbObject* dbObj) override;
    void objectClosed(const AcDbObjectId objId) override;
};

class DbTestDatabaseReactor : public AcDbDatabaseReactor {
public:
    void objectAppended(const AcDbDatabase*, const AcDbObject* obj) override;
    void objectUnAppended(const AcDbDatabase*, const AcDbObject* obj) override;
    void objectReAppended(const AcDbDatabase*, const AcDbObject* obj) override;
    void objectOpenedForModify(const AcDbDatabase*, const AcDbObject* obj) override;
    void objectModified(const AcDbDatabase*, const AcDbObject* obj) override;
    void objectErased(const AcDbDatabase*, const AcDbObject* obj, Adesk::Boolean erased) override;
    void headerSysVarChanged(const AcDbDatabase*, const char* name, Adesk::Boolean ok) override;
};
