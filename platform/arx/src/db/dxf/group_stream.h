// The groups of a DXF text in file order, with one group of push-back, for the structure
// reader. A large text is split into groups on a second thread, which also converts the numbers
// of numeric and handle groups, while the caller's thread builds objects from the groups before
// them: the caller sees the same groups, the same errors at the same place and the same line
// numbers either way. Only text work runs on the second thread; no object of a database and no
// code of an application is touched there.
#pragma once
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "db/dxf/drawing_text.h"
#include "db/dxf/item_conversion.h"
#include "db/dxf/tokenizer.h"
#include "db/dxf_item.h"

namespace arx::dxf {

// What the second thread prepared of a record: its items (see prepareItem) and, when it could
// read it, its handle (the 5 or 105 group before the first subclass marker; 0 without one).
struct PreparedRecord {
    std::span<const PreparedItem> items;
    std::optional<std::uint64_t> handle;
};

enum class Splitting {
    Automatic,       // a second thread for a text of some size, this thread for a small one
    OnThisThread,    // the caller's thread splits the text as it reads
    OnSecondThread,  // always a second thread (tests compare both ways)
};

class GroupStream {
public:
    // The text is read from its file as splitting needs it (on the second thread when there is
    // one); a failure to read is raised, as FileReadError, where the text stops.
    GroupStream(DrawingText& text, Splitting splitting);
    ~GroupStream();
    GroupStream(const GroupStream&) = delete;
    GroupStream& operator=(const GroupStream&) = delete;

    // As Tokenizer::next: the next group, false at the end of the text; a bad group code line
    // throws FormatError when its turn comes.
    bool next(Group& group);
    void pushBack(const Group& group);
    // The groups from here up to the next 0 group, which stays to be read. The span stays valid
    // until the next read; it points into the stream's own blocks where it can, into `spill`
    // otherwise. False when the text ends first.
    // With `prepared`, what the second thread prepared of the record, where it did.
    bool nextUntilZero(std::span<const Group>& groups, std::vector<Group>& spill,
                       std::optional<PreparedRecord>* prepared = nullptr);
    // The caller holds no group read so far: the text before the next group may be forgotten.
    void forgetReadText();
    // Line number of the last line read: after next() has returned false, the text's last line.
    long line() const;

private:
    class Splitter;
    struct Block;

    bool nextFromSplitter(Group& group);
    std::size_t blockCount() const;

    DrawingText& text_;
    std::unique_ptr<Tokenizer> tokens_;   // splitting on this thread
    std::unique_ptr<Splitter> splitter_;  // splitting on a second thread
    Block* block_ = nullptr;              // the block of groups being handed out
    std::size_t blockNext_ = 0;           // its next group to hand out
    std::size_t recordNext_ = 0;          // its record table's next entry
    bool ended_ = false;                  // the block being handed out is the text's last
    long endLine_ = 0;                    // the text's last line, known with the last block
    std::exception_ptr error_;            // what stopped the splitting after the last block's groups
    long line_ = 0;
    Group pushedBack_;
    bool hasPushedBack_ = false;
};

// The numbers of a group converted ahead, as realValue, integerValue and handleValue would
// convert them; a value they would refuse is left for them to refuse.
void convertNumber(Group& group);

}  // namespace arx::dxf
