#include "ed/views_input.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "adscodes.h"
#include "ed/keywords.h"
#include "ed/prompts.h"

namespace arx::views {
namespace {

std::optional<double> number(const std::string& text)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(v)) return std::nullopt;
    return v;
}

bool parsePoint(const std::string& text, AcGePoint3d& out)
{
    double c[3] = {0.0, 0.0, 0.0};
    size_t start = 0;
    int count = 0;
    for (; count < 3; ++count) {
        const size_t comma = text.find(',', start);
        auto v = number(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!v) return false;
        c[count] = *v;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (count < 1 || count > 2) return false;  // two or three coordinates
    out.set(c[0], c[1], c[2]);
    return true;
}

// "2", "2x", "0.5xp" (any case).
bool parseScale(const std::string& text, ViewAnswer& out)
{
    std::string digits = text;
    ViewAnswer::Scale scale = ViewAnswer::Scale::Plain;
    auto endsWith = [&](const char* suffix) {
        const size_t n = std::char_traits<char>::length(suffix);
        if (digits.size() <= n) return false;
        for (size_t i = 0; i < n; ++i)
            if (std::toupper(static_cast<unsigned char>(digits[digits.size() - n + i])) != suffix[i]) return false;
        digits.resize(digits.size() - n);
        return true;
    };
    if (endsWith("XP")) scale = ViewAnswer::Scale::Paper;
    else if (endsWith("X")) scale = ViewAnswer::Scale::Current;
    auto v = number(digits);
    if (!v) return false;
    out.kind = ViewAnswer::Kind::Number;
    out.number = *v;
    out.scale = scale;
    return true;
}

bool fromValue(const ed::AnswerValue& v, ViewAnswer& out)
{
    switch (v.type) {
    case RTPOINT:
    case RT3DPOINT:
        out.kind = ViewAnswer::Kind::Point;
        out.point.set(v.point[0], v.point[1], v.type == RT3DPOINT ? v.point[2] : 0.0);
        return true;
    case RTREAL:
    case RTANG:
        out.kind = ViewAnswer::Kind::Number;
        out.number = v.real;
        return true;
    case RTSHORT:
    case RTLONG:
        out.kind = ViewAnswer::Kind::Number;
        out.number = static_cast<double>(v.integer);
        return true;
    default: return false;
    }
}

}  // namespace

bool parseViewAnswer(const std::string& text, const std::string& keywords, ViewAnswer& out)
{
    out = ViewAnswer{};
    if (auto global = ed::KeywordList(keywords).match(text)) {
        out.kind = ViewAnswer::Kind::Keyword;
        out.keyword = *global;
        return true;
    }
    if (text.find(',') != std::string::npos) {
        if (!parsePoint(text, out.point)) return false;
        out.kind = ViewAnswer::Kind::Point;
        return true;
    }
    return parseScale(text, out);
}

ViewAnswer askViewAnswer(const char* prompt, const char* keywords)
{
    ed::Prompts& prompts = ed::Prompts::instance();
    prompts.take();
    for (;;) {
        prompts.showPrompt(prompt);
        const ed::Answer answer = prompts.read(ed::AnswerRequest{});
        ViewAnswer out;
        if (answer.kind == ed::Answer::Kind::Cancel) return out;
        if (answer.isEnter()) {
            out.kind = ViewAnswer::Kind::Enter;
            return out;
        }
        const bool isText = answer.kind == ed::Answer::Kind::Text || answer.value.type == RTSTR;
        if (isText ? parseViewAnswer(ed::answerText(answer), keywords, out) : fromValue(answer.value, out)) {
            if (out.kind == ViewAnswer::Kind::Keyword) prompts.setLastKeyword(out.keyword);
            return out;
        }
        prompts.complain("Point or option keyword required.");
    }
}

}  // namespace arx::views
