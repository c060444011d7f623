#include "tools/datasetup.h"

#include "core/activeproblem.h"
#include "platform/dbf.h"
#include "refmatrix/reftables.h"
#include "shell/registry.h"
#include "shell/settings.h"
#include "tools/consoleport.h"
#include "tools/exampleproblem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace zeva {

namespace {

const QString kDataFolder = QStringLiteral("Data");

}  // namespace

QString defaultDataDirectory()
{
    // A relative XDG_DATA_HOME is no folder at all (it would name another one
    // from every working folder): it is passed over, as the settings file's
    // XDG_CONFIG_HOME is.
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir(base).filePath(QStringLiteral("zeva"));
}

QString recordedDataDirectory()
{
    CLASS_HKLM reg;
    reg.WORKING_SUBKEY(kSettingsKey);
    return reg.GETSTRING(QString(), kOptPath).trimmed();
}

bool dataDirectoryReady()
{
    const QString dir = recordedDataDirectory();
    return !dir.isEmpty() && !findExistingPath(QDir(dir).filePath(kDataFolder)).isEmpty();
}

bool seedSampleData(const QString& sourceDir, const QString& dataDir, SetupResult* result, QString* error)
{
    const QDir source(sourceDir);
    const QDir target(dataDir);
    // Built next to where the files go, so that putting one in place is a rename.
    QTemporaryDir staging(target.filePath(QStringLiteral(".zeva-setup-XXXXXX")));
    if (!staging.isValid()) {
        *error = dataDir + QStringLiteral(": geçici klasör oluşturulamadı");
        return false;
    }
    const QDir built(staging.path());
    if (!built.mkpath(kDataFolder)) {
        *error = staging.path() + QStringLiteral(": oluşturulamadı");
        return false;
    }

    QStringList files;  // relative to the data directory
    struct Table {
        const char* csv;
        QList<DbfField> fields;
        QString out;
    };
    const Table tables[] = {
        {"MATNRC.csv", HKM_STRCREATE(), kAsFedTable},
        {"MATKUMAD.csv", KMM_STRCREATE(), kDryMatterTable},
    };
    for (const Table& t : tables) {
        const QString csv = source.filePath(QString::fromLatin1(t.csv));
        if (!QFileInfo::exists(csv))
            continue;
        if (!buildReferenceTable(csv, t.fields, built.filePath(t.out), error))
            return false;
        files << t.out;
    }

    ConsolePort port;
    port.quiet = true;
    const QDir examples(source.filePath(QStringLiteral("examples")));
    const ActiveProblem before = G();
    for (const QFileInfo& f : examples.entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const QString name = kDataFolder + QLatin1Char('/') + f.baseName() + QStringLiteral(".ZVF");
        const bool ok = loadExampleProblem(f.filePath(), error) && writeExampleProblem(built.filePath(name), port, error);
        G() = before;
        if (!ok)
            return false;
        files << name;
    }

    for (const QString& name : files) {
        const QString destination = target.filePath(name);
        if (!findExistingPath(destination).isEmpty()) {
            result->kept << name;
            continue;
        }
        if (!QFile::rename(built.filePath(name), destination)) {
            *error = destination + QStringLiteral(": yazılamadı");
            return false;
        }
        result->written << name;
    }
    return true;
}

bool setupDataDirectory(const QString& dataDir, const QString& sourceDir, SetupResult* result, QString* error)
{
    const QString dir = QDir::cleanPath(QFileInfo(dataDir.isEmpty() ? defaultDataDirectory() : dataDir)
                                            .absoluteFilePath());
    result->dataDir = dir;
    const QFileInfo info(dir);
    if (info.exists() && !info.isDir()) {
        *error = dir + QStringLiteral(": bir klasör değil");
        return false;
    }
    const QString existingData = findExistingPath(QDir(dir).filePath(kDataFolder));
    if (existingData.isEmpty() && !QDir().mkpath(QDir(dir).filePath(kDataFolder))) {
        *error = QDir(dir).filePath(kDataFolder) + QStringLiteral(": oluşturulamadı");
        return false;
    }
    if (!QFileInfo(dir).isWritable()) {
        *error = dir + QStringLiteral(": yazılamıyor");
        return false;
    }
    if (!sourceDir.isEmpty() && QFileInfo(sourceDir).isDir() && !seedSampleData(sourceDir, dir, result, error))
        return false;

    CLASS_HKLM reg;
    reg.WORKING_SUBKEY(kSettingsKey);
    if (reg.WRITESTRING(QString(), kOptPath, dir) != SETTINGS_OK) {
        const QString refusal = settingsReadProblem();
        *error = refusal.isEmpty() ? settingsFilePath() + QStringLiteral(": ayar kaydedilemedi") : refusal;
        return false;
    }
    return true;
}

}  // namespace zeva
