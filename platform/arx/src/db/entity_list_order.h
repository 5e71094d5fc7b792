// entmake and entmod lists may give their groups in any order and without subclass markers,
// while each class reads its subclasses' groups in turn. These helpers place such a list's
// groups among the groups the object files now (its dxfOut through the bag filer): a group
// replaces the object's first one of the same code; a group the object does not file now
// (a colour that was BYLAYER, the vertices of a new polyline) joins the subclass that reads
// that code, or the last subclass when no known subclass does.
#pragma once
#include "db/dxf_item.h"

namespace arx::db {

// True when the list names subclasses (100 groups): it is read in its own order then.
bool hasSubclassMarkers(const DxfItemList& given);
// The object's groups (from its first 100 group on) with the list's groups placed in them.
DxfItemList placeListGroups(const DxfItemList& current, const DxfItemList& given);

}  // namespace arx::db
