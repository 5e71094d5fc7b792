#include "ed/keywords.h"

#include <cctype>
#include <sstream>

namespace arx::ed {
namespace {

std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> out;
    std::istringstream stream{std::string(text)};
    for (std::string word; stream >> word;) out.push_back(word);
    return out;
}

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// The part a user must type: the letters up to and including the last capital of the
// leading run that contains capitals; a keyword without capitals or all in capitals must be
// typed whole.
size_t requiredLength(const std::string& keyword)
{
    size_t lastCapital = std::string::npos;
    bool hasLower = false;
    for (size_t i = 0; i < keyword.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(keyword[i]);
        if (std::isupper(c)) lastCapital = i;
        if (std::islower(c)) hasLower = true;
    }
    if (lastCapital == std::string::npos || !hasLower) return keyword.size();
    return lastCapital + 1;
}

bool matches(const std::string& keyword, std::string_view answer)
{
    if (answer.empty() || answer.size() > keyword.size()) return false;
    if (answer.size() < requiredLength(keyword)) return false;
    for (size_t i = 0; i < answer.size(); ++i)
        if (upper(answer[i]) != upper(keyword[i])) return false;
    return true;
}

}  // namespace

KeywordList::KeywordList(std::string_view keywords)
{
    std::vector<std::string> all = words(keywords);
    size_t split = all.size();
    for (size_t i = 0; i < all.size(); ++i)
        if (!all[i].empty() && all[i][0] == '_') {
            split = i;
            break;
        }
    local_.assign(all.begin(), all.begin() + static_cast<long>(split));
    for (size_t i = split; i < all.size(); ++i) global_.push_back(i == split ? all[i].substr(1) : all[i]);
    if (global_.size() != local_.size()) global_ = local_;
}

std::optional<std::string> KeywordList::match(std::string_view answer) const
{
    // A global keyword typed with its underscore selects itself.
    if (!answer.empty() && answer[0] == '_') {
        for (const std::string& g : global_)
            if (matches(g, answer.substr(1))) return g;
        return std::nullopt;
    }
    for (size_t i = 0; i < local_.size(); ++i)
        if (matches(local_[i], answer)) return global_[i];
    return std::nullopt;
}

}  // namespace arx::ed
