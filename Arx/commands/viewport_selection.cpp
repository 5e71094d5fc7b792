// The viewport-selection step of the make command: a selection turned into the viewports of
// the current layout (a clip boundary standing for its viewport), each made current and
// marked.
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "acdbads_db.h"
#include "acedads.h"
#include "acutads.h"
#include "commands/command_echo.h"
#include "commands/ksmake.h"
#include "commands/mark_creation.h"
#include "dbents.h"
#include "mark/mark_messages.h"
#include "shell/document_registry.h"
#include "shell/object_opener.h"
#include "shell/result_buffer.h"
#include "shell/selection_set.h"
#include "shell/system_variables.h"

namespace kestra {

namespace {

// The pick-first set, or else the user's selection; false when there is none.
bool selectViewports(SelectionSet& set)
{
    long length = 0;
    if (acedSSGet("_I", nullptr, nullptr, nullptr, set.name) == RTNORM) {
        set.owned = true;
        if (acedSSLength(set.name, &length) == RTNORM && length > 0) return true;
        acedSSFree(set.name);
        set.owned = false;
    }
    acutPrintf("\n%s", "Select the view(s): ");
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, set.name) != RTNORM) return false;
    set.owned = true;
    return true;
}

// What the filter needs of a member's entity data.
struct MemberData {
    std::string type;
    std::string layout;
    bool hasReference = false;
    ads_name firstReference = {0, 0};
};

bool readMemberData(const ads_name member, MemberData& data)
{
    ResultBufferHolder list(acdbEntGet(member));
    if (!list) return false;
    for (const resbuf* item = list.get(); item != nullptr; item = item->rbnext) {
        if (item->restype == 0 && item->resval.rstring) data.type = item->resval.rstring;
        if (item->restype == 330 && !data.hasReference) {
            data.hasReference = true;
            data.firstReference[0] = item->resval.rlname[0];
            data.firstReference[1] = item->resval.rlname[1];
        }
        if (item->restype == 410) {
            if (item->resval.rstring) data.layout = item->resval.rstring;
            break;
        }
    }
    return true;
}

// The viewport a clip boundary stands for; null for other members.
AcDbObjectId boundaryViewport(const MemberData& data)
{
    AcDbObjectId referenced;
    if (!data.hasReference || acdbGetObjectId(referenced, data.firstReference) != Acad::eOk) return AcDbObjectId();
    ObjectOpener<AcDbObject> object(referenced, AcDb::kForRead);
    if (!object) {
        acutPrintf("\n%s\n.", kCannotReadViewport);
        return AcDbObjectId();
    }
    return AcDbViewport::cast(object.get()) ? referenced : AcDbObjectId();
}

// The viewports of the selection in the active layout, walked from the last member to the
// first: a clip boundary is replaced by its viewport, other members are dropped; each
// viewport once, in selection order. False when a member's data cannot be read.
bool viewportsOf(const ads_name set, const std::string& activeLayout, std::vector<AcDbObjectId>& viewports)
{
    long length = 0;
    acedSSLength(set, &length);
    std::vector<AcDbObjectId> kept(static_cast<size_t>(length));
    for (long i = length - 1; i >= 0; --i) {
        ads_name member;
        MemberData data;
        if (acedSSName(set, i, member) != RTNORM || !readMemberData(member, data)) return false;
        const AcDbObjectId viewport = boundaryViewport(data);
        if (data.type == "VIEWPORT" && strcasecmp(data.layout.c_str(), activeLayout.c_str()) == 0)
            acdbGetObjectId(kept[static_cast<size_t>(i)], member);
        else kept[static_cast<size_t>(i)] = viewport;
    }
    for (const AcDbObjectId& id : kept)
        if (!id.isNull() && std::find(viewports.begin(), viewports.end(), id) == viewports.end())
            viewports.push_back(id);
    return true;
}

// Makes the viewport current and marks it; skipped when it cannot be made current.
void markViewport(AcDbObjectId viewportId)
{
    ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
    if (!viewport || viewport->number() == 1) return;
    if (!writeIntegerVariable("CVPORT", viewport->number())) {
        printUnchangeableVariable("CVPORT");
        return;
    }
    viewport.close();
    DocumentState* state = currentDocumentState();
    if (state != nullptr) state->reactorsSuspended = true;
    createMarkForCurrentViewport();
    if (state != nullptr) state->reactorsSuspended = false;
}

}  // namespace

void markSelectedViewports(const ads_name given)
{
    CommandEchoOff echoOff;
    if (!echoOff.active()) return;
    SelectionSet set;
    if (given != nullptr) {
        set.name[0] = given[0];
        set.name[1] = given[1];
    } else if (!selectViewports(set)) {
        return;
    }
    const std::string activeLayout = readTextVariable("CTAB").value_or("");
    std::vector<AcDbObjectId> viewports;
    if (!viewportsOf(set.name, activeLayout, viewports) || viewports.empty()) return;
    acedCommand(RTSTR, "._MSPACE", RTNONE);
    for (const AcDbObjectId& viewport : viewports) markViewport(viewport);
    acedCommand(RTSTR, "._PSPACE", RTNONE);
}

}  // namespace kestra
