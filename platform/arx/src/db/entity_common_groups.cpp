#include "db/entity_common_groups.h"

#include <algorithm>
#include <cstdint>

#include "db/entities/entity_filing.h"
#include "dbfiler.h"

namespace arx::db {

bool isKeptEntityCode(int code)
{
    switch (code) {
    case 92:
    case 160:
    case 310:
    case 347:
    case 348:
    case 390:
    case 420:
    case 430:
    case 440:
    case 284: return true;
    default: return false;
    }
}

namespace {

// Takes the first item of `code` not taken yet.
bool takeFirst(const DxfItemList& items, std::vector<bool>& taken, short code, DxfItemList& out)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (taken[i] || items[i].code != code) continue;
        taken[i] = true;
        out.push_back(items[i]);
        return true;
    }
    return false;
}

void appendRest(const DxfItemList& items, const std::vector<bool>& taken, DxfItemList& out)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!taken[i]) out.push_back(items[i]);
}

}  // namespace

namespace {

// True when arranging would give the modelled groups (of these codes) as they stand:
// nothing kept, and the groups the order takes (each the first not taken yet of its code)
// come first and in their own order. Most entities of a file are so, and are then written
// without a copy.
template <class CodeAt>
bool arrangedAlready(std::size_t count, CodeAt codeAt, const CommonGroups& groups)
{
    if (!groups.kept.empty() || count > 32) return false;
    std::uint32_t taken = 0;
    std::size_t next = 0;
    for (short code : groups.order) {
        std::size_t j = 0;
        while (j < count && (((taken >> j) & 1u) != 0 || codeAt(j) != code)) ++j;
        if (j == count) continue;
        if (j != next) return false;
        taken |= std::uint32_t{1} << j;
        ++next;
    }
    return true;
}

DxfItem itemOf(const ModelledGroup& group)
{
    switch (group.kind) {
    case DxfItem::Kind::Integer: return DxfItem::makeInteger(group.code, group.integer);
    case DxfItem::Kind::Real: return DxfItem::makeReal(group.code, group.real);
    default: return DxfItem::makeText(group.code, group.text ? group.text : "");
    }
}

}  // namespace

Acad::ErrorStatus writeCommonGroups(AcDbDxfFiler* filer, const ModelledGroup* modelled, std::size_t count,
                                    const CommonGroups& groups)
{
    if (arrangedAlready(
            count, [modelled](std::size_t i) { return modelled[i].code; }, groups)) {
        for (std::size_t i = 0; i < count; ++i) {
            // Text as the item of it would be written; numbers through their item.
            const Acad::ErrorStatus status =
                modelled[i].kind == DxfItem::Kind::Text
                    ? filer->writeString(static_cast<AcDb::DxfCode>(modelled[i].code), modelled[i].text)
                    : writeDxfItem(filer, itemOf(modelled[i]));
            if (status != Acad::eOk) return status;
        }
        return filer->filerStatus();
    }
    DxfItemList items;
    items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) items.push_back(itemOf(modelled[i]));
    for (const DxfItem& item : arrangeCommonGroups(std::move(items), groups)) {
        const Acad::ErrorStatus status = writeDxfItem(filer, item);
        if (status != Acad::eOk) return status;
    }
    return filer->filerStatus();
}

DxfItemList arrangeCommonGroups(DxfItemList modelled, const CommonGroups& groups)
{
    if (arrangedAlready(
            modelled.size(), [&modelled](std::size_t i) { return modelled[i].code; }, groups))
        return modelled;
    DxfItemList out;
    out.reserve(modelled.size() + groups.kept.size());
    std::vector<bool> modelledTaken(modelled.size(), false), keptTaken(groups.kept.size(), false);
    for (short code : groups.order)
        if (!takeFirst(modelled, modelledTaken, code, out)) takeFirst(groups.kept, keptTaken, code, out);
    appendRest(modelled, modelledTaken, out);
    appendRest(groups.kept, keptTaken, out);
    return out;
}

void mergeKeptGroups(DxfItemList& kept, DxfItemList read)
{
    std::erase_if(kept, [&read](const DxfItem& item) {
        return std::any_of(read.begin(), read.end(), [&item](const DxfItem& r) { return r.code == item.code; });
    });
    kept.insert(kept.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
}

void dropKeptGroups(DxfItemList& kept, std::initializer_list<int> codes)
{
    std::erase_if(
        kept, [codes](const DxfItem& item) { return std::find(codes.begin(), codes.end(), item.code) != codes.end(); });
}

Acad::ErrorStatus dwgOutCommonGroups(AcDbDwgFiler* filer, const CommonGroups& groups)
{
    dwgOutItems(filer, groups.kept);
    filer->writeInt32(static_cast<Adesk::Int32>(groups.order.size()));
    for (short code : groups.order) filer->writeInt16(code);
    return filer->filerStatus();
}

Acad::ErrorStatus dwgInCommonGroups(AcDbDwgFiler* filer, CommonGroups& groups)
{
    Acad::ErrorStatus status = dwgInItems(filer, groups.kept);
    if (status != Acad::eOk) return status;
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk || count < 0) return Acad::eInvalidInput;
    groups.order.assign(static_cast<std::size_t>(count), 0);
    for (short& code : groups.order) {
        Adesk::Int16 value = 0;
        if (filer->readInt16(&value) != Acad::eOk) return filer->filerStatus();
        code = value;
    }
    return filer->filerStatus();
}

}  // namespace arx::db
