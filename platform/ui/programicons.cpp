#include "platform/ui/programicons.h"

#include <QFile>

// The resource file is compiled into a static library: register it once
// before the first look-up.
static void initProgramIcons()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(programicons);
        return true;
    }();
    Q_UNUSED(done);
}

namespace zeva {

QIcon programIcon(const QString& name)
{
    initProgramIcons();
    const QString path = QStringLiteral(":/icons/") + name + QStringLiteral(".png");
    if (!QFile::exists(path))
        return QIcon();
    return QIcon(path);
}

QIcon ZVXTOD() { return programIcon(QStringLiteral("ZVXTOD")); }
QIcon ZVXMAIN() { return programIcon(QStringLiteral("ZVXMAIN")); }
QIcon ZVXICON() { return programIcon(QStringLiteral("ZVXICON")); }
QIcon PSWICO() { return programIcon(QStringLiteral("PSWICO")); }

}  // namespace zeva
