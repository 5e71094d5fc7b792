// The host's menus: loaded menu groups with their pop-up menus, and the menu bar, which
// shows some of those pop-up menus in order. The automation objects (menu_automation.cpp)
// are views of this model.
#pragma once
#include <memory>
#include <string>
#include <vector>

namespace arx::ap {

struct MenuItem {
    enum class Type { Item = 0, Separator = 1 };
    Type type = Type::Item;
    std::string label;
    std::string macro;
};

struct PopupMenu {
    std::string name;  // with its mnemonic, e.g. "&File"
    std::vector<MenuItem> items;
    std::string nameNoMnemonic() const;
};

struct MenuGroup {
    std::string name;
    std::vector<std::shared_ptr<PopupMenu>> menus;
};

class MenuModel {
public:
    static MenuModel& instance();

    // The host's own menu group "ACAD" with its pop-up menus, all on the menu bar.
    void reset();
    std::vector<std::shared_ptr<MenuGroup>>& groups() { return groups_; }
    std::vector<std::shared_ptr<PopupMenu>>& menuBar() { return menuBar_; }
    std::shared_ptr<MenuGroup> findGroup(const std::string& name) const;
    bool onMenuBar(const PopupMenu* menu) const;
    // Inserts a pop-up menu in the menu bar at index (clamped to the end).
    void insertInMenuBar(const std::shared_ptr<PopupMenu>& menu, long index);
    bool removeFromMenuBar(const PopupMenu* menu);

private:
    MenuModel() { reset(); }
    std::vector<std::shared_ptr<MenuGroup>> groups_;
    std::vector<std::shared_ptr<PopupMenu>> menuBar_;
};

}  // namespace arx::ap
