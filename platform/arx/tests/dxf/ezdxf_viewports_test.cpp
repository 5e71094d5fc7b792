// Drawings with layouts and floating viewports written by ezdxf at test time: no paper-space
// viewport of their own, a layer named only by the viewports, twisted, non-plan and clipped
// viewports. They open; whatever the host adds takes handles the file does not use; every
// viewport keeps its view and clipping; each layout gets its paper-space viewport first; the
// views show the floating viewports; and save then reopen keeps it all, as ezdxf also reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dbapserv.h"
#include "dbents.h"
#include "dblayout.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db/symbol_lookup.h"
#include "drawing_test_support.h"
#include "ed/standard_sysvars.h"
#include "ed/views.h"
#include "ezdxf_support.h"
#include "sample_files.h"

namespace fs = std::filesystem;
using namespace dxftest;

namespace {

std::vector<std::string> runScript(const std::string& arguments)
{
    return runTestScript("ezdxf_viewports.py", arguments);
}

std::vector<std::string> split(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, '\t')) fields.push_back(field);
    return fields;
}

// One VIEWPORT line of the script's report.
struct ReportedViewport {
    std::string handle, layout;
    int id = 0;
    double cx = 0, cy = 0, width = 0, height = 0, vcx = 0, vcy = 0, viewHeight = 0, twistDegrees = 0;
    AcGeVector3d direction;
    AcGePoint3d target;
    long flags = 0;
    std::string clip;
};

struct Report {
    std::vector<ReportedViewport> viewports;
    std::map<std::string, std::vector<std::string>> reactors;
};

Report readReport(const std::vector<std::string>& lines)
{
    Report report;
    for (const std::string& line : lines) {
        const std::vector<std::string> f = split(line);
        if (!f.empty() && f[0] == "reactors") {
            report.reactors[f[1]].assign(f.begin() + 2, f.end());
            continue;
        }
        EXPECT_EQ(f.size(), 19u) << line;
        if (f.size() != 19) continue;
        ReportedViewport vp;
        vp.handle = f[0];
        vp.layout = f[1];
        vp.id = std::stoi(f[2]);
        vp.cx = std::stod(f[3]), vp.cy = std::stod(f[4]), vp.width = std::stod(f[5]), vp.height = std::stod(f[6]);
        vp.vcx = std::stod(f[7]), vp.vcy = std::stod(f[8]), vp.viewHeight = std::stod(f[9]);
        vp.twistDegrees = std::stod(f[10]);
        vp.direction.set(std::stod(f[11]), std::stod(f[12]), std::stod(f[13]));
        vp.target.set(std::stod(f[14]), std::stod(f[15]), std::stod(f[16]));
        vp.flags = std::stol(f[17]);
        vp.clip = f[18];
        report.viewports.push_back(vp);
    }
    return report;
}

class EzdxfViewports : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ezdxfAvailable()) GTEST_SKIP() << "python3-ezdxf is not installed for /usr/bin/python3; skipping";
        folder = scratchFolder("ezdxf-viewports");
        const std::vector<std::string> output = runScript("write '" + folder.string() + "'");
        ASSERT_TRUE(output.empty()) << output.front();
    }
    void TearDown() override
    {
        if (!folder.empty()) fs::remove_all(folder);
    }

    std::string path(const char* name) const { return (folder / name).string(); }
    Report report(const std::string& file) const { return readReport(runScript("report '" + file + "'")); }

    fs::path folder;
};

std::uint64_t handleValue(const std::string& text) { return std::stoull(text, nullptr, 16); }

std::uint64_t fileSeed(const std::string& text)
{
    const std::size_t at = text.find("$HANDSEED");
    EXPECT_NE(at, std::string::npos);
    std::stringstream in(text.substr(at));
    std::string name, code, value;
    in >> name >> code >> value;
    return handleValue(value);
}

// The viewport as the report says ezdxf read it.
void expectViewportAsReported(AcDbDatabase* db, const ReportedViewport& expected)
{
    SCOPED_TRACE("viewport " + expected.handle);
    AcDbObjectPointer<AcDbViewport> vp(idOfHandle(db, expected.handle), AcDb::kForRead);
    ASSERT_EQ(vp.openStatus(), Acad::eOk);
    EXPECT_EQ(vp->viewportId(), expected.id);
    EXPECT_EQ(vp->centerPoint(), AcGePoint3d(expected.cx, expected.cy, 0));
    EXPECT_DOUBLE_EQ(vp->width(), expected.width);
    EXPECT_DOUBLE_EQ(vp->height(), expected.height);
    EXPECT_EQ(vp->viewCenter(), AcGePoint2d(expected.vcx, expected.vcy));
    EXPECT_DOUBLE_EQ(vp->viewHeight(), expected.viewHeight);
    EXPECT_NEAR(vp->twistAngle(), expected.twistDegrees * M_PI / 180.0, 1e-12);
    EXPECT_TRUE(vp->viewDirection().isParallelTo(expected.direction));
    EXPECT_EQ(vp->viewTarget(), expected.target);
    EXPECT_TRUE(vp->isOn());
    const bool clipped = (expected.flags & AcDbViewport::kNonRectangularClip) != 0;
    EXPECT_EQ(vp->isNonRectClipOn(), clipped);
    if (expected.clip != "0") {
        EXPECT_EQ(vp->nonRectClipEntityId(), idOfHandle(db, expected.clip));
        AcDbObjectPointer<AcDbEntity> boundary(vp->nonRectClipEntityId(), AcDb::kForRead);
        ASSERT_EQ(boundary.openStatus(), Acad::eOk);
        EXPECT_TRUE(boundary->hasPersistentReactor(vp->objectId()));
        EXPECT_EQ(boundary->ownerId(), vp->ownerId());
    }
}

