#pragma once
// Menu, toolbar and accelerator tables of the main window's menu and of the
// reference-matrix window's menu. Texts are UTF-8. The window side
// (shell/ui/shellmenu.h) builds them into actions shared by menu and toolbar.

#include <Qt>

#include <span>

namespace zeva::res {

enum class MenuEntryKind { Popup, EndPopup, Item, Separator };

// One line of a menu in menu order. A popup opens with a Popup entry and closes
// with EndPopup; everything between belongs to it.
struct MenuEntry {
    MenuEntryKind kind;
    int id = 0;                    // 0 for separators and popup ends
    const char* caption = nullptr; // "&" before the access key, "\t" before the key text
    const char* symbol = nullptr;  // the command it sends (a popup's name)
    const char* status = nullptr;  // status-bar text; null: none
    const char* help = nullptr;    // help context; null: none
};

// Shorthands for writing menu tables.
namespace build {
constexpr MenuEntry popup(int id, const char* caption, const char* name, const char* status,
                          const char* help = nullptr)
{
    return {MenuEntryKind::Popup, id, caption, name, status, help};
}
constexpr MenuEntry item(int id, const char* caption, const char* symbol, const char* status,
                         const char* help = nullptr)
{
    return {MenuEntryKind::Item, id, caption, symbol, status, help};
}
constexpr MenuEntry sep() { return {MenuEntryKind::Separator}; }
constexpr MenuEntry end() { return {MenuEntryKind::EndPopup}; }
}  // namespace build

// A toolbar button bound to a menu id; image 0 is a separator.
struct ToolbarButton {
    int image;
    int id;
    const char* tip;
};

// An accelerator key: a Qt key, with Ctrl or without, and the id it sends.
struct AccelEntry {
    bool ctrl;
    Qt::Key key;
    int id;
};

struct MenuTable {
    const char* name;                     // resource name, "EmptyShellMenu"
    std::span<const MenuEntry> entries;
    std::span<const ToolbarButton> toolbar;
    std::span<const AccelEntry> accelerators;  // in table order; the first entry of a key wins
    std::span<const int> startGreyed;          // greyed when the menu is built, in this order
};

// EMPTYSHELLMENU: the main window's menu.
const MenuTable& emptyShellMenu();
// STANDARDSHELLMENU: the reference-matrix window's menu.
const MenuTable& standardShellMenu();

}  // namespace zeva::res
