// Drawings this host makes: a new default drawing saves and reopens; a drawing with custom
// entities, viewports on two layouts, a clipped viewport, extension dictionaries and
// persistent reactors comes back whole and ezdxf reads it without audit findings.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "db/dxf/drawing_file.h"
#include "dbdict.h"
#include "dbents.h"
#include "dblayout.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "dbxrecrd.h"
#include "drawing_test_support.h"
#include "ezdxf_support.h"
#include "own_drawing_support.h"
#include "sample_files.h"

namespace fs = std::filesystem;
using namespace dxftest;

namespace {

std::string layoutNames(AcDbDatabase* db)
{
    AcDbDictionary* layouts = nullptr;
    if (db->getLayoutDictionary(layouts, AcDb::kForRead) != Acad::eOk) return "";
    std::string names;
    AcDbDictionaryIterator* it = layouts->newIterator(AcRx::kDictCollated);
    for (; !it->done(); it->next()) names += std::string(names.empty() ? "" : ",") + it->name();
    delete it;
    layouts->close();
    return names;
}

bool sameGroups(const arx::dxf::CarriedGroups& a, const arx::dxf::CarriedGroups& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const auto& x, const auto& y) { return x.code == y.code && x.value == y.value; });
}

}  // namespace

TEST(OwnDrawing, ANewDrawingSavesAndReopensAsItWas)
{
    AcDbDatabase db(true, true);
    const std::string saved = writeDatabase(&db);
    std::string message;
    std::unique_ptr<AcDbDatabase> again = readDatabase(saved, &message);
    ASSERT_TRUE(again) << message;
    EXPECT_EQ(layoutNames(again.get()), layoutNames(&db));
    EXPECT_EQ(layoutNames(again.get()), "Model,Layout1");
    // Every record of the first file is in the second, under its handle and type.
    const auto before = recordsByHandle(saved);
    const std::string savedAgain = writeDatabase(again.get());
    const auto after = recordsByHandle(savedAgain);
    for (const auto& [handle, record] : before) {
        ASSERT_TRUE(after.count(handle)) << record.type << " " << handle;
        EXPECT_EQ(after.at(handle).type, record.type);
    }
    EXPECT_TRUE(savedAgain == saved);
    // The plot style names have their default entry, which other programs look up.
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(again->getNamedObjectsDictionary(nod, AcDb::kForRead), Acad::eOk);
    AcDbObjectId plotStylesId;
    nod->getAt("ACAD_PLOTSTYLENAME", plotStylesId);
    nod->close();
    AcDbDictionaryWithDefault* plotStyles = nullptr;
    ASSERT_EQ(acdbOpenObject(plotStyles, plotStylesId, AcDb::kForRead), Acad::eOk);
    AcDbObjectId normal;
    EXPECT_EQ(plotStyles->getAt("Normal", normal), Acad::eOk);
    EXPECT_EQ(plotStyles->defaultId(), normal);
    plotStyles->close();
}

