// The edit bookkeeping of a writable property. The palette calls SetCurrentValueData once for
// each selected object on which the property is enabled; the value given with the first call
// is applied to all of them. A round holds the objects still to be served and that value; a
// call for an object outside the round (or after the round is over) starts a new one, so a
// value typed earlier is never applied to a later edit.
#pragma once
#include <optional>
#include <vector>

#include "dbid.h"

namespace kestra {

// A typed value: the coordinates and the scale are reals, the rotation and the list index
// whole numbers.
struct EditValue {
    double real = 0.0;
    long whole = 0;
};

class EditRound {
public:
    // True while the object is still to be served by the running round.
    bool serves(AcDbObjectId id) const;
    // Starts a round over the objects with the value given now.
    void begin(std::vector<AcDbObjectId> objects, EditValue value);
    // The object has been served (whatever came of it).
    void served(AcDbObjectId id);
    EditValue value() const { return value_; }
    // How many objects are still to be served.
    size_t pending() const { return objects_.size(); }

private:
    std::vector<AcDbObjectId> objects_;
    EditValue value_;
};

// The objects of the pick-first set, in order; empty when there is none.
std::vector<AcDbObjectId> pickFirstObjects();

}  // namespace kestra
