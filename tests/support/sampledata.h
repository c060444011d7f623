#pragma once
// The program's sample data installed into a test's data folder, as the
// installation step installs it (for suites that link the tools).

#include "tools/datasetup.h"

#include <QDir>
#include <QString>

namespace zeva::test {

// Installs the sample tables and example problems into `folder` (the
// problems into its Data folder); the error text, empty when all went in.
inline QString installSampleData(const QString& folder)
{
    QDir(folder).mkpath(QStringLiteral("Data"));
    SetupResult result;
    QString error;
    if (!seedSampleData(QStringLiteral(ZEVA_SOURCE_DIR "/data"), folder, &result, &error))
        return error.isEmpty() ? QStringLiteral("the sample data did not install") : error;
    return QString();
}

}  // namespace zeva::test
