// Extended data as the host checks it: a chain of one or more applications, each a 1001
// group naming a registered application followed by extended-data groups (1000-1071 except
// 1001), braces of 1002 balanced, at most 16383 bytes on one object.
#pragma once
#include <string>
#include <vector>

#include "acadstrc.h"
#include "adsdef.h"
#include "db/object_state.h"

class AcDbDatabase;

namespace arx::db {

constexpr long kMaxXDataBytes = 16383;

// Splits a chain into applications; false (with a reason) for a chain the host refuses.
// Applications are checked against db's registered applications (when db is not null).
bool parseXDataChain(const resbuf* chain, const AcDbDatabase* db, std::vector<XDataApp>& apps, std::string& error);
// The bytes the host counts for extended data.
long xdataSize(const std::vector<XDataApp>& apps);
bool isRegisteredApp(const AcDbDatabase* db, const std::string& name);
// Adds the application to db's registered applications unless it is there (eOk either way).
Acad::ErrorStatus registerApp(AcDbDatabase* db, const std::string& name);

}  // namespace arx::db
