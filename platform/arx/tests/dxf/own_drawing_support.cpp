#include "own_drawing_support.h"

#include <gtest/gtest.h>

#include "acutads.h"
#include "adscodes.h"
#include "dbdict.h"
#include "dbents.h"
#include "dblayout.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "dbxrecrd.h"

ACRX_DXF_DEFINE_MEMBERS(DxfTestMark, AcDbEntity, 15, 0, 1, KESTRATESTMARK, KESTRATEST)

AcGePoint3d DxfTestMark::center() const
{
    assertReadEnabled();
    return mCenter;
}
void DxfTestMark::setCenter(const AcGePoint3d& point)
{
    assertWriteEnabled();
    mCenter = point;
}
std::string DxfTestMark::label() const
{
    assertReadEnabled();
    return mLabel;
}
void DxfTestMark::setLabel(const std::string& text)
{
    assertWriteEnabled();
    mLabel = text;
}
AcDbObjectId DxfTestMark::target() const
{
    assertReadEnabled();
    return mTarget;
}
void DxfTestMark::setTarget(AcDbObjectId id)
{
    assertWriteEnabled();
    mTarget = id;
}

Acad::ErrorStatus DxfTestMark::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writePoint3d(mCenter);
    filer->writeString(mLabel.c_str());
    filer->writeHardPointerId(mTarget);
    return filer->filerStatus();
}

Acad::ErrorStatus DxfTestMark::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    char* text = nullptr;
    AcDbHardPointerId target;
    filer->readPoint3d(&mCenter);
    filer->readString(&text);
    filer->readHardPointerId(&target);
    mLabel = text ? text : "";
    delete[] text;
    mTarget = target;
    return filer->filerStatus();
}

Acad::ErrorStatus DxfTestMark::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, "DxfTestMark");
    filer->writeInt16(AcDb::kDxfInt16, 15);
    filer->writePoint3d(AcDb::kDxfXCoord, mCenter);
    filer->writeString(AcDb::kDxfText, mLabel.c_str());
    filer->writeObjectId(AcDb::kDxfHardPointerId, mTarget);
    return filer->filerStatus();
}

Acad::ErrorStatus DxfTestMark::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData("DxfTestMark")) return Acad::eBadDxfSequence;
    resbuf rb;
    while (!filer->atExtendedData() && filer->readItem(&rb) == Acad::eOk) {
        switch (rb.restype) {
        case AcDb::kDxfInt16: break;
        case AcDb::kDxfXCoord: mCenter.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]); break;
        case AcDb::kDxfText: mLabel = rb.resval.rstring ? rb.resval.rstring : ""; break;
        case AcDb::kDxfHardPointerId: acdbGetObjectId(mTarget, rb.resval.rlname); break;
        default: filer->pushBackItem(); return filer->filerStatus();
        }
    }
    return filer->filerStatus();
}

