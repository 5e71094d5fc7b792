// Reads the section structure of an ASCII DXF file (HEADER, CLASSES, TABLES, BLOCKS,
// ENTITIES, OBJECTS and any other section) and hands each variable and record to a handler.
// It checks the nesting (SECTION/ENDSEC, TABLE/ENDTAB, BLOCK/ENDBLK, the final EOF) and
// throws FormatError naming the line where the structure breaks. The handler does not see
// anything of a file whose text is not DXF, but it has seen the records before a break, so
// callers load into a fresh target and keep it only when reading ends without an error.
#pragma once
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "db/dxf/group_stream.h"
#include "db/dxf/tokenizer.h"

namespace arx::dxf {

// One record: the groups after a 0 group up to the next 0 group.
struct Record {
    std::string_view type;  // value of the 0 group ("LINE", "TABLE", "DICTIONARY", ...)
    long line = 0;          // line of the 0 group
    std::span<const Group> groups;
    // What the second thread prepared of the record, when it did (see expandPreparedItems: an
    // item it could not prepare means the handler converts the groups itself).
    std::optional<PreparedRecord> prepared = std::nullopt;
};

class SectionHandler {
public:
    virtual ~SectionHandler() = default;
    // A HEADER variable ($ACADVER...) with the groups of its value.
    virtual void headerVariable(std::string_view name, long line, std::span<const Group> values) = 0;
    virtual void classRecord(const Record& record) = 0;
    // The TABLE record itself, then its entries, then ENDTAB. `name` is the table's 2 group.
    virtual void tableBegin(std::string_view name, const Record& record) = 0;
    virtual void tableEntry(std::string_view name, const Record& record) = 0;
    virtual void tableEnd(std::string_view name, const Record& record) = 0;
    virtual void blockBegin(const Record& record) = 0;
    virtual void blockEntity(const Record& record) = 0;
    virtual void blockEnd(const Record& record) = 0;
    virtual void entity(const Record& record) = 0;
    virtual void object(const Record& record) = 0;
    // A section other than the six above (THUMBNAILIMAGE, ACDSDATA...): all of its groups
    // from the one after its name up to ENDSEC, 0 groups included.
    virtual void otherSection(std::string_view name, long line, std::span<const Group> groups) = 0;
};

// Reads the whole text; throws FormatError on a break in the structure, on a bad group and
// on whatever the handler throws. The handler is called on the caller's thread; `splitting`
// says where the text is split into groups (the same groups and errors either way).
void readStructure(std::string_view text, SectionHandler& handler, Splitting splitting = Splitting::Automatic);
// The same for a text that may still be arriving from its file; FileReadError when the file
// cannot be read to its end.
void readStructure(DrawingText& text, SectionHandler& handler, Splitting splitting = Splitting::Automatic);

}  // namespace arx::dxf
