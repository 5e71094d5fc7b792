// The selection of one mark for the commands that work on a mark: a mark, the outline block
// reference of a mark whose viewport is not rectangular, or the two together; or the entity
// name argument of an AutoLISP function.
#pragma once
#include "adsdef.h"
#include "dbid.h"

namespace kestra {

constexpr const char* kIncorrectSelection = "Your selection is incorrect.";
constexpr const char* kCannotObtainId = "Cannot obtain the Id and/or name of the selected object!";

constexpr int kSelectionOk = 0;
constexpr int kSelectionFailed = 2;

// The pick-first set, else the user's selection ("Select an Kestra object: "), reduced to
// marks and block references: one mark, one outline block reference of a mark, or a mark with
// its own outline. kSelectionOk with markId set; kSelectionFailed on any failure (after a
// message of its own where one is due; the caller reports the failure itself).
int selectMark(AcDbObjectId& markId);

// The AutoLISP path: the first argument must be the entity name of a mark and, when
// onlyArgument, the only argument. False after the message of the failure ("Error --" messages
// through acdbFail).
bool markFromLispArguments(const resbuf* args, bool onlyArgument, AcDbObjectId& markId);

// The mark of an AutoLISP call (its arguments, the mark the only one) or, for a typed command
// (null arguments), the user's selection; a failed selection prints "Your selection is
// incorrect.". False on failure, after its message.
bool markOfCommandOrLisp(const resbuf* args, AcDbObjectId& markId);

}  // namespace kestra
