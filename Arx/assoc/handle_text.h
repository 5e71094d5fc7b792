// Handles as the association records keep them: upper-case hexadecimal text as the host
// writes it, compared without regard to case.
#pragma once
#include <string>

#include "dbmain.h"

namespace kestra {

std::string handleText(const AcDbHandle& handle);
// The handle text of an object id; empty for a null id.
std::string handleTextOf(AcDbObjectId id);
bool sameHandle(const char* a, const char* b);
// The handle text in upper case: equal keys for handles that compare the same.
std::string handleKey(std::string text);
inline bool sameHandle(const std::string& a, const std::string& b) { return sameHandle(a.c_str(), b.c_str()); }
// The id of a handle of the working database (erased objects included); null when the text
// names no object.
AcDbObjectId objectIdOfHandle(const char* text);
AcDbObjectId objectIdOfHandle(const AcDbHandle& handle);

}  // namespace kestra
