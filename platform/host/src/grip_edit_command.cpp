// GRIPEDIT: the host's grip mode in a form a script can drive. The objects selected show their
// grips (getGripPoints), numbered; the user makes grips hot by number or by a point within the
// pick box of one, then gives the stretch point. Each object with hot grips is first dragged
// (a copy moved through moveGripPointsAt and drawn through worldDraw in drag mode, as the
// display would follow the cursor), then changed through moveGripPointsAt while open for write.
// As in the host, choosing objects and grips is no command: the stretch itself is the command
// GRIP_STRETCH, from its prompt to its end, and that is the name the editor reactors hear.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "acedads.h"
#include "adscodes.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "ed/sysvars.h"
#include "ed/views.h"
#include "ed/views_trans.h"
#include "gi/recording_world_draw.h"
#include "host_command_sets.h"

namespace arx::host {
namespace {

using ed::CommandOutcome;

struct Grip {
    AcDbObjectId entity;
    int index = 0;      // the grip's index in the entity's getGripPoints
    AcGePoint3d world;  // where it lies
    bool hot = false;
};

std::vector<Grip> gripsOf(const ed::EntityList& ids)
{
    std::vector<Grip> grips;
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (entity.openStatus() != Acad::eOk) continue;
        AcGePoint3dArray points;
        AcDbIntArray osnapModes, geomIds;
        if (entity->getGripPoints(points, osnapModes, geomIds) != Acad::eOk) continue;
        for (int i = 0; i < points.length(); ++i) grips.push_back(Grip{id, i, points[i], false});
    }
    return grips;
}

std::string ucsText(AcDbDatabase* db, AcGePoint3d point)
{
    views::transformPoint(db, views::CoordSystem::Kind::Wcs, views::CoordSystem::Kind::Ucs, point);
    char text[96];
    std::snprintf(text, sizeof text, "%.4f,%.4f,%.4f", point.x, point.y, point.z);
    return text;
}

void showGrips(AcDbDatabase* db, const std::vector<Grip>& grips)
{
    for (std::size_t n = 0; n < grips.size(); ++n) {
        AcDbHandle handle;
        char handleText[20] = {};
        if (AcDbObjectPointer<AcDbEntity> entity(grips[n].entity, AcDb::kForRead); entity.openStatus() == Acad::eOk) {
            entity->getAcDbHandle(handle);
            handle.getIntoAsciiBuffer(handleText);
        }
        say("Grip " + std::to_string(n + 1) + ": " + ucsText(db, grips[n].world) + " (handle " + handleText + ")");
    }
}

// The pick box's half size in drawing units (PICKBOX pixels of the current view's height).
double pickBoxSize()
{
    const auto& vars = ed::SysVars::instance();
    const double viewSize = vars.getReal("VIEWSIZE").value_or(9.0);
    const auto screen = vars.get("SCREENSIZE");
    const double pixelsHigh = screen && screen->point[1] > 0.0 ? screen->point[1] : 600.0;
    return static_cast<double>(vars.getInt("PICKBOX").value_or(3)) * viewSize / pixelsHigh;
}

// Makes hot the grip numbered, or the grips within the pick box of a point. False when the
// answer names none.
bool makeHot(AcDbDatabase* db, const std::string& answer, std::vector<Grip>& grips)
{
    char* end = nullptr;
    const long number = std::strtol(answer.c_str(), &end, 10);
    if (!answer.empty() && *end == '\0') {
        if (number < 1 || static_cast<std::size_t>(number) > grips.size()) return false;
        grips[number - 1].hot = true;
        return true;
    }
    double coords[3] = {0.0, 0.0, 0.0};
    int count = std::sscanf(answer.c_str(), "%lf,%lf,%lf", &coords[0], &coords[1], &coords[2]);
    if (count < 2) return false;
    const AcGePoint3d picked = worldPoint(db, coords);
    const double box = pickBoxSize();
    bool found = false;
    for (Grip& grip : grips)
        if (grip.world.distanceTo(picked) <= box) grip.hot = found = true;
    return found;
}

// "Select grip: " until Enter: RTNORM with at least one grip hot, RTNONE with none, RTCAN.
int chooseHotGrips(AcDbDatabase* db, std::vector<Grip>& grips)
{
    bool any = false;
    for (;;) {
        char answer[133] = {};
        const int status = acedGetString(0, "Select grip (number or point): ", answer);
        if (status != RTNORM) return status;
        if (answer[0] == '\0') return any ? RTNORM : RTNONE;
        if (makeHot(db, answer, grips)) any = true;
        else say("No grip there.");
    }
}

// The hot grips of each entity, by entity.
std::map<AcDbObjectId, AcDbIntArray> hotIndices(const std::vector<Grip>& grips)
{
    std::map<AcDbObjectId, AcDbIntArray> out;
    for (const Grip& grip : grips)
        if (grip.hot) out[grip.entity].append(grip.index);
    return out;
}

// Drags a copy of the entity to where the grips go, drawing it in drag mode.
void drag(AcDbObjectId id, const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
    if (entity.openStatus() != Acad::eOk) return;
    AcDbEntity* copy = AcDbEntity::cast(entity->clone());
    if (copy == nullptr) return;
    if (copy->moveGripPointsAt(indices, offset) == Acad::eOk) {
        gi::RecordingWorldDraw draw(entity->database());
        draw.setDragging(true);
        draw.drawEntity(copy);
    }
    delete copy;
}

void moveGrips(const std::map<AcDbObjectId, AcDbIntArray>& hot, const AcGeVector3d& offset)
{
    for (const auto& [id, indices] : hot) drag(id, indices, offset);
    for (const auto& [id, indices] : hot) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
        if (entity.openStatus() == Acad::eOk) entity->moveGripPointsAt(indices, offset);
    }
}

