#include "db/dxf/group_stream.h"

#include "db/dxf/item_conversion.h"
#include "db/object_heap.h"

#include <array>
#include <bit>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace arx::dxf {

namespace {

// Below this size a second thread costs more than it saves.
constexpr std::size_t kSecondThreadFrom = 256 * 1024;
// Groups pass between the threads in blocks: few hand-overs, and a bounded amount of memory
// whatever the size of the file (the ring holds kBlocks * kBlockGroups groups, their items and
// record tables, about 1 MB, small enough to stay in the cache the two cores share).
constexpr std::size_t kBlockGroups = 2048;
constexpr std::size_t kBlocks = 6;

bool onSecondThread(const DrawingText& text, Splitting splitting)
{
    if (splitting == Splitting::Automatic) return text.size() >= kSecondThreadFrom;
    return splitting == Splitting::OnSecondThread;
}

}  // namespace

void convertNumber(Group& group)
{
    switch (groupTypeOf(group.code)) {
    case GroupType::Real: {
        double value = 0;
        if (!parseReal(group.value, value)) return;
        group.number = std::bit_cast<std::uint64_t>(value);
        group.converted = Group::Converted::Real;
        return;
    }
    case GroupType::Int16:
    case GroupType::Int32:
    case GroupType::Int64:
    case GroupType::Bool: {
        std::int64_t value = 0;
        if (!parseInteger(group.value, value)) return;
        group.number = static_cast<std::uint64_t>(value);
        group.converted = Group::Converted::Integer;
        return;
    }
    case GroupType::Handle:
    case GroupType::ObjectId: {
        std::uint64_t value = 0;
        if (!parseHandle(group.value, value)) return;
        group.number = value;
        group.converted = Group::Converted::Handle;
        return;
    }
    default: return;
    }
}

// A block of groups, with their items prepared (an item the splitter could not prepare has the
// kind None), and a table of the records whose 0 group is in the block. With the table the
// reading thread finds a record's type, end, items and handle without reading the groups:
// those are memory the other core wrote, and what passes between cores is what costs.
struct GroupStream::Block {
    struct RecordSpan {
        std::uint32_t start;  // the group after the record's 0 group
        std::uint32_t end;    // the next 0 group (count when it is in a later block)
        std::uint32_t firstItem, lastItem;
        std::string_view type;  // the 0 group's value
        long line;              // and its line
        std::uint64_t handle;   // see PreparedRecord::handle
        bool handleKnown;
    };

    std::vector<Group> groups = std::vector<Group>(kBlockGroups);
    std::size_t count = 0;
    std::vector<PreparedItem> items;
    std::vector<RecordSpan> records;
    bool last = false;
    long lastLine = 0;
    std::exception_ptr error;

    void prepareItems()
    {
        const std::span<const Group> filled(groups.data(), count);
        records.clear();
        std::size_t made = 0;
        for (std::size_t g = 0; g < count;) {
            if (groups[g].code == 0) {
                closeRecord(g, made);
                openRecord(g, made);
                ++g;
                continue;
            }
            if (made == items.size()) items.emplace_back();
            PreparedItem& item = items[made++];
            std::size_t used = prepareItem(filled, g, item);
            if (used == 0) {
                item.kind = db::DxfItem::Kind::None;
                used = 1;
            }
            g += used;
        }
        closeRecord(count, made);
    }

    void openRecord(std::size_t zero, std::size_t made)
    {
        RecordSpan& record = records.emplace_back();
        record.start = static_cast<std::uint32_t>(zero + 1);
        record.end = static_cast<std::uint32_t>(count);
        record.firstItem = record.lastItem = static_cast<std::uint32_t>(made);
        record.type = groups[zero].value;
        record.line = groups[zero].line;
        // The handle comes before the first subclass marker.
        record.handle = 0;
        record.handleKnown = false;
        for (std::size_t g = zero + 1; g < count; ++g) {
            const Group& group = groups[g];
            if (group.code == 5 || group.code == 105) {
                record.handle = group.number;
                record.handleKnown = group.converted == Group::Converted::Handle;
                return;
            }
            if (group.code == 100 || group.code == 0) {
                record.handleKnown = true;
                return;
            }
        }
    }

