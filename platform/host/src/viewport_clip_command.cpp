// VPCLIP: clips a floating viewport of the current layout by a closed curve of the layout or
// by a polygon drawn for it, or takes its clipping away. The viewport is taken from the
// pick-first set when that holds one (or its clip boundary), else picked.
#include <vector>

#include "acedads.h"
#include "adscodes.h"
#include "dbmain.h"
#include "ed/object_selection.h"
#include "ed/views.h"
#include "ed/views_mview.h"
#include "host_command_sets.h"

namespace arx::host {
namespace {

using ed::CommandOutcome;

// The viewport to clip: the pick-first one, or one picked at "Select viewport to clip: ". A
// pick that misses asks again; Enter ends the command with no viewport.
int chooseViewport(AcDbDatabase* db, AcDbObjectId& viewport)
{
    const std::vector<AcDbObjectId> preselected =
        views::viewportsSelected(db, ed::liveMembers(ed::SelectionSets::instance().pickFirst()));
    if (preselected.size() == 1) {
        viewport = preselected.front();
        return RTNORM;
    }
    for (;;) {
        ads_point p;
        const int status = acedGetPoint(nullptr, "Select viewport to clip: ", p);
        if (status != RTNORM) return status;
        const AcDbObjectId picked = ed::entityAt(db, AcGePoint3d(p[0], p[1], p[2]));
        if (picked.isNull()) continue;
        const std::vector<AcDbObjectId> found = views::viewportsSelected(db, {picked});
        if (!found.empty()) {
            viewport = found.front();
            return RTNORM;
        }
        say("Object is not a viewport.");
    }
}

CommandOutcome reportClip(Acad::ErrorStatus es)
{
    if (es == Acad::eOk) return CommandOutcome::Ended;
    if (es == Acad::eOnLockedLayer) return failWith("The viewport is on a locked layer.");
    return failWith(es == Acad::eInvalidInput ? kNotAClosedCurve : "The viewport could not be clipped.");
}

CommandOutcome clipByPolygon(AcDbDatabase* db, AcDbObjectId viewport)
{
    std::vector<AcGePoint3d> points;
    const int status = askPolygon(db, points);
    if (status == RTNONE) return CommandOutcome::Ended;  // too few points: nothing changes
    if (status != RTNORM) return outcomeOf(status);
    return reportClip(views::clipViewportByPolygon(db, viewport, points));
}

CommandOutcome clipChosen(AcDbDatabase* db, AcDbObjectId viewport)
{
    const bool clipped = !views::clipBoundaryOf(viewport).isNull();
    for (;;) {
        ads_point p;
        acedInitGet(0, clipped ? "Polygonal Delete" : "Polygonal");
        const int status = acedGetPoint(nullptr,
                                        clipped ? "Select clipping object or [Polygonal/Delete] <Polygonal>: "
                                                : "Select clipping object or [Polygonal] <Polygonal>: ",
                                        p);
        if (status == RTNONE) return clipByPolygon(db, viewport);
        if (status == RTKWORD) {
            char keyword[16] = {};
            acedGetInput(keyword);
            if (std::string(keyword) == "Polygonal") return clipByPolygon(db, viewport);
            const Acad::ErrorStatus es = views::removeViewportClip(viewport);
            return reportClip(es == Acad::eNotApplicable ? Acad::eOk : es);
        }
        if (status != RTNORM) return outcomeOf(status);
        const AcDbObjectId boundary = ed::entityAt(db, AcGePoint3d(p[0], p[1], p[2]));
        if (boundary.isNull()) continue;
        return reportClip(views::clipViewport(db, viewport, boundary));
    }
}

// VPCLIP works on the sheet: from a floating viewport it goes to paper space for the
// command and back afterwards, as MVIEW does.
CommandOutcome clipViewportCommand()
{
    AcDbDatabase* db = views::workingDatabase();
    if (db == nullptr) return CommandOutcome::Failed;
    if (views::isTiled(db)) return failWith(kNotInModelTab);
    const int returnTo = views::inFloatingViewport(db) ? views::currentViewportNumber(db) : 0;
    if (returnTo != 0) views::enterPaperSpace(db);
    AcDbObjectId viewport;
    const int status = chooseViewport(db, viewport);
    const CommandOutcome outcome = status == RTNORM ? clipChosen(db, viewport) : outcomeOf(status);
    if (returnTo != 0) views::setCurrentViewportNumber(db, returnTo);
    views::refresh(db);
    return outcome;
}

}  // namespace

void defineClipCommands()
{
    ed::CommandProcessor::instance().defineHostCommand("VPCLIP", clipViewportCommand, ed::kUsesPickFirst);
}

}  // namespace arx::host
