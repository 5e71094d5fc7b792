#include "lisp/printer.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace arx::lisp {

namespace {

// Deeper nesting (only possible in lists built by a program) prints as "(...)" rather than
// risking the stack.
constexpr int kMaxPrintDepth = 1000;

void appendEscapedString(std::string& out, const std::string& text)
{
    out += '"';
    for (char c : text) {
        auto code = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\x1b': out += "\\e"; break;
        default:
            if (code < 0x20) {
                char octal[8];
                std::snprintf(octal, sizeof octal, "\\%03o", code);
                out += octal;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendHex(std::string& out, unsigned long value, bool padTo8)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, padTo8 ? "%08lx" : "%lx", value);
    out += buffer;
}

void appendFunction(std::string& out, const Value& value)
{
    const auto& function = static_cast<const Function&>(*value);
    switch (value->type()) {
    case Type::Builtin: out += "#<SUBR @"; break;
    case Type::UserFunction: out += "#<USUBR @"; break;
    default: out += "#<EXRXSUBR @"; break;
    }
    auto address = reinterpret_cast<std::uintptr_t>(value.get()) & 0xffffffffu;
    appendHex(out, static_cast<unsigned long>(address), true);
    out += ' ';
    out += function.name().empty() ? std::string("-lambda-") : Symbol::upperCase(function.name());
    out += '>';
}

void appendValue(std::string& out, const Value& value, PrintStyle style, int depth);

void appendList(std::string& out, const Value& list, PrintStyle style, int depth)
{
    if (depth >= kMaxPrintDepth) {
        out += "(...)";
        return;
    }
    out += '(';
    Value rest = list;
    bool first = true;
    while (isCons(rest)) {
        if (!first) out += ' ';
        first = false;
        appendValue(out, consOf(rest).car(), style, depth + 1);
        rest = consOf(rest).cdr();
    }
    if (rest) {
        out += " . ";
        appendValue(out, rest, style, depth + 1);
    }
    out += ')';
}

void appendValue(std::string& out, const Value& value, PrintStyle style, int depth)
{
    if (!value) {
        out += "nil";
        return;
    }
    switch (value->type()) {
    case Type::Integer: out += std::to_string(integerOf(value)); break;
    case Type::Real: out += formatReal(realOf(value)); break;
    case Type::String:
        if (style == PrintStyle::Prin1) appendEscapedString(out, textOf(value));
        else out += textOf(value);
        break;
    case Type::Symbol: out += symbolOf(value).name(); break;
    case Type::Cons: appendList(out, value, style, depth); break;
    case Type::EntityName:
        out += "<Entity name: ";
        appendHex(out, static_cast<unsigned long>(adsNameOf(value)[0]), false);
        out += '>';
        break;
    case Type::SelectionSet:
        out += "<Selection set: ";
        appendHex(out, static_cast<unsigned long>(adsNameOf(value)[0]), false);
        out += '>';
        break;
    case Type::Builtin:
    case Type::UserFunction:
    case Type::External: appendFunction(out, value); break;
    }
}

}  // namespace

void appendPrinted(std::string& out, const Value& value, PrintStyle style) { appendValue(out, value, style, 0); }

std::string printValue(const Value& value, PrintStyle style)
{
    std::string out;
    appendValue(out, value, style, 0);
    return out;
}

std::string formatReal(double value)
{
    if (std::isnan(value)) return "-1.#IND";
    if (std::isinf(value)) return value > 0 ? "1.#INF" : "-1.#INF";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    std::string text(buffer, result.ptr);
    std::string mantissa = text;
    std::string exponent;
    if (auto e = text.find('e'); e != std::string::npos) {
        mantissa = text.substr(0, e);
        exponent = text.substr(e + 1);  // sign and digits
    }
    if (mantissa.find('.') == std::string::npos) mantissa += ".0";
    if (exponent.empty()) return mantissa;
    char sign = exponent[0];
    std::string digits = exponent.substr(1);
    while (digits.size() < 3) digits.insert(digits.begin(), '0');
    return mantissa + "e" + sign + digits;
}

}  // namespace arx::lisp