namespace dxftest {

TestMarkClass::TestMarkClass()
{
    DxfTestMark::rxInit();
    acrxBuildClassHierarchy();
}

TestMarkClass::~TestMarkClass()
{
    if (AcRxClass* cls = acrxFindClass("DxfTestMark")) deleteAcRxClass(cls);
}

std::string handleText(AcDbObjectId id)
{
    char text[20];
    id.handle().getIntoAsciiBuffer(text);
    return text;
}

namespace {

AcDbObjectId append(AcDbObjectId blockId, AcDbEntity* entity)
{
    AcDbBlockTableRecord* block = nullptr;
    EXPECT_EQ(acdbOpenObject(block, blockId, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(block->appendAcDbEntity(id, entity), Acad::eOk);
    block->close();
    entity->close();
    return id;
}

AcDbObjectId blockOf(AcDbDatabase* db, const char* name)
{
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db->getBlockTable(table, AcDb::kForRead), Acad::eOk);
    AcDbObjectId id;
    table->getAt(name, id);
    table->close();
    return id;
}

// A layout of its own block (*Paper_Space0...), after the existing ones.
AcDbObjectId addLayout(AcDbDatabase* db, const char* name, const char* blockName, int tabOrder)
{
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbBlockTableRecord();
    record->setName(blockName);
    AcDbObjectId blockId;
    EXPECT_EQ(table->add(blockId, record), Acad::eOk);
    record->close();
    table->close();
    auto* layout = new AcDbLayout();
    layout->setLayoutName(name);
    layout->setTabOrder(tabOrder);
    EXPECT_EQ(layout->addToLayoutDict(db, blockId), Acad::eOk);
    layout->close();
    return blockId;
}

AcDbViewport* newViewport(const AcGePoint3d& center, double width, double height, short id)
{
    auto* viewport = new AcDbViewport();
    viewport->setCenterPoint(center);
    viewport->setWidth(width);
    viewport->setHeight(height);
    viewport->setViewCenter(AcGePoint2d(center.x, center.y));
    viewport->setViewHeight(height);
    viewport->setViewportId(id);
    viewport->setOn();
    return viewport;
}

AcDbObjectId addMark(AcDbObjectId blockId, const AcGePoint3d& center, const char* label, AcDbObjectId target)
{
    auto* mark = new DxfTestMark();
    mark->setCenter(center);
    mark->setLabel(label);
    mark->setTarget(target);
    return append(blockId, mark);
}

AcDbObjectId addReactorObject(AcDbDatabase* db)
{
    AcDbDictionary* nod = nullptr;
    EXPECT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    auto* reactor = new AcDbXrecord();
    AcDbObjectId id;
    EXPECT_EQ(nod->setAt("KESTRA_REACTOR", reactor, id), Acad::eOk);
    reactor->close();
    nod->close();
    return id;
}

// The mark's extension dictionary with a note, and the reactor that watches it.
void decorate(AcDbObjectId markId, AcDbObjectId reactorId)
{
    AcDbObject* mark = nullptr;
    ASSERT_EQ(acdbOpenObject(mark, markId, AcDb::kForWrite), Acad::eOk);
    mark->addPersistentReactor(reactorId);
    ASSERT_EQ(mark->createExtensionDictionary(), Acad::eOk);
    const AcDbObjectId dictId = mark->extensionDictionary();
    mark->close();
    AcDbDictionary* dict = nullptr;
    ASSERT_EQ(acdbOpenObject(dict, dictId, AcDb::kForWrite), Acad::eOk);
    auto* note = new AcDbXrecord();
    resbuf* data = acutBuildList(1, "made by the tests", 40, 2.5, RTNONE);
    note->setFromRbChain(*data);
    acutRelRb(data);
    AcDbObjectId noteId;
    dict->setAt("KESTRA_NOTE", note, noteId);
    note->close();
    dict->close();
}

// A closed polyline around the viewport's area that clips it, watching it as the host does.
AcDbObjectId clipViewport(AcDbObjectId blockId, AcDbObjectId viewportId)
{
    auto* boundary = new AcDbPolyline();
    const double points[][2] = {{100, 50}, {180, 50}, {200, 110}, {140, 150}, {90, 110}};
    for (unsigned i = 0; i < 5; ++i) boundary->addVertexAt(i, AcGePoint2d(points[i][0], points[i][1]));
    boundary->setClosed(true);
    boundary->addPersistentReactor(viewportId);
    const AcDbObjectId clipId = append(blockId, boundary);
    AcDbViewport* viewport = nullptr;
    EXPECT_EQ(acdbOpenObject(viewport, viewportId, AcDb::kForWrite), Acad::eOk);
    viewport->setNonRectClipEntityId(clipId);
    viewport->setNonRectClipOn();
    viewport->close();
    return clipId;
}

}  // namespace

RichDrawing buildRichDrawing(AcDbDatabase* db)
{
    RichDrawing made;
    const AcDbObjectId model = blockOf(db, ACDB_MODEL_SPACE);
    append(model, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 50, 0)));
    append(model, new AcDbCircle(AcGePoint3d(40, 30, 0), AcGeVector3d::kZAxis, 12));

    const AcDbObjectId sheet1 = blockOf(db, ACDB_PAPER_SPACE);
    append(sheet1, newViewport(AcGePoint3d(148.5, 105, 0), 297, 210, 1));
    const AcDbObjectId plain = append(sheet1, newViewport(AcGePoint3d(80, 100, 0), 120, 90, 2));
    AcDbViewport* twisted = newViewport(AcGePoint3d(220, 100, 0), 100, 80, 3);
    twisted->setTwistAngle(0.4);
    twisted->setViewDirection(AcGeVector3d(1, -1, 1));
    append(sheet1, twisted);
    const AcDbObjectId mark = addMark(sheet1, AcGePoint3d(3, 4, 0), "A-1", plain);

    const AcDbObjectId sheet2 = addLayout(db, "Layout2", "*Paper_Space0", 2);
    append(sheet2, newViewport(AcGePoint3d(148.5, 105, 0), 297, 210, 1));
    const AcDbObjectId clipped = append(sheet2, newViewport(AcGePoint3d(145, 100, 0), 110, 100, 2));
    const AcDbObjectId clip = clipViewport(sheet2, clipped);
    addMark(sheet2, AcGePoint3d(140, 95, 0), "B-1", clipped);

    const AcDbObjectId reactor = addReactorObject(db);
    decorate(mark, reactor);
    made.markHandle = handleText(mark);
    made.markedViewportHandle = handleText(plain);
    made.clippedViewportHandle = handleText(clipped);
    made.clipHandle = handleText(clip);
    made.reactorHandle = handleText(reactor);
    return made;
}

}  // namespace dxftest
