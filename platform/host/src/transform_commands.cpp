// The host's commands that move, copy, turn, size and mirror the objects selected: MOVE, COPY
// (once or Multiple), ROTATE and SCALE (each with Reference), and MIRROR. Each object changes
// through its own transformBy while it is open for write; copies are deep clones (the original
// hears copied) transformed after cloning.
#include <cmath>
#include <string>

#include "acedads.h"
#include "adscodes.h"
#include "dbidmap.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "ed/views.h"
#include "ed/views_trans.h"
#include "geplane.h"
#include "host_command_sets.h"

namespace arx::host {

using ed::CommandOutcome;
using views::CoordSystem;

AcGePoint3d worldPoint(AcDbDatabase* db, const ads_point ucs)
{
    AcGePoint3d p(ucs[0], ucs[1], ucs[2]);
    views::transformPoint(db, CoordSystem::Kind::Ucs, CoordSystem::Kind::Wcs, p);
    return p;
}

AcGeVector3d worldVector(AcDbDatabase* db, const AcGeVector3d& ucs)
{
    AcGeVector3d v = ucs;
    views::transformVector(db, CoordSystem::Kind::Ucs, CoordSystem::Kind::Wcs, v);
    return v;
}

int askDisplacement(AcDbDatabase* db, const ads_point ucsBase, const char* secondPrompt, bool enterTakesBase,
                    AcGeVector3d& displacement)
{
    ads_point second;
    acedInitGet(enterTakesBase ? 0 : RSG_NONULL, nullptr);
    const int status = acedGetPoint(ucsBase, secondPrompt, second);
    if (status == RTNONE && enterTakesBase) {
        displacement = worldVector(db, AcGeVector3d(ucsBase[0], ucsBase[1], ucsBase[2]));
        return RTNORM;
    }
    if (status != RTNORM) return status;
    displacement = worldPoint(db, second) - worldPoint(db, ucsBase);
    return RTNORM;
}

int transformEach(const ed::EntityList& ids, const AcGeMatrix3d& xform)
{
    int refused = 0;
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
        if (entity.openStatus() != Acad::eOk || entity->transformBy(xform) != Acad::eOk) ++refused;
    }
    return refused;
}

ed::EntityList copiesOf(AcDbDatabase* db, const ed::EntityList& ids)
{
    AcDbObjectIdArray originals;
    for (AcDbObjectId id : ids) originals.append(id);
    AcDbObjectId owner = db->currentSpaceId();
    AcDbIdMapping map;
    ed::EntityList copies;
    if (originals.isEmpty() || db->deepCloneObjects(originals, owner, map) != Acad::eOk) return copies;
    for (AcDbObjectId id : ids) {
        AcDbIdPair pair(id, AcDbObjectId::kNull, false);
        if (map.compute(pair) && pair.isCloned() && !pair.value().isNull()) copies.push_back(pair.value());
    }
    return copies;
}

namespace {

// The objects of an editing command, or the outcome when there are none to work on.
struct Chosen {
    ed::EntityList ids;
    AcDbDatabase* db = views::workingDatabase();
    int status = RTNORM;

