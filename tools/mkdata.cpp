// zeva-mkdata SOURCE_DIR TARGET_DIR
//
// Turns the text sources of the sample data (SOURCE_DIR, the repository's
// data/ folder) into the program's files in TARGET_DIR: the reference
// matrices MATNRC.DBF and MATKUMAD.DBF, and the example problems as
// Data/<NAME>.ZVF. Existing files in TARGET_DIR are replaced.

#include "refmatrix/reftables.h"
#include "tools/consoleport.h"
#include "tools/exampleproblem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace zeva;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: zeva-mkdata SOURCE_DIR TARGET_DIR\n");
        return 2;
    }
    const QDir source(args[1]);
    const QDir target(args[2]);
    if (!QDir().mkpath(target.filePath(QStringLiteral("Data")))) {
        std::fprintf(stderr, "%s: cannot create\n", qPrintable(target.path()));
        return 1;
    }
    QString error;
    if (!buildReferenceTable(source.filePath(QStringLiteral("MATNRC.csv")), HKM_STRCREATE(),
                             target.filePath(kAsFedTable), &error)
        || !buildReferenceTable(source.filePath(QStringLiteral("MATKUMAD.csv")), KMM_STRCREATE(),
                                target.filePath(kDryMatterTable), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    ConsolePort port;
    const QDir examples(source.filePath(QStringLiteral("examples")));
    for (const QFileInfo& f : examples.entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const QString out = target.filePath(QStringLiteral("Data/") + f.baseName() + QStringLiteral(".ZVF"));
        if (!loadExampleProblem(f.filePath(), &error) || !writeExampleProblem(out, port, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
