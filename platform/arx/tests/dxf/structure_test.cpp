// The section structure of DXF files: nesting errors name their line, and every sample file
// written by another program reads and writes back group for group.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include <limits>
#include <map>
#include <string>
#include <vector>

#include "db/dxf/carried_groups.h"
#include "db/dxf/drawing_text.h"
#include "db/dxf/format_error.h"
#include "db/dxf/structure_reader.h"
#include "sample_files.h"

using namespace arx::dxf;

namespace {

// Keeps everything in file order, so the file can be written again from it.
class RecordingHandler : public SectionHandler {
public:
    CarriedGroups all;
    std::map<std::string, int> counts;  // "SECTION/TYPE" -> records

    void headerVariable(std::string_view name, long, std::span<const Group> values) override
    {
        openSection("HEADER");
        all.push_back({9, std::string(name)});
        append(all, values);
        ++counts["HEADER/$"];
    }
    void classRecord(const Record& record) override { keep("CLASSES", record); }
    void tableBegin(std::string_view name, const Record& record) override
    {
        keep("TABLES", record);
        if (record.groups.empty()) all.push_back({2, std::string(name)});  // a table without header
    }
    void tableEntry(std::string_view, const Record& record) override { keep("TABLES", record); }
    void tableEnd(std::string_view, const Record& record) override { keep("TABLES", record); }
    void blockBegin(const Record& record) override { keep("BLOCKS", record); }
    void blockEntity(const Record& record) override { keep("BLOCKS", record); }
    void blockEnd(const Record& record) override { keep("BLOCKS", record); }
    void entity(const Record& record) override { keep("ENTITIES", record); }
    void object(const Record& record) override { keep("OBJECTS", record); }
    void otherSection(std::string_view name, long, std::span<const Group> groups) override
    {
        openSection(std::string(name));
        append(all, groups);
        ++counts[std::string(name) + "/*"];
    }

    void finish()
    {
        if (!section.empty()) all.push_back({0, "ENDSEC"});
        all.push_back({0, "EOF"});
    }

private:
    void openSection(const std::string& name)
    {
        if (name == section) return;
        if (!section.empty()) all.push_back({0, "ENDSEC"});
        all.push_back({0, "SECTION"});
        all.push_back({2, name});
        section = name;
    }
    void keep(const std::string& sectionName, const Record& record)
    {
        openSection(sectionName);
        all.push_back({0, std::string(record.type)});
        append(all, record.groups);
        ++counts[sectionName + "/" + std::string(record.type)];
    }
    std::string section;
};

std::string structureError(const std::string& text, Splitting splitting)
{
    RecordingHandler handler;
    try {
        readStructure(text, handler, splitting);
    } catch (const FormatError& error) {
        return error.what();
    }
    return "";
}

// The error of a text, which must be the same whichever thread splits the text into groups.
std::string structureError(const std::string& text)
{
    const std::string here = structureError(text, Splitting::OnThisThread);
    EXPECT_EQ(structureError(text, Splitting::OnSecondThread), here);
    return here;
}

std::string join(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\n";
    return text;
}

bool sameGroups(const CarriedGroups& a, const CarriedGroups& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].code != b[i].code || a[i].value != b[i].value) return false;
    return true;
}

// Reals compared as numbers: the writer may spell them differently ("12.0" for "12.000").
bool sameValue(const CarriedGroup& a, const CarriedGroup& b)
{
    if (a.code != b.code) return false;
    const GroupType type = groupTypeOf(a.code);
    if (type == GroupType::Real) {
        double x = 0, y = 0;
        return parseReal(a.value, x) && parseReal(b.value, y) && x == y;
    }
    if (isIntegerType(type)) {
        std::int64_t x = 0, y = 0;
        return parseInteger(a.value, x) && parseInteger(b.value, y) && x == y;
    }
    return a.value == b.value;
}

}  // namespace

