#include "db/dxf/item_conversion.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "db/dxf/format_error.h"

namespace arx::dxf {
namespace {

using db::DxfItem;

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

enum class HexProblem { None, OddLength, NotHexadecimal };

// Decodes the hexadecimal text of a binary group into bytes (their room is reused).
HexProblem decodeHexText(std::string_view text, std::vector<unsigned char>& bytes)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.size() % 2 != 0) return HexProblem::OddLength;
    bytes.resize(text.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = hexDigit(text[2 * i]);
        const int low = hexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) return HexProblem::NotHexadecimal;
        bytes[i] = static_cast<unsigned char>(high * 16 + low);
    }
    return HexProblem::None;
}

void decodeHex(const Group& group, std::vector<unsigned char>& bytes)
{
    switch (decodeHexText(group.value, bytes)) {
    case HexProblem::None: return;
    case HexProblem::OddLength:
        throw FormatError(group.valueLine(),
                          "group " + std::to_string(group.code) + " holds an odd number of hexadecimal digits");
    case HexProblem::NotHexadecimal:
        throw FormatError(group.valueLine(),
                          "group " + std::to_string(group.code) + " holds a character that is not hexadecimal");
    }
}

// Reads the point that starts at groups[i] into the item; advances i past its Y and Z groups.
void readPoint(std::span<const Group> groups, std::size_t& i, DxfItem& item)
{
    const Group& x = groups[i];
    if (i + 1 >= groups.size() || groups[i + 1].code != x.code + 10)
        throw FormatError(x.line, "group " + std::to_string(x.code) +
                                      " (X of a point) is not followed by its Y (group " + std::to_string(x.code + 10) +
                                      ")");
    item.point.set(realValue(x), realValue(groups[i + 1]), 0.0);
    item.dimensions = 2;
    ++i;
    if (i + 1 < groups.size() && groups[i + 1].code == x.code + 20) {
        item.point.z = realValue(groups[i + 1]);
        item.dimensions = 3;
        ++i;
    }
}

// Converts the groups into items from position `count` of the list on: items already there
// are reset and reused (a reader converts one record after another into the same list, so
// their text keeps its room), the others are added. Returns the position after the last.
std::size_t fillItems(std::span<const Group> groups, const IdForHandle& idForHandle, db::DxfItemList& items,
                      std::size_t count)
{
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const Group& group = groups[i];
        const DxfItem::Kind kind = db::kindOfCode(group.code);
        if (kind == DxfItem::Kind::None)
            throw FormatError(group.line, "unknown group code " + std::to_string(group.code));
        if (count == items.size()) items.emplace_back();
        else items[count].reset();
        DxfItem& item = items[count++];
        item.code = static_cast<short>(group.code);
        item.kind = kind;
        switch (kind) {
        case DxfItem::Kind::Point: readPoint(groups, i, item); break;
        case DxfItem::Kind::Real: item.real = realValue(group); break;
        case DxfItem::Kind::Integer: item.integer = integerValue(group); break;
        case DxfItem::Kind::Binary: decodeHex(group, item.binary); break;
        case DxfItem::Kind::Id: {
            const std::uint64_t handle = handleValue(group);
            if (handle != 0) item.id = idForHandle(handle);
            break;
        }
        case DxfItem::Kind::Text: item.text.assign(group.value); break;
        case DxfItem::Kind::None: break;
        }
    }
    return count;
}

}  // namespace

void appendItems(std::span<const Group> groups, const IdForHandle& idForHandle, db::DxfItemList& items)
{
    items.reserve(items.size() + groups.size());
    fillItems(groups, idForHandle, items, items.size());
}

void assignItems(std::span<const Group> groups, const IdForHandle& idForHandle, db::DxfItemList& items)
{
    const std::size_t count = fillItems(groups, idForHandle, items, 0);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(count), items.end());
}

db::DxfItemList toItems(std::span<const Group> groups, const IdForHandle& idForHandle)
{
    db::DxfItemList items;
    appendItems(groups, idForHandle, items);
    return items;
}

namespace {

bool preparedReal(const Group& group, double& value)
{
    if (group.converted != Group::Converted::Real) return false;
    value = realValue(group);
    return true;
}

}  // namespace

