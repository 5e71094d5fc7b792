// The lists the persistent reactor fills during a command for the processing at its end:
// per document, the marks and outline block references changed and the snapshots of
// viewports opened for change; for the process, the copies of associated objects.
#pragma once
#include <map>
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

// One viewport (or clip entity) opened for change during a reshape command: the snapshot of
// its first opening, and the centre it had when it was last opened.
struct PendingEdit {
    ViewportSnapshot snapshot;  // snapshot.centerPoint is the centre at the first opening
    AcGePoint3d latestCenter;
};

// The pending edits in the order the objects were first opened, each object once.
class PendingEditList {
public:
    // A new object gets an entry (first and latest centre alike); a listed one only takes the
    // snapshot's centre as its latest.
    void record(const ViewportSnapshot& snapshot)
    {
        const auto [at, added] = positions_.emplace(snapshot.id, entries_.size());
        if (added) entries_.push_back(PendingEdit{snapshot, snapshot.centerPoint});
        else entries_[at->second].latestCenter = snapshot.centerPoint;
    }
    // Adds the entry at the end as it is, even for an object listed already.
    void append(const PendingEdit& edit)
    {
        positions_.emplace(edit.snapshot.id, entries_.size());
        entries_.push_back(edit);
    }
    void clear()
    {
        entries_.clear();
        positions_.clear();
    }
    bool empty() const { return entries_.empty(); }
    size_t size() const { return entries_.size(); }
    // Hands the entries over and leaves the list empty.
    std::vector<PendingEdit> take()
    {
        std::vector<PendingEdit> taken;
        taken.swap(entries_);
        positions_.clear();
        return taken;
    }
    const std::vector<PendingEdit>& entries() const { return entries_; }

private:
    std::vector<PendingEdit> entries_;
    std::map<AcDbObjectId, size_t> positions_;
};

struct ReactorWorkingLists {
    IdQueue pendingModifications;
    PendingEditList pendingEdits;
};

}  // namespace kestra
