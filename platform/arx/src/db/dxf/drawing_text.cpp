#include "db/dxf/drawing_text.h"

#include <sys/stat.h>

#include <algorithm>
#include <new>

namespace arx::dxf {

namespace {

// Large enough that reading costs few system calls, small enough that splitting starts at once.
constexpr std::size_t kPiece = 1u << 20;

}  // namespace

DrawingText::DrawingText(std::string_view whole) : data_(whole.data()), size_(whole.size()), arrived_(whole.size()) {}

// The buffer is not cleared first: a drawing may be hundreds of megabytes, and every byte of it
// is read before it is used.
DrawingText::DrawingText(std::FILE* file, std::size_t size, std::string fileName)
    : size_(size), buffer_(new char[size == 0 ? 1 : size]), file_(file), fileName_(std::move(fileName))
{
    data_ = buffer_.get();
}

DrawingText::~DrawingText()
{
    if (file_ != nullptr) std::fclose(file_);
}

void DrawingText::readMore()
{
    if (complete()) return;
    const std::size_t wanted = std::min(kPiece, size_ - arrived_);
    const std::size_t read = std::fread(buffer_.get() + arrived_, 1, wanted, file_);
    arrived_ += read;
    if (read != wanted) throw FileReadError("Cannot read the drawing file " + fileName_);
}

void DrawingText::readAll()
{
    while (!complete()) readMore();
}

std::unique_ptr<DrawingText> openDrawingText(const char* fileName, Acad::ErrorStatus& status, std::string& message)
{
    struct stat info {};
    if (::stat(fileName, &info) != 0) {
        status = Acad::eFileNotFound;
        message = std::string("Cannot find the drawing file ") + fileName;
        return nullptr;
    }
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        status = Acad::eFileAccessErr;
        message = std::string("Cannot open the drawing file ") + fileName;
        return nullptr;
    }
    try {
        return std::make_unique<DrawingText>(file, static_cast<std::size_t>(info.st_size), fileName);
    } catch (const std::bad_alloc&) {
        std::fclose(file);
        status = Acad::eOutOfMemory;
        message = "Error in DXF file: not enough memory to read it";
        return nullptr;
    }
}

}  // namespace arx::dxf
