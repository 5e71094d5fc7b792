// Keyword lists of acedInitGet: "Local1 Local2 _Global1 Global2". Words before "_" are the
// local keywords, after it the global ones; a typed local keyword returns its global one.
// A keyword is matched by its capital letters (its abbreviation) or by any longer prefix.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arx::ed {

class KeywordList {
public:
    KeywordList() = default;
    explicit KeywordList(std::string_view keywords);

    bool empty() const { return local_.empty(); }
    // The global keyword the answer selects, or nullopt.
    std::optional<std::string> match(std::string_view answer) const;

private:
    std::vector<std::string> local_;
    std::vector<std::string> global_;
};

}  // namespace arx::ed
