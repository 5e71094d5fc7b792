#include "ap/menu_model.h"

#include <algorithm>
#include <strings.h>

#include "acedads.h"

namespace arx::ap {

std::string PopupMenu::nameNoMnemonic() const
{
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '&' && i + 1 < name.size() && name[i + 1] != '&') continue;
        out += name[i];
    }
    return out;
}

MenuModel& MenuModel::instance()
{
    static MenuModel model;
    return model;
}

void MenuModel::reset()
{
    groups_.clear();
    menuBar_.clear();
    auto acad = std::make_shared<MenuGroup>();
    acad->name = "ACAD";
    for (const char* name : {"&File", "&Edit", "&View", "&Insert", "F&ormat", "&Tools", "&Draw", "Dimensio&n",
                             "&Modify", "&Window", "&Help"}) {
        auto menu = std::make_shared<PopupMenu>();
        menu->name = name;
        acad->menus.push_back(menu);
        menuBar_.push_back(menu);
    }
    groups_.push_back(acad);
}

std::shared_ptr<MenuGroup> MenuModel::findGroup(const std::string& name) const
{
    for (const auto& group : groups_)
        if (strcasecmp(group->name.c_str(), name.c_str()) == 0) return group;
    return nullptr;
}

bool MenuModel::onMenuBar(const PopupMenu* menu) const
{
    return std::any_of(menuBar_.begin(), menuBar_.end(), [&](const auto& m) { return m.get() == menu; });
}

void MenuModel::insertInMenuBar(const std::shared_ptr<PopupMenu>& menu, long index)
{
    if (onMenuBar(menu.get())) return;
    long size = static_cast<long>(menuBar_.size());
    index = std::clamp(index, 0L, size);
    menuBar_.insert(menuBar_.begin() + index, menu);
}

bool MenuModel::removeFromMenuBar(const PopupMenu* menu)
{
    auto it = std::find_if(menuBar_.begin(), menuBar_.end(), [&](const auto& m) { return m.get() == menu; });
    if (it == menuBar_.end()) return false;
    menuBar_.erase(it);
    return true;
}

}  // namespace arx::ap

int acedIsMenuGroupLoaded(const char* pszGroupName)
{
    return pszGroupName && arx::ap::MenuModel::instance().findGroup(pszGroupName) ? 1 : 0;
}
