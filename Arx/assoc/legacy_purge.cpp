// Purging the marks of the older class, listed in the legacy store's index.
#include "assoc/association_maintenance.h"
#include "assoc/handle_text.h"

namespace kestra {

// Each pair is resolved as a lookup by its mark handle would resolve it; the pairs are walked
// once, so the purge stays linear in the number of legacy marks.
bool purgeLegacyMarks()
{
    IndexPairs pairs;
    if (readIndexPairs(kLegacyStoreName, pairs) != Acad::eOk) return true;
    bool noneErased = true;
    for (const IndexPair& pair : pairs) {
        const AcDbObjectId markId = objectIdOfHandle(pair.mark.c_str());
        const AcDbObjectId viewportId = objectIdOfHandle(pair.viewport.c_str());
        // A pair without its mark but with its viewport is only dropped from the copy.
        if (markId.isNull() && !viewportId.isNull()) continue;
        ObjectOpener<AcDbObject> mark(markId, AcDb::kForWrite);
        if (mark && mark->erase() == Acad::eOk) noneErased = false;
        else if (!mark) removeIndexEntry(kLegacyStoreName, markId, viewportId);
    }
    return noneErased;
}

}  // namespace kestra
