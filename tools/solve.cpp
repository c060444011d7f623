// zeva-solve FILE.ZVF [--amount TEXT] [--currency TEXT] [--weight TEXT]
//
// Solves a problem file without a display, as the solve command of the menu
// does: opens the file with the program's reader, runs the optimiser of the
// problem's type and answers its parameter dialog with the file's header
// values, or with the options given as if they were typed. The report goes
// beside the problem file, with the extension ".TXT". The problem file itself
// is not changed.
//
// A ratio naming a nutrient the problem lacks is named on standard error
// before the solve, which goes on without it.
//
// Exit status: 0 the report was written; 1 the solve was refused (its text on
// standard error); 2 a usage or file error; 3 the report could not be written.
//
// When SOURCE_DATE_EPOCH is set, the report carries that time (seconds since
// 1970, UTC) instead of the current one, so that runs can be compared byte for
// byte.

#include "core/activeproblem.h"
#include "core/filecommands.h"
#include "core/optimizer.h"
#include "tools/consoleport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>

#include <cstdio>
#include <memory>

using namespace zeva;

namespace {

constexpr int kWritten = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;
constexpr int kNotWritten = 3;

int usage()
{
    std::fprintf(stderr, "usage: zeva-solve FILE.ZVF [--amount TEXT] [--currency TEXT] [--weight TEXT]\n");
    return kUsage;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();

    ConsolePort port;
    QString file;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        std::optional<QString>* option = nullptr;
        if (a == QLatin1String("--amount"))
            option = &port.amount;
        else if (a == QLatin1String("--currency"))
            option = &port.currency;
        else if (a == QLatin1String("--weight"))
            option = &port.weight;
        if (option) {
            if (i + 1 >= args.size() || option->has_value())
                return usage();
            *option = args.at(++i);
        } else if (a.startsWith(QLatin1String("--")) || !file.isEmpty()) {
            return usage();
        } else {
            file = a;
        }
    }
    if (file.isEmpty())
        return usage();

    if (!FileCommands(port).DOOPENFILE(QFileInfo(file).absoluteFilePath()))
        return kUsage;  // the reader's message is on standard error

    OptimizerOptions options;
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    if (!epoch.isEmpty()) {
        bool ok = false;
        const qint64 seconds = epoch.toLongLong(&ok);
        if (!ok) {
            std::fprintf(stderr, "SOURCE_DATE_EPOCH: not a number\n");
            return kUsage;
        }
        options.clock = [seconds] { return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC); };
    }

    ActiveProblem& p = G();
    const QString type = p.APARAMS.value(PRM_TYPE);
    p.CREPORTFILE.clear();
    std::unique_ptr<Optimizer> opt;
    if (type == QLatin1String("K") || type == QLatin1String("G"))
        warnUnusedRatios(port);  // on standard error; the solve goes on
    if (type == QLatin1String("K"))
        opt = std::make_unique<KY_OPTIMIZER>(port, options);
    else if (type == QLatin1String("G"))
        opt = std::make_unique<GR_OPTIMIZER>(port, options);
    else {
        std::fprintf(stderr, "%s: problem type \"%s\" is neither K nor G\n", qPrintable(file), qPrintable(type));
        return kUsage;
    }
    const bool refused = opt->stopReason == StopReason::NotRun;
    opt->DESTROY_OLDS();
    if (!p.CREPORTFILE.isEmpty())
        return kWritten;
    return refused ? kRefused : kNotWritten;
}
