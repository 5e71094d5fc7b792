// Drawings other programs damage: a table whose handle is not a number, objects that all carry
// handle 0, dictionary entries that point at objects the file lacks, angles near the largest
// double. Each is refused with its line, or opened, saved and opened again with what was
// repaired reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "db/dxf/drawing_file.h"
#include "dbdict.h"
#include "dbents.h"
#include "drawing_test_support.h"

using namespace dxftest;

namespace {

using Groups = std::vector<std::pair<int, std::string>>;

std::string dxfText(const Groups& groups)
{
    std::string text;
    for (const auto& [code, value] : groups) text += std::to_string(code) + "\n" + value + "\n";
    return text;
}

std::string drawingWith(const Groups& tables, const Groups& entities, const Groups& objects)
{
    Groups all = {{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {0, "ENDSEC"}};
    auto section = [&](const char* name, const Groups& body) {
        if (body.empty()) return;
        all.push_back({0, "SECTION"});
        all.push_back({2, name});
        all.insert(all.end(), body.begin(), body.end());
        all.push_back({0, "ENDSEC"});
    };
    section("TABLES", tables);
    section("ENTITIES", entities);
    section("OBJECTS", objects);
    all.push_back({0, "EOF"});
    return dxfText(all);
}

// The handle of every record of a file, with how often each occurs.
std::map<std::string, int> handleCounts(const std::string& text)
{
    std::map<std::string, int> counts;
    for (const auto& [handle, record] : recordsByHandle(text)) counts[handle] = 0;
    // recordsByHandle keeps one record per handle: count the handle groups that start records
    // (the lines of a saved file end in CR LF).
    std::size_t pos = 0;
    std::string previous;
    int code = -1;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (code < 0) {
            code = std::stoi(line);
            continue;
        }
        if (code == 0) previous = line;
        if ((code == 5 || code == 105) && !previous.empty()) {
            ++counts[line];
            previous.clear();
        }
        code = -1;
    }
    return counts;
}

bool entryExists(AcDbDatabase* db, const char* key)
{
    AcDbDictionary* nod = nullptr;
    if (db->getNamedObjectsDictionary(nod, AcDb::kForRead) != Acad::eOk) return false;
    const bool has = nod->has(key);
    nod->close();
    return has;
}

const Groups kPolylineWithHandlesZero = {
    {0, "POLYLINE"},
    {5, "0"},
    {330, "0"},
    {100, "AcDbEntity"},
    {8, "0"},
    {100, "AcDb2dPolyline"},
    {66, "1"},
    {10, "0.0"},
    {20, "0.0"},
    {30, "0.0"},
    // The vertices name the handle their polyline had before another program zeroed it.
    {0, "VERTEX"},
    {5, "0"},
    {330, "2F"},
    {100, "AcDbEntity"},
    {8, "0"},
    {100, "AcDbVertex"},
    {100, "AcDb2dVertex"},
    {10, "1.0"},
    {20, "2.0"},
    {30, "0.0"},
    {0, "VERTEX"},
    {5, "0"},
    {330, "2F"},
    {100, "AcDbEntity"},
    {8, "0"},
    {100, "AcDbVertex"},
    {100, "AcDb2dVertex"},
    {10, "3.0"},
    {20, "4.0"},
    {30, "0.0"},
    {0, "SEQEND"},
    {5, "0"},
    {330, "2F"},
    {100, "AcDbEntity"},
    {8, "0"},
    {0, "LINE"},
    {5, "0"},
    {330, "0"},
    {100, "AcDbEntity"},
    {8, "0"},
    {100, "AcDbLine"},
    {10, "0.0"},
    {20, "0.0"},
    {30, "0.0"},
    {11, "1.0"},
    {21, "1.0"},
    {31, "0.0"},
};

}  // namespace

