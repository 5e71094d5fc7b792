// The mark under the host's transformations: random marks under random matrices (moves,
// turns, scalings, mirrors, shears) keep the outline's derived fields in line with its
// corners; EXPLODE's polyline and the copy refusals.
#include <cmath>
#include <numbers>
#include <random>

#include "dbents.h"
#include "dbidmap.h"
#include "geplane.h"
#include "mark/outline_geometry.h"
#include "mark_test_support.h"

using marktest::Frame;
using marktest::markOf;
using marktest::MarkTest;
using marktest::randomFrame;

namespace {

constexpr double kPi = std::numbers::pi;

AcGeVector3d randomDirection(std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    AcGeVector3d v;
    do v = AcGeVector3d(unit(random), unit(random), unit(random));
    while (v.length() < 0.1);
    return v.normal();
}

// One of the host's editing matrices, or a shear or any invertible matrix.
AcGeMatrix3d randomTransform(std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const AcGePoint3d base(500 * unit(random), 500 * unit(random), 50 * unit(random));
    switch (std::uniform_int_distribution<int>(0, 5)(random)) {
    case 0: return AcGeMatrix3d::translation(AcGeVector3d(300 * unit(random), 300 * unit(random), 30 * unit(random)));
    case 1: return AcGeMatrix3d::rotation(kPi * 2.0 * unit(random), randomDirection(random), base);
    case 2: return AcGeMatrix3d::scaling(0.05 + 4.0 * std::fabs(unit(random)), base);
    case 3: return AcGeMatrix3d::mirroring(AcGePlane(base, randomDirection(random)));
    case 4: {
        AcGeMatrix3d scale;
        for (int i = 0; i < 3; ++i)
            scale(i, i) = (unit(random) < 0 ? -1.0 : 1.0) * (0.1 + 3.0 * std::fabs(unit(random)));
        return AcGeMatrix3d::rotation(kPi * unit(random), randomDirection(random), base) * scale;
    }
    default: {
        AcGeMatrix3d any;
        do {
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 4; ++c) any(r, c) = (c == 3 ? 100.0 : 1.5) * unit(random);
        } while (std::fabs(any.det()) < 0.05);
        return any;
    }
    }
}

double scaleOf(const VaduKestra& mark)
{
    return 1.0 + mark.center().asVector().length() + mark.width() + mark.height();
}

}  // namespace

TEST_F(MarkTest, RandomMarksUnderRandomTransformsKeepTheirOutlineInvariants)
{
    std::mt19937 random(20261208);
    AcGeTol directionTolerance;
    directionTolerance.setEqualVector(1e-8);
    for (int run = 0; run < 300; ++run) {
        VaduKestra* mark = markOf(randomFrame(random));
        mark->appendExtraGrip(AcGePoint3d(1, 2, 3));
        const AcGePoint3d viewDir = mark->viewDir();
        const AcGePoint3d viewTarget = mark->viewTarget();
        const double lens = mark->lensLength();
        for (int step = 0; step < 4; ++step) {
            const AcGeMatrix3d m = randomTransform(random);
            AcGePoint3d expected[4];
            for (int i = 0; i < 4; ++i) expected[i] = AcGePoint3d(mark->corners()[i]).transformBy(m);
            const double normalLength = mark->normal().length();
            // The normal of the image plane: the cofactor of the matrix carries normals, and a
            // matrix that turns space over (negative determinant) turns the outline over.
            AcGeVector3d expectedNormal = mark->normal();
            expectedNormal.transformBy(m.inverse().transpose());
            if (m.det() < 0.0) expectedNormal = -expectedNormal;
            ASSERT_EQ(mark->transformBy(m), Acad::eOk);
            const double tolerance = 1e-9 * scaleOf(*mark);
            const std::string where = "run " + std::to_string(run) + " step " + std::to_string(step);
            for (int i = 0; i < 4; ++i)
                EXPECT_LT(mark->corners()[i].distanceTo(expected[i]), tolerance) << where << " corner " << i;
            EXPECT_LT(mark->center().distanceTo(kestra::outlineCenter(mark->corners())), tolerance) << where;
            EXPECT_NEAR(mark->zoomXp(), mark->paperHeight() / mark->height(), 1e-9 * mark->zoomXp()) << where;
            EXPECT_NEAR(mark->normal().length(), normalLength, 1e-9 * normalLength) << where;
            const AcGeVector3d n = mark->normal().normal();
            EXPECT_NEAR(n.dotProduct((mark->corner3() - mark->corner2()).normal()), 0.0, 1e-7) << where;
            EXPECT_NEAR(n.dotProduct((mark->corner2() - mark->corner1()).normal()), 0.0, 1e-7) << where;
            EXPECT_TRUE(n.isCodirectionalTo(expectedNormal, directionTolerance)) << where;
            EXPECT_LE(mark->rotation(), 0.0) << where;
            EXPECT_GT(mark->rotation(), -2.0 * kPi) << where;
            EXPECT_NEAR(mark->rotation(), kestra::outlineRotation(mark->corners(), mark->center(), mark->normal()),
                        1e-12)
                << where;
        }
        EXPECT_EQ(mark->viewDir(), viewDir);
        EXPECT_EQ(mark->viewTarget(), viewTarget);
        EXPECT_EQ(mark->lensLength(), lens);
        EXPECT_EQ(mark->extraGrips().length(), 1) << "the offered grips are not the transform's";
        delete mark;
    }
}

