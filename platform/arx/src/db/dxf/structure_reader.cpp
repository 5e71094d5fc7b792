#include "db/dxf/structure_reader.h"

#include <string>

#include "db/dxf/format_error.h"
#include "db/dxf/group_stream.h"

namespace arx::dxf {
namespace {

std::string str(std::string_view text) { return std::string(text); }

// Names of records, sections, tables and header variables are written back through the
// filers' C strings: a control character (a NUL above all) would cut them short, and the saved
// file could not be read again. Such a name is refused where it is read.
void checkName(const Group& group, const char* what)
{
    for (char c : group.value)
        if (static_cast<unsigned char>(c) < 32)
            throw FormatError(group.valueLine(), std::string(what) + " holds a control character");
}

class StructureReader {
public:
    StructureReader(DrawingText& text, SectionHandler& handler, Splitting splitting)
        : tokens_(text, splitting), handler_(handler)
    {}

    void run()
    {
        Group group;
        while (nextGroup(group)) {
            if (group.is(0, "EOF")) return;
            if (!group.is(0, "SECTION"))
                throw FormatError(group.line, "expected SECTION or EOF, found " + describe(group));
            readSection(group);
        }
        throw FormatError(tokens_.line(), "the file ends without EOF");
    }

private:
    static std::string describe(const Group& group)
    {
        return "group " + std::to_string(group.code) + " \"" + str(group.value.substr(0, 40)) + "\"";
    }

    bool nextGroup(Group& group) { return tokens_.next(group); }

    Group expectGroup(const char* where)
    {
        Group group;
        if (!nextGroup(group)) throw FormatError(tokens_.line(), std::string("unexpected end of file in ") + where);
        return group;
    }

    // Collects the groups after a 0 group up to (not including) the next 0 group.
    Record readRecord(const Group& head, const std::string& where)
    {
        std::span<const Group> groups;
        std::optional<PreparedRecord> prepared;
        if (!tokens_.nextUntilZero(groups, groups_, &prepared))
            throw FormatError(tokens_.line(), "unexpected end of file in " + where + " (no ENDSEC)");
        if (head.value.empty()) throw FormatError(head.line, "a record without a type name in " + where);
        checkName(head, "the type name of this record");
        return Record{head.value, head.line, groups, prepared};
    }

    void readSection(const Group& sectionGroup)
    {
        const Group nameGroup = expectGroup("a section");
        if (nameGroup.code != 2)
            throw FormatError(nameGroup.line,
                              "SECTION must be followed by its name (group 2), found " + describe(nameGroup));
        checkName(nameGroup, "the name of this section");
        sectionName_ = str(nameGroup.value);
        if (sectionName_ == "HEADER") readHeader();
        else if (sectionName_ == "CLASSES") readRecords(&SectionHandler::classRecord);
        else if (sectionName_ == "TABLES") readTables();
        else if (sectionName_ == "BLOCKS") readBlocks();
        else if (sectionName_ == "ENTITIES") readRecords(&SectionHandler::entity);
        else if (sectionName_ == "OBJECTS") readRecords(&SectionHandler::object);
        else readOtherSection(nameGroup.line);
        (void)sectionGroup;
    }

    std::string inSection() const { return "section " + sectionName_; }

    // True at this section's ENDSEC; throws at a SECTION or EOF that would end it early.
    bool atSectionEnd(const Group& group, const std::string& where)
    {
        if (group.is(0, "ENDSEC")) return true;
        if (group.is(0, "SECTION") || group.is(0, "EOF")) throw FormatError(group.line, where + " ends without ENDSEC");
        return false;
    }

    void readHeader()
    {
        Group group = expectGroup("section HEADER");
        for (;;) {
            if (atSectionEnd(group, inSection())) return;
            if (group.code != 9)
                throw FormatError(group.line, "expected a header variable (group 9), found " + describe(group));
            checkName(group, "the name of this header variable");
            const std::string_view name = group.value;
            const long line = group.line;
            groups_.clear();
            for (;;) {
                group = expectGroup("section HEADER (no ENDSEC)");
                if (group.code == 9 || group.code == 0) break;
                groups_.push_back(group);
            }
            handler_.headerVariable(name, line, std::span<const Group>(groups_));
        }
    }

