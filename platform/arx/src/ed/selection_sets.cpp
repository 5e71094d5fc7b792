#include "ed/selection_sets.h"

#include <algorithm>

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbmain.h"

namespace arx::ed {

SelectionSets& SelectionSets::instance()
{
    static SelectionSets sets;
    return sets;
}

void SelectionSets::create(const EntityList& members, ads_name name)
{
    const long serial = nextSerial_++;
    sets_[serial] = members;
    name[0] = serial;
    name[1] = 0;
}

EntityList* SelectionSets::find(const ads_name name)
{
    if (name == nullptr || name[1] != 0) return nullptr;
    auto it = sets_.find(name[0]);
    return it == sets_.end() ? nullptr : &it->second;
}

bool SelectionSets::release(const ads_name name)
{
    if (find(name) == nullptr) return false;
    sets_.erase(name[0]);
    return true;
}

void SelectionSets::forgetDatabase(const AcDbDatabase* db)
{
    auto strip = [db](EntityList& list) { std::erase_if(list, [db](AcDbObjectId id) { return id.database() == db; }); };
    for (auto& [serial, members] : sets_) strip(members);
    strip(pickFirst_);
    strip(previous_);
}

void SelectionSets::reset()
{
    sets_.clear();
    pickFirst_.clear();
    previous_.clear();
}

bool addMember(EntityList& set, AcDbObjectId id)
{
    if (id.isNull() || std::find(set.begin(), set.end(), id) != set.end()) return false;
    set.push_back(id);
    return true;
}

EntityList liveMembers(const EntityList& set)
{
    EntityList live;
    for (AcDbObjectId id : set)
        if (id.isValid() && !id.isErased()) live.push_back(id);
    return live;
}

}  // namespace arx::ed

using arx::ed::EntityList;
using arx::ed::SelectionSets;

namespace {

bool entityId(const ads_name ename, AcDbObjectId& id)
{
    return ename != nullptr && acdbGetObjectId(id, ename) == Acad::eOk && id.isValid();
}

}  // namespace

int acedSSFree(const ads_name sname) { return SelectionSets::instance().release(sname) ? RTNORM : RTERROR; }

int acedSSLength(const ads_name sname, long* len)
{
    const EntityList* set = SelectionSets::instance().find(sname);
    if (set == nullptr || len == nullptr) return RTERROR;
    *len = static_cast<long>(set->size());
    return RTNORM;
}

int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result)
{
    if (result == nullptr) return RTERROR;
    AcDbObjectId id;
    if (ename != nullptr && !entityId(ename, id)) return RTERROR;
    if (sname == nullptr) {
        EntityList members;
        if (!id.isNull()) members.push_back(id);
        SelectionSets::instance().create(members, result);
        return RTNORM;
    }
    EntityList* set = SelectionSets::instance().find(sname);
    if (set == nullptr) return RTERROR;
    arx::ed::addMember(*set, id);
    result[0] = sname[0];
    result[1] = sname[1];
    return RTNORM;
}

int acedSSDel(const ads_name ename, const ads_name ss)
{
    EntityList* set = SelectionSets::instance().find(ss);
    AcDbObjectId id;
    if (set == nullptr || !entityId(ename, id)) return RTERROR;
    auto it = std::find(set->begin(), set->end(), id);
    if (it == set->end()) return RTERROR;
    set->erase(it);
    return RTNORM;
}

int acedSSName(const ads_name ss, long i, ads_name entres)
{
    const EntityList* set = SelectionSets::instance().find(ss);
    if (set == nullptr || entres == nullptr || i < 0 || static_cast<size_t>(i) >= set->size()) return RTERROR;
    return acdbGetAdsName(*reinterpret_cast<ads_name*>(entres), (*set)[static_cast<size_t>(i)]) == Acad::eOk ? RTNORM : RTERROR;
}

int acedSSMemb(const ads_name ename, const ads_name ss)
{
    const EntityList* set = SelectionSets::instance().find(ss);
    AcDbObjectId id;
    if (set == nullptr || !entityId(ename, id)) return RTERROR;
    return std::find(set->begin(), set->end(), id) != set->end() ? RTNORM : RTERROR;
}

int acedSSSetFirst(const ads_name pset, const ads_name unused)
{
    if (unused != nullptr && !ads_name_nil(unused)) return RTERROR;
    if (pset == nullptr || ads_name_nil(pset)) {
        SelectionSets::instance().clearPickFirst();
        return RTNORM;
    }
    const EntityList* set = SelectionSets::instance().find(pset);
    if (set == nullptr) return RTERROR;
    SelectionSets::instance().setPickFirst(arx::ed::liveMembers(*set));
    return RTNORM;
}

int acedSSGetFirst(resbuf** gset, resbuf** pset)
{
    if (gset != nullptr) *gset = acutNewRb(RTNIL);
    if (pset == nullptr) return RTNORM;
    EntityList members = arx::ed::liveMembers(SelectionSets::instance().pickFirst());
    if (members.empty()) {
        *pset = acutNewRb(RTNIL);
        return RTNORM;
    }
    *pset = acutNewRb(RTPICKS);
    SelectionSets::instance().create(members, (*pset)->resval.rlname);
    return RTNORM;
}
