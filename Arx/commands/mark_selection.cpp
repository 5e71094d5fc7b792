#include "commands/mark_selection.h"

#include <cstring>

#include "acdbads_db.h"
#include "acedads.h"
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "commands/selection_set.h"
#include "dbents.h"
#include "mark/vadu_kestra.h"
#include "shell/lisp_messages.h"
#include "shell/object_opener.h"
#include "shell/result_buffer.h"

namespace kestra {

namespace {

enum class MemberKind { Mark, BlockReference, Other, Unreadable };

// The kind of a member by the entity type of its definition list, which the host puts second
// (after the entity name).
MemberKind memberKind(const ads_name member)
{
    ResultBufferHolder list(acdbEntGet(member));
    if (!list || list->rbnext == nullptr || list->rbnext->restype != 0 || list->rbnext->resval.rstring == nullptr)
        return MemberKind::Unreadable;
    const char* type = list->rbnext->resval.rstring;
    if (std::strcmp(type, "KESTRA") == 0) return MemberKind::Mark;
    if (std::strcmp(type, "INSERT") == 0) return MemberKind::BlockReference;
    return MemberKind::Other;
}

bool pickMarkCandidates(SelectionSet& set)
{
    long length = 0;
    if (acedSSGet("_I", nullptr, nullptr, nullptr, set.name) == RTNORM) {
        set.owned = true;
        if (acedSSLength(set.name, &length) == RTNORM && length > 0) return true;
        set.release();
    }
    acutPrintf("\n%s \n", kSelectMarkPrompt);
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, set.name) != RTNORM) return false;
    set.owned = true;
    return true;
}

// Drops every member that is neither a mark nor a block reference, from the last to the
// first; false when a member has no readable definition.
bool keepMarksAndBlockReferences(SelectionSet& set)
{
    long length = 0;
    if (acedSSLength(set.name, &length) != RTNORM) return false;
    for (long i = length - 1; i >= 0; --i) {
        ads_name member;
        if (acedSSName(set.name, i, member) != RTNORM) return false;
        const MemberKind kind = memberKind(member);
        if (kind == MemberKind::Unreadable) return false;
        if (kind == MemberKind::Other) acedSSDel(member, set.name);
    }
    return true;
}

// What the kept members say: the mark picked, and the mark the picked outline belongs to.
struct PickedMarks {
    AcDbObjectId mark;
    AcDbObjectId outlineMark;
};

bool readPickedMarks(const SelectionSet& set, long length, PickedMarks& picked)
{
    for (long i = 0; i < length; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(set.name, i, member) != RTNORM || acdbGetObjectId(id, member) != Acad::eOk) continue;
        ObjectOpener<AcDbEntity> entity(id, AcDb::kForRead);
        if (!entity) continue;
        if (entity->isKindOf(AcDbBlockReference::desc())) {
            if (!readPartnerHandle(*entity, picked.outlineMark)) {
                acutPrintf("%s\n", kOutlineWithoutMark);
                return false;
            }
        } else if (entity->isKindOf(VaduKestra::desc())) {
            picked.mark = id;
        }
    }
    return true;
}

}  // namespace

int selectMark(AcDbObjectId& markId)
{
    markId = AcDbObjectId::kNull;
    SelectionSet set;
    if (!pickMarkCandidates(set) || !keepMarksAndBlockReferences(set)) return kNoMarkSelected;
    long length = 0;
    if (acedSSLength(set.name, &length) != RTNORM || length == 0 || length > 2) return kNoMarkSelected;
    PickedMarks picked;
    const bool read = readPickedMarks(set, length, picked);
    set.release();
    if (!read) return kNoMarkSelected;
    if (length == 2 && picked.mark != picked.outlineMark) {
        acutPrintf("%s\n", kMarkAndItsOutline);
        return kNoMarkSelected;
    }
    markId = picked.mark.isNull() ? picked.outlineMark : picked.mark;
    return kMarkSelected;
}

bool markFromLispArguments(const resbuf* args, bool onlyArgument, AcDbObjectId& markId)
{
    if (args == nullptr || args->restype != RTENAME) {
        reportIncorrectParameters();
        return false;
    }
    if (onlyArgument && args->rbnext != nullptr) {
        reportTooManyParameters();
        return false;
    }
    if (acdbGetObjectId(markId, args->resval.rlname) != Acad::eOk) {
        acutPrintf("%s\n", kCannotObtainId);
        return false;
    }
    ObjectOpener<AcDbEntity> entity(markId, AcDb::kForRead);
    if (!entity) {
        acutPrintf("%s\n", kCannotReadMark);
        return false;
    }
    if (!entity->isKindOf(VaduKestra::desc())) {
        reportIncorrectParameters();
        return false;
    }
    return true;
}

}  // namespace kestra
