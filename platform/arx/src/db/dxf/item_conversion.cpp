#include "db/dxf/item_conversion.h"

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

std::vector<unsigned char> decodeHex(const Group& group)
{
    std::string_view text = group.value;
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.size() % 2 != 0)
        throw FormatError(group.valueLine(), "group " + std::to_string(group.code) +
                                                 " holds an odd number of hexadecimal digits");
    std::vector<unsigned char> bytes(text.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = hexDigit(text[2 * i]);
        const int low = hexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0)
            throw FormatError(group.valueLine(), "group " + std::to_string(group.code) +
                                                     " holds a character that is not hexadecimal");
        bytes[i] = static_cast<unsigned char>(high * 16 + low);
    }
    return bytes;
}

// Reads the point that starts at groups[i]; advances i past its Y and Z groups.
DxfItem readPoint(std::span<const Group> groups, std::size_t& i)
{
    const Group& x = groups[i];
    if (i + 1 >= groups.size() || groups[i + 1].code != x.code + 10)
        throw FormatError(x.line, "group " + std::to_string(x.code) + " (X of a point) is not followed by its Y (group " +
                                      std::to_string(x.code + 10) + ")");
    AcGePoint3d point(realValue(x), realValue(groups[i + 1]), 0.0);
    int dimensions = 2;
    ++i;
    if (i + 1 < groups.size() && groups[i + 1].code == x.code + 20) {
        point.z = realValue(groups[i + 1]);
        dimensions = 3;
        ++i;
    }
    return DxfItem::makePoint(x.code, point, dimensions);
}

}  // namespace

void appendItems(std::span<const Group> groups, const IdForHandle& idForHandle, db::DxfItemList& items)
{
    items.reserve(items.size() + groups.size());
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const Group& group = groups[i];
        switch (db::kindOfCode(group.code)) {
        case DxfItem::Kind::Point: items.push_back(readPoint(groups, i)); break;
        case DxfItem::Kind::Real: items.push_back(DxfItem::makeReal(group.code, realValue(group))); break;
        case DxfItem::Kind::Integer: items.push_back(DxfItem::makeInteger(group.code, integerValue(group))); break;
        case DxfItem::Kind::Binary: items.push_back(DxfItem::makeBinary(group.code, decodeHex(group))); break;
        case DxfItem::Kind::Id: {
            const std::uint64_t handle = handleValue(group);
            items.push_back(DxfItem::makeId(group.code, handle == 0 ? AcDbObjectId() : idForHandle(handle)));
            break;
        }
        case DxfItem::Kind::Text: items.push_back(DxfItem::makeText(group.code, std::string(group.value))); break;
        case DxfItem::Kind::None:
            throw FormatError(group.line, "unknown group code " + std::to_string(group.code));
        }
    }
}

db::DxfItemList toItems(std::span<const Group> groups, const IdForHandle& idForHandle)
{
    db::DxfItemList items;
    appendItems(groups, idForHandle, items);
    return items;
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
