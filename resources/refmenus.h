#pragma once
// Context menu of the reference matrix window's grid, DW_CONT_MENU, with its
// accelerators DW_CONT_MENU_ACCELERATOR. The window menu is STANDARDSHELLMENU
// (menus.h).

#include "resources/menus.h"

namespace zeva::res {

const MenuTable& dwContMenu();

}  // namespace zeva::res
