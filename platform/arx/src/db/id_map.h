// The pairs of one clone operation.
#pragma once
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "dbidmap.h"

namespace arx::db {

struct IdMap {
    std::unordered_map<AcDbObjectId, AcDbIdPair> pairs;
    std::vector<AcDbObjectId> order;          // keys in the order they were assigned
    std::unordered_set<AcDbObjectId> values;  // the copies
    AcDbDatabase* dest = nullptr;
    AcDbDatabase* orig = nullptr;
    AcDb::DeepCloneType context = AcDb::kDcCopy;
    AcDb::DuplicateRecordCloning drc = AcDb::kDrcIgnore;
};

}  // namespace arx::db