TEST(DamagedDrawing, ATableOrRecordWhoseHandleIsNotANumberIsRefusedWithItsLine)
{
    // The handle of the table, then the owner its first entry names when the file gives the
    // entries without their TABLE record: the record is refused before anything is made of it (the sanitizer build
    // checks that nothing leaks).
    const Groups badTableHandle = {
        {0, "TABLE"}, {2, "LAYER"}, {5, std::string("2\x01\0\0", 4)}, {330, "0"}, {100, "AcDbSymbolTable"},
        {70, "1"},    {0, "ENDTAB"}};
    const Groups badOwnerOfFirstEntry = {{0, "LAYER"},
                                         {5, "10"},
                                         {330, "zz"},
                                         {100, "AcDbSymbolTableRecord"},
                                         {100, "AcDbLayerTableRecord"},
                                         {2, "Walls"},
                                         {70, "0"},
                                         {62, "1"},
                                         {6, "CONTINUOUS"}};
    for (const Groups& table : {badTableHandle, badOwnerOfFirstEntry}) {
        const std::string text = drawingWith(table, {}, {});
        std::string message;
        EXPECT_FALSE(readDatabase(text, &message));
        EXPECT_NE(message.find("Error in DXF file at line "), std::string::npos) << message;
        EXPECT_NE(message.find("handle"), std::string::npos) << message;
    }
}

TEST(DamagedDrawing, ObjectsThatAllCarryHandleZeroGetHandlesOfTheirOwnAndSaveOnce)
{
    const std::string text = drawingWith({}, kPolylineWithHandlesZero, {});
    std::string message;
    std::unique_ptr<AcDbDatabase> db = readDatabase(text, &message);
    ASSERT_TRUE(db) << message;
    const std::string saved = writeDatabase(db.get());
    for (const auto& [handle, count] : handleCounts(saved)) {
        EXPECT_NE(handle, "0");
        EXPECT_EQ(count, 1) << "handle " << handle << " is written " << count << " times";
    }
    // Each vertex is written once, after its polyline.
    std::size_t vertices = 0;
    for (std::size_t at = saved.find("\nVERTEX\r\n"); at != std::string::npos; at = saved.find("\nVERTEX\r\n", at + 1))
        ++vertices;
    EXPECT_EQ(vertices, 2u);
    std::unique_ptr<AcDbDatabase> again = readDatabase(saved, &message);
    ASSERT_TRUE(again) << message;
    EXPECT_TRUE(writeDatabase(again.get()) == saved);
}

TEST(DamagedDrawing, DictionaryEntriesThatPointNowhereAreRemovedAndReported)
{
    const Groups objects = {
        {0, "DICTIONARY"},
        {5, "C"},
        {330, "0"},
        {100, "AcDbDictionary"},
        {281, "1"},
        {3, "ACAD_GROUP"},
        {350, "D"},
        {3, "KEPT_AWAY"},
        {350, "1F"},
        {0, "DICTIONARY"},
        {5, "D"},
        {330, "C"},
        {100, "AcDbDictionary"},
        {281, "1"},
    };
    const std::string text = drawingWith({}, {}, objects);
    AcDbDatabase db(false, true);
    arx::dxf::ReadReport report;
    ASSERT_EQ(arx::dxf::readDrawingText(&db, text, report), Acad::eOk) << report.message;
    ASSERT_EQ(report.removed.size(), 1u);
    const std::string& told = report.removed.front();
    EXPECT_TRUE(told.find("\"KEPT_AWAY\"") != std::string::npos && told.find("1F") != std::string::npos &&
                told.find("removed") != std::string::npos)
        << told;
    EXPECT_NE(std::find(report.warnings.begin(), report.warnings.end(), told), report.warnings.end());
    EXPECT_EQ(arx::dxf::lastDrawingFileRemovals(), report.removed);
    EXPECT_FALSE(entryExists(&db, "KEPT_AWAY"));
    EXPECT_TRUE(entryExists(&db, "ACAD_GROUP"));

    // The first save already holds what every later one does.
    const std::string saved = writeDatabase(&db);
    EXPECT_EQ(saved.find("KEPT_AWAY"), std::string::npos);
    std::string message;
    std::unique_ptr<AcDbDatabase> again = readDatabase(saved, &message);
    ASSERT_TRUE(again) << message;
    EXPECT_TRUE(writeDatabase(again.get()) == saved);
    // A read that fails leaves nothing of an earlier one behind.
    AcDbDatabase refused(false, true);
    EXPECT_NE(arx::dxf::readDrawingText(&refused, "  0\nSECTION\n", report), Acad::eOk);
    EXPECT_TRUE(arx::dxf::lastDrawingFileRemovals().empty());
}

