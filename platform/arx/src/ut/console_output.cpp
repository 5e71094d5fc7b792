// acutPrintf: formats and hands the text to the registered console writer.
#include "ut/console_output.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "acutads.h"

namespace arx::ut {

namespace {

// A plain pointer, set before or during static initialisation in any order.
constinit ConsoleWriter registeredWriter = nullptr;

}  // namespace

void setConsoleWriter(ConsoleWriter writer) { registeredWriter = writer; }

void writeToConsole(std::string_view ansiText)
{
    if (registeredWriter) {
        registeredWriter(ansiText);
        return;
    }
    std::fwrite(ansiText.data(), 1, ansiText.size(), stdout);
    std::fflush(stdout);
}

}  // namespace arx::ut

int acutPrintf(const char* format, ...)
{
    if (format == nullptr) return 0;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0) {
        va_end(args);
        return 0;
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    arx::ut::writeToConsole(std::string_view(buffer.data(), static_cast<size_t>(length)));
    return length;
}
