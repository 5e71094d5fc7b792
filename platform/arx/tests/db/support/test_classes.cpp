#include "support/test_classes.h"

#include <cstdio>

#include "acgi.h"

#include "acutads.h"
#include "dbfiler.h"

namespace dbtest {

std::vector<std::string>& events()
{
    static std::vector<std::string> log;
    return log;
}

std::string handleOf(const AcDbObject* obj)
{
    AcDbHandle h;
    obj->getAcDbHandle(h);
    char text[20];
    h.getIntoAsciiBuffer(text);
    return text;
}

std::string handleOf(AcDbObjectId id)
{
    char text[20];
    id.handle().getIntoAsciiBuffer(text);
    return text;
}

void registerTestClasses()
{
    if (acrxFindClass("DbTestEntity") == nullptr) DbTestEntity::rxInit();
    if (acrxFindClass("DbTestReactor") == nullptr) DbTestReactor::rxInit();
    if (acrxFindClass("DbUncopyableEntity") == nullptr) DbUncopyableEntity::rxInit();
    acrxBuildClassHierarchy();
}

void unregisterTestEntityClass()
{
    if (AcRxClass* cls = acrxFindClass("DbTestEntity")) deleteAcRxClass(cls);
}

}  // namespace dbtest

using dbtest::events;
using dbtest::handleOf;

ACRX_DXF_DEFINE_MEMBERS(DbTestEntity, AcDbEntity, 15, 0, 1, DBTESTENTITY, DBTEST)

DbTestEntity::DbTestEntity() = default;

std::vector<AcDb::FilerType>& DbTestEntity::filerTypesSeen()
{
    static std::vector<AcDb::FilerType> seen;
    return seen;
}

AcGePoint3d DbTestEntity::point() const
{
    assertReadEnabled();
    return mPoint;
}

void DbTestEntity::setPoint(const AcGePoint3d& p)
{
    assertWriteEnabled();
    mPoint = p;
}

double DbTestEntity::value() const
{
    assertReadEnabled();
    return mValue;
}

void DbTestEntity::setValue(double v)
{
    assertWriteEnabled();
    mValue = v;
}

void DbTestEntity::setValueRecorded(double v)
{
    assertWriteEnabled(false, true);
    if (AcDbDwgFiler* filer = undoFiler()) {
        filer->writeAddress(DbTestEntity::desc());
        filer->writeDouble(mValue);
    }
    mValue = v;
}

AcDbObjectId DbTestEntity::link() const
{
    assertReadEnabled();
    return mLink;
}

void DbTestEntity::setLink(AcDbObjectId id)
{
    assertWriteEnabled();
    mLink = id;
}

std::string DbTestEntity::label() const
{
    assertReadEnabled();
    return mLabel;
}

void DbTestEntity::setLabel(const std::string& text)
{
    assertWriteEnabled();
    mLabel = text;
}

Acad::ErrorStatus DbTestEntity::applyPartialUndo(AcDbDwgFiler* filer, AcRxClass* cls)
{
    if (cls != DbTestEntity::desc()) return AcDbEntity::applyPartialUndo(filer, cls);
    double old = 0.0;
    if (filer->readDouble(&old) != Acad::eOk) return filer->filerStatus();
    setValueRecorded(old);
    return Acad::eOk;
}

Acad::ErrorStatus DbTestEntity::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    filerTypesSeen().push_back(filer->filerType());
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(1);
    filer->writePoint3d(mPoint);
    filer->writeDouble(mValue);
    filer->writeSoftPointerId(mLink);
    filer->writeString(mLabel.c_str());
    return filer->filerStatus();
}

Acad::ErrorStatus DbTestEntity::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    filer->readInt16(&version);
    if (version > 1) return Acad::eMakeMeProxy;
    AcDbSoftPointerId link;
    char* label = nullptr;
    filer->readPoint3d(&mPoint);
    filer->readDouble(&mValue);
    filer->readSoftPointerId(&link);
    filer->readString(&label);
    mLink = link;
    mLabel = label ? label : "";
    delete[] label;
    return filer->filerStatus();
}

