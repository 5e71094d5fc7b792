#include "lisp/builtin_args.h"

#include "lisp/errors.h"

namespace arx::lisp {

void requireArgumentCount(const Arguments& arguments, std::size_t minimum, std::size_t maximum)
{
    if (arguments.size() < minimum) throw errors::tooFewArguments();
    if (arguments.size() > maximum) throw errors::tooManyArguments();
}

void requireAtLeast(const Arguments& arguments, std::size_t minimum)
{
    if (arguments.size() < minimum) throw errors::tooFewArguments();
}

std::int32_t integerArgument(const Value& value)
{
    if (!isInteger(value)) throw errors::badArgumentType("fixnump", value);
    return integerOf(value);
}

double numberArgument(const Value& value)
{
    if (!isNumber(value)) throw errors::badArgumentType("numberp", value);
    return numberOf(value);
}

const std::string& stringArgument(const Value& value)
{
    if (!isString(value)) throw errors::badArgumentType("stringp", value);
    return textOf(value);
}

const Symbol& symbolArgument(const Value& value)
{
    if (!isSymbol(value)) throw errors::badArgumentType("symbolp", value);
    return symbolOf(value);
}

const long* entityNameArgument(const Value& value)
{
    if (!isEntityName(value)) throw errors::badArgumentType("lentityp", value);
    return adsNameOf(value);
}

const long* selectionSetArgument(const Value& value)
{
    if (!isSelectionSet(value)) throw errors::badArgumentType("lselsetp", value);
    return adsNameOf(value);
}

const Value& listArgument(const Value& value)
{
    if (!isList(value)) throw errors::badArgumentType("listp", value);
    return value;
}

void pointArgument(const Value& value, double point[3], bool* is3d)
{
    std::vector<Value> items;
    bool proper = isCons(value) && listElements(value, items);
    if (!proper || items.size() < 2 || items.size() > 3) throw errors::badArgumentType("2D/3D point", value);
    for (const Value& item : items)
        if (!isNumber(item)) throw errors::badArgumentType("2D/3D point", value);
    point[0] = numberOf(items[0]);
    point[1] = numberOf(items[1]);
    point[2] = items.size() == 3 ? numberOf(items[2]) : 0.0;
    if (is3d) *is3d = items.size() == 3;
}

std::vector<Value> properListElements(const Value& list)
{
    if (!isList(list)) throw errors::badArgumentType("listp", list);
    std::vector<Value> items;
    Value rest = list;
    while (isCons(rest)) {
        items.push_back(consOf(rest).car());
        rest = consOf(rest).cdr();
    }
    if (rest) throw errors::badList(rest);
    return items;
}

}  // namespace arx::lisp
