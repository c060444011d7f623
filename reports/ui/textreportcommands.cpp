#include "reports/ui/textreportcommands.h"

#include "reports/textreports.h"
#include "shell/ui/standardshellwindow.h"

namespace zeva {

void installTextReportCommands(STANDARDSHELLWINDOW& w)
{
    using Command = void (*)(UserPort&);
    const QList<QPair<const char*, Command>> commands = {
        {"AMATREPORT", &AMATREPORT},
        {"HKMREPORT", &HKMREPORT},
        {"KMMREPORT", &KMMREPORT},
        {"HMFIATLIST", &HMFIATLIST},
    };
    for (const auto& entry : commands) {
        const Command command = entry.second;
        w.setCommand(QString::fromLatin1(entry.first), [&w, command] { command(w.port()); });
    }
    w.setCommand(QStringLiteral("WNOTEPAD"), [] { WNOTEPAD(); });
}

}  // namespace zeva
