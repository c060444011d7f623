#pragma once
// Menu, toolbar and accelerator tables of the problem entry windows: the
// window menu and the grid's context menu of the nutrient, feed and ratio
// windows, and of the active matrix window. Same table types as the main
// menu (menus.h); a context menu has no toolbar.

#include "resources/menus.h"

namespace zeva::res {

// Nutrient window: BM_GIRMENU and BM_CONT_MENU.
const MenuTable& bmGirMenu();
const MenuTable& bmContMenu();
// Feed window: YM_GIRMENU and YM_CON_MENU.
const MenuTable& ymGirMenu();
const MenuTable& ymConMenu();
// Ratio window: BMO_GIRMENU and BMO_CONT_MENU.
const MenuTable& bmoGirMenu();
const MenuTable& bmoContMenu();
// Active matrix window: AMAT_GIRMENU and AM_CONT_MENU.
const MenuTable& amatGirMenu();
const MenuTable& amContMenu();

}  // namespace zeva::res
