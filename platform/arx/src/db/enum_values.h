// Numbers read from a drawing file or a filer that must name a value of an enumeration: a
// damaged drawing must not put a number that names none into it (undefined behaviour), so
// such a number keeps the current value.
#pragma once
#include <algorithm>
#include <array>

#include "acdb.h"

namespace arx::db {

inline AcDb::DuplicateRecordCloning mergeStyleOf(int value, AcDb::DuplicateRecordCloning current)
{
    if (value < AcDb::kDrcNotApplicable || value > AcDb::kDrcUnmangleName) return current;
    return static_cast<AcDb::DuplicateRecordCloning>(value);
}

inline AcDb::LineWeight lineWeightOf(int value, AcDb::LineWeight current)
{
    static constexpr std::array<int, 27> kWeights = {-3, -2, -1, 0,  5,  9,  13,  15,  18,  20,  25,  30,  35, 40,
                                                     50, 53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
    if (std::find(kWeights.begin(), kWeights.end(), value) == kWeights.end()) return current;
    return static_cast<AcDb::LineWeight>(value);
}

}  // namespace arx::db
