// Finding the mark a command works on: picked by the user (a mark, its outline block
// reference, or both), or named by the first AutoLISP argument.
#pragma once
#include "adsdef.h"
#include "dbid.h"

namespace kestra {

constexpr const char* kSelectionIncorrect = "Your selection is incorrect.";
constexpr const char* kCannotObtainId = "Cannot obtain the Id and/or name of the selected object!";
constexpr const char* kSelectMarkPrompt = "Select an Kestra object: ";
constexpr const char* kOutlineWithoutMark = "Associated Kestra object is not available.";
constexpr const char* kMarkAndItsOutline = "You must choose an Kestra object and/or its irregular shape.";

constexpr int kMarkSelected = 0;
constexpr int kNoMarkSelected = 2;

// The pick-first set, else an ordinary selection, filtered down to marks and block
// references: one mark, one outline block reference of a mark, or a mark with its own outline
// give kMarkSelected and the mark's id; anything else kNoMarkSelected (after a message of its
// own when the outline has no mark or the two members do not belong together).
int selectMark(AcDbObjectId& markId);

// The AutoLISP path: the first argument must name a mark (the incorrect-parameters message
// otherwise) and, when onlyArgument, no second argument may follow (the too-many-parameters
// message). Every failure is reported; false then.
bool markFromLispArguments(const resbuf* args, bool onlyArgument, AcDbObjectId& markId);

}  // namespace kestra
