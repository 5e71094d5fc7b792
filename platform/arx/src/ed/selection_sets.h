// Selection sets: the sets handed out by name (acedSSGet, acedSSAdd, AutoLISP ssget), the
// pick-first set and the previous selection. A set holds entity ids, each once, in the order
// they were added. Its ads_name is { serial number, 0 }, so AutoLISP prints it as
// <Selection set: N>.
#pragma once
#include <map>
#include <optional>
#include <unordered_set>
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
    // The members of the set of that name, or null (freed, never made, or an entity name).
    const EntityList* find(const ads_name name) const;
    // Adds an entity unless it is there already, removes one, asks for one (in constant time:
    // a set filled one entity at a time stays linear). False for an unknown set.
    bool add(const ads_name name, AcDbObjectId id);
    bool remove(const ads_name name, AcDbObjectId id, bool& wasThere);
    bool contains(const ads_name name, AcDbObjectId id, bool& isThere) const;
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
    struct Stored {
        EntityList members;
        std::unordered_set<long> index;  // asOldId of each member
    };
    Stored* stored(const ads_name name);
    const Stored* stored(const ads_name name) const;

    std::map<long, Stored> sets_;
    long nextSerial_ = 1;
    EntityList pickFirst_;
    EntityList previous_;
};

// The members that still name live entities (not erased, still in a database).
EntityList liveMembers(const EntityList& set);

}  // namespace arx::ed
