#include "assoc/handle_text.h"

#include <strings.h>

#include <cctype>

#include "acdbads_db.h"

namespace kestra {

std::string handleText(const AcDbHandle& handle)
{
    char buffer[20];
    handle.getIntoAsciiBuffer(buffer);
    return buffer;
}

std::string handleTextOf(AcDbObjectId id) { return id.isNull() ? std::string() : handleText(id.handle()); }

bool sameHandle(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

std::string handleKey(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

AcDbObjectId objectIdOfHandle(const char* text)
{
    ads_name name;
    AcDbObjectId id;
    if (acdbHandEnt(text, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk) return AcDbObjectId();
    return id;
}

AcDbObjectId objectIdOfHandle(const AcDbHandle& handle)
{
    return handle.isNull() ? AcDbObjectId() : objectIdOfHandle(handleText(handle).c_str());
}

}  // namespace kestra
