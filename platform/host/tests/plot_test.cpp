// Drawing and plotting: the built-in entities' worldDraw as the recording world draw sees it,
// and the SVG pictures of model space and layouts (parsed back, and checked as XML).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "aced.h"
#include "acedads.h"
#include "ap/document_manager.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dblayout.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "ed/console.h"
#include "ed/views.h"
#include "gi/recording_world_draw.h"
#include "host.h"
#include "svg_document.h"
#include "svg_plot.h"

namespace {

using arx::gi::Primitive;
using arx::gi::PrimitiveKind;
namespace fs = std::filesystem;

constexpr double kPi = 3.14159265358979323846;

std::string& printed()
{
    static std::string text;
    return text;
}

void expectNear(const AcGePoint3d& actual, double x, double y, double z = 0.0)
{
    EXPECT_NEAR(actual.x, x, 1e-9);
    EXPECT_NEAR(actual.y, y, 1e-9);
    EXPECT_NEAR(actual.z, z, 1e-9);
}

// The points of every path of an SVG text (in SVG coordinates), in order.
std::vector<std::vector<AcGePoint2d>> pathPoints(const std::string& svg)
{
    std::vector<std::vector<AcGePoint2d>> paths;
    static const std::regex path("<path[^>]* d=\"([^\"]*)\"");
    static const std::regex number("(-?[0-9.eE+-]+),(-?[0-9.eE+-]+)");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), path); it != std::sregex_iterator(); ++it) {
        const std::string d = (*it)[1];
        paths.push_back({});
        for (auto n = std::sregex_iterator(d.begin(), d.end(), number); n != std::sregex_iterator(); ++n)
            paths.back().emplace_back(std::stod((*n)[1]), std::stod((*n)[2]));
    }
    return paths;
}

// The part of an SVG inside the first clipped group.
std::string clippedGroup(const std::string& svg)
{
    const size_t start = svg.find("<g clip-path=");
    if (start == std::string::npos) return {};
    return svg.substr(start, svg.find("</g>", start) - start);
}

bool isWellFormedXml(const std::string& svg)
{
    const fs::path file = fs::temp_directory_path() / ("kestra_plot_xml_" + std::to_string(::getpid()) + ".svg");
    std::ofstream(file) << svg;
    const std::string command =
        "/usr/bin/python3 -c \"import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])\" " + file.string() +
        " 2>/dev/null";
    const int status = std::system(command.c_str());
    fs::remove(file);
    return status == 0;
}

