// Selection filters (acedSSGet and ssget filter lists). A filter is a chain of groups:
// (code . value) keeps entities that have such a group (strings with wild cards, any case);
// (-4 . "op") before a group compares with "=", "!=", "/=", "<>", "<", "<=", ">", ">=", "*",
// "&" (some bits) or "&=" (all bits), for points one operator per coordinate ("<,>,*");
// (-4 . "<AND") ... (-4 . "AND>"), "<OR", "<XOR" (two operands) and "<NOT" (one) group
// them, in any case; -3 followed by 1001 application names keeps entities with extended
// data of those applications. A group missing from an entity's list takes the host's
// default (colour 256 BYLAYER, linetype "BYLAYER", space 0, thickness 0).
#pragma once
#include <string>
#include <vector>

#include "adsdef.h"

namespace arx::ed {

class SelectionFilter {
public:
    // Parses a filter chain; false (with nothing kept) when it is not a valid filter.
    bool parse(const resbuf* chain);
    bool empty() const { return root_.children.empty(); }
    // True when the entity's list (acdbEntGet, with extended data when the filter asks for
    // it) matches.
    bool matches(const ads_name entity) const;

    struct Node {
        enum class Kind { And, Or, Xor, Not, Test, Xdata };
        Kind kind = Kind::And;
        std::string op;  // Test: the relational operator ("" means "=")
        int code = 0;    // Test: the group and its value
        std::string text;
        double real = 0.0;
        double point[3] = {0.0, 0.0, 0.0};
        long integer = 0;
        long name = 0;
        std::vector<std::string> apps;  // Xdata: application names
        std::vector<Node> children;
    };

private:
    Node root_;
    bool wantsXdata_ = false;
};

}  // namespace arx::ed
