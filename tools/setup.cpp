// zeva-setup [DATA_DIR]
// zeva-setup --check
//
// The installation step. Creates the data directory (DATA_DIR, by default
// $XDG_DATA_HOME/zeva or ~/.local/share/zeva) with its "Data" folder, puts the
// sample reference tables and example problems into it where they are not
// there yet (a user's files are never replaced), and records the directory as
// "Opath" in the settings (the file ZEVA_SETTINGS names, when set).
//
// --check prints the recorded data directory and ends with 0 when it is set
// up, and ends with 1 otherwise.

#include "tools/datasetup.h"

#include <QCoreApplication>

#include <cstdio>

using namespace zeva;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 2 || (args.size() == 2 && args[1].startsWith(QLatin1Char('-')) && args[1] != QLatin1String("--check"))) {
        std::fprintf(stderr, "Kullanım: zeva-setup [VERİ_KLASÖRÜ]\n          zeva-setup --check\n");
        return 2;
    }
    if (args.size() == 2 && args[1] == QLatin1String("--check")) {
        if (!dataDirectoryReady())
            return 1;
        std::printf("%s\n", qPrintable(recordedDataDirectory()));
        return 0;
    }

    SetupResult result;
    QString error;
    if (!setupDataDirectory(args.value(1), QStringLiteral(ZEVA_SAMPLE_DATA_DIR), &result, &error)) {
        std::fprintf(stderr, "zeva-setup: %s\n", qPrintable(error));
        return 1;
    }
    for (const QString& f : result.written)
        std::printf("Yazıldı: %s\n", qPrintable(f));
    for (const QString& f : result.kept)
        std::printf("Zaten var, dokunulmadı: %s\n", qPrintable(f));
    std::printf("Veri klasörü hazır: %s\n", qPrintable(result.dataDir));
    return 0;
}
