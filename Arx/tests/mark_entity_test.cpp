// The mark's class, its fields and accessors, and the property-palette marker.
#include <cmath>

#include "dbdict.h"
#include "dbxrecrd.h"
#include "mark_test_support.h"
#include "rxclass.h"
#include "shell/result_buffer.h"

using marktest::MarkTest;

namespace {

// A 200 x 100 outline centred at (200, 100), turned by `angle` about its centre.
VaduKestra* turnedMark(double angle)
{
    auto* mark = new VaduKestra();
    const AcGePoint3d center(200.0, 100.0, 0.0);
    const AcGePoint3d flat[4] = {{300.0, 150.0, 0.0}, {100.0, 150.0, 0.0}, {100.0, 50.0, 0.0}, {300.0, 50.0, 0.0}};
    AcGePoint3d turned[4];
    for (int i = 0; i < 4; ++i) turned[i] = AcGePoint3d(flat[i]).rotateBy(angle, AcGeVector3d::kZAxis, center);
    mark->setFromViewport(turned[0], turned[1], turned[2], turned[3], 50.0, AcDbHandle(0x2Full), AcGeVector3d::kZAxis);
    return mark;
}

}  // namespace

TEST_F(MarkTest, TheClassIsRegisteredOnceWithItsDrawingFileIdentity)
{
    AcRxClass* mark = acrxFindClass("VaduKestra");
    ASSERT_NE(mark, nullptr);
    EXPECT_STREQ(mark->dxfName(), "KESTRA");
    EXPECT_STREQ(mark->appName(), "KESTRA");
    EXPECT_EQ(mark->proxyFlags(), 1);
    EXPECT_EQ(mark->dwgVersion(), 15);
    EXPECT_EQ(mark->maintenanceVersion(), 0);
    EXPECT_EQ(mark->myParent(), AcDbEntity::desc());
    kestra::registerMarkClass();
    EXPECT_EQ(acrxFindClass("VaduKestra"), mark) << "a second registration keeps the first class";
    EXPECT_EQ(acrxFindClassByDxfName("KESTRA"), mark);
    AcRxObject* made = mark->create();
    EXPECT_NE(VaduKestra::cast(made), nullptr);
    delete made;
}

TEST_F(MarkTest, ANewMarkIsEmpty)
{
    VaduKestra mark;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(mark.corners()[i], AcGePoint3d::kOrigin);
    EXPECT_EQ(mark.center(), AcGePoint3d::kOrigin);
    EXPECT_TRUE(mark.normal().isZeroLength());
    EXPECT_TRUE(mark.viewportHandle().isNull());
    EXPECT_TRUE(mark.outlineBlockId().isNull());
    EXPECT_EQ(mark.paperHeight(), 0.0);
    EXPECT_EQ(mark.rotation(), 0.0);
    EXPECT_EQ(mark.zoomXp(), 0.0);
    EXPECT_EQ(mark.viewMode(), 0);
    EXPECT_EQ(mark.viewDir(), AcGePoint3d::kOrigin);
    EXPECT_EQ(mark.viewTarget(), AcGePoint3d::kOrigin);
    EXPECT_EQ(mark.viewCenter(), AcGePoint3d::kOrigin);
    EXPECT_EQ(mark.frontZ(), 0.0);
    EXPECT_EQ(mark.backZ(), 0.0);
    EXPECT_EQ(mark.lensLength(), 0.0);
    EXPECT_STREQ(mark.scaleLabel(), "");
    EXPECT_TRUE(mark.extraGrips().isEmpty());
}

TEST_F(MarkTest, CornerSettersChangeOnlyTheirCornerUntilTheCentreIsRecomputed)
{
    VaduKestra* mark = turnedMark(0.0);
    const double rotation = mark->rotation();
    mark->setCorner1(AcGePoint3d(90.0, 160.0, 0.0));
    EXPECT_EQ(mark->corner1(), AcGePoint3d(90.0, 160.0, 0.0));
    EXPECT_EQ(mark->center(), AcGePoint3d(200.0, 100.0, 0.0)) << "center waits for recomputeCenter";
    EXPECT_EQ(mark->rotation(), rotation);
    mark->setCorner0(AcGePoint3d(310.0, 150.0, 0.0));
    mark->recomputeCenter();
    EXPECT_EQ(mark->center(), AcGePoint3d(205.0, 100.0, 0.0));
    EXPECT_DOUBLE_EQ(mark->width(), std::hypot(220.0, 10.0));
    EXPECT_DOUBLE_EQ(mark->height(), std::hypot(10.0, 100.0));
    delete mark;
}

