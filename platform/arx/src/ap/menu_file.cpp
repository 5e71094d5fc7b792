#include "ap/menu_file.h"

#include <cctype>
#include <fstream>

namespace arx::ap {

namespace {

constexpr const char* kGroupLabel = "***MENUGROUP=";

std::string trimmed(const std::string& line)
{
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    const size_t last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

bool startsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// "ID_NAME [label]macro" or "[label]macro": the label and the macro; false for a line
// without a label.
bool splitMenuLine(const std::string& line, std::string& label, std::string& macro)
{
    const size_t open = line.find('[');
    const size_t close = open == std::string::npos ? std::string::npos : line.find(']', open);
    if (close == std::string::npos) return false;
    label = line.substr(open + 1, close - open - 1);
    macro = trimmed(line.substr(close + 1));
    return true;
}

// A line of a "***POPn" section: its title first (the first labelled line), then its items.
void addPopLine(PopupMenu& menu, bool& titled, const std::string& line)
{
    std::string label, macro;
    if (!splitMenuLine(line, label, macro)) return;
    if (!titled) {
        menu.name = label;
        titled = true;
        return;
    }
    MenuItem item;
    if (label.rfind("--", 0) == 0) {
        item.type = MenuItem::Type::Separator;
    } else {
        item.label = label;
        item.macro = macro;
    }
    menu.items.push_back(item);
}

}  // namespace

std::shared_ptr<MenuGroup> readMenuFile(const std::string& path, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "Unable to open menu file \"" + path + "\".";
        return nullptr;
    }
    auto group = std::make_shared<MenuGroup>();
    std::shared_ptr<PopupMenu> pop;
    bool titled = false;
    std::string line;
    while (std::getline(in, line)) {
        const std::string text = trimmed(line);
        if (text.empty() || text.rfind("//", 0) == 0) continue;
        if (startsWithNoCase(text, kGroupLabel)) {
            group->name = trimmed(text.substr(std::string(kGroupLabel).size()));
            continue;
        }
        if (text.rfind("***", 0) == 0) {
            pop.reset();
            if (startsWithNoCase(text, "***POP")) {
                pop = std::make_shared<PopupMenu>();
                titled = false;
                group->menus.push_back(pop);
            }
            continue;
        }
        if (pop && text.rfind("**", 0) != 0) addPopLine(*pop, titled, text);
    }
    if (group->name.empty()) {
        error = "Menu file \"" + path + "\" has no ***MENUGROUP label.";
        return nullptr;
    }
    return group;
}

bool loadMenuFile(const std::string& path, std::string& error)
{
    std::shared_ptr<MenuGroup> group = readMenuFile(path, error);
    if (!group) return false;
    MenuModel& model = MenuModel::instance();
    if (model.findGroup(group->name)) {
        error = "Menu group \"" + group->name + "\" is already loaded.";
        return false;
    }
    model.groups().push_back(group);
    for (const auto& menu : group->menus) {
        const long size = static_cast<long>(model.menuBar().size());
        model.insertInMenuBar(menu, size > 0 ? size - 1 : 0);
    }
    return true;
}

}  // namespace arx::ap
