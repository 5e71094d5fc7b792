// Between the groups of a DXF file and the database's DXF items: a point's X, Y and Z groups
// become one item, hexadecimal chunks become bytes, references become object ids (through
// the caller's handle lookup) and back.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "db/dxf/text_writer.h"
#include "db/dxf/tokenizer.h"
#include "db/dxf_item.h"

namespace arx::dxf {

using IdForHandle = std::function<AcDbObjectId(std::uint64_t handle)>;

// Converts groups to items; FormatError (naming the line) for a value that does not fit its
// group's type, a point without its Y group, or a bad hexadecimal chunk.
void appendItems(std::span<const Group> groups, const IdForHandle& idForHandle, db::DxfItemList& items);
// The same into a list that is overwritten: its elements are reused (one list serves a
// whole file, record after record).
void assignItems(std::span<const Group> groups, const IdForHandle& idForHandle, db::DxfItemList& items);
db::DxfItemList toItems(std::span<const Group> groups, const IdForHandle& idForHandle);

// An item converted ahead by a thread other than the reader's. It is compact (it passes from
// one core to the other, item by item): numbers are converted and a point's coordinates merged;
// text and hexadecimal chunks are kept in the item when they are short (most are), otherwise
// as views of the file's text; references keep their handle. The reader expands it into a
// DxfItem (expandPreparedItems).
struct PreparedItem {
    static constexpr std::size_t kTextHere = 24;

    short code = 0;
    db::DxfItem::Kind kind = db::DxfItem::Kind::None;  // None: not prepared
    unsigned char dimensions = 3;
    std::uint32_t textSize = 0;
    union {
        struct {
            double x, y, z;
        } point;
        double real;
        long long integer;
        std::uint64_t handle;
        const char* textThere;     // a text longer than kTextHere
        char textHere[kTextHere];  // a shorter one
    };

    PreparedItem() : point{0.0, 0.0, 0.0} {}
    // Text, and the hexadecimal digits of a binary chunk.
    std::string_view text() const { return std::string_view(textSize <= kTextHere ? textHere : textThere, textSize); }
};

// Converts the group at groups[i] (with its Y and Z groups for a point) into `item` without
// touching a database, as a thread other than the reader's may. Returns the number of groups
// used, or 0 when the group needs the reader's conversion (a value it would refuse, a point
// whose Y is not in `groups`).
std::size_t prepareItem(std::span<const Group> groups, std::size_t i, PreparedItem& item);
// The items of prepared items, references resolved, into the first prepared.size() elements of
// a list that is grown as needed and otherwise kept (its elements and their room are reused,
// record after record). False when one of them cannot be expanded (a hexadecimal chunk that
// does not decode): the caller converts the groups instead, which names the line.
bool expandPreparedItems(std::span<const PreparedItem> prepared, const IdForHandle& idForHandle,
                         db::DxfItemList& items);

// Writes items as groups. False (the writer holds the problem) for a value that cannot be
// written: a real that is not finite.
bool writeItems(TextWriter& writer, const db::DxfItemList& items);
void writeItem(TextWriter& writer, const db::DxfItem& item);

}  // namespace arx::dxf
