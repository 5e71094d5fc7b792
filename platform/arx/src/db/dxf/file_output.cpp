#include "db/dxf/file_output.h"

#include <cerrno>
#include <unistd.h>

namespace arx::dxf {

FileOutput::FileOutput(int descriptor) : descriptor_(descriptor), thread_([this] { run(); }) {}

FileOutput::~FileOutput()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        waiting_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

bool FileOutput::write(std::string_view chunk)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return error_ != 0 || waiting_.size() < kMostWaiting; });
    if (error_ != 0) return false;
    std::vector<char> copy;
    if (!spare_.empty()) {
        copy = std::move(spare_.back());
        spare_.pop_back();
    }
    copy.assign(chunk.begin(), chunk.end());
    waiting_.push_back(std::move(copy));
    lock.unlock();
    changed_.notify_all();
    return true;
}

bool FileOutput::finish()
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return error_ != 0 || (waiting_.empty() && !writing_); });
    return error_ == 0;
}

int FileOutput::error() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return error_;
}

namespace {

// Writes the whole chunk; 0 or the errno value of the failure.
int writeWhole(int descriptor, const std::vector<char>& chunk)
{
    std::size_t done = 0;
    while (done < chunk.size()) {
        const ssize_t count = ::write(descriptor, chunk.data() + done, chunk.size() - done);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return count < 0 ? errno : EIO;
        done += static_cast<std::size_t>(count);
    }
    return 0;
}

}  // namespace

void FileOutput::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_) return;
        std::vector<char> chunk = std::move(waiting_.front());
        waiting_.pop_front();
        writing_ = true;
        // After a failed write nothing more is written: the file is abandoned.
        const bool write = error_ == 0;
        lock.unlock();
        changed_.notify_all();
        int failure = write ? writeWhole(descriptor_, chunk) : 0;
        lock.lock();
        // With nothing else to write, what is written goes to disk now rather than all at
        // once in the final fsync, which then has little left to wait for.
        if (write && failure == 0 && waiting_.empty() && !stopping_) {
            lock.unlock();
            if (::fdatasync(descriptor_) != 0) failure = errno;
            lock.lock();
        }
        writing_ = false;
        if (failure != 0 && error_ == 0) error_ = failure;
        chunk.clear();
        spare_.push_back(std::move(chunk));
        changed_.notify_all();
    }
}

}  // namespace arx::dxf
