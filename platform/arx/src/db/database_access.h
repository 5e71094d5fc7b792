// Internal access to a database for the file reader and writer: every object id, the
// CLASSES records read from a file, attachments other layers keep per database.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "dbid.h"

class AcDbDatabase;

namespace arx::db {

// The ids of all objects in the order they were added (erased ones included, un-appended
// ones and reserved handles without an object left out).
std::vector<AcDbObjectId> allObjectIds(const AcDbDatabase* db);

// A CLASSES entry as read from a file (kept so that classes of proxies are written back).
struct DxfClassRecord {
    std::string dxfName;     // 1
    std::string className;   // 2
    std::string appName;     // 3
    int proxyFlags = 0;      // 90
    bool wasAProxy = false;  // 280
    bool isEntity = false;   // 281
};
std::vector<DxfClassRecord>& dxfClasses(AcDbDatabase* db);

// A slot per key where another layer keeps its own data for this database (the DXF layer's
// carried sections, for instance); empty until set. Freed with the database.
std::shared_ptr<void>& attachment(AcDbDatabase* db, const std::string& key);

// Exchanges the drawings two databases hold (objects, ids, tables, header, undo history);
// each keeps its own reactors. A file reader fills a new database and swaps it into the
// one being read into, so a failed read leaves that one as it was. No object of either may
// be open.
void swapDatabaseContents(AcDbDatabase* a, AcDbDatabase* b);

// The file name the database was read from or last saved to.
void setFileName(AcDbDatabase* db, const std::string& fileName);

}  // namespace arx::db