TEST(Structure, NestingErrorsNameTheirLine)
{
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", "  8", "0"})),
              "Error in DXF file at line 8: unexpected end of file in section ENTITIES (no ENDSEC)");
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  2", "ENTITIES", "  0", "ENDSEC"})),
              "Error in DXF file at line 6: the file ends without EOF");
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1015", "  0",
                                   "SECTION", "  2", "ENTITIES", "  0", "ENDSEC", "  0", "EOF"})),
              "Error in DXF file at line 9: section HEADER ends without ENDSEC");
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LAYER", "  0", "LAYER",
                                   "  2", "0", "  0", "ENDSEC", "  0", "EOF"})),
              "Error in DXF file at line 13: table LAYER ends without ENDTAB");
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  2", "BLOCKS", "  0", "BLOCK", "  2", "A", "  0", "LINE", "  0",
                                   "ENDSEC", "  0", "EOF"})),
              "Error in DXF file at line 11: the block that starts at line 5 ends without ENDBLK");
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  2", "BLOCKS", "  0", "LINE", "  0", "ENDSEC", "  0", "EOF"})),
              "Error in DXF file at line 5: entity LINE outside a block");
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  1", "HEADER"})),
              "Error in DXF file at line 3: SECTION must be followed by its name (group 2), found group 1 \"HEADER\"");
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  2", "HEADER", " 10", "1.0", "  0", "ENDSEC"})),
              "Error in DXF file at line 5: expected a header variable (group 9), found group 10 \"1.0\"");
    EXPECT_EQ(structureError(join({"  8", "0"})),
              "Error in DXF file at line 1: expected SECTION or EOF, found group 8 \"0\"");
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  2", "OBJECTS", "  0", "", "  0", "ENDSEC"})),
              "Error in DXF file at line 5: a record without a type name in section OBJECTS");
    EXPECT_EQ(structureError(""), "Error in DXF file at line 0: the file ends without EOF");
}

TEST(Structure, NamesWithControlCharactersAreRefusedWhereTheyStand)
{
    // Found by the drawing fuzzer: a BLOCK_RECORD whose type name began with NULs was kept and
    // saved as a record without a type name, which the reader then refused. Names are written
    // back as C strings, so one holding a control character is refused when read.
    const std::string nul(1, '\0');
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  2", "OBJECTS", "  0"}) + nul + "XRECORD\n" +
                             join({"  0", "ENDSEC", "  0", "EOF"})),
              "Error in DXF file at line 6: the type name of this record holds a control character");
    EXPECT_EQ(
        structureError(join({"  0", "SECTION", "  2", "ENTITIES", "  0", "LI\x01NE", "  0", "ENDSEC", "  0", "EOF"})),
        "Error in DXF file at line 6: the type name of this record holds a control character");
    EXPECT_EQ(
        structureError(join({"  0", "SECTION", "  2"}) + "THUMB" + nul + "\n" + join({"  0", "ENDSEC", "  0", "EOF"})),
        "Error in DXF file at line 4: the name of this section holds a control character");
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "MY\tTABLE", "  0",
                                   "ENDTAB", "  0", "ENDSEC", "  0", "EOF"})),
              "Error in DXF file at line 8: the name of this table holds a control character");
    EXPECT_EQ(structureError(join({"  0", "SECTION", "  2", "HEADER", "  9", "$ACAD\x1bVER", "  1", "AC1015", "  0",
                                   "ENDSEC", "  0", "EOF"})),
              "Error in DXF file at line 6: the name of this header variable holds a control character");
    // Characters above the control range (names in other code pages) stay accepted.
    EXPECT_EQ(structureError(
                  join({"  0", "SECTION", "  2", "OBJECTS", "  0", "\xC9TIQUETTE", "  0", "ENDSEC", "  0", "EOF"})),
              "");
}

TEST(Structure, BadValuesInsideRecordsAreFoundWhenCarried)
{
    EXPECT_EQ(structureError(join(
                  {"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", " 10", "abc", "  0", "ENDSEC", "  0", "EOF"})),
              "Error in DXF file at line 8: group 10 needs a real number, found \"abc\"");
}

TEST(Structure, OtherSectionsAndTextAfterEofAreAccepted)
{
    RecordingHandler handler;
    readStructure(join({"  0", "SECTION", "  2", "THUMBNAILIMAGE", " 90", "3", "310", "ABCDEF", "  0", "ENDSEC", "  0",
                        "EOF", "garbage after the end"}),
                  handler);
    EXPECT_EQ(handler.counts["THUMBNAILIMAGE/*"], 1);
}

