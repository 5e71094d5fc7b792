// The AutoLISP entity functions (entget, entmake, entmod, entdel, entlast, entnext, handent,
// entupd) over the ADS entity calls of the drawing database.
#pragma once

namespace arx::ap {

// Adds them to every interpreter; wireAutoLisp calls it.
void addEntityBuiltins();

}  // namespace arx::ap
