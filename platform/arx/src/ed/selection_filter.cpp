#include "ed/selection_filter.h"

#include <cctype>
#include <cmath>
#include <memory>

#include "acdbads_db.h"
#include "acutads.h"
#include "adscodes.h"
#include "db/dxf_item.h"
#include "ed/upper_case.h"

namespace arx::ed {
namespace {

using Node = SelectionFilter::Node;
using Kind = arx::db::DxfItem::Kind;

constexpr double kEqualityFuzz = 1e-10;

struct ChainRelease {
    void operator()(resbuf* chain) const { acutRelRb(chain); }
};
using Chain = std::unique_ptr<resbuf, ChainRelease>;

bool isText(int code) { return code == 0 || arx::db::kindOfCode(code) == Kind::Text; }

// The logical group an operator string opens or closes; Node::Kind::Test when neither.
Node::Kind groupKind(const std::string& name, bool& opens, bool& closes)
{
    const std::string op = upper(name);
    opens = !op.empty() && op.front() == '<' && op.size() > 2;
    closes = !op.empty() && op.back() == '>' && op.size() > 2;
    const std::string word = opens ? op.substr(1) : closes ? op.substr(0, op.size() - 1) : op;
    if (!opens && !closes) return Node::Kind::Test;
    if (word == "AND") return Node::Kind::And;
    if (word == "OR") return Node::Kind::Or;
    if (word == "XOR") return Node::Kind::Xor;
    if (word == "NOT") return Node::Kind::Not;
    opens = closes = false;
    return Node::Kind::Test;
}

bool validOperator(const std::string& op)
{
    static const char* known[] = {"=", "!=", "/=", "<>", "<", "<=", ">", ">=", "*", "&", "&="};
    for (const char* k : known)
        if (op == k) return true;
    return false;
}

bool validPointOperator(const std::string& op)
{
    if (validOperator(op)) return true;
    size_t start = 0;
    int parts = 0;
    for (;;) {
        const size_t comma = op.find(',', start);
        const std::string part = op.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!validOperator(part)) return false;
        ++parts;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return parts == 2 || parts == 3;
}

bool operandCountFits(const Node& n)
{
    if (n.kind == Node::Kind::Xor) return n.children.size() == 2;
    if (n.kind == Node::Kind::Not) return n.children.size() == 1;
    return !n.children.empty();
}

template <typename T>
bool compare(const std::string& op, T value, T wanted)
{
    if (op.empty() || op == "=") return value == wanted;
    if (op == "!=" || op == "/=" || op == "<>") return value != wanted;
    if (op == "<") return value < wanted;
    if (op == "<=") return value <= wanted;
    if (op == ">") return value > wanted;
    if (op == ">=") return value >= wanted;
    return op == "*";
}

bool compareReal(const std::string& op, double value, double wanted)
{
    const bool equal = std::fabs(value - wanted) <= kEqualityFuzz * std::max(1.0, std::fabs(wanted));
    if (op.empty() || op == "=") return equal;
    if (op == "!=" || op == "/=" || op == "<>") return !equal;
    return compare(op, value, wanted);
}

bool compareInteger(const std::string& op, long value, long wanted)
{
    if (op == "&") return (value & wanted) != 0;
    if (op == "&=") return (value & wanted) == wanted;
    return compare(op, value, wanted);
}

bool comparePoint(const std::string& op, const double* value, const double* wanted)
{
    std::vector<std::string> ops;
    size_t start = 0;
    for (;;) {
        const size_t comma = op.find(',', start);
        ops.push_back(op.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    for (int i = 0; i < 3; ++i) {
        const std::string& o =
            ops.size() == 1 ? ops[0] : (i < static_cast<int>(ops.size()) ? ops[i] : std::string("*"));
        if (!compareReal(o, value[i], wanted[i])) return false;
    }
    return true;
}

bool compareText(const std::string& op, const char* value, const char* pattern)
{
    const bool match = acutWcMatch(upper(value ? value : "").c_str(), upper(pattern ? pattern : "").c_str()) == RTNORM;
    if (op == "*") return true;
    if (op == "!=" || op == "/=" || op == "<>") return !match;
    return match;
}

long integerOf(const resbuf& rb)
{
    return arx::db::integerBitsOfCode(rb.restype) >= 32 ? rb.resval.rlong : rb.resval.rint;
}

bool groupMatches(const Node& test, const resbuf& value)
{
    const std::string& op = test.op;
    if (isText(test.code)) return compareText(op, value.resval.rstring, test.text.c_str());
    switch (arx::db::kindOfCode(test.code)) {
    case Kind::Real: return compareReal(op, value.resval.rreal, test.real);
    case Kind::Point: return comparePoint(op, value.resval.rpoint, test.point);
    case Kind::Integer: return compareInteger(op, integerOf(value), test.integer);
    case Kind::Id:
        return compare(op == "*"                                  ? op
                       : (op == "!=" || op == "/=" || op == "<>") ? "!="
                                                                  : "=",
                       value.resval.rlname[0], test.name);
    default: return op == "*";
    }
}

// Keeps the group's value in the test; false for a group a filter cannot hold.
bool takeValue(const resbuf& rb, Node& test)
{
    test.code = rb.restype;
    if (isText(rb.restype)) {
        test.text = rb.resval.rstring ? rb.resval.rstring : "";
        return true;
    }
    switch (arx::db::kindOfCode(rb.restype)) {
    case Kind::Real: test.real = rb.resval.rreal; return true;
    case Kind::Point:
        for (int i = 0; i < 3; ++i) test.point[i] = rb.resval.rpoint[i];
        return true;
    case Kind::Integer: test.integer = integerOf(rb); return true;
    case Kind::Id: test.name = rb.resval.rlname[0]; return true;
    default: return false;
    }
}

// The value an entity has without writing the group.
bool defaultGroup(int code, resbuf& out)
{
    out.rbnext = nullptr;
    out.restype = static_cast<short>(code);
    static char bylayer[] = "BYLAYER";
    switch (code) {
    case 62: out.resval.rint = 256; return true;
    case 67: out.resval.rint = 0; return true;
    case 39: out.resval.rreal = 0.0; return true;
    case 6: out.resval.rstring = bylayer; return true;
    default: return false;
    }
}

bool testMatches(const Node& test, const resbuf* entity)
{
    bool seen = false;
    for (const resbuf* rb = entity; rb != nullptr && rb->restype != -3; rb = rb->rbnext) {
        if (rb->restype != test.code) continue;
        seen = true;
        if (groupMatches(test, *rb)) return true;
    }
    resbuf fallback;
    if (!seen && defaultGroup(test.code, fallback)) return groupMatches(test, fallback);
    return false;
}

bool xdataMatches(const Node& node, const resbuf* entity)
{
    const resbuf* rb = entity;
    while (rb != nullptr && rb->restype != -3) rb = rb->rbnext;
    for (const std::string& app : node.apps) {
        bool found = false;
        for (const resbuf* item = rb; item != nullptr && !found; item = item->rbnext)
            found = item->restype == 1001 && compareText("=", item->resval.rstring, app.c_str());
        if (!found) return false;
    }
    return true;
}

bool evaluate(const Node& node, const resbuf* entity)
{
    switch (node.kind) {
    case Node::Kind::Test: return testMatches(node, entity);
    case Node::Kind::Xdata: return xdataMatches(node, entity);
    case Node::Kind::And:
        for (const Node& c : node.children)
            if (!evaluate(c, entity)) return false;
        return true;
    case Node::Kind::Or:
        for (const Node& c : node.children)
            if (evaluate(c, entity)) return true;
        return false;
    case Node::Kind::Xor: return evaluate(node.children[0], entity) != evaluate(node.children[1], entity);
    case Node::Kind::Not: return !evaluate(node.children[0], entity);
    }
    return false;
}

}  // namespace

bool SelectionFilter::parse(const resbuf* chain)
{
    root_ = Node{};
    wantsXdata_ = false;
    std::vector<Node> stack(1);
    std::string pendingOp;
    bool havePendingOp = false;
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
        if (rb->restype == -4) {
            const std::string text = rb->resval.rstring ? rb->resval.rstring : "";
            bool opens = false, closes = false;
            const Node::Kind kind = groupKind(text, opens, closes);
            if (havePendingOp) return false;
            if (opens) {
                Node group;
                group.kind = kind;
                stack.push_back(std::move(group));
            } else if (closes) {
                if (stack.size() < 2 || stack.back().kind != kind || !operandCountFits(stack.back())) return false;
                Node done = std::move(stack.back());
                stack.pop_back();
                stack.back().children.push_back(std::move(done));
            } else {
                pendingOp = text;
                havePendingOp = true;
            }
            continue;
        }
        if (rb->restype == -3) {
            Node xdata;
            xdata.kind = Node::Kind::Xdata;
            while (rb->rbnext != nullptr && rb->rbnext->restype == 1001) {
                rb = rb->rbnext;
                xdata.apps.push_back(rb->resval.rstring ? rb->resval.rstring : "");
            }
            if (xdata.apps.empty() || havePendingOp) return false;
            wantsXdata_ = true;
            stack.back().children.push_back(std::move(xdata));
            continue;
        }
        Node test;
        test.kind = Node::Kind::Test;
        resbuf item = *rb;
        if (item.restype == RTDXF0) item.restype = 0;  // the entity type as acutBuildList gives it
        if (havePendingOp) {
            const bool point = arx::db::kindOfCode(item.restype) == Kind::Point;
            if (!(point ? validPointOperator(pendingOp) : validOperator(pendingOp))) return false;
            test.op = pendingOp;
        }
        havePendingOp = false;
        if (!takeValue(item, test)) return false;
        stack.back().children.push_back(std::move(test));
    }
    if (stack.size() != 1 || havePendingOp) return false;
    root_ = std::move(stack.front());
    return true;
}

bool SelectionFilter::matches(const ads_name entity) const
{
    if (root_.children.empty()) return true;
    Chain list;
    if (wantsXdata_) {
        resbuf all{nullptr, RTSTR, {}};
        static char star[] = "*";
        all.resval.rstring = star;
        list.reset(acdbEntGetX(entity, &all));
    } else {
        list.reset(acdbEntGet(entity));
    }
    return list != nullptr && evaluate(root_, list.get());
}

}  // namespace arx::ed