TEST(OwnDrawing, CustomEntitiesViewportsClipsDictionariesAndReactorsComeBack)
{
    TestMarkClass registration;
    AcDbDatabase db(true, true);
    const RichDrawing made = buildRichDrawing(&db);
    std::string message;
    std::unique_ptr<AcDbDatabase> again = readDatabase(writeDatabase(&db), &message);
    ASSERT_TRUE(again) << message;

    DxfTestMark* mark = nullptr;
    ASSERT_EQ(acdbOpenObject(mark, idOfHandle(again.get(), made.markHandle), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(mark->center(), AcGePoint3d(3, 4, 0));
    EXPECT_EQ(mark->label(), "A-1");
    EXPECT_EQ(mark->target(), idOfHandle(again.get(), made.markedViewportHandle));
    EXPECT_TRUE(mark->hasPersistentReactor(idOfHandle(again.get(), made.reactorHandle)));
    const AcDbObjectId extension = mark->extensionDictionary();
    mark->close();
    AcDbDictionary* dict = nullptr;
    ASSERT_EQ(acdbOpenObject(dict, extension, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(dict->has("KESTRA_NOTE"));
    dict->close();

    AcDbViewport* clipped = nullptr;
    ASSERT_EQ(acdbOpenObject(clipped, idOfHandle(again.get(), made.clippedViewportHandle), AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(clipped->isNonRectClipOn());
    const AcDbObjectId clip = clipped->nonRectClipEntityId();
    EXPECT_EQ(clip, idOfHandle(again.get(), made.clipHandle));
    clipped->close();
    AcDbPolyline* boundary = nullptr;
    ASSERT_EQ(acdbOpenObject(boundary, clip, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(boundary->hasPersistentReactor(idOfHandle(again.get(), made.clippedViewportHandle)));
    EXPECT_EQ(boundary->numVerts(), 5u);
    boundary->close();
    EXPECT_EQ(layoutNames(again.get()), "Model,Layout1,Layout2");
}

TEST(OwnDrawing, EntitiesOfAClassNotLoadedAreKeptAndWrittenBackUnchanged)
{
    std::string saved;
    {
        TestMarkClass registration;
        AcDbDatabase db(true, true);
        buildRichDrawing(&db);
        saved = writeDatabase(&db);
    }
    // Without the class: every record comes back group for group.
    std::string message;
    std::unique_ptr<AcDbDatabase> withoutModule = readDatabase(saved, &message);
    ASSERT_TRUE(withoutModule) << message;
    const std::string resaved = writeDatabase(withoutModule.get());
    const auto before = recordsByHandle(saved), after = recordsByHandle(resaved);
    ASSERT_EQ(before.size(), after.size());
    for (const auto& [handle, record] : before) {
        ASSERT_TRUE(after.count(handle)) << handle;
        EXPECT_TRUE(sameGroups(after.at(handle).groups, record.groups)) << record.type << " " << handle;
    }
    // The class is listed still, marked as not loaded when the file was written (280 = 1).
    const std::string entry =
        "KESTRATESTMARK\r\n  2\r\nDxfTestMark\r\n  3\r\nKESTRATEST\r\n 90\r\n        1\r\n280\r\n";
    EXPECT_NE(saved.find(entry + "     0"), std::string::npos);
    EXPECT_NE(resaved.find(entry + "     1"), std::string::npos);
    // With the class again, the proxies' data makes real marks.
    TestMarkClass registration;
    std::unique_ptr<AcDbDatabase> withModule = readDatabase(resaved, &message);
    ASSERT_TRUE(withModule) << message;
    int marks = 0;
    for (const auto& [handle, record] : recordsByHandle(resaved)) {
        if (record.type != "KESTRATESTMARK") continue;
        DxfTestMark* mark = nullptr;
        EXPECT_EQ(acdbOpenObject(mark, idOfHandle(withModule.get(), handle), AcDb::kForRead), Acad::eOk) << handle;
        if (mark) {
            ++marks;
            mark->close();
        }
    }
    EXPECT_EQ(marks, 2);
}

TEST(OwnDrawing, EzdxfReadsOurRichDrawingWithoutAuditFindings)
{
    if (!ezdxfAvailable()) GTEST_SKIP() << "python3-ezdxf is not installed for /usr/bin/python3; skipping";
    TestMarkClass registration;
    AcDbDatabase db(true, true);
    buildRichDrawing(&db);
    const fs::path folder = scratchFolder("ezdxf-rich");
    const std::string path = (folder / "rich.dxf").string();
    std::string message;
    ASSERT_EQ(arx::dxf::writeDrawingFile(&db, path.c_str(), message), Acad::eOk) << message;
    const std::vector<std::string> report = ezdxfReport(path);
    expectNoFindings(report);
    EXPECT_NE(std::find(report.begin(), report.end(), "layouts Model Layout1 Layout2"), report.end());
    EXPECT_NE(std::find(report.begin(), report.end(), "type KESTRATESTMARK 2"), report.end());
    EXPECT_NE(std::find(report.begin(), report.end(), "type VIEWPORT 5"), report.end());
    fs::remove_all(folder);
}
