// Whole drawings: malformed files are refused with the line and leave the target alone,
// files of other programs keep every entity and object through open and save, what we write
// is read by ezdxf without audit findings, and a failed save leaves the old file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "db/dxf/drawing_file.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "drawing_test_support.h"
#include "ezdxf_support.h"
#include "sample_files.h"

namespace fs = std::filesystem;
using namespace dxftest;

namespace {

const char* kMinimal = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n"
                       "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n2A\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n"
                       " 10\n1.0\n 20\n2.0\n 30\n0.0\n 11\n4.0\n 21\n6.0\n 31\n0.0\n  0\nENDSEC\n  0\nEOF\n";

// The modelled record types; everything else is carried by proxies.
const std::set<std::string> kModelled = {"LINE",   "CIRCLE", "ARC",    "LWPOLYLINE", "POLYLINE",
                                         "VERTEX", "SEQEND", "INSERT", "VIEWPORT"};

int countEntities(AcDbDatabase* db)
{
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return -1;
    AcDbBlockTableRecord* model = nullptr;
    table->getAt(ACDB_MODEL_SPACE, model, AcDb::kForRead);
    table->close();
    if (model == nullptr) return -1;
    int count = 0;
    for (const AcDbObjectId& id : model->entityIds()) count += id.isErased() ? 0 : 1;
    model->close();
    return count;
}

std::string writeTemp(const fs::path& folder, const std::string& name, const std::string& text)
{
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

}  // namespace

TEST(DrawingFile, MalformedFilesAreRefusedWithTheirLineAndLeaveTheTargetAlone)
{
    const std::string good = kMinimal;
    struct Case {
        const char* what;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"truncated", good.substr(0, good.find("AcDbLine") + 8), "unexpected end of file"},
        {"bad group code", std::string(good).replace(good.find(" 11\n"), 4, " 1x\n"), "invalid group code"},
        {"value not a number", std::string(good).replace(good.find("4.0"), 3, "four"), "needs a real number"},
        {"missing EOF", good.substr(0, good.rfind("  0\nEOF")), "the file ends without EOF"},
        {"section without ENDSEC", std::string(good).erase(good.find("  0\nENDSEC\n  0\nSECTION"), 11),
         "section HEADER ends without ENDSEC"},
    };
    const fs::path folder = scratchFolder("malformed");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AcDbDatabase fresh(false, true);
        arx::dxf::ReadReport report;
        EXPECT_EQ(arx::dxf::readDrawingText(&fresh, c.text, report), Acad::eDxfReadAborted);
        EXPECT_EQ(report.message.rfind("Error in DXF file at line ", 0), 0u) << report.message;
        EXPECT_NE(report.message.find(c.message), std::string::npos) << report.message;

        // Through the database's own entry point: the drawing open before stays as it was.
        std::unique_ptr<AcDbDatabase> target = readDatabase(good);
        ASSERT_TRUE(target);
        const int before = countEntities(target.get());
        const std::string path = writeTemp(folder, "bad.dxf", c.text);
        EXPECT_NE(target->dxfIn(path.c_str()), Acad::eOk);
        EXPECT_EQ(countEntities(target.get()), before);
        EXPECT_EQ(arx::dxf::lastDrawingFileMessage(), report.message);
    }
    fs::remove_all(folder);
}

TEST(DrawingFile, AMissingFileIsReportedAsSuch)
{
    AcDbDatabase fresh(false, true);
    arx::dxf::ReadReport report;
    EXPECT_EQ(arx::dxf::readDrawingFile(&fresh, "/nonexistent/drawing.dxf", report), Acad::eFileNotFound);
    EXPECT_NE(report.message.find("/nonexistent/drawing.dxf"), std::string::npos);
}