TEST(Structure, EverySampleFileReadsAndWritesBackGroupForGroup)
{
    SKIP_WITHOUT_SAMPLES();
    for (const auto& path : dxftest::sampleFiles()) {
        SCOPED_TRACE(path.string());
        const std::string text = dxftest::readFile(path);
        RecordingHandler first;
        ASSERT_NO_THROW(readStructure(text, first, Splitting::OnThisThread));
        first.finish();
        RecordingHandler split;
        ASSERT_NO_THROW(readStructure(text, split, Splitting::OnSecondThread));
        split.finish();
        EXPECT_TRUE(sameGroups(first.all, split.all));

        TextWriter writer;
        ASSERT_TRUE(writeCarried(writer, first.all)) << writer.problem();
        RecordingHandler second;
        ASSERT_NO_THROW(readStructure(writer.text(), second));
        second.finish();
        EXPECT_EQ(first.counts, second.counts);
        ASSERT_EQ(first.all.size(), second.all.size());
        for (std::size_t i = 0; i < first.all.size(); ++i)
            ASSERT_TRUE(sameValue(first.all[i], second.all[i]))
                << "group " << i << ": " << first.all[i].code << " '" << first.all[i].value << "' became "
                << second.all[i].code << " '" << second.all[i].value << "'";
        EXPECT_GT(first.counts["ENTITIES/VIEWPORT"], 0);
    }
}

namespace {

// A file of many LINE records, big enough that the second thread goes round its ring of
// blocks many times.
std::string manyLines(int count)
{
    std::string text = join({"  0", "SECTION", "  2", "ENTITIES"});
    for (int i = 0; i < count; ++i)
        text += "  0\nLINE\n  5\n" + std::to_string(100 + i) + "\n999\na comment\n 10\n" + std::to_string(i) +
                ".5\n 20\n-2.25\n 62\n" + std::to_string(i % 256) + "\n";
    return text;
}

class StopAfter : public RecordingHandler {
public:
    explicit StopAfter(int records) : left_(records) {}
    void entity(const Record& record) override
    {
        if (--left_ == 0) throw FormatError(record.line, "stopped by the handler");
        RecordingHandler::entity(record);
    }

private:
    int left_;
};

}  // namespace

TEST(Structure, ASecondThreadGivesTheSameGroupsErrorsAndLines)
{
    const std::string body = manyLines(20000);
    const std::string whole = body + join({"  0", "ENDSEC", "  0", "EOF"});
    RecordingHandler here, split;
    readStructure(whole, here, Splitting::OnThisThread);
    readStructure(whole, split, Splitting::OnSecondThread);
    EXPECT_EQ(here.counts["ENTITIES/LINE"], 20000);
    EXPECT_TRUE(sameGroups(here.all, split.all));

    // Errors near the end of a long text: a bad code line, a missing value, a missing end, and
    // a value the handler cannot use; each with the line the tokenizer would name.
    EXPECT_EQ(structureError(body + "  x\n"), "Error in DXF file at line 240005: invalid group code \"  x\"");
    EXPECT_EQ(structureError(body + " 62\n"),
              "Error in DXF file at line 240005: group code 62 has no value (unexpected end of file)");
    EXPECT_EQ(structureError(body), "Error in DXF file at line 240004: unexpected end of file in section ENTITIES "
                                    "(no ENDSEC)");
    EXPECT_EQ(structureError("AutoCAD Binary DXF\r\n" + body),
              "Error in DXF file at line 1: binary DXF files are not supported; save the drawing as ASCII DXF");
}

TEST(Structure, AHandlerThatStopsEarlyStopsTheSecondThread)
{
    const std::string text = manyLines(50000);
    for (int records : {1, 5000, 49999}) {
        StopAfter handler(records);
        try {
            readStructure(text, handler, Splitting::OnSecondThread);
            ADD_FAILURE() << "the handler's error was lost";
        } catch (const FormatError& error) {
            EXPECT_EQ(error.line(), 5 + 12L * (records - 1));
        }
    }
}

