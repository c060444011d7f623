#pragma once
// The help launcher of the desktop: the file goes to the handler the desktop
// has for its type (xdg-open and the like). The topic cannot be passed on.

#include "platform/helpdisplay.h"

#include <memory>

namespace zeva {

class DesktopHelpLauncher : public HelpLauncher {
public:
    bool launch(const QString& file, const QString& topic) override;
};

std::shared_ptr<HelpLauncher> desktopHelpLauncher();

}  // namespace zeva
