// What the editor remembers about the views of one drawing for the session only (it is not
// part of the drawing): the floating viewport MSPACE returns to in each layout, the views
// ZOOM Previous goes back to, and the UCSs acedRestorePreviousUCS and UCS Previous restore.
#pragma once
#include <map>
#include <vector>

#include "dbid.h"
#include "ed/view_transform.h"
#include "gepnt3d.h"
#include "gevec3d.h"

class AcDbDatabase;

namespace arx::views {

// A UCS: origin and unit X and Y axes in WCS (in paper space, in paper coordinates).
struct UcsFrame {
    AcGePoint3d origin;
    AcGeVector3d xAxis = AcGeVector3d::kXAxis;
    AcGeVector3d yAxis = AcGeVector3d::kYAxis;
};

struct ViewSession {
    static constexpr size_t kMaxPrevious = 10;  // views and UCSs kept for going back

    std::map<AcDbObjectId, AcDbObjectId> lastFloating;                    // layout -> viewport
    std::map<AcDbObjectId, std::vector<view::ViewRecord>> previousViews;  // viewport -> views
    std::vector<UcsFrame> previousModelUcs;
    std::vector<UcsFrame> previousPaperUcs;
};

// The session record of a database, made on first use and freed with the database.
ViewSession& session(AcDbDatabase* db);

// Keeps at most kMaxPrevious entries, dropping the oldest.
template <class T>
void pushBounded(std::vector<T>& stack, const T& value)
{
    if (stack.size() >= ViewSession::kMaxPrevious) stack.erase(stack.begin());
    stack.push_back(value);
}

}  // namespace arx::views