TEST(DrawingFile, EverySampleKeepsEveryEntityAndObjectThroughOpenAndSave)
{
    SKIP_WITHOUT_SAMPLES();
    for (const fs::path& path : sampleFiles()) {
        SCOPED_TRACE(path.string());
        const std::string original = readFile(path);
        std::string message;
        std::unique_ptr<AcDbDatabase> db = readDatabase(original, &message);
        ASSERT_TRUE(db) << message;
        const std::string saved = writeDatabase(db.get());
        std::unique_ptr<AcDbDatabase> again = readDatabase(saved, &message);
        ASSERT_TRUE(again) << message;

        const auto before = recordsByHandle(original);
        const auto after = recordsByHandle(saved);
        for (const auto& [handle, record] : before) {
            auto found = after.find(handle);
            EXPECT_NE(found, after.end()) << record.type << " " << handle << " was dropped";
            if (found == after.end()) continue;
            EXPECT_EQ(found->second.type, record.type) << handle;
            if (kModelled.count(record.type) || record.section == "TABLES") continue;
            // A record nothing models is written back group for group after its header.
            auto fromSubclass = [](const arx::dxf::CarriedGroups& groups) {
                arx::dxf::CarriedGroups rest;
                bool started = false;
                for (const auto& group : groups) {
                    if (group.code == 100) started = true;
                    if (group.code >= 1000) break;
                    if (started) rest.push_back(group);
                }
                return rest;
            };
            const auto expected = fromSubclass(record.groups), actual = fromSubclass(found->second.groups);
            EXPECT_EQ(expected.size(), actual.size()) << record.type << " " << handle;
            if (expected.size() != actual.size()) continue;
            for (std::size_t i = 0; i < expected.size(); ++i) {
                EXPECT_EQ(expected[i].code, actual[i].code) << record.type << " " << handle << " group " << i;
                const auto type = arx::dxf::groupTypeOf(expected[i].code);
                if (type == arx::dxf::GroupType::Real) {
                    double x = 0, y = 0;
                    arx::dxf::parseReal(expected[i].value, x);
                    arx::dxf::parseReal(actual[i].value, y);
                    EXPECT_EQ(x, y) << record.type << " " << handle << " group " << i;
                } else if (arx::dxf::isIntegerType(type)) {
                    std::int64_t x = 0, y = 0;
                    arx::dxf::parseInteger(expected[i].value, x);
                    arx::dxf::parseInteger(actual[i].value, y);
                    EXPECT_EQ(x, y) << record.type << " " << handle << " group " << i;
                } else if (type == arx::dxf::GroupType::ObjectId || type == arx::dxf::GroupType::Handle) {
                    std::uint64_t x = 0, y = 0;
                    arx::dxf::parseHandle(expected[i].value, x);
                    arx::dxf::parseHandle(actual[i].value, y);
                    EXPECT_EQ(x, y) << record.type << " " << handle << " group " << i;
                } else {
                    EXPECT_EQ(expected[i].value, actual[i].value) << record.type << " " << handle << " group " << i;
                }
            }
        }
        // A second save writes the same file: nothing drifts.
        const std::string savedAgain = writeDatabase(again.get());
        EXPECT_TRUE(savedAgain == saved) << "the second save differs from line "
                                         << firstDifferentLine(saved, savedAgain);
    }
}

TEST(DrawingFile, EzdxfReadsWhatWeWriteWithoutAuditFindings)
{
    if (!ezdxfAvailable()) GTEST_SKIP() << "python3-ezdxf is not installed for /usr/bin/python3; skipping";
    const fs::path folder = scratchFolder("ezdxf");
    std::vector<std::string> inputs = {kMinimal};
    for (const fs::path& path : sampleFiles()) inputs.push_back(readFile(path));
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE(i == 0 ? std::string("minimal drawing") : sampleFiles()[i - 1].string());
        std::unique_ptr<AcDbDatabase> db = readDatabase(inputs[i]);
        ASSERT_TRUE(db);
        const std::string path = (folder / ("saved" + std::to_string(i) + ".dxf")).string();
        std::string message;
        ASSERT_EQ(arx::dxf::writeDrawingFile(db.get(), path.c_str(), message), Acad::eOk) << message;
        expectNoFindings(ezdxfReport(path));
    }
    fs::remove_all(folder);
}