class Plot : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const fs::path registry = fs::temp_directory_path() / ("kestra_plot_" + std::to_string(::getpid()));
        fs::create_directories(registry);
        arx::host::HostOptions options;
        options.registryFolder = registry.string();
        arx::host::startHost(options);
    }
    static void TearDownTestSuite() { arx::host::stopHost(); }

    void SetUp() override
    {
        arx::ap::DocumentManager::instance().newDocument();
        db = acdbHostApplicationServices()->workingDatabase();
        ASSERT_NE(db, nullptr);
        printed().clear();
        arx::ed::Console::instance().setSink([](std::string_view text) { printed().append(text); });
        resbuf rb{};
        rb.restype = RTSHORT;
        rb.resval.rint = 0;
        acedSetVar("CMDECHO", &rb);
        folder = fs::temp_directory_path() / ("kestra_plot_out_" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        arx::ed::Console::instance().resetSink();
        fs::remove_all(folder);
    }

    AcDbObjectId blockId(const char* name)
    {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db->getBlockTable(table, AcDb::kForRead), Acad::eOk);
        AcDbObjectId id;
        table->getAt(name, id);
        table->close();
        return id;
    }

    AcDbObjectId append(AcDbEntity* entity, const char* block = ACDB_MODEL_SPACE)
    {
        AcDbBlockTableRecord* record = nullptr;
        EXPECT_EQ(acdbOpenObject(record, blockId(block), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(record->appendAcDbEntity(id, entity), Acad::eOk);
        record->close();
        entity->close();
        return id;
    }

    // A new block holding the given entities.
    AcDbObjectId defineBlock(const char* name, std::vector<AcDbEntity*> entities)
    {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbBlockTableRecord;
        record->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, record), Acad::eOk);
        table->close();
        for (AcDbEntity* e : entities) {
            EXPECT_EQ(record->appendAcDbEntity(e), Acad::eOk);
            e->close();
        }
        record->close();
        return id;
    }

    std::vector<Primitive> draw(AcDbObjectId id, bool dragging = false)
    {
        arx::gi::RecordingWorldDraw recorder(db);
        recorder.setDragging(dragging);
        EXPECT_EQ(recorder.drawEntity(id), Acad::eOk);
        return recorder.takePrimitives();
    }

    // A layout sheet 300 x 200 with one floating viewport 200 x 100 centred at (150, 100).
    AcDbObjectId floatingViewport()
    {
        EXPECT_EQ(arx::views::setTiled(db, false), Acad::eOk);
        AcDbLayout* layout = nullptr;
        EXPECT_EQ(acdbOpenObject(layout, arx::views::currentLayoutId(db), AcDb::kForWrite), Acad::eOk);
        layout->setLimits(AcGePoint2d(0, 0), AcGePoint2d(300, 200));
        layout->close();
        AcDbObjectId id;
        EXPECT_EQ(arx::views::addFloatingViewport(db, AcGePoint3d(150, 100, 0), 200, 100, id), Acad::eOk);
        return id;
    }

    void aim(AcDbObjectId viewportId, const AcGePoint2d& center, double viewHeight, double twist)
    {
        AcDbViewport* vp = nullptr;
        ASSERT_EQ(acdbOpenObject(vp, viewportId, AcDb::kForWrite), Acad::eOk);
        vp->setViewTarget(AcGePoint3d(0, 0, 0));
        vp->setViewDirection(AcGeVector3d(0, 0, 1));
        vp->setViewCenter(center);
        vp->setViewHeight(viewHeight);
        vp->setTwistAngle(twist);
        vp->close();
    }

    std::string layoutSvg() { return arx::host::layoutSvg(db, arx::views::currentLayoutId(db)); }

    AcDbDatabase* db = nullptr;
    fs::path folder;
};

// ---- worldDraw of the built-in entities

TEST_F(Plot, LineCircleAndArcDrawTheirGeometry)
{
    const auto line = draw(append(new AcDbLine(AcGePoint3d(1, 2, 0), AcGePoint3d(4, 6, 0))));
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0].kind, PrimitiveKind::Polyline);
    ASSERT_EQ(line[0].points.size(), 2u);
    expectNear(line[0].points[0], 1, 2);
    expectNear(line[0].points[1], 4, 6);

    const auto circle = draw(append(new AcDbCircle(AcGePoint3d(5, 5, 0), AcGeVector3d::kZAxis, 2)));
    ASSERT_EQ(circle.size(), 1u);
    EXPECT_EQ(circle[0].kind, PrimitiveKind::Circle);
    expectNear(circle[0].center, 5, 5);
    EXPECT_NEAR(circle[0].radius, 2, 1e-12);
    for (const AcGePoint3d& p : circle[0].points) EXPECT_NEAR(p.distanceTo(AcGePoint3d(5, 5, 0)), 2, 1e-9);

    // A quarter arc from 90 to 180 degrees: from (0, 3) to (-3, 0), counterclockwise.
    const auto arc = draw(append(new AcDbArc(AcGePoint3d(0, 0, 0), 3, kPi / 2, kPi)));
    ASSERT_EQ(arc.size(), 1u);
    EXPECT_EQ(arc[0].kind, PrimitiveKind::Arc);
    EXPECT_NEAR(arc[0].sweep, kPi / 2, 1e-12);
    ASSERT_GE(arc[0].points.size(), 2u);
    expectNear(arc[0].points.front(), 0, 3);
    expectNear(arc[0].points.back(), -3, 0);
}

