#include "ap/lisp_selection_functions.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "ap/lisp_entity_functions.h"
#include "lisp/lisp_host.h"
#include "ut/resbuf_memory.h"

namespace arx::ap {
namespace {

using namespace arx::lisp;

using Chain = ut::ResbufChain;

bool isPointValue(const Value& v)
{
    if (!isCons(v)) return false;
    std::vector<Value> items = properListElements(v);
    if (items.size() < 2 || items.size() > 3) return false;
    for (const Value& item : items)
        if (!isNumber(item)) return false;
    return true;
}

// (ssget [mode] [pt1 [pt2]] [filter]): a filter is a list of groups, a point a list of numbers.
Value ssget(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 0, 4);
    std::string mode;
    bool hasMode = false;
    std::vector<std::array<double, 3>> points;
    Chain filter;
    for (size_t i = 0; i < args.size(); ++i) {
        const Value& arg = args[i];
        if (i == 0 && isString(arg)) {
            mode = textOf(arg);
            hasMode = true;
        } else if (isPointValue(arg) && points.size() < 2) {
            std::array<double, 3> p{};
            pointArgument(arg, p.data());
            points.push_back(p);
        } else if (i == args.size() - 1 && isList(arg)) {
            filter.reset(dxfChainOf(arg));
        } else {
            throw errors::badArgumentType("stringp", arg);
        }
    }
    ads_name set = {0, 0};
    const int status = acedSSGet(hasMode ? mode.c_str() : nullptr, points.size() > 0 ? points[0].data() : nullptr,
                                 points.size() > 1 ? points[1].data() : nullptr, filter.get(), set);
    if (status == RTCAN) throw errors::functionCancelled();
    return status == RTNORM ? makeSelectionSet(set) : nullptr;
}

Value ssadd(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 0, 2);
    const long* entity = args.empty() ? nullptr : entityNameArgument(args[0]);
    const long* set = args.size() < 2 ? nullptr : selectionSetArgument(args[1]);
    ads_name result = {0, 0};
    if (acedSSAdd(entity, set, result) != RTNORM) return nullptr;
    return makeSelectionSet(result);
}

Value ssdel(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2);
    const long* entity = entityNameArgument(args[0]);
    const long* set = selectionSetArgument(args[1]);
    return acedSSDel(entity, set) == RTNORM ? args[1] : nullptr;
}

Value ssname(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2);
    const long* set = selectionSetArgument(args[0]);
    const double index = numberArgument(args[1]);
    if (index < 0.0 || index > 2147483647.0) return nullptr;
    ads_name entity = {0, 0};
    if (acedSSName(set, static_cast<long>(index), entity) != RTNORM) return nullptr;
    return makeEntityName(entity);
}

Value sslength(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1);
    long length = 0;
    if (acedSSLength(selectionSetArgument(args[0]), &length) != RTNORM) return nullptr;
    return makeInteger(static_cast<std::int32_t>(length));
}

Value ssmemb(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 2);
    const long* entity = entityNameArgument(args[0]);
    return acedSSMemb(entity, selectionSetArgument(args[1])) == RTNORM ? args[0] : nullptr;
}

// (sssetfirst gripset [pickset]): the grip set must be nil; returns its arguments as a list.
Value sssetfirst(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 1, 2);
    if (!isNil(args[0])) selectionSetArgument(args[0]);
    const Value pick = args.size() > 1 ? args[1] : nullptr;
    if (acedSSSetFirst(isNil(pick) ? nullptr : selectionSetArgument(pick), nullptr) != RTNORM) return nullptr;
    return makeList({args[0], pick});
}

Value ssgetfirst(Interpreter&, const Arguments& args)
{
    requireArgumentCount(args, 0);
    resbuf* grips = nullptr;
    resbuf* picks = nullptr;
    acedSSGetFirst(&grips, &picks);
    Chain g(grips), p(picks);
    const Value pick = p && p->restype == RTPICKS ? makeSelectionSet(p->resval.rlname) : nullptr;
    return makeList({Value(), pick});
}

}  // namespace

void addSelectionBuiltins()
{
    addBuiltin("ssget", ssget);
    addBuiltin("ssadd", ssadd);
    addBuiltin("ssdel", ssdel);
    addBuiltin("ssname", ssname);
    addBuiltin("sslength", sslength);
    addBuiltin("ssmemb", ssmemb);
    addBuiltin("sssetfirst", sssetfirst);
    addBuiltin("ssgetfirst", ssgetfirst);
}

}  // namespace arx::ap