Acad::ErrorStatus DbTestEntity::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeItem(AcDb::kDxfSubclass, "DbTestEntity");
    filer->writeInt16(AcDb::kDxfInt16, 1);
    filer->writePoint3d(AcDb::kDxfXCoord, mPoint);
    filer->writeDouble(AcDb::kDxfReal, mValue);
    filer->writeObjectId(AcDb::kDxfSoftPointerId, mLink);
    filer->writeString(AcDb::kDxfText, mLabel.c_str());
    return filer->filerStatus();
}

Acad::ErrorStatus DbTestEntity::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData("DbTestEntity")) return Acad::eBadDxfSequence;
    resbuf rb;
    while (filer->readItem(&rb) == Acad::eOk) {
        switch (rb.restype) {
        case AcDb::kDxfInt16:
            if (rb.resval.rint > 1) return Acad::eMakeMeProxy;
            break;
        case AcDb::kDxfXCoord: mPoint.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]); break;
        case AcDb::kDxfReal: mValue = rb.resval.rreal; break;
        case AcDb::kDxfSoftPointerId: acdbGetObjectId(mLink, rb.resval.rlname); break;
        case AcDb::kDxfText: mLabel = rb.resval.rstring; break;
        default: filer->pushBackItem(); return filer->filerStatus();
        }
    }
    return filer->filerStatus();
}

Acad::ErrorStatus DbTestEntity::transformBy(const AcGeMatrix3d& xform)
{
    assertWriteEnabled();
    mPoint.transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus DbTestEntity::getGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    points.append(mPoint);
    return Acad::eOk;
}

Acad::ErrorStatus DbTestEntity::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    std::string note = "E:moveGripPointsAt";
    for (int i = 0; i < indices.length(); ++i) note += " " + std::to_string(indices[i]);
    char x[32];
    std::snprintf(x, sizeof x, " %g", offset.x);
    events().push_back(note + x + (objectId().isNull() ? " drag" : ""));
    mPoint += offset;
    return Acad::eOk;
}

Adesk::Boolean DbTestEntity::worldDraw(AcGiWorldDraw* mode)
{
    if (mode->isDragging()) {
        char x[32];
        std::snprintf(x, sizeof x, "%g", mPoint.x);
        events().push_back(std::string("E:dragged ") + x);
    }
    return AcDbEntity::worldDraw(mode);
}

ACRX_DXF_DEFINE_MEMBERS(DbUncopyableEntity, DbTestEntity, 15, 0, 1, DBUNCOPYABLE, DBTEST)

Acad::ErrorStatus DbUncopyableEntity::dwgOutFields(AcDbDwgFiler* filer) const
{
    AcDb::FilerType type = filer->filerType();
    if (type == AcDb::kIdXlateFiler || type == AcDb::kDeepCloneFiler || type == AcDb::kWblockCloneFiler)
        return Acad::eNotApplicable;
    return DbTestEntity::dwgOutFields(filer);
}

Acad::ErrorStatus DbUncopyableEntity::deepClone(AcDbObject*, AcDbObject*& clone, AcDbIdMapping&, Adesk::Boolean) const
{
    clone = nullptr;
    acutPrintf("Cannot copy this object.\n");
    return Acad::eOk;
}

Acad::ErrorStatus DbUncopyableEntity::wblockClone(AcRxObject*, AcDbObject*& clone, AcDbIdMapping&, Adesk::Boolean) const
{
    clone = nullptr;
    acutPrintf("Cannot copy this object to another drawing.\n");
    return Acad::eOk;
}

ACRX_DXF_DEFINE_MEMBERS(DbTestReactor, AcDbObject, 15, 0, 0, DBTESTREACTOR, DBTEST)

