// String functions: strcat, strlen, substr, strcase, itoa, atoi, atof, rtos, ascii, chr,
// wcmatch. Strings are bytes of the host's code page; case changes touch ASCII letters only.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "lisp/builtin_args.h"
#include "lisp/builtin_registry.h"
#include "lisp/errors.h"
#include "lisp/lisp_host.h"
#include "lisp/rtos.h"
#include "ut/wcmatch.h"

namespace arx::lisp {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view skipSpaces(std::string_view text)
{
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    return text;
}

Value strcat(Interpreter&, const Arguments& args)
{
    std::string result;
    for (const Value& arg : args) result += stringArgument(arg);
    return makeString(std::move(result));
}

Value strlen(Interpreter&, const Arguments& args)
{
    std::size_t total = 0;
    for (const Value& arg : args) total += stringArgument(arg).size();
    return makeInteger(static_cast<std::int32_t>(total));
}

// (substr string start [length]): start counts from 1.
Value substr(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2, 3);
    const std::string& text = stringArgument(args[0]);
    std::int32_t start = integerArgument(args[1]);
    if (start < 1) throw errors::badArgumentValue("positive", args[1]);
    std::size_t from = static_cast<std::size_t>(start) - 1;
    if (from >= text.size()) return makeString("");
    std::size_t count = std::string::npos;
    if (args.size() == 3) {
        std::int32_t length = integerArgument(args[2]);
        if (length < 0) throw errors::badArgumentValue("non-negative", args[2]);
        count = static_cast<std::size_t>(length);
    }
    return makeString(text.substr(from, count));
}

Value strcase(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1, 2);
    std::string text = stringArgument(args[0]);
    bool lower = args.size() == 2 && args[1];
    for (char& c : text) {
        if (lower && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (!lower && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return makeString(std::move(text));
}

Value itoa(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    return makeString(std::to_string(integerArgument(args[0])));
}

// The C library's atoi: blanks, a sign, digits; 0 when there are none. Out of range clamps.
Value atoi(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    std::string_view text = skipSpaces(stringArgument(args[0]));
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t{1} << 40);
    }
    if (negative) value = -value;
    value = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    return makeInteger(static_cast<std::int32_t>(value));
}

// The C library's atof: the longest number at the start of the text, 0.0 when there is none.
Value atof(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    std::string_view text = skipSpaces(stringArgument(args[0]));
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    double value = 0.0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) value = std::numeric_limits<double>::infinity();
    else if (result.ec != std::errc()) value = 0.0;
    return makeReal(negative ? -value : value);
}

// (rtos number [mode [precision]]): mode and precision default to LUNITS and LUPREC.
Value rtos(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1, 3);
    double number = numberArgument(args[0]);
    UnitSettings settings;
    settings.mode = args.size() >= 2 ? integerArgument(args[1]) : integerVariable("LUNITS", 2);
    settings.precision = args.size() == 3 ? integerArgument(args[2]) : integerVariable("LUPREC", 4);
    settings.dimzin = integerVariable("DIMZIN", 0);
    settings.unitmode = integerVariable("UNITMODE", 0);
    if (args.size() == 3 && (settings.precision < 0 || settings.precision > 8))
        throw errors::badArgumentValue("precision", args[2]);
    std::string text;
    if (!formatLinear(number, settings, text)) {
        if (args.size() >= 2) throw errors::badArgumentValue("units", args[1]);
        settings.mode = 2;  // a drawing's odd LUNITS: decimal
        formatLinear(number, settings, text);
    }
    return makeString(std::move(text));
}

Value ascii(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    const std::string& text = stringArgument(args[0]);
    return makeInteger(text.empty() ? 0 : static_cast<unsigned char>(text[0]));
}

Value chr(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    auto code = static_cast<unsigned char>(integerArgument(args[0]) & 0xff);
    return makeString(code == 0 ? std::string() : std::string(1, static_cast<char>(code)));
}

Value wcmatch(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2);
    return boolean(ut::wildcardMatch(stringArgument(args[0]), stringArgument(args[1])));
}

}  // namespace

void registerStringBuiltins()
{
    addBuiltin("strcat", strcat);
    addBuiltin("strlen", strlen);
    addBuiltin("substr", substr);
    addBuiltin("strcase", strcase);
    addBuiltin("itoa", itoa);
    addBuiltin("atoi", atoi);
    addBuiltin("atof", atof);
    addBuiltin("rtos", rtos);
    addBuiltin("ascii", ascii);
    addBuiltin("chr", chr);
    addBuiltin("wcmatch", wcmatch);
}

}  // namespace arx::lisp