TEST_F(Plot, PolylineWithBulgeDrawsLinesAndArcs)
{
    // (0,0) -> (10,0) straight, (10,0) -> (10,10) a half circle bulging right, then back to
    // (0,10) straight: a line run, an arc, a line run.
    auto* pline = new AcDbPolyline;
    pline->addVertexAt(0, AcGePoint2d(0, 0));
    pline->addVertexAt(1, AcGePoint2d(10, 0), 1.0);
    pline->addVertexAt(2, AcGePoint2d(10, 10));
    pline->addVertexAt(3, AcGePoint2d(0, 10));
    const auto drawn = draw(append(pline));
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].kind, PrimitiveKind::Polyline);
    EXPECT_EQ(drawn[1].kind, PrimitiveKind::Arc);
    EXPECT_EQ(drawn[2].kind, PrimitiveKind::Polyline);
    expectNear(drawn[1].center, 10, 5);
    EXPECT_NEAR(drawn[1].radius, 5, 1e-9);
    expectNear(drawn[1].points.front(), 10, 0);
    expectNear(drawn[1].points.back(), 10, 10);
    // The far side of the half circle is at x = 15: it bulges to the right of the travel.
    double farthest = 0;
    for (const AcGePoint3d& p : drawn[1].points) farthest = std::max(farthest, p.x);
    EXPECT_NEAR(farthest, 15, 1e-3);

    // Closed and straight: one polyline back to its start.
    auto* square = new AcDbPolyline;
    for (int i = 0; i < 4; ++i) square->addVertexAt(i, AcGePoint2d(i == 1 || i == 2 ? 4 : 0, i >= 2 ? 4 : 0));
    square->setClosed(true);
    const auto closed = draw(append(square));
    ASSERT_EQ(closed.size(), 1u);
    ASSERT_EQ(closed[0].points.size(), 5u);
    expectNear(closed[0].points.back(), 0, 0);
}

TEST_F(Plot, BlockReferenceDrawsItsBlockInPlaceWithItsColour)
{
    // Appending gives an entity without a layer the database's defaults: set them first.
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    line->setDatabaseDefaults(db);
    line->setColorIndex(0);  // by block
    auto* circle = new AcDbCircle(AcGePoint3d(1, 0, 0), AcGeVector3d::kZAxis, 0.5);
    circle->setDatabaseDefaults(db);
    circle->setColorIndex(3);
    const AcDbObjectId block = defineBlock("PART", {line, circle});
    auto* insert = new AcDbBlockReference(AcGePoint3d(10, 5, 0), block);
    insert->setRotation(kPi / 2);
    insert->setScaleFactors(AcGeScale3d(2, 2, 2));
    insert->setDatabaseDefaults(db);
    insert->setColorIndex(1);
    const auto drawn = draw(append(insert));
    ASSERT_EQ(drawn.size(), 2u);
    ASSERT_EQ(drawn[0].points.size(), 2u);
    expectNear(drawn[0].points[0], 10, 5);
    expectNear(drawn[0].points[1], 10, 7);
    EXPECT_EQ(drawn[0].colorIndex, 1);
    EXPECT_EQ(drawn[1].kind, PrimitiveKind::Circle);
    expectNear(drawn[1].center, 10, 7);
    EXPECT_NEAR(drawn[1].radius, 1.0, 1e-9);
    EXPECT_EQ(drawn[1].colorIndex, 3);
}

TEST_F(Plot, BlockThatInsertsItselfStillDraws)
{
    const AcDbObjectId block = defineBlock("LOOP", {new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0))});
    AcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, block, AcDb::kForWrite), Acad::eOk);
    auto* self = new AcDbBlockReference(AcGePoint3d(1, 0, 0), block);
    record->appendAcDbEntity(self);
    self->close();
    record->close();
    const auto drawn = draw(append(new AcDbBlockReference(AcGePoint3d(0, 0, 0), block)));
    EXPECT_GE(drawn.size(), 2u);
}

TEST_F(Plot, ViewportDrawsItsFrameUnlessClippedByAnEntity)
{
    const AcDbObjectId vp = floatingViewport();
    const auto frame = draw(vp);
    ASSERT_EQ(frame.size(), 1u);
    ASSERT_EQ(frame[0].points.size(), 5u);
    expectNear(frame[0].points[0], 250, 150);
    expectNear(frame[0].points[1], 50, 150);
    expectNear(frame[0].points[2], 50, 50);
    expectNear(frame[0].points[3], 250, 50);

    auto* triangle = new AcDbPolyline;
    triangle->addVertexAt(0, AcGePoint2d(60, 60));
    triangle->addVertexAt(1, AcGePoint2d(240, 60));
    triangle->addVertexAt(2, AcGePoint2d(150, 140));
    triangle->setClosed(true);
    const AcDbObjectId clip = append(triangle, ACDB_PAPER_SPACE);
    AcDbViewport* viewport = nullptr;
    ASSERT_EQ(acdbOpenObject(viewport, vp, AcDb::kForWrite), Acad::eOk);
    viewport->setNonRectClipEntityId(clip);
    viewport->setNonRectClipOn();
    viewport->close();
    EXPECT_TRUE(draw(vp).empty());
}