TEST(Structure, NumbersConvertedAheadReadAsTheValueFunctionsReadThem)
{
    const auto converted = [](int code, std::string_view value) {
        Group group{code, value, 7};
        convertNumber(group);
        return group;
    };
    const auto error = [](auto read) -> std::string {
        try {
            read();
        } catch (const FormatError& e) {
            return e.what();
        }
        return "";
    };
    for (std::string_view text : {"1.5", " -2.5E+3 ", "+.5", "0", "1e-320", "123456789012345678901234567890"})
        EXPECT_EQ(realValue(converted(10, text)), realValue(Group{10, text, 7})) << text;
    for (std::string_view text : {"  -7", "32767", "1"})
        EXPECT_EQ(integerValue(converted(70, text)), integerValue(Group{70, text, 7})) << text;
    EXPECT_EQ(integerValue(converted(160, "-9223372036854775808")), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(handleValue(converted(330, "1F")), 0x1Fu);
    EXPECT_EQ(handleValue(converted(5, " abc ")), 0xABCu);
    // What the value functions refuse is refused the same way after a conversion ahead,
    // including an integer that reads but does not fit its group.
    for (const auto& [code, text] : std::initializer_list<std::pair<int, std::string_view>>{
             {10, "1,5"}, {10, "nan"}, {10, "1e999"}, {70, "40000"}, {70, "1.0"}, {330, "XYZ"}, {5, ""}}) {
        const Group plain{code, text, 7};
        const Group ahead = converted(code, text);
        const GroupType type = groupTypeOf(code);
        if (type == GroupType::Real) {
            EXPECT_EQ(error([&] { realValue(ahead); }), error([&] { realValue(plain); })) << text;
        } else if (isIntegerType(type)) {
            EXPECT_EQ(error([&] { integerValue(ahead); }), error([&] { integerValue(plain); })) << text;
        } else {
            EXPECT_EQ(error([&] { handleValue(ahead); }), error([&] { handleValue(plain); })) << text;
        }
    }
}

namespace {

std::string writeTemporary(const std::string& text)
{
    char name[] = "/tmp/structure_test_XXXXXX";
    const int fd = mkstemp(name);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    close(fd);
    return name;
}

}  // namespace

TEST(Structure, AFileIsReadPieceByPieceAsItIsSplit)
{
    const std::string text = manyLines(120000) + join({"  0", "ENDSEC", "  0", "EOF"});
    ASSERT_GT(text.size(), 4u << 20);  // several pieces
    const std::string path = writeTemporary(text);
    for (Splitting splitting : {Splitting::OnThisThread, Splitting::OnSecondThread}) {
        Acad::ErrorStatus status = Acad::eOk;
        std::string message;
        auto file = openDrawingText(path.c_str(), status, message);
        ASSERT_NE(file, nullptr) << message;
        RecordingHandler fromFile, fromMemory;
        readStructure(*file, fromFile, splitting);
        readStructure(text, fromMemory, Splitting::OnThisThread);
        EXPECT_EQ(fromFile.counts["ENTITIES/LINE"], 120000);
        EXPECT_TRUE(sameGroups(fromFile.all, fromMemory.all));
    }
    std::remove(path.c_str());
}

TEST(Structure, AFileThatEndsBeforeItsSizeIsAReadErrorWhereItStops)
{
    // A file that shrinks while it is read gives less than its size: the groups before are
    // handed out, then the read error is raised, whichever thread reads.
    const std::string text = manyLines(100000);
    const std::string path = writeTemporary(text);
    for (Splitting splitting : {Splitting::OnThisThread, Splitting::OnSecondThread}) {
        DrawingText file(std::fopen(path.c_str(), "rb"), text.size() + 100, "shrunk.dxf");
        RecordingHandler handler;
        try {
            readStructure(file, handler, splitting);
            ADD_FAILURE() << "a short file was read as whole";
        } catch (const FileReadError& error) {
            EXPECT_STREQ(error.what(), "Cannot read the drawing file shrunk.dxf");
        }
        if (splitting == Splitting::OnSecondThread) {
            EXPECT_GT(handler.counts["ENTITIES/LINE"], 0);
        }
    }
    std::remove(path.c_str());
}