TEST_F(MarkTest, SetRotationTurnsTheOutlineSoThatItsAngleMatchesTheStoredValue)
{
    for (double start : {0.0, 0.3, 2.0, 4.5}) {
        VaduKestra* mark = turnedMark(start);
        EXPECT_NEAR(mark->rotation(), -start, 1e-12) << "minus the angle of the bottom edge";
        for (double wanted : {-0.5, -3.0, -6.0}) {
            mark->setRotation(wanted);
            EXPECT_EQ(mark->rotation(), wanted);
            VaduKestra* fresh = turnedMark(-wanted);
            EXPECT_TRUE(mark->sameCorners(fresh->corner0(), fresh->corner1(), fresh->corner2(), fresh->corner3()))
                << "start " << start << " wanted " << wanted;
            EXPECT_TRUE(mark->center().isEqualTo(AcGePoint3d(200.0, 100.0, 0.0)));
            delete fresh;
        }
        delete mark;
    }
}

TEST_F(MarkTest, SetCenterMovesTheWholeOutline)
{
    VaduKestra* mark = turnedMark(0.7);
    const AcGePoint3d before[4] = {mark->corner0(), mark->corner1(), mark->corner2(), mark->corner3()};
    const AcGeVector3d shift(-50.0, 25.0, 3.0);
    mark->setCenter(AcGePoint3d(150.0, 125.0, 3.0));
    EXPECT_EQ(mark->center(), AcGePoint3d(150.0, 125.0, 3.0));
    EXPECT_TRUE(mark->sameCorners(before[0] + shift, before[1] + shift, before[2] + shift, before[3] + shift));
    delete mark;
}

TEST_F(MarkTest, SameCornersAllowsOneTenThousandth)
{
    VaduKestra* mark = turnedMark(0.0);
    const AcGeVector3d nudge(0.00009, 0.0, 0.0);
    EXPECT_TRUE(mark->sameCorners(mark->corner0() + nudge, mark->corner1(), mark->corner2(), mark->corner3() - nudge));
    EXPECT_FALSE(mark->sameCorners(mark->corner0(), mark->corner1(), mark->corner2() + nudge * 2.0, mark->corner3()));
    EXPECT_FALSE(mark->sameCorners(mark->corner1(), mark->corner0(), mark->corner2(), mark->corner3()))
        << "order counts";
    delete mark;
}

TEST_F(MarkTest, TheScaleLabelIsCutToFitAndEmptiedOnRequest)
{
    VaduKestra mark;
    const std::string longName(45, 'x');
    mark.setScaleLabel(longName.c_str());
    EXPECT_EQ(std::string(mark.scaleLabel()), std::string(VaduKestra::kScaleLabelSize - 1, 'x'));
    mark.setScaleLabel(mark.scaleLabel() + 20);
    EXPECT_EQ(std::string(mark.scaleLabel()), std::string(11, 'x')) << "a label may be set from itself";
    mark.setScaleLabel(nullptr);
    EXPECT_STREQ(mark.scaleLabel(), "");
    mark.setScaleLabel("1:50");
    mark.clearScaleLabel();
    EXPECT_STREQ(mark.scaleLabel(), "");
}

TEST_F(MarkTest, ThePropertyMarkerIsAnXrecordInTheExtensionDictionary)
{
    AcDbObjectId id = append(turnedMark(0.0));
    for (int attach = 0; attach < 2; ++attach) {
        VaduKestra* mark = nullptr;
        ASSERT_EQ(acdbOpenObject(mark, id, AcDb::kForWrite), Acad::eOk);
        EXPECT_EQ(mark->attachPropertyMarker(), Acad::eOk);
        mark->close();
    }
    VaduKestra* mark = nullptr;
    ASSERT_EQ(acdbOpenObject(mark, id, AcDb::kForRead), Acad::eOk);
    const AcDbObjectId dictionaryId = mark->extensionDictionary();
    mark->close();
    AcDbDictionary* dictionary = nullptr;
    ASSERT_EQ(acdbOpenObject(dictionary, dictionaryId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(dictionary->numEntries(), 1u) << "attaching again replaces the marker";
    AcDbObject* entry = nullptr;
    ASSERT_EQ(dictionary->getAt("VADU_MSVP_SIMPLEDYNPROPS", entry, AcDb::kForRead), Acad::eOk);
    dictionary->close();
    AcDbXrecord* record = AcDbXrecord::cast(entry);
    ASSERT_NE(record, nullptr);
    resbuf* chain = nullptr;
    ASSERT_EQ(record->rbChain(&chain), Acad::eOk);
    kestra::ResultBufferHolder data(chain);
    record->close();
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chain->restype, 1);
    EXPECT_STREQ(chain->resval.rstring, "Kestra");
    EXPECT_EQ(chain->rbnext, nullptr);
}
