// STRETCH: the objects selected by the last crossing window or crossing polygon change by a
// displacement. An object whose whole shape lies inside the region moves (transformBy); one
// partly inside has the stretch points inside moved (moveStretchPointsAt); the others stay.
#include "acedads.h"
#include "adscodes.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "ed/views.h"
#include "host_command_sets.h"

namespace arx::host {
namespace {

using ed::CommandOutcome;

// Stretches one entity by the displacement, as the region decides.
void stretchOne(AcDbObjectId id, const ed::SelectionRegion& region, const AcGeVector3d& displacement)
{
    if (ed::regionHoldsEntity(region, id)) {
        transformEach(ed::EntityList{id}, AcGeMatrix3d::translation(displacement));
        return;
    }
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
    if (entity.openStatus() != Acad::eOk) return;
    AcGePoint3dArray points;
    if (entity->getStretchPoints(points) != Acad::eOk) return;
    AcDbIntArray inside;
    for (int i = 0; i < points.length(); ++i)
        if (region.holds(points[i])) inside.append(i);
    if (inside.isEmpty() || entity->upgradeOpen() != Acad::eOk) return;
    entity->moveStretchPointsAt(inside, displacement);
}

CommandOutcome stretch()
{
    AcDbDatabase* db = views::workingDatabase();
    if (db == nullptr) return CommandOutcome::Failed;
    say("Select objects to stretch by crossing-window or crossing-polygon...");
    ed::EntityList chosen;
    ed::SelectionRegion region;
    int status = selectForEditing(chosen, &region);
    if (status != RTNORM || chosen.empty()) return outcomeOf(status);
    ads_point base;
    acedInitGet(RSG_NONULL, nullptr);
    status = acedGetPoint(nullptr, "Specify base point or displacement: ", base);
    if (status != RTNORM) return outcomeOf(status);
    AcGeVector3d displacement;
    status = askDisplacement(
        db, base, "Specify second point of displacement or <use first point as displacement>: ", true, displacement);
    if (status != RTNORM) return outcomeOf(status);
    for (AcDbObjectId id : chosen) stretchOne(id, region, displacement);
    return CommandOutcome::Ended;
}

}  // namespace

void defineStretchCommand() { ed::CommandProcessor::instance().defineHostCommand("STRETCH", stretch); }

}  // namespace arx::host
