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

// Writes items as groups. False (the writer holds the problem) for a value that cannot be
// written: a real that is not finite.
bool writeItems(TextWriter& writer, const db::DxfItemList& items);
void writeItem(TextWriter& writer, const db::DxfItem& item);

}  // namespace arx::dxf
