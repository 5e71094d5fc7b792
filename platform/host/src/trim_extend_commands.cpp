// TRIM and EXTEND: the edges first ("Select objects: "; Enter at once takes every object of
// the space), then the objects to trim or extend one pick at a time, with Project, Edge and
// Undo, until Enter.
#include <string>
#include <vector>

#include "acedads.h"
#include "adscodes.h"
#include "ed/command_processor.h"
#include "ed/object_selection.h"
#include "ed/object_snap.h"
#include "ed/sysvars.h"
#include "ed/views.h"
#include "ed/views_trans.h"
#include "host_command_sets.h"
#include "trim_extend.h"

namespace arx::host {
namespace {

using ed::CommandOutcome;
using views::CoordSystem;

// What sets the two commands apart.
struct EditKind {
    const char* edgesHeading;
    const char* objectPrompt;
    const char* cannotEdit;
    EditResult (*edit)(AcDbObjectId, const AcGePoint3d&, const EdgeRules&, EditStep&);
};

constexpr EditKind kTrim{
    "Select cutting edges ...",
    "Select object to trim or shift-select to extend or [Project/Edge/Undo]: ", "Cannot TRIM this object.", trimAt};
constexpr EditKind kExtend{
    "Select boundary edges ...",
    "Select object to extend or shift-select to trim or [Project/Edge/Undo]: ", "Cannot EXTEND this object.", extendAt};

int projectionMode() { return ed::SysVars::instance().getInt("PROJMODE").value_or(1); }
bool edgesExtended() { return ed::SysVars::instance().getInt("EDGEMODE").value_or(0) == 1; }

void setShort(const char* name, int value)
{
    resbuf rb;
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    acedSetVar(name, &rb);
}

const char* projectionName(int mode) { return mode == 0 ? "None" : mode == 2 ? "View" : "UCS"; }

// The plane objects and edges are seen in: the UCS's XY plane, the view's plane, or none.
std::optional<AcGePlane> projectionPlane(AcDbDatabase* db)
{
    const int mode = projectionMode();
    if (mode == 0) return std::nullopt;
    const CoordSystem::Kind from = mode == 2 ? CoordSystem::Kind::Dcs : CoordSystem::Kind::Ucs;
    AcGePoint3d origin = AcGePoint3d::kOrigin;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    if (views::transformPoint(db, from, CoordSystem::Kind::Wcs, origin) != Acad::eOk ||
        views::transformVector(db, from, CoordSystem::Kind::Wcs, normal) != Acad::eOk || normal.isZeroLength())
        return AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis);
    return AcGePlane(origin, normal.normal());
}

int askProjection()
{
    const std::string current = projectionMode() == 0 ? "None" : projectionMode() == 2 ? "View" : "Ucs";
    const std::string prompt = "Enter a projection option [None/Ucs/View] <" + current + ">: ";
    char answer[32] = {};
    acedInitGet(0, "None Ucs View");
    const int status = acedGetKword(prompt.c_str(), answer);
    if (status == RTNORM) {
        const std::string option = answer;
        setShort("PROJMODE", option == "None" ? 0 : option == "View" ? 2 : 1);
    }
    return status;
}

int askEdgeMode()
{
    const std::string prompt = std::string("Enter an implied edge extension mode [Extend/No extend] <") +
                               (edgesExtended() ? "Extend" : "No extend") + ">: ";
    char answer[32] = {};
    acedInitGet(0, "Extend No");
    const int status = acedGetKword(prompt.c_str(), answer);
    if (status == RTNORM) setShort("EDGEMODE", std::string(answer) == "Extend" ? 1 : 0);
    return status;
}

void sayOutcome(EditResult result, const EditKind& kind)
{
    if (result == EditResult::NoEdge) say("Object does not intersect an edge.");
    else if (result == EditResult::NoEdgeInThatDirection) say("No edge in that direction.");
    else if (result == EditResult::NotEditable) say(kind.cannotEdit);
    else if (result == EditResult::OnLockedLayer) say("The object is on a locked layer.");
}

CommandOutcome runEdit(const EditKind& kind)
{
    AcDbDatabase* db = views::workingDatabase();
    if (db == nullptr) return CommandOutcome::Failed;
    say(std::string("Current settings: Projection=") + projectionName(projectionMode()) +
        ", Edge=" + (edgesExtended() ? "Extend" : "None"));
    say(kind.edgesHeading);
    ed::EntityList edges;
    if (ed::selectObjects(ed::SelectionRules{}, edges) == RTCAN) return CommandOutcome::Cancelled;
    if (edges.empty()) edges = ed::currentSpaceEntities(db);
    std::vector<EditStep> steps;
    for (;;) {
        ads_point picked;
        acedInitGet(0, "Project Edge Undo");
        int status = RTNONE;
        {
            const ed::ObjectPickScope picking;
            status = acedGetPoint(nullptr, kind.objectPrompt, picked);
        }
        if (status == RTCAN) return CommandOutcome::Cancelled;
        if (status == RTNONE) return CommandOutcome::Ended;
        if (status == RTKWORD) {
            char keyword[32] = {};
            acedGetInput(keyword);
            const std::string option = keyword;
            if (option == "Project") status = askProjection();
            else if (option == "Edge") status = askEdgeMode();
            else if (steps.empty()) say("Command has been completely undone.");
            else {
                steps.back().undo();
                steps.pop_back();
            }
            if (status == RTCAN) return CommandOutcome::Cancelled;
            continue;
        }
        if (status != RTNORM) return outcomeOf(status);
        AcGePoint3d pick(picked[0], picked[1], picked[2]);
        const AcDbObjectId object = ed::entityAt(db, pick);
        if (object.isNull()) continue;
        views::transformPoint(db, CoordSystem::Kind::Ucs, CoordSystem::Kind::Wcs, pick);
        const EdgeRules rules{edges, projectionPlane(db), edgesExtended()};
        EditStep step;
        const EditResult result = kind.edit(object, pick, rules, step);
        if (result == EditResult::Done) steps.push_back(std::move(step));
        else sayOutcome(result, kind);
    }
}

CommandOutcome trim() { return runEdit(kTrim); }
CommandOutcome extend() { return runEdit(kExtend); }

}  // namespace

void defineTrimExtendCommands()
{
    auto& processor = ed::CommandProcessor::instance();
    processor.defineHostCommand("TRIM", trim);
    processor.defineHostCommand("EXTEND", extend);
}

}  // namespace arx::host
