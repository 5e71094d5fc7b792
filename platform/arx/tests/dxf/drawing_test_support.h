// Helpers of the drawing-file tests: databases from text, records of a file by handle.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "db/dxf/carried_groups.h"
#include "db/dxf/drawing_file.h"
#include "db/dxf/structure_reader.h"
#include "dbmain.h"

namespace dxftest {

// One record of a file: its section, type and groups (values as text).
struct FileRecord {
    std::string section;
    std::string type;
    std::string handle;
    arx::dxf::CarriedGroups groups;
};

// Every record of the text with a handle, by upper-case handle.
std::map<std::string, FileRecord> recordsByHandle(const std::string& text);

// A database read from text; null (with the message) when reading failed.
std::unique_ptr<AcDbDatabase> readDatabase(const std::string& text, std::string* message = nullptr);
std::string writeDatabase(AcDbDatabase* db);

// The id of the object with that handle in the database.
AcDbObjectId idOfHandle(AcDbDatabase* db, const std::string& handle);

}  // namespace dxftest
