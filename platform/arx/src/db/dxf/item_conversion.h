// Between the groups of a DXF file and the database's DXF items: a point's X, Y and Z groups
// become one item, hexadecimal chunks become bytes, references become object ids (through
// the caller's handle lookup) and back.
#pragma once
#include <cstdint>
#include <functional>
#include <span>

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

// Converts the group at groups[i] (with its Y and Z groups for a point) into `item` without
// touching a database, as a thread other than the reader's may: a reference keeps its handle in
// `integer` and a null id. Returns the number of groups used, or 0 when the group needs the
// reader's conversion (a value it would refuse, a point whose Y is not in `groups`).
std::size_t prepareItem(std::span<const Group> groups, std::size_t i, db::DxfItem& item);

// Writes items as groups. False (the writer holds the problem) for a value that cannot be
// written: a real that is not finite.
bool writeItems(TextWriter& writer, const db::DxfItemList& items);
void writeItem(TextWriter& writer, const db::DxfItem& item);

}  // namespace arx::dxf
