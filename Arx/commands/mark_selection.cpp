#include "commands/mark_selection.h"

#include <cstring>
#include <string>
#include <vector>

#include "acdbads.h"
#include "acedads.h"
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "assoc/association_store.h"
#include "dbents.h"
#include "mark/vadu_kestra.h"
#include "shell/lisp_messages.h"
#include "shell/object_opener.h"
#include "shell/result_buffer.h"
#include "shell/selection_set.h"

namespace kestra {

namespace {

constexpr const char* kSelectMarkPrompt = "Select an Kestra object: ";
constexpr const char* kNoAssociatedMark = "Associated Kestra object is not available.";
constexpr const char* kMarkAndItsShape = "You must choose an Kestra object and/or its irregular shape.";

// The entity type of a member (group 0 in second place of its data); false when it has none.
bool memberType(const ads_name member, std::string& type)
{
    ResultBufferHolder data(acdbEntGet(member));
    const resbuf* second = data ? data->rbnext : nullptr;
    if (second == nullptr || second->restype != 0 || second->resval.rstring == nullptr) return false;
    type = second->resval.rstring;
    return true;
}

// The marks and block references of the set, in set order; false when a member has no type.
bool marksAndBlockReferences(const ads_name set, std::vector<AcDbObjectId>& kept)
{
    long length = 0;
    acedSSLength(set, &length);
    std::vector<AcDbObjectId> lastFirst;
    for (long i = length - 1; i >= 0; --i) {
        ads_name member;
        std::string type;
        if (acedSSName(set, i, member) != RTNORM || !memberType(member, type)) return false;
        AcDbObjectId id;
        if ((type == "KESTRA" || type == "INSERT") && acdbGetObjectId(id, member) == Acad::eOk) lastFirst.push_back(id);
    }
    kept.assign(lastFirst.rbegin(), lastFirst.rend());
    return true;
}

}  // namespace

int selectMark(AcDbObjectId& markId)
{
    markId.setNull();
    SelectionSet set;
    if (!pickFirstOrSelect(set, "\n%s \n", kSelectMarkPrompt)) return 2;
    std::vector<AcDbObjectId> kept;
    if (!marksAndBlockReferences(set.name, kept) || kept.empty() || kept.size() > 2) return 2;
    AcDbObjectId outlineMark;
    for (const AcDbObjectId& id : kept) {
        ObjectOpener<AcDbEntity> member(id, AcDb::kForRead);
        if (!member) continue;
        if (AcDbBlockReference::cast(member.get())) {
            if (!readPartnerHandle(*member, outlineMark)) {
                acutPrintf("%s\n", kNoAssociatedMark);
                return 2;
            }
        } else if (VaduKestra::cast(member.get())) {
            markId = id;
        }
    }
    if (kept.size() == 2 && markId != outlineMark) {
        acutPrintf("%s\n", kMarkAndItsShape);
        return 2;
    }
    if (kept.size() == 1 && markId.isNull()) markId = outlineMark;
    return 0;
}

bool markOfLispArgument(const resbuf* args, AcDbObjectId& markId)
{
    if (args == nullptr || args->restype != RTENAME) {
        reportIncorrectParameters();
        return false;
    }
    if (args->rbnext != nullptr) {
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

}  // namespace kestra