    void closeRecord(std::size_t end, std::size_t made)
    {
        if (records.empty()) return;
        records.back().end = static_cast<std::uint32_t>(end);
        records.back().lastItem = static_cast<std::uint32_t>(made);
    }

    // The record whose 0 group is at `zero`, looked for from the table position `next` on (the
    // reader asks in order); null when none is.
    const RecordSpan* recordAt(std::size_t zero, std::size_t& next) const
    {
        while (next < records.size() && records[next].start <= zero) ++next;
        return next < records.size() && records[next].start == zero + 1 ? &records[next] : nullptr;
    }
};

// Splits the text on its own thread into a ring of blocks. A block is filled by the splitter,
// then handed out by the reader; the last block also carries how the text ended (its last line,
// or the error that stopped the splitting after the block's groups).
class GroupStream::Splitter {
public:
    explicit Splitter(DrawingText& text) : text_(text), thread_([this] { split(); }) {}

    ~Splitter()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        blockFreed_.notify_one();
        thread_.join();
    }

    // The next filled block, waiting for it; the previous one is given back for refilling.
    Block& take()
    {
        std::unique_lock lock(mutex_);
        if (taken_ > 0) {
            ++released_;
            blockFreed_.notify_one();
        }
        if (filled_ == taken_) {
            lock.unlock();
            prepareWhileWaiting();
            lock.lock();
        }
        blockFilled_.wait(lock, [this] { return filled_ > taken_; });
        return blocks_[taken_++ % kBlocks];
    }

    // A thread that would wait for the other gets memory ready for the objects to come instead
    // (the system's work of providing it is the one task either thread can do). Not more
    // often: memory the splitter's core cleared costs the host's core more to fill.
    static void prepareWhileWaiting() { db::prepareObjectMemory(); }

private:
    void split()
    {
        std::exception_ptr error;
        long lastLine = 0;
        std::size_t index = 0;
        Block* block = nullptr;
        try {
            text_.readMore();
            Tokenizer tokens(text_.arrived(), text_.complete());
            for (;; ++index) {
                block = waitForFreeBlock(index);
                if (block == nullptr) return;
                block->count = 0;
                bool ended = false;
                while (block->count < kBlockGroups) {
                    Group& group = block->groups[block->count];
                    group.converted = Group::Converted::None;
                    if (!nextGroup(tokens, group)) {
                        ended = true;
                        break;
                    }
                    convertNumber(group);
                    ++block->count;
                }
                if (ended) {
                    lastLine = tokens.line();
                    break;
                }
                publish(*block, false, 0, nullptr);
            }
        } catch (...) {
            error = std::current_exception();
            if (block == nullptr) {
                block = waitForFreeBlock(index);
                if (block == nullptr) return;
                block->count = 0;
            }
        }
        publish(*block, true, lastLine, error);
    }

    // The next group, reading more of the file while a group has not arrived whole.
    bool nextGroup(Tokenizer& tokens, Group& group)
    {
        while (!tokens.next(group)) {
            if (!tokens.waiting()) return false;
            text_.readMore();
            tokens.extend(text_.arrived(), text_.complete());
        }
        return true;
    }

    Block* waitForFreeBlock(std::size_t index)
    {
        std::unique_lock lock(mutex_);
        if (!stopping_ && index - released_ >= kBlocks) {
            lock.unlock();
            prepareWhileWaiting();
            lock.lock();
        }
        blockFreed_.wait(lock, [&] { return stopping_ || index - released_ < kBlocks; });
        return stopping_ ? nullptr : &blocks_[index % kBlocks];
    }

    void publish(Block& block, bool last, long lastLine, std::exception_ptr error)
    {
        block.prepareItems();
        {
            std::lock_guard lock(mutex_);
            block.last = last;
            block.lastLine = lastLine;
            block.error = std::move(error);
            ++filled_;
        }
        blockFilled_.notify_one();
    }

    DrawingText& text_;
    std::array<Block, kBlocks> blocks_;
    std::mutex mutex_;
    std::condition_variable blockFilled_, blockFreed_;
    std::size_t filled_ = 0;    // blocks the splitter has published
    std::size_t taken_ = 0;     // blocks the reader has taken
    std::size_t released_ = 0;  // blocks the reader has finished with
    bool stopping_ = false;
    std::thread thread_;  // last: starts once everything above is ready
};

