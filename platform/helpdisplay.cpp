#include "platform/helpdisplay.h"

#include "platform/dbf.h"

#include <QFileInfo>

namespace zeva {

HelpDisplay::HelpDisplay(const QString& file, std::shared_ptr<HelpLauncher> launcher)
    : file_(file), launcher_(std::move(launcher))
{
}

QString HelpDisplay::existingFile() const
{
    if (file_.isEmpty())
        return QString();
    const QString found = findExistingPath(QFileInfo(file_).absoluteFilePath());
    return QFileInfo(found).isFile() ? found : QString();
}

HelpDisplay::Shown HelpDisplay::show(const QString& topic) const
{
    const QString file = existingFile();
    if (file.isEmpty())
        return Shown::Missing;
    if (!launcher_ || !launcher_->launch(file, topic))
        return Shown::NoViewer;
    return Shown::Opened;
}

}  // namespace zeva
