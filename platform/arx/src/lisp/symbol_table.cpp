// The process-wide table of interned symbols. AutoLISP symbol names are case-insensitive;
// the table keys them by their upper-case spelling, which is also how they print.
#include <string>
#include <unordered_map>

#include "lisp/value.h"

namespace arx::lisp {

namespace {

std::unordered_map<std::string, Value>& symbolTable()
{
    static std::unordered_map<std::string, Value> table;
    return table;
}

}  // namespace

std::string Symbol::upperCase(std::string_view name)
{
    std::string upper(name);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

Value Symbol::intern(std::string_view name)
{
    std::string upper = upperCase(name);
    auto& table = symbolTable();
    auto found = table.find(upper);
    if (found != table.end()) return found->second;
    Value symbol = std::make_shared<Symbol>(upper);
    table.emplace(std::move(upper), symbol);
    return symbol;
}

}  // namespace arx::lisp
