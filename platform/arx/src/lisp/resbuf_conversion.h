// AutoLISP values to result buffers and back, as the host converts them between AutoLISP and
// ADS applications. Integers that fit 16 bits pass as RTSHORT, others as RTLONG; reals as
// RTREAL; strings as RTSTR; lists of two or three numbers as RTPOINT / RT3DPOINT; entity
// names as RTENAME; selection sets as RTPICKS; T as RTT; nil as RTNIL; the null value as
// RTVOID; other symbols as RTSTR with their name; other lists as RTLB ... RTLE, a dotted tail
// as RTDOTE and the tail.
#pragma once
#include <optional>

#include "adsdef.h"
#include "lisp/value.h"

namespace arx::lisp {

// One chain for a list of values (the arguments of an external function). Throws LispError
// for a value that has no result-buffer form (a function).
resbuf* valuesToResbufs(const Arguments& values);
// The chain of one value (acedGetSym).
resbuf* valueToResbufs(const Value& value);

// Which result-buffer types a conversion accepts.
enum class ResbufAcceptance {
    ReturnedList,  // acedRetList: the host's list of types (no RTLONG, no RTVOID)
    AnyValue,      // acedRetVal, acedPutSym
};

// The chain read as the elements of one list (acedRetList); a top-level RTDOTE makes it a
// dotted list. nullopt when a type is not accepted or RTLB / RTLE / RTDOTE are misplaced.
std::optional<Value> resbufsToList(const resbuf* chain, ResbufAcceptance accept);
// The chain read as exactly one value: one atom buffer or one RTLB ... RTLE group.
std::optional<Value> resbufsToValue(const resbuf* chain, ResbufAcceptance accept);

}  // namespace arx::lisp
