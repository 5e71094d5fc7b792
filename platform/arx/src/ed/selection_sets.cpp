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
    Stored& set = sets_[serial];
    for (AcDbObjectId id : members)
        if (!id.isNull() && set.index.insert(id.asOldId()).second) set.members.push_back(id);
    name[0] = serial;
    name[1] = 0;
}

SelectionSets::Stored* SelectionSets::stored(const ads_name name)
{
    if (name == nullptr || name[1] != 0) return nullptr;
    auto it = sets_.find(name[0]);
    return it == sets_.end() ? nullptr : &it->second;
}

const SelectionSets::Stored* SelectionSets::stored(const ads_name name) const
{
    return const_cast<SelectionSets*>(this)->stored(name);
}

const EntityList* SelectionSets::find(const ads_name name) const
{
    const Stored* set = stored(name);
    return set ? &set->members : nullptr;
}

bool SelectionSets::add(const ads_name name, AcDbObjectId id)
{
    Stored* set = stored(name);
    if (set == nullptr) return false;
    if (!id.isNull() && set->index.insert(id.asOldId()).second) set->members.push_back(id);
    return true;
}

bool SelectionSets::remove(const ads_name name, AcDbObjectId id, bool& wasThere)
{
    Stored* set = stored(name);
    wasThere = false;
    if (set == nullptr) return false;
    wasThere = set->index.erase(id.asOldId()) != 0;
    if (wasThere) set->members.erase(std::find(set->members.begin(), set->members.end(), id));
    return true;
}

bool SelectionSets::contains(const ads_name name, AcDbObjectId id, bool& isThere) const
{
    const Stored* set = stored(name);
    isThere = set != nullptr && set->index.count(id.asOldId()) != 0;
    return set != nullptr;
}

bool SelectionSets::release(const ads_name name)
{
    if (stored(name) == nullptr) return false;
    sets_.erase(name[0]);
    return true;
}

void SelectionSets::forgetDatabase(const AcDbDatabase* db)
{
    auto strip = [db](EntityList& list) { std::erase_if(list, [db](AcDbObjectId id) { return id.database() == db; }); };
    for (auto& [serial, set] : sets_) {
        strip(set.members);
        set.index.clear();
        for (AcDbObjectId id : set.members) set.index.insert(id.asOldId());
    }
    strip(pickFirst_);
    strip(previous_);
}

void SelectionSets::reset()
{
    sets_.clear();
    pickFirst_.clear();
    previous_.clear();
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
        SelectionSets::instance().create(id.isNull() ? EntityList{} : EntityList{id}, result);
        return RTNORM;
    }
    if (!SelectionSets::instance().add(sname, id)) return RTERROR;
    result[0] = sname[0];
    result[1] = sname[1];
    return RTNORM;
}

int acedSSDel(const ads_name ename, const ads_name ss)
{
    AcDbObjectId id;
    bool wasThere = false;
    if (!entityId(ename, id) || !SelectionSets::instance().remove(ss, id, wasThere)) return RTERROR;
    return wasThere ? RTNORM : RTERROR;
}

int acedSSName(const ads_name ss, long i, ads_name entres)
{
    const EntityList* set = SelectionSets::instance().find(ss);
    if (set == nullptr || entres == nullptr || i < 0 || static_cast<size_t>(i) >= set->size()) return RTERROR;
    return acdbGetAdsName(*reinterpret_cast<ads_name*>(entres), (*set)[static_cast<size_t>(i)]) == Acad::eOk ? RTNORM
                                                                                                             : RTERROR;
}

int acedSSMemb(const ads_name ename, const ads_name ss)
{
    AcDbObjectId id;
    bool isThere = false;
    if (!entityId(ename, id) || !SelectionSets::instance().contains(ss, id, isThere)) return RTERROR;
    return isThere ? RTNORM : RTERROR;
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