// ---- SVG

TEST_F(Plot, SvgTextIsEscapedAndColoursFollowTheHostIndex)
{
    EXPECT_EQ(arx::host::xmlEscape("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; &apos;d&apos;&gt;");
    EXPECT_EQ(arx::host::aciColor(1), "#ff0000");
    EXPECT_EQ(arx::host::aciColor(5), "#0000ff");
    EXPECT_EQ(arx::host::aciColor(7), "#000000");
    EXPECT_EQ(arx::host::aciColor(0), "#000000");
    EXPECT_EQ(arx::host::aciColor(300), "#000000");
    EXPECT_EQ(arx::host::svgNumber(std::nan("")), "0");
    EXPECT_EQ(arx::host::svgNumber(-1e-15), "0");
    EXPECT_EQ(arx::host::svgNumber(2.5), "2.5");
}

TEST_F(Plot, TwistedViewportShowsModelPointWhereTheViewPutsIt)
{
    // Twist 90 degrees turns the model counterclockwise on the sheet: model X runs up the
    // sheet, so the display's Y axis is model X and model (5, 0) is display (0, 5). View
    // height 50 in a viewport 100 high shows 2 paper units per model unit. With the view
    // centre at display (0, 5), model (5, 0) shows at the viewport's centre (150, 100) and
    // model (15, 0), ten units further along model X, 20 units up the sheet: (150, 120).
    const AcDbObjectId vp = floatingViewport();
    aim(vp, AcGePoint2d(0, 5), 50, kPi / 2);
    append(new AcDbLine(AcGePoint3d(5, 0, 0), AcGePoint3d(15, 0, 0)));
    const std::string svg = layoutSvg();
    ASSERT_TRUE(isWellFormedXml(svg)) << svg;
    const auto paths = pathPoints(clippedGroup(svg));
    ASSERT_EQ(paths.size(), 1u) << svg;
    ASSERT_EQ(paths[0].size(), 2u);
    // SVG coordinates: x from the sheet's left, y down from its top (200).
    EXPECT_NEAR(paths[0][0].x, 150, 1e-6);
    EXPECT_NEAR(paths[0][0].y, 200 - 100, 1e-6);
    EXPECT_NEAR(paths[0][1].x, 150, 1e-6);
    EXPECT_NEAR(paths[0][1].y, 200 - 120, 1e-6);
    // The clip region is the viewport's frame.
    const auto clips = pathPoints(svg.substr(svg.find("<clipPath"), svg.find("</clipPath>") - svg.find("<clipPath")));
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].size(), 4u);
    EXPECT_NEAR(clips[0][0].x, 250, 1e-6);
    EXPECT_NEAR(clips[0][0].y, 50, 1e-6);
}

TEST_F(Plot, LayoutShowsSheetPaperEntitiesAndOnlyViewportsThatAreOn)
{
    const AcDbObjectId vp = floatingViewport();
    aim(vp, AcGePoint2d(0, 0), 100, 0);
    append(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 10));
    append(new AcDbLine(AcGePoint3d(10, 10, 0), AcGePoint3d(20, 10, 0)), ACDB_PAPER_SPACE);
    std::string svg = layoutSvg();
    EXPECT_NE(svg.find("class=\"sheet\""), std::string::npos);
    EXPECT_EQ(pathPoints(clippedGroup(svg)).size(), 1u);
    EXPECT_NE(svg.find("M10,190 L20,190"), std::string::npos) << svg;

    AcDbViewport* viewport = nullptr;
    ASSERT_EQ(acdbOpenObject(viewport, vp, AcDb::kForWrite), Acad::eOk);
    viewport->setOff();
    viewport->close();
    svg = layoutSvg();
    EXPECT_TRUE(clippedGroup(svg).empty());
    EXPECT_TRUE(isWellFormedXml(svg));
}

