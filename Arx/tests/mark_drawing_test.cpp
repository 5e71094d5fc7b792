// What a mark draws: outline, bottom band and direction block with their selection markers,
// and the one-shot scale label while a grip is dragged.
#include "gi/recording_world_draw.h"
#include "mark/drag_scales.h"
#include "mark_test_support.h"

using arx::gi::Primitive;
using arx::gi::PrimitiveKind;
using arx::gi::RecordingWorldDraw;
using marktest::viewVariables;

namespace {

class MarkDrawingTest : public marktest::MarkLispTest {
protected:
    void SetUp() override
    {
        MarkLispTest::SetUp();
        kestra::resetDragScales();
        viewVariables().viewSize = 350.0;  // labels 10 high
    }

    // A square of side 100 with its bottom-left corner at the origin, at 1:100.
    AcDbObjectId square(const char* label = "")
    {
        auto* mark = new VaduKestra();
        mark->setFromViewport(AcGePoint3d(100, 100, 0), AcGePoint3d(0, 100, 0), AcGePoint3d(0, 0, 0),
                              AcGePoint3d(100, 0, 0), 1.0, AcDbHandle(0x2Aull), AcGeVector3d::kZAxis);
        mark->setScaleLabel(label);
        return append(mark);
    }

    std::vector<Primitive> draw(AcDbObjectId id, bool dragging, bool expectedResult = true)
    {
        RecordingWorldDraw recorder(db);
        recorder.setDragging(dragging);
        bool result = false;
        EXPECT_EQ(recorder.drawEntity(id, &result), Acad::eOk);
        EXPECT_EQ(result, expectedResult);
        return recorder.takePrimitives();
    }

    std::string labelOf(AcDbObjectId id)
    {
        VaduKestra* mark = nullptr;
        EXPECT_EQ(acdbOpenObject(mark, id, AcDb::kForRead), Acad::eOk);
        std::string label = mark->scaleLabel();
        mark->close();
        return label;
    }
};

std::vector<AcGePoint3d> points(std::initializer_list<AcGePoint3d> list) { return list; }

void expectOutlineAndBand(const std::vector<Primitive>& drawn)
{
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].kind, PrimitiveKind::Polyline);
    EXPECT_EQ(drawn[0].traits.selectionMarker, 1);
    EXPECT_EQ(drawn[0].traits.fillType, kAcGiFillNever);
    EXPECT_EQ(drawn[0].points, points({{100, 100, 0}, {0, 100, 0}, {0, 0, 0}, {100, 0, 0}, {100, 100, 0}}));
    EXPECT_EQ(drawn[1].kind, PrimitiveKind::Polyline);
    EXPECT_EQ(drawn[1].traits.selectionMarker, 2);
    EXPECT_EQ(drawn[1].points, points({{0, 0, 0}, {0, -2, 0}, {100, -2, 0}, {100, 0, 0}})) << "2 outside the bottom";
}

}  // namespace

TEST_F(MarkDrawingTest, AMarkDrawsItsOutlineItsBandAndASolidBlockAtTheBottomLeft)
{
    const std::vector<Primitive> drawn = draw(square(), false);
    expectOutlineAndBand(drawn);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[2].kind, PrimitiveKind::Face);
    EXPECT_EQ(drawn[2].traits.selectionMarker, 3);
    EXPECT_EQ(drawn[2].traits.fillType, kAcGiFillAlways);
    EXPECT_EQ(drawn[2].points, points({{0, 0, 0}, {0, -2, 0}, {10, -2, 0}, {10, 0, 0}})) << "10 x 2 under corner 2";
    EXPECT_EQ(takePrinted(), "");
}

TEST_F(MarkDrawingTest, WhileDraggingTheBlockIsLeftOutAndTheLabelShowsOnce)
{
    const AcDbObjectId id = square("1:80.00");
    std::vector<Primitive> drawn = draw(id, true);
    expectOutlineAndBand(drawn);
    ASSERT_EQ(drawn.size(), 4u) << "outline, band, label frame and label";
    const Primitive& frame = drawn[2];
    const Primitive& text = drawn[3];
    EXPECT_EQ(frame.colorIndex, 5);
    EXPECT_EQ(text.colorIndex, 7);
    ASSERT_EQ(text.kind, PrimitiveKind::Text);
    EXPECT_EQ(text.text.text, "1:80.00");
    EXPECT_EQ(text.text.fontName, "romans.shx");
    EXPECT_NEAR(text.text.height, 10.0, 1e-12);
    ASSERT_EQ(text.points.size(), 1u);
    EXPECT_TRUE(text.points[0].isEqualTo(AcGePoint3d(110, 80, 0))) << "right of and below corner 0";
    ASSERT_EQ(frame.points.size(), 5u);
    EXPECT_EQ(frame.points.front(), frame.points.back());
    // The frame is the text's extents W x H with a margin of H / 2 all round.
    const double k = frame.points[0].distanceTo(frame.points[3]) / 4;
    EXPECT_GT(k, 0.0);
    EXPECT_NEAR(frame.points[0].distanceTo(frame.points[1]), text.text.width + 2 * k, 1e-9);
    EXPECT_TRUE(frame.points[0].isEqualTo(text.points[0] + AcGeVector3d(-k, -k, 0)));
    EXPECT_EQ(takePrinted(), "\rScale: 1:80.00" + std::string(60, ' '));
    EXPECT_EQ(labelOf(id), "");
    EXPECT_EQ(draw(id, true).size(), 2u) << "no label the second time";
    EXPECT_EQ(draw(id, false).size(), 3u);
}

TEST_F(MarkDrawingTest, TheLabelNamesTheRunTimeScaleTheDraggedSizeMatches)
{
    evaluate("(setq vadu_mep::lst_echelle '((\"1:50\" \"50\") (\"1:100\" \"100\") (\"One hundred\" \"100.00005\")))");
    const AcDbObjectId id = square("1:100.00");
    VaduKestra* mark = nullptr;
    ASSERT_EQ(acdbOpenObject(mark, id, AcDb::kForWrite), Acad::eOk);
    kestra::loadDragScales(*mark, AcGeVector3d(1, 1, 0));
    mark->close();
    const std::vector<Primitive> drawn = draw(id, true);
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[3].text.text, "One hundred") << "the last match wins";
}

TEST_F(MarkDrawingTest, WithoutAReadableViewSizeTheLabelIsNotDrawnAndTheDrawingFails)
{
    viewVariables().unreadable = {"VIEWSIZE"};
    const AcDbObjectId id = square("1:80.00");
    const std::vector<Primitive> drawn = draw(id, true, false);
    expectOutlineAndBand(drawn);
    EXPECT_EQ(drawn.size(), 2u);
    EXPECT_EQ(takePrinted(), "Cannot read the variable VIEWSIZE.\n");
}