GroupStream::GroupStream(DrawingText& text, Splitting splitting) : text_(text)
{
    if (onSecondThread(text, splitting)) {
        splitter_ = std::make_unique<Splitter>(text);
    } else {
        text.readAll();
        tokens_ = std::make_unique<Tokenizer>(text.arrived());
    }
}

GroupStream::~GroupStream() = default;

bool GroupStream::next(Group& group)
{
    if (hasPushedBack_) {
        hasPushedBack_ = false;
        group = pushedBack_;
        return true;
    }
    if (tokens_) return tokens_->next(group);
    return nextFromSplitter(group);
}

std::size_t GroupStream::blockCount() const { return block_ != nullptr ? block_->count : 0; }

bool GroupStream::nextFromSplitter(Group& group)
{
    while (blockNext_ == blockCount()) {
        if (ended_) {
            // The groups before an error are handed out first, as the tokenizer would.
            if (error_) std::rethrow_exception(error_);
            line_ = endLine_;
            return false;
        }
        Block& block = splitter_->take();
        block_ = &block;
        blockNext_ = 0;
        recordNext_ = 0;
        if (block.last) {
            ended_ = true;
            endLine_ = block.lastLine;
            error_ = block.error;
        }
    }
    if (const Block::RecordSpan* record = block_->recordAt(blockNext_, recordNext_)) {
        // A record's 0 group, from the record table.
        group = Group{};
        group.value = record->type;
        group.line = record->line;
        ++blockNext_;
    } else {
        group = block_->groups[blockNext_++];
    }
    line_ = group.valueLine();
    return true;
}

bool GroupStream::nextUntilZero(std::span<const Group>& groups, std::vector<Group>& spill,
                                std::optional<PreparedRecord>* prepared)
{
    if (prepared != nullptr) prepared->reset();
    if (splitter_ && block_ != nullptr && !hasPushedBack_ && blockNext_ > 0) {
        // Within the block being handed out, the groups are there already, and their items.
        const Block::RecordSpan* record = block_->recordAt(blockNext_ - 1, recordNext_);
        if (record != nullptr && record->end < block_->count) {
            const std::size_t end = record->end;
            groups = std::span<const Group>(block_->groups.data() + blockNext_, end - blockNext_);
            if (prepared != nullptr) {
                PreparedRecord& facts = prepared->emplace();
                facts.items = std::span<const PreparedItem>(block_->items.data() + record->firstItem,
                                                            record->lastItem - record->firstItem);
                if (record->handleKnown) facts.handle = record->handle;
            }
            blockNext_ = end;
            return true;
        }
    }
    // Across blocks, or on this thread: group by group into the spill.
    spill.clear();
    Group group;
    for (;;) {
        if (!next(group)) return false;
        if (group.code == 0) break;
        spill.push_back(group);
    }
    pushBack(group);
    groups = std::span<const Group>(spill);
    return true;
}

void GroupStream::pushBack(const Group& group)
{
    if (tokens_) {
        tokens_->pushBack(group);
        return;
    }
    pushedBack_ = group;
    hasPushedBack_ = true;
}

void GroupStream::forgetReadText()
{
    // The groups still to be handed out view the text from the next one's value on.
    const char* next = nullptr;
    if (hasPushedBack_) {
        next = pushedBack_.value.data();
    } else if (splitter_ && blockNext_ < blockCount()) {
        const Block::RecordSpan* record = block_->recordAt(blockNext_, recordNext_);
        next = record != nullptr ? record->type.data() : block_->groups[blockNext_].value.data();
    }
    if (next != nullptr) text_.forgetBefore(next);
}

long GroupStream::line() const { return tokens_ ? tokens_->line() : line_; }

}  // namespace arx::dxf
