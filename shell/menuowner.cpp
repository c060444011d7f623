#include "shell/menuowner.h"

namespace zeva {

bool sendMenuCommand(MenuOwner* owner, const QString& symbol)
{
    // A chain of owners is short; the bound only guards against a cycle.
    for (int depth = 0; owner && depth < 64; ++depth, owner = owner->menuOwnerParent())
        if (owner->dispatch(symbol))
            return true;
    return false;
}

}  // namespace zeva