TEST_F(MarkTest, TurningAMarkAboutItsNormalLowersItsRotationByTheAngle)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> turn(-3.0, 3.0);
    for (int run = 0; run < 50; ++run) {
        const Frame frame = randomFrame(random);
        VaduKestra* mark = markOf(frame);
        const double before = mark->rotation();
        const double angle = turn(random);
        ASSERT_EQ(mark->transformBy(AcGeMatrix3d::rotation(angle, mark->normal(), AcGePoint3d(3, 4, 5))), Acad::eOk);
        double difference = std::remainder(mark->rotation() - (before - angle), 2.0 * kPi);
        EXPECT_NEAR(difference, 0.0, 1e-9) << run;
        EXPECT_NEAR(mark->width(), frame.width, 1e-9 * frame.width);
        EXPECT_NEAR(mark->zoomXp(), frame.paperHeight / frame.height, 1e-12 * mark->zoomXp());
        delete mark;
    }
}

TEST_F(MarkTest, MirroringAPlanMarkReversesItsNormalAndRecomputesItsRotationOnTheNewPlane)
{
    VaduKestra* mark = markOf(Frame{AcGePoint3d(200, 100, 0), AcGeVector3d(0, 0, 2), kPi / 6, 200, 100, 10});
    const AcGeVector3d before = (mark->corner3() - mark->corner2()).normal();
    // MIRROR about the line x = 0 of the XY plane: the reflection in the plane through that line
    // and the Z axis.
    ASSERT_EQ(mark->transformBy(AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis))),
              Acad::eOk);
    EXPECT_TRUE(mark->normal().isEqualTo(AcGeVector3d(0, 0, -2)));
    EXPECT_TRUE(mark->center().isEqualTo(AcGePoint3d(-200, 100, 0)));
    // Seen from below the mirrored outline is the original turned the other way.
    const AcGeVector3d bottom = mark->corner3() - mark->corner2();
    EXPECT_NEAR(-mark->rotation(), bottom.angleOnPlane(AcGePlane(mark->center(), mark->normal())), 1e-12);
    EXPECT_TRUE(bottom.normal().isEqualTo(AcGeVector3d(-before.x, before.y, 0.0)));
    EXPECT_NEAR(mark->zoomXp(), 0.1, 1e-12);
    delete mark;
}

TEST_F(MarkTest, AMatrixThatFlattensTheMarkKeepsItsNormalAndLeavesNoNumberUndefined)
{
    VaduKestra* mark = markOf(Frame{AcGePoint3d(200, 100, 0), AcGeVector3d(0, 0, 1), 0.0, 200, 100, 10});
    AcGeMatrix3d flatten;
    flatten(1, 1) = 0.0;  // every point onto the XZ plane: the outline becomes a line
    ASSERT_EQ(mark->transformBy(flatten), Acad::eOk);
    EXPECT_EQ(mark->normal(), AcGeVector3d(0, 0, 1));
    EXPECT_TRUE(std::isfinite(mark->rotation()));
    EXPECT_NEAR(mark->zoomXp(), 0.1, 1e-12) << "no height: the scale stays as it was";
    delete mark;
}

TEST_F(MarkTest, MarksRefuseToBeCopiedWithinOrOutOfTheDrawing)
{
    VaduKestra* mark = markOf(Frame{AcGePoint3d(200, 100, 0), AcGeVector3d(0, 0, 1), 0.0, 200, 100, 10});
    const AcDbObjectId markId = append(mark);
    AcDbLine* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    const AcDbObjectId lineId = append(line);
    takePrinted();

    AcDbObjectIdArray ids;
    ids.append(lineId);
    ids.append(markId);
    AcDbObjectId owner = modelSpaceId();
    AcDbIdMapping map;
    ASSERT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eOk);
    EXPECT_EQ(takePrinted(), "Cannot copy an Kestra object! Copy its parent instead (the floating viewport).\n");
    AcDbIdPair pair(markId, AcDbObjectId(), true);
    EXPECT_FALSE(map.compute(pair) && !pair.value().isNull()) << "no copy of the mark";
    AcDbIdPair linePair(lineId, AcDbObjectId(), true);
    EXPECT_TRUE(map.compute(linePair) && !linePair.value().isNull()) << "the rest of the selection is copied";

    VaduKestra* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, markId, AcDb::kForRead), Acad::eOk);
    AcDbObject* clone = reinterpret_cast<AcDbObject*>(0x1);
    AcDbIdMapping other;
    EXPECT_EQ(opened->wblockClone(nullptr, clone, other), Acad::eOk);
    EXPECT_EQ(clone, nullptr);
    opened->close();
    EXPECT_EQ(takePrinted(), "Cannot copy an Kestra object from one drawing to another.\n");
}
