// Scale names, the run-time drag scales of vadu_mep::lst_echelle, and setScale.
#include <cmath>
#include <memory>

#include "acedads.h"
#include "geplane.h"
#include "mark/drag_scales.h"
#include "mark/standard_scales.h"
#include "mark_test_support.h"

using marktest::MarkTest;

namespace {

// A 200 x 100 outline centred at (200, 100) at 1:10 (paper height 10).
VaduKestra* markAtOneToTen()
{
    auto* mark = new VaduKestra();
    mark->setFromViewport(AcGePoint3d(300, 150, 0), AcGePoint3d(100, 150, 0), AcGePoint3d(100, 50, 0),
                          AcGePoint3d(300, 50, 0), 10.0, AcDbHandle(0x2Full), AcGeVector3d::kZAxis);
    return mark;
}

// The drag lists start empty in every test.
class DragScalesTest : public marktest::MarkLispTest {
protected:
    void SetUp() override
    {
        MarkLispTest::SetUp();
        kestra::resetDragScales();
    }
};

}  // namespace

TEST(StandardScalesTest, TheTableHoldsThirtyThreeScalesNumberedInOrder)
{
    auto scales = kestra::standardScales();
    ASSERT_EQ(scales.size(), 33u);
    for (size_t i = 0; i < scales.size(); ++i) EXPECT_EQ(scales[i].number, static_cast<int>(i) + 1);
    EXPECT_STREQ(scales[7].name, " 1/4\"= 1'");
    EXPECT_EQ(scales[18].ratio, 0.033333333333333);
}

TEST(StandardScalesTest, FormatScaleNamesStandardRatiosAndPrintsOthers)
{
    EXPECT_EQ(kestra::formatScale(0.01).text, "1:100");
    EXPECT_EQ(kestra::formatScale(0.01).number, 22);
    EXPECT_EQ(kestra::formatScale(0.0100000009).text, "1:100");
    EXPECT_EQ(kestra::formatScale(1.0 / 30.0).text, "1:30");
    EXPECT_EQ(kestra::formatScale(1.0 / 30.0).number, 19);
    EXPECT_EQ(kestra::formatScale(1.0 / 1536.0).text, "1/128\"= 1'");
    EXPECT_EQ(kestra::formatScale(1.0 / 12.0).text, "1\"= 1'");
    EXPECT_EQ(kestra::formatScale(1000.0).number, 33);
    const kestra::ScaleName free = kestra::formatScale(0.0125);
    EXPECT_EQ(free.text, "0.0125");
    EXPECT_EQ(free.number, 0);
    EXPECT_EQ(kestra::formatScale(0.0100011).text, "0.0100") << "beyond 1e-6 it is a number";
    EXPECT_EQ(kestra::formatScale(1e300).text.size(), 306u) << "any size of number fits";
}

TEST(StandardScalesTest, FormatFixedAndTheFreeScaleLabel)
{
    EXPECT_EQ(kestra::formatFixed(100.0, 2), "100.00");
    EXPECT_EQ(kestra::formatFixed(0.5, 2), ".50");
    EXPECT_EQ(kestra::formatFixed(-2.5, 2), "2.50") << "the sign is dropped";
    EXPECT_EQ(kestra::formatFixed(79.999, 2), "80.00");
    EXPECT_EQ(kestra::formatFixed(0.05, 2), ".05");
    EXPECT_EQ(kestra::freeScaleLabel(0.0125), "1:80.00");
    EXPECT_EQ(kestra::freeScaleLabel(2.5), "2.50:1");
    EXPECT_EQ(kestra::freeScaleLabel(1.0), "1:1.00");
}

TEST_F(DragScalesTest, ScalesOfTheVariableBecomeNamesRatiosAndGripsOnTheDiagonal)
{
    evaluate("(setq vadu_mep::lst_echelle '((\"1:50\" \"50\") 7 (\"1:100\" \"100.0\") (\"odd\" 3)))");
    VaduKestra* mark = markAtOneToTen();
    const AcGeVector3d direction = (mark->corner0() - mark->center()) * mark->zoomXp();
    ASSERT_EQ(kestra::loadDragScales(*mark, direction), Acad::eOk);
    const kestra::DragScales& scales = kestra::dragScales();
    EXPECT_EQ(scales.names, (std::vector<std::string>{"1:50", "1:100"}))
        << "what is not a (name ratio) list is skipped";
    EXPECT_EQ(scales.ratios, (std::vector<double>{50.0, 100.0}));
    ASSERT_EQ(mark->extraGrips().length(), 2);
    EXPECT_TRUE(mark->extraGrips()[0].isEqualTo(mark->center() + direction * 50.0));
    EXPECT_TRUE(mark->extraGrips()[1].isEqualTo(AcGePoint3d(1200, 600, 0))) << "corner 0 at 1:100";
    EXPECT_STREQ(kestra::dragScaleNameFor(100.00005), "1:100");
    EXPECT_EQ(kestra::dragScaleNameFor(100.001), nullptr);
    delete mark;
}

