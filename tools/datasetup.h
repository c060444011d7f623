#pragma once
// The installation step: a writable data directory with its "Data" folder,
// seeded with the sample reference tables and example problems, and recorded
// as "Opath" in the settings store, where the program finds it.

#include <QString>
#include <QStringList>

namespace zeva {

// $XDG_DATA_HOME/zeva, else ~/.local/share/zeva.
QString defaultDataDirectory();

// The data directory the settings record ("Opath"); empty when none.
QString recordedDataDirectory();

// TRUE when a data directory is recorded and its "Data" folder exists.
bool dataDirectoryReady();

struct SetupResult {
    QString dataDir;      // absolute, as recorded
    QStringList written;  // files put in place, relative to dataDir
    QStringList kept;     // files that were there already and stay as they are
};

// Builds the sample files from the text sources in `sourceDir` (the
// reference tables MATNRC.DBF and MATKUMAD.DBF from their CSV files, the
// example problems of "examples" as Data/<NAME>.ZVF) and puts each one into
// `dataDir` that is not there yet, whatever the letter case of the name there.
// A source that is missing is skipped. Everything is built aside first: when
// any source cannot be read nothing is put in place. False with `error` then.
bool seedSampleData(const QString& sourceDir, const QString& dataDir, SetupResult* result, QString* error);

// The whole step: creates `dataDir` (the default when empty) and its "Data"
// folder, seeds it from `sourceDir` (when that folder exists) and records the
// directory as "Opath". False with `error` when any part fails; the directory
// is recorded only when everything else succeeded.
bool setupDataDirectory(const QString& dataDir, const QString& sourceDir, SetupResult* result, QString* error);

}  // namespace zeva