TEST_F(Plot, PaperEntitiesBeyondTheSheetWidenThePicture)
{
    floatingViewport();
    append(new AcDbLine(AcGePoint3d(-20, 10, 0), AcGePoint3d(410, 10, 0)), ACDB_PAPER_SPACE);
    const std::string svg = layoutSvg();
    EXPECT_NE(svg.find("viewBox=\"0 0 430 200\""), std::string::npos) << svg;
    // The sheet stays the paper limits, moved by the 20 units the picture gained on the left.
    EXPECT_NE(svg.find("class=\"sheet\" d=\"M20,200 L320,200 L320,0 L20,0 Z\""), std::string::npos) << svg;
}

TEST_F(Plot, NonRectangularClippingUsesTheClipEntity)
{
    const AcDbObjectId vp = floatingViewport();
    aim(vp, AcGePoint2d(0, 0), 100, 0);
    append(new AcDbLine(AcGePoint3d(-50, 0, 0), AcGePoint3d(50, 0, 0)));
    auto* triangle = new AcDbPolyline;
    triangle->addVertexAt(0, AcGePoint2d(60, 60));
    triangle->addVertexAt(1, AcGePoint2d(240, 60));
    triangle->addVertexAt(2, AcGePoint2d(150, 140));
    triangle->setClosed(true);
    const AcDbObjectId clip = append(triangle, ACDB_PAPER_SPACE);
    AcDbViewport* viewport = nullptr;
    ASSERT_EQ(acdbOpenObject(viewport, vp, AcDb::kForWrite), Acad::eOk);
    viewport->setNonRectClipEntityId(clip);
    viewport->setNonRectClipOn();
    viewport->close();
    const std::string svg = layoutSvg();
    const size_t start = svg.find("<clipPath");
    const auto clips = pathPoints(svg.substr(start, svg.find("</clipPath>") - start));
    ASSERT_EQ(clips.size(), 1u);
    ASSERT_GE(clips[0].size(), 3u);
    EXPECT_NEAR(clips[0][0].x, 60, 1e-6);
    EXPECT_NEAR(clips[0][0].y, 140, 1e-6);
    EXPECT_NEAR(clips[0][2].x, 150, 1e-6);
    EXPECT_NEAR(clips[0][2].y, 60, 1e-6);
}

TEST_F(Plot, HiddenLayersAndTextAreHandled)
{
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    auto* hidden = new AcDbLayerTableRecord;
    hidden->setName("HIDDEN");
    hidden->setIsOff(true);
    AcDbObjectId hiddenId;
    ASSERT_EQ(layers->add(hiddenId, hidden), Acad::eOk);
    hidden->close();
    layers->close();
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    line->setLayer(hiddenId);
    append(line);
    append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(2, 0, 0)));
    const std::string svg = arx::host::modelSpaceSvg(db);
    EXPECT_EQ(pathPoints(svg).size(), 1u) << svg;
    EXPECT_TRUE(isWellFormedXml(svg));
}

// ---- the commands

TEST_F(Plot, SvgoutWritesModelSpaceAndPlotWritesTheLayout)
{
    append(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 10));
    const std::string model = (folder / "model.svg").string();
    ASSERT_EQ(acedCommand(RTSTR, "SVGOUT", RTSTR, model.c_str(), RTNONE), RTNORM);
    std::stringstream written;
    written << std::ifstream(model).rdbuf();
    EXPECT_TRUE(isWellFormedXml(written.str()));
    EXPECT_EQ(pathPoints(written.str()).size(), 1u);
    EXPECT_EQ(written.str().find("sheet"), std::string::npos);

    floatingViewport();
    const std::string sheet = (folder / "sheet.svg").string();
    ASSERT_EQ(acedCommand(RTSTR, "PLOT", RTSTR, sheet.c_str(), RTNONE), RTNORM);
    std::stringstream plotted;
    plotted << std::ifstream(sheet).rdbuf();
    EXPECT_TRUE(isWellFormedXml(plotted.str()));
    EXPECT_NE(plotted.str().find("class=\"sheet\""), std::string::npos);
}

TEST_F(Plot, UnwritableFileIsReportedAndLeavesNothing)
{
    const std::string path = (folder / "missing" / "out.svg").string();
    acedCommand(RTSTR, "PREVIEW", RTSTR, path.c_str(), RTNONE);
    EXPECT_NE(printed().find("Cannot write " + path + "."), std::string::npos) << printed();
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(path + ".tmp"));
}

}  // namespace