std::size_t prepareItem(std::span<const Group> groups, std::size_t i, PreparedItem& item)
{
    const Group& group = groups[i];
    const DxfItem::Kind kind = db::kindOfCode(group.code);
    item.code = static_cast<short>(group.code);
    item.kind = kind;
    switch (kind) {
    case DxfItem::Kind::Point: {
        if (i + 1 >= groups.size() || groups[i + 1].code != group.code + 10) return 0;
        if (!preparedReal(group, item.point.x) || !preparedReal(groups[i + 1], item.point.y)) return 0;
        item.point.z = 0.0;
        item.dimensions = 2;
        if (i + 2 < groups.size() && groups[i + 2].code == group.code + 20) {
            if (!preparedReal(groups[i + 2], item.point.z)) return 0;
            item.dimensions = 3;
            return 3;
        }
        // A point at the end of what was given may have its Z after it.
        return i + 2 < groups.size() ? 2 : 0;
    }
    case DxfItem::Kind::Real: return preparedReal(group, item.real) ? 1 : 0;
    case DxfItem::Kind::Integer: {
        if (group.converted != Group::Converted::Integer) return 0;
        std::int64_t lowest = 0, highest = 0;
        integerRange(group.type(), lowest, highest);
        const auto value = static_cast<std::int64_t>(group.number);
        if (value < lowest || value > highest) return 0;
        item.integer = value;
        return 1;
    }
    case DxfItem::Kind::Id:
        if (group.converted != Group::Converted::Handle) return 0;
        item.handle = group.number;
        return 1;
    case DxfItem::Kind::Binary:
    case DxfItem::Kind::Text: {
        const std::string_view value = group.value;
        if (value.size() > std::numeric_limits<std::uint32_t>::max()) return 0;
        item.textSize = static_cast<std::uint32_t>(value.size());
        if (value.size() <= PreparedItem::kTextHere) std::memcpy(item.textHere, value.data(), value.size());
        else item.textThere = value.data();
        return 1;
    }
    case DxfItem::Kind::None: return 0;
    }
    return 0;
}

bool expandPreparedItems(std::span<const PreparedItem> prepared, const IdForHandle& idForHandle, db::DxfItemList& items)
{
    if (items.size() < prepared.size()) items.resize(prepared.size());
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        const PreparedItem& from = prepared[i];
        DxfItem& item = items[i];
        item.reset();
        item.code = from.code;
        item.kind = from.kind;
        switch (from.kind) {
        case DxfItem::Kind::Point:
            item.point.set(from.point.x, from.point.y, from.point.z);
            item.dimensions = from.dimensions;
            break;
        case DxfItem::Kind::Real: item.real = from.real; break;
        case DxfItem::Kind::Integer: item.integer = from.integer; break;
        case DxfItem::Kind::Id:
            if (from.handle != 0) item.id = idForHandle(from.handle);
            break;
        case DxfItem::Kind::Text: item.text.assign(from.text()); break;
        case DxfItem::Kind::Binary:
            if (decodeHexText(from.text(), item.binary) != HexProblem::None) return false;
            break;
        case DxfItem::Kind::None: return false;  // not prepared
        }
    }
    return true;
}

void writeItem(TextWriter& writer, const DxfItem& item)
{
    switch (item.kind) {
    case DxfItem::Kind::Point:
        if (item.dimensions == 2) writer.point2d(item.code, item.point.x, item.point.y);
        else writer.point(item.code, item.point.x, item.point.y, item.point.z);
        break;
    case DxfItem::Kind::Real: writer.real(item.code, item.real); break;
    case DxfItem::Kind::Integer: writer.integer(item.code, item.integer); break;
    case DxfItem::Kind::Binary: writer.binary(item.code, item.binary.data(), item.binary.size()); break;
    case DxfItem::Kind::Id: writer.handle(item.code, item.id.isNull() ? 0 : item.id.handle().value()); break;
    case DxfItem::Kind::Text:
    case DxfItem::Kind::None: writer.string(item.code, item.text); break;
    }
}

bool writeItems(TextWriter& writer, const db::DxfItemList& items)
{
    for (const DxfItem& item : items) writeItem(writer, item);
    return !writer.failed();
}

}  // namespace arx::dxf
