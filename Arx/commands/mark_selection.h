// Finding the one mark a command works on: picked by the user (the mark, its outline block
// reference, or both), or given as the entity name argument of an AutoLISP function.
#pragma once
#include "adsdef.h"
#include "dbid.h"

namespace kestra {

constexpr const char* kIncorrectSelection = "Your selection is incorrect.";
constexpr const char* kCannotObtainId = "Cannot obtain the Id and/or name of the selected object!";

// The pick-first set, or else the user's selection ("Select an Kestra object: "), reduced to
// marks and block references: one mark, one outline block reference of a mark, or a mark
// with its own outline. 0 with markId set; 2 on any failure (after a message of its own
// where one is due).
int selectMark(AcDbObjectId& markId);

// The AutoLISP path: the first argument must be the entity name of a mark and the only
// argument. False after the message of the failure ("Error --" messages through acdbFail).
bool markOfLispArgument(const resbuf* args, AcDbObjectId& markId);

}  // namespace kestra
