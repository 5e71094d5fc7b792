// Menu files (.mns, .mnu) as MENULOAD reads them: the group named by "***MENUGROUP=" and the
// pull-down menus of its "***POPn" sections.
#pragma once
#include <memory>
#include <string>

#include "ap/menu_model.h"

namespace arx::ap {

// Reads the menu group of a menu file. Null, with the reason, when the file cannot be read or
// names no menu group.
std::shared_ptr<MenuGroup> readMenuFile(const std::string& path, std::string& error);

// Loads the group of a menu file into the host's menus, its pull-down menus put on the menu
// bar before the last entry. False, with the reason, when the file cannot be read or its group
// is loaded already.
bool loadMenuFile(const std::string& path, std::string& error);

}  // namespace arx::ap