TEST(DrawingFile, AFailedSaveLeavesTheOldFileAndNoTemporaryFile)
{
    const fs::path folder = scratchFolder("atomic");
    const std::string path = writeTemp(folder, "drawing.dxf", "old contents");
    std::unique_ptr<AcDbDatabase> db = readDatabase(kMinimal);
    ASSERT_TRUE(db);
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, idOfHandle(db.get(), "2A"), AcDb::kForWrite), Acad::eOk);
    line->setEndPoint(AcGePoint3d(std::nan(""), 0, 0));
    line->close();
    std::string message;
    EXPECT_EQ(arx::dxf::writeDrawingFile(db.get(), path.c_str(), message), Acad::eInvalidInput);
    EXPECT_NE(message.find("not a finite number"), std::string::npos) << message;
    EXPECT_EQ(readFile(path), "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

TEST(DrawingFile, ALargeFileReadAsItArrivesMakesTheSameDrawingAsItsTextInMemory)
{
    // Several megabytes: the file is read in pieces on a second thread and the text already
    // turned into objects is given back as reading goes on; nothing may still view it then.
    std::string text = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n"
                       "  0\nSECTION\n  2\nTHUMBNAILIMAGE\n 90\n40000\n";
    for (int i = 0; i < 40000; ++i) text += "310\n00FF00FF00FF00FF00FF00FF00FF00FF\n";
    text += "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n";
    for (int i = 0; i < 60000; ++i) {
        const std::string handle = std::to_string(1000 + i);
        if (i % 7 == 0) {
            // An entity nothing models, with extended data: carried group for group.
            text += "  0\nACME_WIDGET\n  5\n" + handle +
                    "\n100\nAcDbEntity\n  8\nWIDGETS\n100\nAcmeWidget\n  1\nwidget " + handle + "\n 40\n" +
                    std::to_string(i * 0.125) + "\n1001\nACME\n1000\nnote " + handle + "\n";
        } else {
            text += "  0\nLINE\n  5\n" + handle + "\n100\nAcDbEntity\n  8\nLAYER" + std::to_string(i % 13) +
                    "\n100\nAcDbLine\n 10\n" + std::to_string(i) + ".5\n 20\n2.25\n 30\n0.0\n 11\n-4.0\n 21\n" +
                    std::to_string(i % 97) + "\n 31\n0.0\n";
        }
    }
    text += "  0\nENDSEC\n  0\nEOF\n";
    ASSERT_GT(text.size(), 6u << 20);

    const fs::path folder = fs::temp_directory_path() / ("kestra_large_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string path = writeTemp(folder, "large.dxf", text);
    // Read on this thread alone, the text makes the reference drawing.
    AcDbDatabase fromMemory(false, true);
    arx::dxf::ReadReport report;
    ASSERT_EQ(arx::dxf::readDrawingText(&fromMemory, text, report, arx::dxf::Splitting::OnThisThread), Acad::eOk)
        << report.message;
    AcDbDatabase fromFile(false, true);
    ASSERT_EQ(arx::dxf::readDrawingFile(&fromFile, path.c_str(), report), Acad::eOk) << report.message;
    // Past the header, which holds the times each drawing was made.
    const auto afterHeader = [](const std::string& saved) { return saved.substr(saved.find("ENDSEC")); };
    const std::string expected = afterHeader(writeDatabase(&fromMemory));
    const std::string actual = afterHeader(writeDatabase(&fromFile));
    EXPECT_TRUE(actual == expected) << "they differ from line " << firstDifferentLine(expected, actual);
    EXPECT_EQ(countEntities(&fromFile), 60000);

    // A value that does not fit its group, deep in the file, is named at its line either way
    // (the second thread leaves such a record for the host thread to convert and refuse).
    const std::size_t end = text.rfind("  0\nENDSEC");
    const std::string line = "  0\nLINE\n  5\nFFFFF\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n";
    for (const std::string& bad :
         {line + " 10\nabc\n 20\n1.0\n", line + " 62\n99999\n", line + "330\nXYZ\n", line + " 10\n1.0\n 30\n2.0\n",
          line + "310\nABC\n", std::string("  0\nLINE\n  5\nXYZ\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n")}) {
        std::string damaged = text;
        damaged.insert(end, bad);
        AcDbDatabase here(false, true), split(false, true);
        arx::dxf::ReadReport hereReport, splitReport;
        EXPECT_EQ(arx::dxf::readDrawingText(&here, damaged, hereReport, arx::dxf::Splitting::OnThisThread),
                  Acad::eDxfReadAborted);
        EXPECT_EQ(arx::dxf::readDrawingText(&split, damaged, splitReport, arx::dxf::Splitting::OnSecondThread),
                  Acad::eDxfReadAborted);
        EXPECT_NE(hereReport.message, "");
        EXPECT_EQ(splitReport.message, hereReport.message) << bad;
    }
    fs::remove_all(folder);
}
