#include "shell/singleinstance.h"

#include "platform/instancelock.h"

namespace zeva {

bool ISAPPRUNNING(const QString& name)
{
    return takeInstanceLock(name);
}

}  // namespace zeva
