#pragma once
// Menu dispatch: choosing a menu item, pressing its key or clicking its
// toolbar button sends the item's symbol to the window that owns the menu;
// what that window does not handle goes on to its owner, and so on up.

#include <QString>

namespace zeva {

class MenuOwner {
public:
    virtual ~MenuOwner() = default;
    // Runs the command named `symbol`; FALSE when this window has none.
    virtual bool dispatch(const QString& symbol) = 0;
    // The window that gets the commands this one does not handle; null at the top.
    virtual MenuOwner* menuOwnerParent() { return nullptr; }
};

// Sends `symbol` to `owner` and up its owners until one handles it. FALSE
// when nobody does (the command is then dropped).
bool sendMenuCommand(MenuOwner* owner, const QString& symbol);

}  // namespace zeva