    // The texts that name where a break is are made once per section, not once per record.
    void readRecords(void (SectionHandler::*deliver)(const Record&))
    {
        const std::string where = inSection(), unended = where + " (no ENDSEC)";
        for (;;) {
            const Group head = expectGroup(unended.c_str());
            if (atSectionEnd(head, where)) return;
            if (head.code != 0) throw FormatError(head.line, "expected a 0 group, found " + describe(head));
            (handler_.*deliver)(readRecord(head, where));
            tokens_.forgetReadText();  // the handler keeps copies of what it needs
        }
    }

    static bool isTableName(std::string_view name)
    {
        for (std::string_view known :
             {"VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE", "BLOCK_RECORD"})
            if (name == known) return true;
        return false;
    }

    void readTables()
    {
        for (;;) {
            const Group head = expectGroup("section TABLES (no ENDSEC)");
            if (atSectionEnd(head, inSection())) return;
            if (head.is(0, "TABLE")) {
                readTable(head);
            } else if (head.code == 0 && isTableName(head.value)) {
                // Records of a known table without their TABLE header, as some programs
                // write them: read them as that table.
                tokens_.pushBack(head);
                readTableEntries(str(head.value), true);
            } else {
                throw FormatError(head.line, "expected TABLE, found " + describe(head));
            }
        }
    }

    void readTable(const Group& tableHead)
    {
        const Record table = readRecord(tableHead, "a table");
        if (table.groups.empty() || table.groups.front().code != 2)
            throw FormatError(tableHead.line, "TABLE must be followed by its name (group 2)");
        checkName(table.groups.front(), "the name of this table");
        const std::string name = str(table.groups.front().value);
        handler_.tableBegin(name, table);
        readTableEntries(name, false);
    }

    // Entries up to ENDTAB; a table without its header may also end at the end of the section.
    void readTableEntries(const std::string& name, bool headerless)
    {
        const std::string where = "table " + name, unended = where + " (no ENDTAB)";
        if (headerless) {
            const Group head = expectGroup(where.c_str());
            handler_.tableBegin(name, Record{"TABLE", head.line, {}});
            tokens_.pushBack(head);
        }
        for (;;) {
            const Group head = expectGroup(unended.c_str());
            if (head.is(0, "ENDTAB")) {
                handler_.tableEnd(name, readRecord(head, where));
                return;
            }
            if (headerless && head.is(0, "ENDSEC")) {
                tokens_.pushBack(head);
                handler_.tableEnd(name, Record{"ENDTAB", head.line, {}});
                return;
            }
            if (head.is(0, "TABLE") || head.is(0, "ENDSEC") || head.is(0, "SECTION") || head.is(0, "EOF"))
                throw FormatError(head.line, where + " ends without ENDTAB");
            handler_.tableEntry(name, readRecord(head, where));
        }
    }

    void readBlocks()
    {
        bool inBlock = false;
        long blockLine = 0;
        const std::string where = inSection();
        for (;;) {
            const Group head = expectGroup("section BLOCKS (no ENDSEC)");
            if (head.is(0, "ENDSEC") && inBlock)
                throw FormatError(head.line, "the block that starts at line " + std::to_string(blockLine) +
                                                 " ends without ENDBLK");
            if (atSectionEnd(head, where)) return;
            const Record record = readRecord(head, where);
            if (record.type == "BLOCK") {
                if (inBlock)
                    throw FormatError(head.line, "the block that starts at line " + std::to_string(blockLine) +
                                                     " ends without ENDBLK");
                inBlock = true;
                blockLine = head.line;
                handler_.blockBegin(record);
            } else if (record.type == "ENDBLK") {
                if (!inBlock) throw FormatError(head.line, "ENDBLK without BLOCK");
                inBlock = false;
                handler_.blockEnd(record);
            } else {
                if (!inBlock) throw FormatError(head.line, "entity " + str(record.type) + " outside a block");
                handler_.blockEntity(record);
            }
        }
    }

    void readOtherSection(long line)
    {
        groups_.clear();
        for (;;) {
            const Group group = expectGroup((inSection() + " (no ENDSEC)").c_str());
            if (atSectionEnd(group, inSection())) break;
            groups_.push_back(group);
        }
        handler_.otherSection(sectionName_, line, std::span<const Group>(groups_));
    }

    GroupStream tokens_;
    SectionHandler& handler_;
    std::vector<Group> groups_;
    std::string sectionName_;
};

}  // namespace

void readStructure(DrawingText& text, SectionHandler& handler, Splitting splitting)
{
    StructureReader(text, handler, splitting).run();
}

void readStructure(std::string_view text, SectionHandler& handler, Splitting splitting)
{
    DrawingText whole(text);
    readStructure(whole, handler, splitting);
}

}  // namespace arx::dxf
