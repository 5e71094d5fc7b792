// KSSCALE: a viewport's scale changed from model space through its mark. The mark's outline is
// rescaled about a reference point to a new XP factor (paper units per model unit); the
// viewport follows at the end of the command, through the association machinery.
#include <optional>

#include "acdbads_db.h"
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "assoc/association_maintenance.h"
#include "commands/mark_selection.h"
#include "commands/space_state.h"
#include "commands/zeroed_variable.h"
#include "mark/mark_messages.h"
#include "mark/vadu_kestra.h"
#include "shell/lisp_messages.h"
#include "shell/message_routing.h"
#include "shell/object_opener.h"
#include "shell/system_variables.h"
#include "commands/command_routines.h"

namespace kestra {

namespace {

constexpr const char* kInputIncorrect = "Input is incorrect.";
constexpr const char* kFactorLabel = "Current XP Factor:";

// What the scale change needs: the mark, the point it is rescaled about, the new factor.
struct ScaleRequest {
    AcDbObjectId mark;
    AcGePoint3d basePoint;
    double factor = 0.0;
};

void printLine(const char* message) { acutPrintf("%s\n", message); }

bool isPoint(const resbuf* rb) { return rb != nullptr && (rb->restype == RTPOINT || rb->restype == RT3DPOINT); }

// A real, or an integer taken as one.
std::optional<double> realOf(const resbuf& rb)
{
    switch (rb.restype) {
    case RTREAL:
    case RTANG:
    case RTORINT: return rb.resval.rreal;
    case RTSHORT: return static_cast<double>(rb.resval.rint);
    case RTLONG: return static_cast<double>(rb.resval.rlong);
    default: return std::nullopt;
    }
}

std::optional<ScaleRequest> requestFromArguments(const resbuf* args)
{
    if (args->restype != RTENAME) {
        reportIncorrectParameters();
        return std::nullopt;
    }
    ScaleRequest request;
    if (acdbGetObjectId(request.mark, args->resval.rlname) != Acad::eOk) {
        printLine("Cannot obtain the Id and/or name of the selected object!");
        return std::nullopt;
    }
    {
        ObjectOpener<AcDbObject> object(request.mark, AcDb::kForRead);
        if (!object) {
            printLine(kCannotReadMark);
            return std::nullopt;
        }
        if (!object->isKindOf(VaduKestra::desc())) {
            reportIncorrectParameters();
            return std::nullopt;
        }
    }
    const resbuf* point = args->rbnext;
    if (!isPoint(point)) {
        reportIncorrectParameters();
        return std::nullopt;
    }
    request.basePoint.set(point->resval.rpoint[0], point->resval.rpoint[1], point->resval.rpoint[2]);
    const resbuf* factor = point->rbnext;
    const std::optional<double> value = factor ? realOf(*factor) : std::nullopt;
    if (!value) {
        reportIncorrectParameters();
        return std::nullopt;
    }
    if (factor->rbnext != nullptr) {
        reportTooManyParameters();
        return std::nullopt;
    }
    request.factor = *value;
    return request;
}

std::optional<ScaleRequest> requestFromUser()
{
    ScaleRequest request;
    if (selectMark(request.mark) != kSelectionOk) {
        printLine("Your selection is incorrect.");
        return std::nullopt;
    }
    double current = 0.0;
    {
        ObjectOpener<VaduKestra> mark(request.mark, AcDb::kForRead);
        if (!mark) {
            printLine(kCannotReadMark);
            return std::nullopt;
        }
        current = mark->zoomXp();
        request.basePoint = mark->center();
    }
    acedInitGet(0, nullptr);
    ads_point picked;
    const int pointStatus =
        acedGetPoint(nullptr, "Reference point or <Enter> to accept the center of the view: ", picked);
    if (pointStatus <= RTERROR) {
        printLine(kInputIncorrect);
        return std::nullopt;
    }
    if (pointStatus == RTNORM) request.basePoint.set(picked[0], picked[1], picked[2]);
    acutPrintf("%s %f ", kFactorLabel, current);
    acedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
    acutPrintf("%s <%f>", kFactorLabel, current);
    double factor = current;
    const int factorStatus = acedGetReal(": ", &factor);
    if (factorStatus <= RTERROR) {
        acutPrintf("%s %s\n", kInputIncorrect, "Enter a number without the XP suffix.");
        return std::nullopt;
    }
    request.factor = factorStatus == RTNORM ? factor : current;
    return request;
}

// The mark rescaled with OSMODE off for the change and the user's value back after it.
void applyScale(const ScaleRequest& request)
{
    ZeroedVariable objectSnaps("OSMODE", "");
    if (!objectSnaps.active()) return;
    ObjectOpener<VaduKestra> mark(request.mark, AcDb::kForWrite, true);
    if (!mark) {
        printLine("Cannot open selected object to change scale.");
        return;
    }
    mark->setScale(request.basePoint, request.factor);
}

}  // namespace

int scaleViewport(const resbuf* args)
{
    if (!requireModelSpace(kModelSpaceRequired)) return RTNORM;
    const std::optional<ScaleRequest> request = args ? requestFromArguments(args) : requestFromUser();
    if (!request) return RTNORM;
    if (!(request->factor > 0.0)) {
        printLine("Invalid XP Factor value.");
        return RTNORM;
    }
    applyScale(*request);
    return RTNORM;
}

}  // namespace kestra
