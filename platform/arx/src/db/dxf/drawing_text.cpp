#include "db/dxf/drawing_text.h"

#include <sys/mman.h>
#include <sys/stat.h>

#include <algorithm>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define ARX_DRAWING_TEXT_GUARDED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ARX_DRAWING_TEXT_GUARDED 1
#endif
#endif

namespace arx::dxf {

namespace {

// Large enough that reading costs few system calls, small enough that splitting starts at once.
constexpr std::size_t kPiece = 1u << 20;
constexpr std::size_t kPage = 4096;
constexpr std::size_t kForgetStep = 1u << 20;

}  // namespace

DrawingText::DrawingText(std::string_view whole) : data_(whole.data()), size_(whole.size()), arrived_(whole.size()) {}

// The buffer is mapped rather than allocated, so that its pages can be given back one by one.
DrawingText::DrawingText(std::FILE* file, std::size_t size, std::string fileName)
    : size_(size), fileName_(std::move(fileName))
{
    mapped_ = (size + kPage - 1) / kPage * kPage;
    if (mapped_ == 0) mapped_ = kPage;
    void* memory = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    buffer_ = static_cast<char*>(memory);
    data_ = buffer_;
    file_ = file;
}

DrawingText::~DrawingText()
{
    if (file_ != nullptr) std::fclose(file_);
    if (buffer_ != nullptr) munmap(buffer_, mapped_);
}

void DrawingText::forgetBefore(const char* position)
{
    // Checked against the size, not against what has arrived: the splitting thread may be
    // reading the next piece while the host thread forgets.
    if (buffer_ == nullptr || position < buffer_ || position > buffer_ + size_) return;
    const std::size_t upTo = static_cast<std::size_t>(position - buffer_) / kPage * kPage;
    if (upTo < forgotten_ + kForgetStep) return;  // a few calls for a whole file
#ifdef ARX_DRAWING_TEXT_GUARDED
    // Sanitizer builds make the forgotten text unreadable: a view kept too long faults.
    mprotect(buffer_ + forgotten_, upTo - forgotten_, PROT_NONE);
#else
    madvise(buffer_ + forgotten_, upTo - forgotten_, MADV_DONTNEED);
#endif
    forgotten_ = upTo;
}

void DrawingText::readMore()
{
    if (complete()) return;
    const std::size_t wanted = std::min(kPiece, size_ - arrived_);
    const std::size_t read = std::fread(buffer_ + arrived_, 1, wanted, file_);
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