void expectSameReport(const ReportedViewport& actual, const ReportedViewport& expected)
{
    SCOPED_TRACE("viewport " + expected.handle);
    EXPECT_EQ(actual.layout, expected.layout);
    EXPECT_EQ(actual.id, expected.id);
    const double close = 1e-9;
    EXPECT_NEAR(actual.cx, expected.cx, close);
    EXPECT_NEAR(actual.cy, expected.cy, close);
    EXPECT_NEAR(actual.width, expected.width, close);
    EXPECT_NEAR(actual.height, expected.height, close);
    EXPECT_NEAR(actual.vcx, expected.vcx, close);
    EXPECT_NEAR(actual.vcy, expected.vcy, close);
    EXPECT_NEAR(actual.viewHeight, expected.viewHeight, close);
    EXPECT_NEAR(actual.twistDegrees, expected.twistDegrees, close);
    EXPECT_TRUE(actual.direction.isParallelTo(expected.direction));
    EXPECT_EQ(actual.target, expected.target);
    EXPECT_EQ(actual.flags & AcDbViewport::kNonRectangularClip, expected.flags & AcDbViewport::kNonRectangularClip);
    EXPECT_EQ(actual.clip, expected.clip);
}

AcDbObjectIdArray viewportsOf(AcDbDatabase* db, const std::string& layoutName)
{
    AcDbObjectPointer<AcDbLayout> layout(arx::views::findLayout(db, layoutName), AcDb::kForRead);
    EXPECT_EQ(layout.openStatus(), Acad::eOk) << layoutName;
    return layout.openStatus() == Acad::eOk ? layout->getViewportArray() : AcDbObjectIdArray();
}

int viewportIdOf(AcDbObjectId id)
{
    AcDbObjectPointer<AcDbViewport> vp(id, AcDb::kForRead);
    return vp.openStatus() == Acad::eOk ? vp->viewportId() : -1;
}

}  // namespace

TEST_F(EzdxfViewports, AViewportOnALayerTheFileLacksOpensAndTheAdditionsTakeFreeHandles)
{
    const std::string original = readFile(path("single.dxf"));
    std::string message;
    std::unique_ptr<AcDbDatabase> db = readDatabase(original, &message);
    ASSERT_TRUE(db) << message;

    // The layer the viewport names is made, under a handle of its own above the file's seed.
    const auto fileRecords = recordsByHandle(original);
    const AcDbObjectId layer = arx::db::findRecord(db->layerTableId(), "VIEWPORTS");
    ASSERT_FALSE(layer.isNull());
    char handle[32];
    layer.handle().getIntoAsciiBuffer(handle);
    EXPECT_EQ(fileRecords.count(handle), 0u) << handle;
    EXPECT_GE(layer.handle().value(), fileSeed(original));

    // Every record of the file keeps its handle and type through save and reopen.
    const std::string saved = writeDatabase(db.get());
    const auto savedRecords = recordsByHandle(saved);
    for (const auto& [fileHandle, record] : fileRecords) {
        auto found = savedRecords.find(fileHandle);
        ASSERT_NE(found, savedRecords.end()) << record.type << " " << fileHandle;
        EXPECT_EQ(found->second.type, record.type) << fileHandle;
    }
    EXPECT_GT(fileSeed(saved), fileSeed(original));
    std::unique_ptr<AcDbDatabase> again = readDatabase(saved, &message);
    ASSERT_TRUE(again) << message;
    for (const ReportedViewport& vp : report(path("single.dxf")).viewports) expectViewportAsReported(again.get(), vp);
}

TEST_F(EzdxfViewports, EveryViewportKeepsItsViewAndClippingThroughOpenSaveAndReopen)
{
    const Report fromEzdxf = report(path("layouts.dxf"));
    ASSERT_EQ(fromEzdxf.viewports.size(), 4u);
    std::string message;
    std::unique_ptr<AcDbDatabase> db = readDatabase(readFile(path("layouts.dxf")), &message);
    ASSERT_TRUE(db) << message;
    for (const ReportedViewport& vp : fromEzdxf.viewports) expectViewportAsReported(db.get(), vp);

    const std::string savedPath = path("saved.dxf");
    std::ofstream(savedPath, std::ios::binary) << writeDatabase(db.get());
    std::unique_ptr<AcDbDatabase> again = readDatabase(readFile(savedPath), &message);
    ASSERT_TRUE(again) << message;
    for (const ReportedViewport& vp : fromEzdxf.viewports) expectViewportAsReported(again.get(), vp);

    // ezdxf reads the same viewports and reactors back from our file, and finds nothing wrong.
    const Report fromSaved = report(savedPath);
    for (const ReportedViewport& vp : fromEzdxf.viewports) {
        auto same = std::find_if(fromSaved.viewports.begin(), fromSaved.viewports.end(),
                                 [&](const ReportedViewport& other) { return other.handle == vp.handle; });
        ASSERT_NE(same, fromSaved.viewports.end()) << vp.handle;
        expectSameReport(*same, vp);
    }
    for (const auto& [entity, owners] : fromEzdxf.reactors) EXPECT_EQ(fromSaved.reactors.at(entity), owners) << entity;
    expectNoFindings(ezdxfReport(savedPath));
}

