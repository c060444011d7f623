// zeva [PROBLEM_FILE]
//
// The program. The data directory comes from the settings ("Opath", written
// by zeva-setup); a problem file named on the command line is opened at start.

#include "editing/ui/entrywindowopeners.h"
#include "platform/ui/accesskeys.h"
#include "refmatrix/ui/refmatrixopeners.h"
#include "reports/ui/reportpads.h"
#include "reports/ui/textreportcommands.h"
#include "requirements/ui/requirementcommands.h"
#include "shell/startup.h"
#include "shell/ui/application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("zeva"));
    zeva::installQtTurkish();
    zeva::installAccessKeys();
    zeva::QtStartupOptions options;
    // The other parts of the program add their commands to the main window here.
    options.wireMainWindow = [](zeva::STANDARDSHELLWINDOW& w) {
        zeva::installEntryWindowCommands(w);
        zeva::installReferenceMatrixCommands(w);
        zeva::installReportPadCommands(w);
        zeva::installRequirementCommands(w);
        zeva::installTextReportCommands(w);
    };
    zeva::QtStartupHost host(std::move(options));
    zeva::APP application(host);
    return application.START(app.arguments());
}
