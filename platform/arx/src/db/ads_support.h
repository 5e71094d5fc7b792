// Shared pieces of the ADS database calls.
#pragma once
#include "adsdef.h"
#include "dbmain.h"

namespace arx::db {

// The database the ADS calls work on (null when no drawing is current).
AcDbDatabase* adsDatabase();
// The id an entity name gives in the working database (null for a name of another one).
AcDbObjectId idOfName(const ads_name name);
// (-1 . name) followed by the object's DXF groups (and, when apps is given, the extended
// data of the applications it names after -3). The object must be readable.
resbuf* objectList(AcDbObject* obj, const resbuf* apps);

}  // namespace arx::db