TEST_F(EzdxfViewports, EachLayoutWithViewportsGetsItsPaperSpaceViewportFirst)
{
    const std::string original = readFile(path("layouts.dxf"));
    std::unique_ptr<AcDbDatabase> db = readDatabase(original);
    ASSERT_TRUE(db);
    const auto fileRecords = recordsByHandle(original);
    const Report fromEzdxf = report(path("layouts.dxf"));
    for (const char* layout : {"Layout1", "Sheet B"}) {
        SCOPED_TRACE(layout);
        const AcDbObjectIdArray viewports = viewportsOf(db.get(), layout);
        ASSERT_EQ(viewports.length(), 3);
        EXPECT_EQ(viewportIdOf(viewports[0]), 1);
        char handle[32];
        viewports[0].handle().getIntoAsciiBuffer(handle);
        EXPECT_EQ(fileRecords.count(handle), 0u) << "the paper-space viewport must not take a handle of the file";
        EXPECT_GE(viewports[0].handle().value(), fileSeed(original));
        // The floating viewports follow in the file's order.
        std::vector<std::string> expected, actual;
        for (const ReportedViewport& vp : fromEzdxf.viewports)
            if (vp.layout == layout) expected.push_back(vp.handle);
        for (int i = 1; i < viewports.length(); ++i) {
            viewports[i].handle().getIntoAsciiBuffer(handle);
            actual.push_back(handle);
        }
        EXPECT_EQ(actual, expected);
        AcDbObjectPointer<AcDbViewport> paper(viewports[0], AcDb::kForRead);
        ASSERT_EQ(paper.openStatus(), Acad::eOk);
        EXPECT_TRUE(paper->isOn());
        EXPECT_GT(paper->width(), 0.0);
    }
    // A layout without viewports stays without them until it is shown.
    EXPECT_EQ(viewportsOf(db.get(), "Empty sheet").length(), 0);

    // A second save writes the same file: the additions happen once.
    const std::string saved = writeDatabase(db.get());
    std::unique_ptr<AcDbDatabase> again = readDatabase(saved);
    ASSERT_TRUE(again);
    EXPECT_EQ(writeDatabase(again.get()), saved);
}

TEST_F(EzdxfViewports, TheViewsShowEachFloatingViewportOfALayout)
{
    arx::ed::defineStandardSysVars();
    std::unique_ptr<AcDbDatabase> db = readDatabase(readFile(path("layouts.dxf")));
    ASSERT_TRUE(db);
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    const Report fromEzdxf = report(path("layouts.dxf"));
    for (const ReportedViewport& expected : fromEzdxf.viewports) {
        SCOPED_TRACE(expected.handle);
        ASSERT_EQ(arx::views::setCurrentLayout(db.get(), arx::views::findLayout(db.get(), expected.layout)), Acad::eOk);
        ASSERT_EQ(arx::views::enterPaperSpace(db.get()), Acad::eOk);
        EXPECT_EQ(arx::views::currentViewportNumber(db.get()), arx::views::kPaperSpaceNumber);
        ASSERT_EQ(arx::views::setCurrentViewportNumber(db.get(), expected.id), Acad::eOk);
        arx::views::Viewport active;
        ASSERT_EQ(arx::views::activeViewport(db.get(), active), Acad::eOk);
        EXPECT_EQ(active.id, idOfHandle(db.get(), expected.handle));
        EXPECT_EQ(active.kind, arx::views::ViewportKind::Floating);
        EXPECT_DOUBLE_EQ(active.view().viewHeight, expected.viewHeight);
    }
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

TEST(SharedSamples, ViewportsOfOtherProgramsOpenWithTheirPaperSpaceViewportFirst)
{
    SKIP_WITHOUT_SAMPLES();
    for (const fs::path& sample : sampleFiles()) {
        SCOPED_TRACE(sample.string());
        std::string message;
        std::unique_ptr<AcDbDatabase> db = readDatabase(readFile(sample), &message);
        ASSERT_TRUE(db) << message;
        for (const std::string& name : arx::views::layoutNames(db.get())) {
            const AcDbObjectIdArray viewports = viewportsOf(db.get(), name);
            if (viewports.length() == 0) continue;
            EXPECT_LE(viewportIdOf(viewports[0]), 1) << name;
        }
    }
}
