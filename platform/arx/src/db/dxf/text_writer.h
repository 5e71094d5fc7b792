// Writes DXF groups as text, formatted as the host writes them: the code right-aligned in
// three columns, 16-bit integers in six, 32-bit integers in nine, reals in their shortest
// exact form. Output collects in a buffer that a sink empties from time to time, so a large
// drawing is written without holding the whole file in memory. Each group is formatted
// straight into the buffer, without a string per value.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "db/dxf/group_code.h"

namespace arx::dxf {

class TextWriter {
public:
    // The sink receives the text in chunks, in order; it returns false when it could not take
    // them (disk full...), which makes the writer fail from then on.
    using Sink = std::function<bool(std::string_view chunk)>;

    explicit TextWriter(Sink sink, std::string_view lineEnd = "\r\n");
    // Collects everything in memory; text() returns it.
    TextWriter();
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void string(int code, std::string_view value);
    void real(int code, double value);
    void integer(int code, std::int64_t value);
    void handle(int code, std::uint64_t value);
    // Bytes as upper-case hexadecimal, two digits a byte.
    void binary(int code, const unsigned char* data, std::size_t size);
    // A point: X with `xCode`, Y with xCode + 10, Z with xCode + 20 (not written for 2D).
    void point(int xCode, double x, double y, double z);
    void point2d(int xCode, double x, double y);
    // Text whose type follows from the code, written as given after checking that a number
    // group holds a number. False (nothing written, the writer failed) when it does not.
    bool raw(int code, std::string_view text);

    // Passes what is buffered to the sink. False when the sink failed now or before.
    bool flush();
    bool failed() const { return failed_; }
    // A real that was not finite, a string with a line break in it, or a sink failure.
    const std::string& problem() const { return problem_; }
    std::string_view text() const { return {buffer_.get(), size_}; }
    std::uint64_t bytesWritten() const { return written_ + size_; }

private:
    // Room for `count` more characters at the end of the buffer; where they go.
    char* reserve(std::size_t count);
    void grow(std::size_t count);
    char* codeLine(char* out, int code);
    char* endLine(char* out);
    void finishGroup(char* end);
    void fail(const std::string& problem);

    Sink sink_;
    std::unique_ptr<char[]> buffer_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    std::string lineEnd_;
    std::uint64_t written_ = 0;
    bool failed_ = false;
    std::string problem_;
};

}  // namespace arx::dxf
