#include "shell/startup.h"

namespace zeva {

QString commandLineFile(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return QString();
    QString name = arguments.at(1);
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
        name = name.mid(1, name.size() - 2);
    if (name.trimmed().isEmpty())
        return QString();
    return name;
}

int APP::START(const QStringList& arguments)
{
    if (host_.isAppRunning()) {
        host_.alreadyRunning(kAlreadyRunning);
        return 1;
    }
    if (!host_.readSettings())
        return 1;
    INITIALIZE();

    const QString file = commandLineFile(arguments);
    host_.createMainWindow();
    if (!file.isEmpty())
        host_.openFile(file);
    host_.showMainWindow();

    if (problem_.LLOGON) {
        QString userId;
        if (!host_.logon(userId))
            return 1;
        problem_.CUSERID = userId;
    }
    if (problem_.LSHOWTIPS)
        host_.tipOfDay();
    return host_.exec();
}

void APP::INITIALIZE()
{
    // Numbers are converted with the point everywhere, whatever the locale;
    // the runtime's memory and search-path settings have no counterpart here.
    ActiveProblem& p = problem_;
    p.LPARAMCHANGED = p.LYMCHANGED = p.LBMCHANGED = p.LBMOCHANGED = p.LMATCHANGED = false;
    p.ABMTABLE.clear();
    p.AYMTABLE.clear();
    p.ABMOTABLE.clear();
    p.AMATRIX.clear();
    p.AYMNAMES.clear();
    p.ABMNAMES.clear();
    p.ABMUNITS.clear();
    host_.checkUserTable();
    if (p.LSHOWLOGO)
        host_.showSplash();
}

}  // namespace zeva
