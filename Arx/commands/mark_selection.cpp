#include "commands/mark_selection.h"

#include <cstring>

#include "acdbads_db.h"
#include "acedads.h"
#include "acutads.h"
#include "assoc/association_store.h"
#include "commands/selection_set.h"
#include "dbents.h"
#include "mark/vadu_kestra.h"
#include "shell/lisp_messages.h"
#include "shell/object_opener.h"
#include "shell/result_buffer.h"

namespace kestra {

namespace {

enum class Filtering { Done, BadMember };

// Drops every member that is neither a mark nor a block reference, walking from the last.
Filtering keepMarksAndReferences(SelectionSet& set)
{
    long length = 0;
    if (acedSSLength(set.name, &length) != RTNORM) return Filtering::BadMember;
    for (long i = length - 1; i >= 0; --i) {
        ads_name member;
        if (acedSSName(set.name, i, member) != RTNORM) return Filtering::BadMember;
        ResultBufferHolder data(acdbEntGet(member));
        const resbuf* type = data ? data->rbnext : nullptr;
        if (type == nullptr || type->restype != 0 || type->resval.rstring == nullptr) return Filtering::BadMember;
        if (std::strcmp(type->resval.rstring, "KESTRA") != 0 && std::strcmp(type->resval.rstring, "INSERT") != 0)
            acedSSDel(member, set.name);
    }
    return Filtering::Done;
}

}  // namespace

int selectMark(AcDbObjectId& markId)
{
    markId.setNull();
    SelectionSet set;
    if (!pickFirstOrSelection(set, "\n%s \n", "Select an Kestra object: ")) return kSelectionFailed;
    if (keepMarksAndReferences(set) != Filtering::Done) return kSelectionFailed;
    long length = 0;
    if (acedSSLength(set.name, &length) != RTNORM || length < 1 || length > 2) return kSelectionFailed;
    AcDbObjectId outlineMark;
    for (long i = 0; i < length; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(set.name, i, member) != RTNORM || acdbGetObjectId(id, member) != Acad::eOk) continue;
        ObjectOpener<AcDbEntity> entity(id, AcDb::kForRead);
        if (!entity) continue;
        if (AcDbBlockReference::cast(entity.get()) != nullptr) {
            if (!readPartnerHandle(*entity, outlineMark)) {
                acutPrintf("%s\n", "Associated Kestra object is not available.");
                return kSelectionFailed;
            }
        } else if (VaduKestra::cast(entity.get()) != nullptr) {
            markId = id;
        }
    }
    set.release();
    if (length == 2 && markId != outlineMark) {
        acutPrintf("%s\n", "You must choose an Kestra object and/or its irregular shape.");
        return kSelectionFailed;
    }
    if (length == 1 && markId.isNull()) markId = outlineMark;
    return kSelectionOk;
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
    if (!VaduKestra::cast(entity.get())) {
        reportIncorrectParameters();
        return false;
    }
    return true;
}

bool markOfCommandOrLisp(const resbuf* args, AcDbObjectId& markId)
{
    if (args != nullptr) return markFromLispArguments(args, true, markId);
    if (selectMark(markId) == kSelectionOk) return true;
    acutPrintf("%s\n", kIncorrectSelection);
    return false;
}

}  // namespace kestra
