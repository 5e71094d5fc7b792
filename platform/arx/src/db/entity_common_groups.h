// The common entity groups (AcDbEntity subclass) as a file gave them: the groups of later
// releases that the entity does not model (material, plot style, true colour, transparency,
// shadow mode, the graphics a custom entity was saved with...) are kept, and the order the
// groups came in is remembered, so that a drawing of another program is written back group
// for group.
#pragma once
#include <cstddef>
#include <initializer_list>
#include <vector>

#include "acadstrc.h"
#include "db/dxf_item.h"

class AcDbDwgFiler;
class AcDbDxfFiler;

namespace arx::db {

struct CommonGroups {
    DxfItemList kept;          // unmodelled groups, in the order read
    std::vector<short> order;  // codes of the section as read, modelled ones included
};

// A modelled common group as the entity holds it now, its text not copied (it must outlive
// the writing).
struct ModelledGroup {
    short code = 0;
    DxfItem::Kind kind = DxfItem::Kind::Text;  // Text, Integer or Real
    const char* text = nullptr;
    long long integer = 0;
    double real = 0.0;
};

// True for a common entity group that AcDbEntity keeps without modelling it, whatever the
// filer (entmake lists may carry them too).
bool isKeptEntityCode(int code);
// The modelled groups, as the entity has them now, merged with the kept ones in the order
// read; groups the order does not place follow it (modelled first).
DxfItemList arrangeCommonGroups(DxfItemList modelled, const CommonGroups& groups);
// Writes the modelled groups merged with the kept ones as arrangeCommonGroups arranges them:
// straight to the filer, without a list, when the merge would leave them as they stand.
Acad::ErrorStatus writeCommonGroups(AcDbDxfFiler* filer, const ModelledGroup* modelled, std::size_t count,
                                    const CommonGroups& groups);
// entmod: groups read replace the kept ones of the same codes.
void mergeKeptGroups(DxfItemList& kept, DxfItemList read);
// Drops the kept groups of these codes (a new colour makes a kept true colour stale).
void dropKeptGroups(DxfItemList& kept, std::initializer_list<int> codes);

// Through the DWG filers (undo, copies).
Acad::ErrorStatus dwgOutCommonGroups(AcDbDwgFiler* filer, const CommonGroups& groups);
Acad::ErrorStatus dwgInCommonGroups(AcDbDwgFiler* filer, CommonGroups& groups);

}  // namespace arx::db
