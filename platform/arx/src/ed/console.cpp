#include "ed/console.h"

#include <cstdio>

#include "acedads.h"
#include "ut/console_output.h"

namespace arx::ed {
namespace {

// Code points of 0x80..0x9F in code page 1252; 0 where the code page has no character.
constexpr char32_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string ansiToUtf8(std::string_view ansiText)
{
    std::string out;
    out.reserve(ansiText.size());
    for (unsigned char c : ansiText) {
        if (c < 0x80) out += static_cast<char>(c);
        else if (c < 0xA0) appendUtf8(out, kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : U'?');
        else appendUtf8(out, c);
    }
    return out;
}

std::string utf8ToAnsi(std::string_view utf8Text)
{
    std::string out;
    out.reserve(utf8Text.size());
    for (size_t i = 0; i < utf8Text.size();) {
        auto c = static_cast<unsigned char>(utf8Text[i]);
        int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool valid = length > 0 && i + length <= utf8Text.size();
        char32_t cp = length == 1 ? c : length == 2 ? (c & 0x1F) : length == 3 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; valid && k < length; ++k) {
            auto cc = static_cast<unsigned char>(utf8Text[i + k]);
            valid = (cc & 0xC0) == 0x80;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!valid) {  // not UTF-8: keep the byte as it is
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        i += length;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k)
            if (kCp1252High[k] == cp) mapped = static_cast<char>(0x80 + k);
        out += mapped;
    }
    return out;
}

namespace {

void writeThroughConsole(std::string_view ansiText) { Console::instance().write(ansiText); }

// acutPrintf (the ut area) prints through the console from the moment the library is loaded.
[[maybe_unused]] const bool consoleWriterRegistered = (ut::setConsoleWriter(&writeThroughConsole), true);

}  // namespace

Console& Console::instance()
{
    static Console console;
    return console;
}

Console::Console() { resetSink(); }

void Console::setSink(Sink sink) { sink_ = std::move(sink); }

void Console::resetSink()
{
    sink_ = [](std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    };
}

void Console::write(std::string_view ansiText)
{
    if (ansiText.empty()) return;
    atLineStart_ = ansiText.back() == '\n';
    sink_(ansiToUtf8(ansiText));
}

void Console::ensureLineStart()
{
    if (!atLineStart_) write("\n");
}

void Console::alert(std::string_view ansiText)
{
    ensureLineStart();
    if (!ansiText.empty() && ansiText.back() == '\n') ansiText.remove_suffix(1);
    std::string block = "+-- Alert ------------------------------------------\n";
    size_t start = 0;
    while (start <= ansiText.size()) {
        size_t end = ansiText.find('\n', start);
        if (end == std::string_view::npos) end = ansiText.size();
        block += "| ";
        block += ansiText.substr(start, end - start);
        block += "\n";
        start = end + 1;
    }
    block += "+---------------------------------------------------\n";
    write(block);
}

}  // namespace arx::ed

int acedAlert(const char* string)
{
    arx::ed::Console::instance().alert(string ? string : "");
    return RTNORM;
}
