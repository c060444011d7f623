#include "platform/ui/desktophelp.h"

#include <QDesktopServices>
#include <QUrl>

namespace zeva {

bool DesktopHelpLauncher::launch(const QString& file, const QString& topic)
{
    Q_UNUSED(topic);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

std::shared_ptr<HelpLauncher> desktopHelpLauncher()
{
    return std::make_shared<DesktopHelpLauncher>();
}

}  // namespace zeva