// The grip mode's stretch: from the first hot grip, or another base point, to the point given.
CommandOutcome stretchHotGrips(AcDbDatabase* db, const std::vector<Grip>& grips)
{
    AcGePoint3d base;
    for (const Grip& grip : grips)
        if (grip.hot) {
            base = grip.world;
            break;
        }
    say("** STRETCH **");
    int status = RTNORM;
    for (;;) {
        ads_point answer;
        acedInitGet(RSG_NONULL, "Base eXit");
        status = acedGetPoint(nullptr, "Specify stretch point or [Base point/eXit]: ", answer);
        if (status == RTKWORD) {
            char keyword[16] = {};
            acedGetInput(keyword);
            if (std::string(keyword) == "eXit") return CommandOutcome::Ended;
            acedInitGet(RSG_NONULL, nullptr);
            if ((status = acedGetPoint(nullptr, "Specify base point: ", answer)) != RTNORM) return outcomeOf(status);
            base = worldPoint(db, answer);
            continue;
        }
        if (status != RTNORM) return outcomeOf(status);
        moveGrips(hotIndices(grips), worldPoint(db, answer) - base);
        return CommandOutcome::Ended;
    }
}

CommandOutcome gripEdit()
{
    AcDbDatabase* db = views::workingDatabase();
    ed::EntityList chosen;
    int status = selectForEditing(chosen);
    if (status != RTNORM || chosen.empty() || db == nullptr) return outcomeOf(status);
    std::vector<Grip> grips = gripsOf(chosen);
    showGrips(db, grips);
    status = chooseHotGrips(db, grips);
    if (status != RTNORM) return outcomeOf(status);
    return ed::CommandProcessor::instance().runHostOperation("GRIP_STRETCH", ed::kUsesPickFirst,
                                                             [&] { return stretchHotGrips(db, grips); });
}

}  // namespace

void defineGripEditCommand()
{
    ed::CommandProcessor::instance().defineHostCommand("GRIPEDIT", gripEdit, ed::kUsesPickFirst | ed::kHostMode);
}

}  // namespace arx::host
