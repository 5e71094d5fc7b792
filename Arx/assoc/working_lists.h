// The lists the persistent reactor fills during a command for the processing at its end:
// per document, the marks and outline block references changed and the snapshots of
// viewports opened for change; for the process, the copies of associated objects.
#pragma once
#include <set>
#include <vector>

#include "dbid.h"
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

namespace kestra {

// Identifiers in the order they arrived, each once.
class IdQueue {
public:
    // False when the id is queued already.
    bool add(AcDbObjectId id)
    {
        if (!seen_.insert(id).second) return false;
        ids_.push_back(id);
        return true;
    }
    void clear()
    {
        ids_.clear();
        seen_.clear();
    }
    bool empty() const { return ids_.empty(); }
    size_t size() const { return ids_.size(); }
    bool contains(AcDbObjectId id) const { return seen_.count(id) != 0; }
    const std::vector<AcDbObjectId>& ids() const { return ids_; }

private:
    std::vector<AcDbObjectId> ids_;
    std::set<AcDbObjectId> seen_;
};

// A viewport as it was when it was opened for change (all zero for a clip entity), so that
// the end of the command can tell how it moved.
struct ViewportSnapshot {
    AcDbObjectId id;
    double width = 0.0;
    double height = 0.0;
    AcGeVector3d viewDirection{0.0, 0.0, 0.0};
    AcGePoint3d viewTarget;
    AcGePoint2d viewCenter;
    double viewHeight = 0.0;
    AcGePoint3d centerPoint;
};

struct ReactorWorkingLists {
    IdQueue pendingModifications;
    std::vector<ViewportSnapshot> pendingEdits;
};

}  // namespace kestra