void DbTestReactor::copied(const AcDbObject* o, const AcDbObject* n)
{
    events().push_back("P:copied " + handleOf(o) + " " + handleOf(n));
}
void DbTestReactor::erased(const AcDbObject* o, Adesk::Boolean e)
{
    events().push_back("P:erased " + handleOf(o) + (e ? " 1" : " 0"));
}
void DbTestReactor::openedForModify(const AcDbObject* o) { events().push_back("P:openedForModify " + handleOf(o)); }
void DbTestReactor::modified(const AcDbObject* o) { events().push_back("P:modified " + handleOf(o)); }
void DbTestReactor::modifyUndone(const AcDbObject* o) { events().push_back("P:modifyUndone " + handleOf(o)); }
void DbTestReactor::unappended(const AcDbObject* o) { events().push_back("P:unappended " + handleOf(o)); }
void DbTestReactor::reappended(const AcDbObject* o) { events().push_back("P:reappended " + handleOf(o)); }

void DbTestTransientReactor::cancelled(const AcDbObject* o) { events().push_back("T:cancelled " + handleOf(o)); }
void DbTestTransientReactor::copied(const AcDbObject* o, const AcDbObject* n)
{
    events().push_back("T:copied " + handleOf(o) + " " + handleOf(n));
}
void DbTestTransientReactor::erased(const AcDbObject* o, Adesk::Boolean e)
{
    events().push_back("T:erased " + handleOf(o) + (e ? " 1" : " 0"));
}
void DbTestTransientReactor::goodbye(const AcDbObject* o) { events().push_back("T:goodbye " + handleOf(o)); }
void DbTestTransientReactor::openedForModify(const AcDbObject* o)
{
    events().push_back("T:openedForModify " + handleOf(o));
}
void DbTestTransientReactor::modified(const AcDbObject* o) { events().push_back("T:modified " + handleOf(o)); }
void DbTestTransientReactor::modifyUndone(const AcDbObject* o) { events().push_back("T:modifyUndone " + handleOf(o)); }
void DbTestTransientReactor::modifiedXData(const AcDbObject* o)
{
    events().push_back("T:modifiedXData " + handleOf(o));
}
void DbTestTransientReactor::unappended(const AcDbObject* o) { events().push_back("T:unappended " + handleOf(o)); }
void DbTestTransientReactor::reappended(const AcDbObject* o) { events().push_back("T:reappended " + handleOf(o)); }
void DbTestTransientReactor::objectClosed(const AcDbObjectId id)
{
    events().push_back("T:objectClosed " + dbtest::handleOf(id));
}

void DbTestDatabaseReactor::objectAppended(const AcDbDatabase*, const AcDbObject* o)
{
    events().push_back("D:objectAppended " + handleOf(o));
}
void DbTestDatabaseReactor::objectUnAppended(const AcDbDatabase*, const AcDbObject* o)
{
    events().push_back("D:objectUnAppended " + handleOf(o));
}
void DbTestDatabaseReactor::objectReAppended(const AcDbDatabase*, const AcDbObject* o)
{
    events().push_back("D:objectReAppended " + handleOf(o));
}
void DbTestDatabaseReactor::objectOpenedForModify(const AcDbDatabase*, const AcDbObject* o)
{
    events().push_back("D:objectOpenedForModify " + handleOf(o));
}
void DbTestDatabaseReactor::objectModified(const AcDbDatabase*, const AcDbObject* o)
{
    events().push_back("D:objectModified " + handleOf(o));
}
void DbTestDatabaseReactor::objectErased(const AcDbDatabase*, const AcDbObject* o, Adesk::Boolean e)
{
    events().push_back("D:objectErased " + handleOf(o) + (e ? " 1" : " 0"));
}
void DbTestDatabaseReactor::headerSysVarChanged(const AcDbDatabase*, const char* name, Adesk::Boolean)
{
    events().push_back(std::string("D:headerSysVarChanged ") + name);
}