TEST(DamagedDrawing, AnglesNearTheLargestDoubleStayWritable)
{
    const Groups entities = {
        {0, "ARC"},
        {5, "2A"},
        {100, "AcDbEntity"},
        {8, "0"},
        {100, "AcDbCircle"},
        {10, "0.0"},
        {20, "0.0"},
        {30, "0.0"},
        {40, "1.0"},
        {100, "AcDbArc"},
        {50, "-1e308"},
        {51, "1.7976931348623157e308"},
        {0, "INSERT"},
        {5, "2B"},
        {100, "AcDbEntity"},
        {8, "0"},
        {100, "AcDbBlockReference"},
        {2, "NOWHERE"},
        {10, "0.0"},
        {20, "0.0"},
        {30, "0.0"},
        {50, "-1.7976931348623157e308"},
    };
    const std::string text = drawingWith({}, entities, {});
    std::string message;
    std::unique_ptr<AcDbDatabase> db = readDatabase(text, &message);
    ASSERT_TRUE(db) << message;
    AcDbArc* arc = nullptr;
    ASSERT_EQ(acdbOpenObject(arc, idOfHandle(db.get(), "2A"), AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(std::isfinite(arc->startAngle()) && arc->startAngle() >= 0 && arc->startAngle() <= 2 * M_PI);
    EXPECT_TRUE(std::isfinite(arc->endAngle()) && arc->endAngle() >= 0 && arc->endAngle() <= 2 * M_PI);
    arc->close();
    AcDbBlockReference* insert = nullptr;
    ASSERT_EQ(acdbOpenObject(insert, idOfHandle(db.get(), "2B"), AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(std::isfinite(insert->rotation()));
    insert->close();

    AcDbDatabase* database = db.get();
    std::string saved;
    ASSERT_EQ(arx::dxf::writeDrawingText(database, saved, message), Acad::eOk) << message;
    std::unique_ptr<AcDbDatabase> again = readDatabase(saved, &message);
    ASSERT_TRUE(again) << message;
    // The rotation the insert was read with comes back as it was written.
    const auto records = recordsByHandle(saved);
    ASSERT_TRUE(records.count("2B"));
    bool rotationWritten = false;
    for (const auto& group : records.at("2B").groups) {
        if (group.code != 50) continue;
        rotationWritten = true;
        EXPECT_NEAR(std::stod(group.value) / -1.7976931348623157e308, 1.0, 1e-12) << group.value;
    }
    EXPECT_TRUE(rotationWritten);
}

// A merge style (group 281) that names none keeps the dictionary's own; found by the drawing
// fuzzer, where the number went into the enumeration as it stood.
TEST(DamagedDrawing, AMergeStyleThatNamesNoneKeepsTheDictionarysOwn)
{
    for (const char* style : {"75", "-3", "6"}) {
        const Groups objects = {
            {0, "DICTIONARY"},
            {5, "C"},
            {330, "0"},
            {100, "AcDbDictionary"},
            {281, style},
            {3, "ACAD_GROUP"},
            {350, "D"},
            {0, "DICTIONARY"},
            {5, "D"},
            {330, "C"},
            {100, "AcDbDictionary"},
            {281, "2"},
        };
        AcDbDatabase db(false, true);
        arx::dxf::ReadReport report;
        ASSERT_EQ(arx::dxf::readDrawingText(&db, drawingWith({}, {}, objects), report), Acad::eOk) << report.message;
        AcDbDictionary* nod = nullptr;
        ASSERT_EQ(db.getNamedObjectsDictionary(nod, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(nod->mergeStyle(), AcDb::kDrcIgnore) << style;
        AcDbObjectId groups;
        ASSERT_EQ(nod->getAt("ACAD_GROUP", groups), Acad::eOk);
        nod->close();
        AcDbDictionary* inner = nullptr;
        ASSERT_EQ(acdbOpenObject(inner, groups, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(inner->mergeStyle(), AcDb::kDrcReplace) << "a valid style is read as given";
        inner->close();
    }
}

// A lineweight (group 370) that is none of the host's keeps the entity's own (ByLayer).
TEST(DamagedDrawing, ALineweightThatIsNoneOfTheHostsKeepsTheEntitysOwn)
{
    const Groups line = {{0, "LINE"}, {5, "2A"},         {330, "0"},  {100, "AcDbEntity"}, {8, "0"},
                         {370, "7"},  {100, "AcDbLine"}, {10, "0.0"}, {20, "0.0"},         {30, "0.0"},
                         {11, "1.0"}, {21, "1.0"},       {31, "0.0"}};
    AcDbDatabase db(false, true);
    arx::dxf::ReadReport report;
    ASSERT_EQ(arx::dxf::readDrawingText(&db, drawingWith({}, line, {}), report), Acad::eOk) << report.message;
    AcDbObjectId id;
    ASSERT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(0x2A)), Acad::eOk);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenObject(entity, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(entity->lineWeight(), AcDb::kLnWtByLayer);
    entity->close();
}

TEST(DamagedDrawing, ARecordOfTheEntitiesSectionStaysAnEntityOrIsRefused)
{
    // A polyface mesh is kept as it is read; one of its vertices has a damaged entity marker.
    // Kept as an object, that vertex was saved among the objects, where the vertex class
    // refused it: the saved drawing could not be opened again. Now it is refused when read.
    const Groups mesh = {
        {0, "POLYLINE"},
        {5, "20"},
        {330, "1F"},
        {100, "AcDbEntity"},
        {8, "0"},
        {100, "AcDbPolyFaceMesh"},
        {66, "1"},
        {10, "0.0"},
        {20, "0.0"},
        {30, "0.0"},
        {70, "64"},
        {71, "3"},
        {72, "1"},
        {0, "VERTEX"},
        {5, "21"},
        {330, "20"},
        {100, "AcDbEntipy"},
        {8, "0"},
        {100, "AcDbVertex"},
        {100, "AcDbPolyFaceMeshVertex"},
        {10, "1.0"},
        {20, "2.0"},
        {30, "0.0"},
        {70, "192"},
        {0, "SEQEND"},
        {5, "22"},
        {330, "20"},
        {100, "AcDbEntity"},
        {8, "0"},
    };
    std::string message;
    EXPECT_FALSE(readDatabase(drawingWith({}, mesh, {}), &message));
    EXPECT_NE(message.find("VERTEX"), std::string::npos) << message;

    // So is a record of a type nobody knows that has no entity marker, as a LINE without one is.
    const Groups unmarked = {{0, "SHAPELESS"}, {5, "30"}, {330, "1F"}, {8, "0"}, {40, "2.5"}};
    EXPECT_FALSE(readDatabase(drawingWith({}, unmarked, {}), &message));
    EXPECT_NE(message.find("SHAPELESS"), std::string::npos) << message;

    // With its marker it is kept, and stays in the entities section through a save and an open.
    const Groups marked = {{0, "SHAPELESS"}, {5, "30"}, {330, "1F"}, {100, "AcDbEntity"}, {8, "0"}, {40, "2.5"}};
    std::unique_ptr<AcDbDatabase> db = readDatabase(drawingWith({}, marked, {}), &message);
    ASSERT_TRUE(db) << message;
    const std::string saved = writeDatabase(db.get());
    const std::size_t entities = saved.find("ENTITIES"), objects = saved.find("OBJECTS"), at = saved.find("SHAPELESS");
    ASSERT_NE(at, std::string::npos);
    EXPECT_TRUE(entities < at && at < objects) << "the record moved out of the entities section";
    EXPECT_TRUE(readDatabase(saved, &message)) << message;
}
