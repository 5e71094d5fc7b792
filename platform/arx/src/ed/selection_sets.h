// Selection sets: the sets handed out by name (acedSSGet, acedSSAdd, AutoLISP ssget), the
// pick-first set and the previous selection. A set holds entity ids, each once, in the order
// they were added. Its ads_name is { serial number, 0 }, so AutoLISP prints it as
// <Selection set: N>.
#pragma once
#include <map>
#include <optional>
#include <vector>

#include "adsdef.h"
#include "dbid.h"

namespace arx::ed {

using EntityList = std::vector<AcDbObjectId>;

class SelectionSets {
public:
    static SelectionSets& instance();

    // A new set holding the entities; its name in `name`.
    void create(const EntityList& members, ads_name name);
    // The set of that name, or null (freed, never made, or an entity name).
    EntityList* find(const ads_name name);
    bool release(const ads_name name);
    size_t count() const { return sets_.size(); }

    // The pick-first set: what was selected before a command started.
    const EntityList& pickFirst() const { return pickFirst_; }
    void setPickFirst(EntityList members) { pickFirst_ = std::move(members); }
    void clearPickFirst() { pickFirst_.clear(); }

    // The last selection made at "Select objects: " (what P selects).
    const EntityList& previous() const { return previous_; }
    void setPrevious(EntityList members) { previous_ = std::move(members); }

    // Takes the entities of a drawing about to be destroyed out of every set.
    void forgetDatabase(const AcDbDatabase* db);
    // Forgets everything (a test starting afresh).
    void reset();

private:
    std::map<long, EntityList> sets_;
    long nextSerial_ = 1;
    EntityList pickFirst_;
    EntityList previous_;
};

// Adds an entity unless it is already there; true when it was added.
bool addMember(EntityList& set, AcDbObjectId id);
// The members that still name live entities (not erased, still in a database).
EntityList liveMembers(const EntityList& set);

}  // namespace arx::ed
