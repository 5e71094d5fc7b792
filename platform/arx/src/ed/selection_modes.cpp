// acedSSGet and acedEntSel: the selection modes a module or AutoLISP asks for.
#include <cctype>
#include <string>

#include "acedads.h"
#include "adscodes.h"
#include "dbmain.h"
#include "ed/object_selection.h"
#include "ed/object_snap.h"
#include "ed/prompts.h"
#include "ed/views.h"
#include "ed/views_mview.h"

namespace {

using arx::ed::EntityList;
using arx::ed::SelectionSets;

std::string modeOf(const char* str)
{
    std::string mode = str ? str : "";
    while (!mode.empty() && (mode[0] == '_' || mode[0] == '.')) mode.erase(0, 1);
    for (char& c : mode) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return mode;
}

AcGePoint3d pointOf(const void* p)
{
    const double* d = static_cast<const double*>(p);
    return AcGePoint3d(d[0], d[1], d[2]);
}

// Gathers the entities a mode names; RTNORM, RTCAN or RTERROR (an unknown mode).
int gather(const std::string& mode, const void* pt1, const void* pt2, const arx::ed::SelectionFilter& filter,
           EntityList& out)
{
    AcDbDatabase* db = arx::views::workingDatabase();
    if (db == nullptr) return RTERROR;
    if (mode.empty()) {
        if (pt1 != nullptr) {
            const AcDbObjectId id = arx::ed::entityAt(db, pointOf(pt1));
            if (!id.isNull()) out.push_back(id);
            return RTNORM;
        }
        arx::ed::SelectionRules rules;
        rules.filter = &filter;
        return arx::ed::selectObjects(rules, out);
    }
    if (mode == "I") {
        out = arx::ed::inCurrentSpace(db, arx::ed::liveMembers(SelectionSets::instance().pickFirst()));
    } else if (mode == "X") {
        out = arx::ed::drawingEntities();
    } else if (mode == "L") {
        const AcDbObjectId last = arx::views::lastEntityOfSpace(db);
        if (!last.isNull() && !last.isErased()) out.push_back(last);
    } else if (mode == "P") {
        out = arx::ed::inCurrentSpace(db, arx::ed::liveMembers(SelectionSets::instance().previous()));
    } else if ((mode == "W" || mode == "C") && pt1 != nullptr && pt2 != nullptr) {
        out = arx::ed::entitiesInWindow(db, pointOf(pt1), pointOf(pt2), mode == "C");
    } else {
        return RTERROR;
    }
    out = arx::ed::filtered(out, &filter);
    return RTNORM;
}

}  // namespace

int acedSSGet(const char* str, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss)
{
    if (ss == nullptr) return RTERROR;
    ss[0] = ss[1] = 0;
    arx::ed::SelectionFilter rules;
    if (!rules.parse(filter)) return RTERROR;
    EntityList chosen;
    const int status = gather(modeOf(str), pt1, pt2, rules, chosen);
    if (status != RTNORM) return status;
    if (chosen.empty()) return RTERROR;
    SelectionSets::instance().create(chosen, ss);
    return RTNORM;
}

int acedEntSel(const char* str, ads_name entres, ads_point ptres)
{
    if (entres == nullptr) return RTERROR;
    entres[0] = entres[1] = 0;
    ads_point picked;
    const arx::ed::ObjectPickScope picking;
    const int status = acedGetPoint(nullptr, str ? str : "Select object: ", picked);
    if (status != RTNORM) return status == RTNONE ? RTERROR : status;
    if (ptres != nullptr) ads_point_set(picked, ptres);
    AcDbDatabase* db = arx::views::workingDatabase();
    const AcDbObjectId id = db ? arx::ed::entityAt(db, AcGePoint3d(picked[0], picked[1], picked[2])) : AcDbObjectId();
    if (id.isNull()) return RTERROR;
    return acdbGetAdsName(*reinterpret_cast<ads_name*>(entres), id) == Acad::eOk ? RTNORM : RTERROR;
}
