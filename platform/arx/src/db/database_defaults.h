// The objects every drawing has from its first moment.
#pragma once

class AcDbDatabase;

namespace arx::db {

// A new drawing's tables, records, dictionaries and layouts.
void buildDefaultDrawing(AcDbDatabase* db);
// The nine symbol tables and the named-object dictionary, where missing.
void ensureTables(AcDbDatabase* db);
// Adds whichever of them a drawing read from a file lacks (and nothing else).
void ensureStandardObjects(AcDbDatabase* db);

}  // namespace arx::db
