// Marks refuse to be copied, within a drawing and to another one: a copy would outline a
// viewport that already has its mark. The rest of a selection is copied as usual.
#include "acutads.h"
#include "mark/vadu_kestra.h"

namespace {

constexpr const char* kNoCopy = "Cannot copy an Kestra object! Copy its parent instead (the floating viewport).";
constexpr const char* kNoCopyToDrawing = "Cannot copy an Kestra object from one drawing to another.";

}  // namespace

Acad::ErrorStatus VaduKestra::deepClone(AcDbObject* /*owner*/, AcDbObject*& clone, AcDbIdMapping& /*idMap*/,
                                        Adesk::Boolean /*isPrimary*/) const
{
    acutPrintf("%s\n", kNoCopy);
    clone = nullptr;
    return Acad::eOk;
}

Acad::ErrorStatus VaduKestra::wblockClone(AcRxObject* /*owner*/, AcDbObject*& clone, AcDbIdMapping& /*idMap*/,
                                          Adesk::Boolean /*isPrimary*/) const
{
    acutPrintf("%s\n", kNoCopyToDrawing);
    clone = nullptr;
    return Acad::eOk;
}
