// Groups kept as read, for what the drawing carries without modelling it: unknown header
// variables, sections and tables the database does not hold, data of proxies. Values are the
// text of the file; numbers were checked when they were read and are written back in the
// writer's format, so a value reads back the same.
#pragma once
#include <span>
#include <string>
#include <vector>

#include "db/dxf/text_writer.h"
#include "db/dxf/tokenizer.h"

namespace arx::dxf {

struct CarriedGroup {
    int code = 0;
    std::string value;
};

using CarriedGroups = std::vector<CarriedGroup>;

// Copies groups, checking each number against its group type (FormatError on a bad one).
CarriedGroups carry(std::span<const Group> groups);
void append(CarriedGroups& target, std::span<const Group> groups);

// Writes them back; false when one no longer fits its group type (the writer then records
// the problem).
bool writeCarried(TextWriter& writer, const CarriedGroups& groups);

// Checks a group's value against its type without keeping it (FormatError on a bad one).
void checkValue(const Group& group);

}  // namespace arx::dxf