TEST_F(DragScalesTest, AVariableThatIsNotAListFailsSilently)
{
    VaduKestra* mark = markAtOneToTen();
    for (const char* value : {"(setq vadu_mep::lst_echelle nil)", "(setq vadu_mep::lst_echelle 12)"}) {
        evaluate(value);
        EXPECT_EQ(kestra::loadDragScales(*mark, AcGeVector3d(1, 1, 0)), Acad::eInvalidInput) << value;
    }
    EXPECT_EQ(takePrinted(), "");
    EXPECT_TRUE(mark->extraGrips().isEmpty());
    delete mark;
}

TEST_F(DragScalesTest, AVariableThatCannotBeReadIsReported)
{
    withoutInterpreter();
    VaduKestra* mark = markAtOneToTen();
    EXPECT_EQ(kestra::loadDragScales(*mark, AcGeVector3d(1, 1, 0)), Acad::eInvalidInput);
    EXPECT_EQ(takePrinted(), "Cannot find the variable: vadu_mep::lst_echelle\n");
    delete mark;
}

TEST_F(DragScalesTest, SetScaleAboutTheCentreKeepsShapeAndRotation)
{
    evaluate("(setq vadu_mep::lst_echelle '((\"1:50\" \"50\")))");
    VaduKestra* mark = markAtOneToTen();
    mark->setRotation(-0.6);
    kestra::loadDragScales(*mark, AcGeVector3d(1, 0, 0));
    const AcGePoint3d center = mark->center();
    const double rotation = mark->rotation();
    ASSERT_EQ(mark->setScale(center, 0.05), Acad::eOk);
    EXPECT_TRUE(mark->center().isEqualTo(center));
    EXPECT_NEAR(mark->width(), 400.0, 1e-9);
    EXPECT_NEAR(mark->height(), 200.0, 1e-9);
    EXPECT_NEAR(mark->corner0().distanceTo(mark->corner2()), std::hypot(400.0, 200.0), 1e-9);
    EXPECT_NEAR(-(mark->corner3() - mark->corner2()).angleOnPlane(AcGePlane(center, AcGeVector3d::kZAxis)), rotation,
                1e-9);
    EXPECT_EQ(mark->zoomXp(), 0.05);
    EXPECT_STREQ(mark->scaleLabel(), "1:20.00");
    EXPECT_TRUE(mark->extraGrips().isEmpty());
    EXPECT_TRUE(kestra::dragScales().names.empty());
    delete mark;
}

TEST_F(DragScalesTest, SetScaleAboutAnotherPointScalesTheOutlineFromIt)
{
    VaduKestra* mark = markAtOneToTen();
    ASSERT_EQ(mark->setScale(AcGePoint3d(100, 50, 0), 0.2), Acad::eOk);
    EXPECT_TRUE(mark->sameCorners(AcGePoint3d(200, 100, 0), AcGePoint3d(100, 100, 0), AcGePoint3d(100, 50, 0),
                                  AcGePoint3d(200, 50, 0)));
    EXPECT_TRUE(mark->center().isEqualTo(AcGePoint3d(150, 75, 0)));
    EXPECT_STREQ(mark->scaleLabel(), "1:5.00");
    ASSERT_EQ(mark->setScale(AcGePoint3d(0, 0, 0), 2.5), Acad::eOk);
    EXPECT_STREQ(mark->scaleLabel(), "2.50:1");
    delete mark;
}

TEST_F(DragScalesTest, SetScaleRefusesAScaleThatIsNotPositive)
{
    VaduKestra* mark = markAtOneToTen();
    mark->setScaleLabel("kept");
    for (double zoom : {0.0, -1.0, std::nan("")}) {
        EXPECT_EQ(mark->setScale(mark->center(), zoom), Acad::eInvalidInput);
        EXPECT_TRUE(mark->sameCorners(AcGePoint3d(300, 150, 0), AcGePoint3d(100, 150, 0), AcGePoint3d(100, 50, 0),
                                      AcGePoint3d(300, 50, 0)));
    }
    EXPECT_STREQ(mark->scaleLabel(), "kept");
    EXPECT_EQ(mark->zoomXp(), 0.1);
    VaduKestra unscaled;
    EXPECT_EQ(unscaled.setScale(AcGePoint3d(), 0.5), Acad::eInvalidInput) << "a mark without a scale";
    delete mark;
}