    bool select()
    {
        if (db == nullptr) {
            status = RTERROR;
            return false;
        }
        status = selectForEditing(ids);
        return status == RTNORM && !ids.empty();
    }
    CommandOutcome outcome() const { return outcomeOf(status); }
};

// Asks for a point with the prompt (Enter not taken); RTNORM, or what stopped it.
int askPoint(const char* prompt, ads_point point, const ads_point base = nullptr)
{
    acedInitGet(RSG_NONULL, nullptr);
    return acedGetPoint(base, prompt, point);
}

AcGeVector3d ucsNormal(AcDbDatabase* db) { return worldVector(db, AcGeVector3d::kZAxis).normal(); }

// ---- MOVE ----------------------------------------------------------------------------------

CommandOutcome move()
{
    Chosen chosen;
    if (!chosen.select()) return chosen.outcome();
    ads_point base;
    int status = askPoint("Specify base point or displacement: ", base);
    if (status != RTNORM) return outcomeOf(status);
    AcGeVector3d displacement;
    status = askDisplacement(chosen.db, base,
                             "Specify second point of displacement or <use first point as displacement>: ", true,
                             displacement);
    if (status != RTNORM) return outcomeOf(status);
    transformEach(chosen.ids, AcGeMatrix3d::translation(displacement));
    return CommandOutcome::Ended;
}

// ---- COPY ----------------------------------------------------------------------------------

void placeCopy(AcDbDatabase* db, const ed::EntityList& ids, const AcGeVector3d& displacement)
{
    transformEach(copiesOf(db, ids), AcGeMatrix3d::translation(displacement));
}

CommandOutcome copyMultiple(const Chosen& chosen)
{
    ads_point base;
    int status = askPoint("Specify base point: ", base);
    if (status != RTNORM) return outcomeOf(status);
    AcGeVector3d displacement;
    status = askDisplacement(chosen.db, base,
                             "Specify second point of displacement or <use first point as displacement>: ", true,
                             displacement);
    if (status != RTNORM) return outcomeOf(status);
    placeCopy(chosen.db, chosen.ids, displacement);
    for (;;) {
        ads_point next;
        acedInitGet(0, nullptr);
        status = acedGetPoint(base, "Specify second point of displacement: ", next);
        if (status == RTNONE) return CommandOutcome::Ended;
        if (status != RTNORM) return outcomeOf(status);
        placeCopy(chosen.db, chosen.ids, worldPoint(chosen.db, next) - worldPoint(chosen.db, base));
    }
}

CommandOutcome copy()
{
    Chosen chosen;
    if (!chosen.select()) return chosen.outcome();
    ads_point base;
    acedInitGet(RSG_NONULL, "Multiple");
    int status = acedGetPoint(nullptr, "Specify base point or displacement, or [Multiple]: ", base);
    if (status == RTKWORD) return copyMultiple(chosen);
    if (status != RTNORM) return outcomeOf(status);
    AcGeVector3d displacement;
    status = askDisplacement(chosen.db, base,
                             "Specify second point of displacement or <use first point as displacement>: ", true,
                             displacement);
    if (status != RTNORM) return outcomeOf(status);
    placeCopy(chosen.db, chosen.ids, displacement);
    return CommandOutcome::Ended;
}

// ---- ROTATE --------------------------------------------------------------------------------

std::string angleDirectionLine()
{
    resbuf value;
    const bool clockwise = acedGetVar("ANGDIR", &value) == RTNORM && value.restype == RTSHORT && value.resval.rint == 1;
    double angleBase = 0.0;
    if (acedGetVar("ANGBASE", &value) == RTNORM && value.restype == RTREAL) angleBase = value.resval.rreal;
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", angleBase * 180.0 / M_PI);
    return std::string("Current positive angle in UCS:  ANGDIR=") + (clockwise ? "clockwise" : "counterclockwise") +
           "  ANGBASE=" + text;
}

// The rotation of ROTATE's Reference option: new angle less reference angle.
int referenceRotation(const ads_point base, double& rotation)
{
    double reference = 0.0, wanted = 0.0;
    int status = acedGetAngle(nullptr, "Specify the reference angle <0>: ", &reference);
    if (status == RTNONE) reference = 0.0;
    else if (status != RTNORM) return status;
    acedInitGet(RSG_NONULL, nullptr);
    status = acedGetAngle(base, "Specify the new angle: ", &wanted);
    if (status != RTNORM) return status;
    rotation = wanted - reference;
    return RTNORM;
}

CommandOutcome rotate()
{
    say(angleDirectionLine());
    Chosen chosen;
    if (!chosen.select()) return chosen.outcome();
    ads_point base;
    int status = askPoint("Specify base point: ", base);
    if (status != RTNORM) return outcomeOf(status);
    double rotation = 0.0;
    acedInitGet(RSG_NONULL, "Reference");
    status = acedGetAngle(base, "Specify rotation angle or [Reference]: ", &rotation);
    if (status == RTKWORD) status = referenceRotation(base, rotation);
    if (status != RTNORM) return outcomeOf(status);
    transformEach(chosen.ids, AcGeMatrix3d::rotation(rotation, ucsNormal(chosen.db), worldPoint(chosen.db, base)));
    return CommandOutcome::Ended;
}

// ---- SCALE ---------------------------------------------------------------------------------

// The factor of SCALE's Reference option: new length over reference length.
int referenceFactor(const ads_point base, double& factor)
{
    double reference = 1.0, wanted = 0.0;
    acedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
    int status = acedGetDist(nullptr, "Specify reference length <1>: ", &reference);
    if (status == RTNONE) reference = 1.0;
    else if (status != RTNORM) return status;
    acedInitGet(RSG_NONULL | RSG_NOZERO | RSG_NONEG, nullptr);
    status = acedGetDist(base, "Specify new length: ", &wanted);
    if (status != RTNORM) return status;
    factor = wanted / reference;
    return RTNORM;
}

CommandOutcome scale()
{
    Chosen chosen;
    if (!chosen.select()) return chosen.outcome();
    ads_point base;
    int status = askPoint("Specify base point: ", base);
    if (status != RTNORM) return outcomeOf(status);
    double factor = 1.0;
    acedInitGet(RSG_NONULL | RSG_NOZERO | RSG_NONEG, "Reference");
    status = acedGetDist(base, "Specify scale factor or [Reference]: ", &factor);
    if (status == RTKWORD) status = referenceFactor(base, factor);
    if (status != RTNORM) return outcomeOf(status);
    transformEach(chosen.ids, AcGeMatrix3d::scaling(factor, worldPoint(chosen.db, base)));
    return CommandOutcome::Ended;
}

// ---- MIRROR --------------------------------------------------------------------------------

CommandOutcome mirror()
{
    Chosen chosen;
    if (!chosen.select()) return chosen.outcome();
    ads_point first, second;
    int status = askPoint("Specify first point of mirror line: ", first);
    if (status != RTNORM) return outcomeOf(status);
    for (;;) {
        status = askPoint("Specify second point of mirror line: ", second, first);
        if (status != RTNORM) return outcomeOf(status);
        if (worldPoint(chosen.db, first).distanceTo(worldPoint(chosen.db, second)) > 1e-10) break;
        say("Mirror line must have two distinct points.");
    }
    char answer[16] = {};
    acedInitGet(0, "Yes No");
    status = acedGetKword("Delete source objects? [Yes/No] <N>: ", answer);
    if (status != RTNORM && status != RTNONE) return outcomeOf(status);
    const AcGePoint3d p1 = worldPoint(chosen.db, first), p2 = worldPoint(chosen.db, second);
    const AcGeVector3d normal = (p2 - p1).crossProduct(ucsNormal(chosen.db));
    const AcGeMatrix3d xform = AcGeMatrix3d::mirroring(AcGePlane(p1, normal.normal()));
    // Deleting the source mirrors the objects themselves; keeping it mirrors copies.
    transformEach(std::string(answer) == "Yes" ? chosen.ids : copiesOf(chosen.db, chosen.ids), xform);
    return CommandOutcome::Ended;
}

}  // namespace

void defineTransformCommands()
{
    auto& processor = ed::CommandProcessor::instance();
    processor.defineHostCommand("MOVE", move, ed::kUsesPickFirst);
    processor.defineHostCommand("COPY", copy, ed::kUsesPickFirst);
    processor.defineHostCommand("ROTATE", rotate, ed::kUsesPickFirst);
    processor.defineHostCommand("SCALE", scale, ed::kUsesPickFirst);
    processor.defineHostCommand("MIRROR", mirror, ed::kUsesPickFirst);
}

}  // namespace arx::host
