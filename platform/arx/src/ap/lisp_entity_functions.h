// The AutoLISP entity functions (entget, entmake, entmod, entdel, entlast, entnext, handent,
// entupd) over the ADS entity calls of the drawing database.
#pragma once

#include "adsdef.h"
#include "lisp/value.h"

namespace arx::ap {

// A list of DXF groups as a result-buffer chain ((code . value), (code x y z), (-3 ("APP"
// ...))), as entmake reads it; throws "bad DXF group" for a group that does not fit its code.
// The caller releases the chain with acutRelRb.
resbuf* dxfChainOf(const arx::lisp::Value& list);

// Adds them to every interpreter; wireAutoLisp calls it.
void addEntityBuiltins();

}  // namespace arx::ap
