#pragma once
// Menu tables of the report pad: the pad menu that the main window carries
// while report pads are open, with its toolbar and keys, and the context menu
// of a pad's edit control. Texts are UTF-8.

#include "resources/menus.h"

namespace zeva::res {

// STANDARDPADMENU.
const MenuTable& standardPadMenu();
// ED_CONT_MENU: one popup, "&Yazım".
const MenuTable& edContMenu();

}  // namespace zeva::res
