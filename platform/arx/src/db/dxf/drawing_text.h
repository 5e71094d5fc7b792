// The text of a drawing as the reader gets it: all in memory, or still arriving from its file.
// A file's text is read piece by piece into one buffer of the file's size, so the groups made
// from the pieces that have arrived stay valid while the next pieces are read.
#pragma once
#include <cstdio>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "acadstrc.h"

namespace arx::dxf {

// The file gave less than its size (it shrank, or the disk failed): what() is the message.
class FileReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class DrawingText {
public:
    // A text that is all in memory (the caller keeps it alive).
    explicit DrawingText(std::string_view whole);
    // The text of an open file of `size` bytes, read as readMore asks; the file is closed with
    // this object. Throws std::bad_alloc when there is no memory for the text.
    DrawingText(std::FILE* file, std::size_t size, std::string fileName);
    ~DrawingText();
    DrawingText(const DrawingText&) = delete;
    DrawingText& operator=(const DrawingText&) = delete;

    std::size_t size() const { return size_; }
    std::string_view arrived() const { return std::string_view(data_, arrived_); }
    bool complete() const { return arrived_ == size_; }
    // Reads the next piece of the file. FileReadError when the file ends before its size.
    void readMore();
    void readAll();
    // The reader holds no view of the text before `position` any more: the memory of a file's
    // text before it is given back to the system (a drawing's text need not stay in memory
    // beside the objects made from it).
    void forgetBefore(const char* position);

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t arrived_ = 0;
    char* buffer_ = nullptr;  // mapped for a file's text
    std::size_t mapped_ = 0;
    std::size_t forgotten_ = 0;  // bytes at the start given back
    std::FILE* file_ = nullptr;
    std::string fileName_;
};

// The drawing file opened, its text still to be read; null with the status and the message of
// the failure (no such file, not readable, no memory for its text).
std::unique_ptr<DrawingText> openDrawingText(const char* fileName, Acad::ErrorStatus& status, std::string& message);

}  // namespace arx::dxf
