// Writes a drawing file's text with large write() calls on a thread of its own, while the
// saving thread formats what follows: chunks are handed over as copies (a few at most wait)
// and written in order; whenever the thread has nothing else to write it syncs what it wrote,
// so the fsync that ends a save has little left to wait for. Only system calls run on that
// thread; every object is still filed on the caller's thread.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

namespace arx::dxf {

class FileOutput {
public:
    // Writes to `descriptor` from its current offset (the caller keeps and closes it).
    explicit FileOutput(int descriptor);
    // Stops the thread; chunks not written yet are dropped.
    ~FileOutput();
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;

    // Queues a copy of `chunk`, waiting while the queue is full. False when a write failed.
    bool write(std::string_view chunk);
    // Waits until every queued chunk is written. False when a write failed; error() then
    // gives its errno value.
    bool finish();
    int error() const;

private:
    void run();

    // Chunks waiting longer than this hold up the caller: memory stays bounded.
    static constexpr std::size_t kMostWaiting = 4;

    const int descriptor_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<char>> waiting_;
    std::vector<std::vector<char>> spare_;  // written chunks' room, reused
    bool writing_ = false;                  // the thread holds a chunk
    bool stopping_ = false;
    int error_ = 0;
    std::thread thread_;
};

}  // namespace arx::dxf
