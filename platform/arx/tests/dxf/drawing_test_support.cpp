#include "drawing_test_support.h"

#include <cctype>
#include <gtest/gtest.h>

namespace dxftest {
namespace {

class Collector : public arx::dxf::SectionHandler {
public:
    std::map<std::string, FileRecord>& out;
    std::string section;
    explicit Collector(std::map<std::string, FileRecord>& target) : out(target) {}
    void headerVariable(std::string_view, long, std::span<const arx::dxf::Group>) override {}
    void classRecord(const arx::dxf::Record&) override {}
    void tableBegin(std::string_view, const arx::dxf::Record& r) override { keep("TABLES", r); }
    void tableEntry(std::string_view, const arx::dxf::Record& r) override { keep("TABLES", r); }
    void tableEnd(std::string_view, const arx::dxf::Record&) override {}
    void blockBegin(const arx::dxf::Record& r) override { keep("BLOCKS", r); }
    void blockEntity(const arx::dxf::Record& r) override { keep("BLOCKS", r); }
    void blockEnd(const arx::dxf::Record& r) override { keep("BLOCKS", r); }
    void entity(const arx::dxf::Record& r) override { keep("ENTITIES", r); }
    void object(const arx::dxf::Record& r) override { keep("OBJECTS", r); }
    void otherSection(std::string_view, long, std::span<const arx::dxf::Group>) override {}

private:
    void keep(const char* sectionName, const arx::dxf::Record& record)
    {
        FileRecord entry{sectionName, std::string(record.type), "", arx::dxf::carry(record.groups)};
        for (const auto& group : entry.groups)
            if (group.code == 5 || group.code == 105) {
                entry.handle = group.value;
                break;
            }
        for (char& c : entry.handle) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (!entry.handle.empty()) out[entry.handle] = std::move(entry);
    }
};

}  // namespace

std::map<std::string, FileRecord> recordsByHandle(const std::string& text)
{
    std::map<std::string, FileRecord> records;
    Collector collector(records);
    arx::dxf::readStructure(text, collector);
    return records;
}

std::unique_ptr<AcDbDatabase> readDatabase(const std::string& text, std::string* message)
{
    auto db = std::make_unique<AcDbDatabase>(false, true);
    arx::dxf::ReadReport report;
    if (arx::dxf::readDrawingText(db.get(), text, report) != Acad::eOk) {
        if (message) *message = report.message;
        return nullptr;
    }
    return db;
}

std::string writeDatabase(AcDbDatabase* db)
{
    std::string text, message;
    EXPECT_EQ(arx::dxf::writeDrawingText(db, text, message), Acad::eOk) << message;
    return text;
}

AcDbObjectId idOfHandle(AcDbDatabase* db, const std::string& handle)
{
    AcDbObjectId id;
    db->getAcDbObjectId(id, false, AcDbHandle(handle.c_str()));
    return id;
}

}  // namespace dxftest
