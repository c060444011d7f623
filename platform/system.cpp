#include "platform/system.h"

#include <QFileInfo>
#include <QLocale>
#include <QSysInfo>

namespace zeva {

QString OS()
{
    return QSysInfo::prettyProductName();
}

bool ISWIN98()
{
    return OS() == QLatin1String("Windows 98");
}

bool ISWINME()
{
    return OS() == QLatin1String("Windows ME");
}

QString GETWINDOWSDIR()
{
    return QString();
}

bool ISDRIVEREADY(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        return false;
    const QFileInfo info(folder);
    return info.isDir() && info.isExecutable();
}

QString regionalLanguage()
{
    // QLocale::system() follows LC_ALL, then LC_MESSAGES, then LANG.
    const QLocale locale = QLocale::system();
    if (locale.language() == QLocale::Turkish)
        return QStringLiteral("trk");
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return QString();
    return QLocale::languageToCode(locale.language(), QLocale::ISO639Part2).left(3);
}

}  // namespace zeva
