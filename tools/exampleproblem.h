#pragma once
// Builds the program's files from the reviewable text sources in data/: the
// reference matrices from their CSV files and the example problems from their
// sectioned text files.

#include "core/userport.h"
#include "platform/dbf.h"

#include <QList>
#include <QString>

namespace zeva {

// Reads a reference-table CSV (field names, the unit row, one line per feed)
// and writes it as a table with the given standard fields. The CSV's field
// names must be those fields in that order. Prices get 3 decimals, every other
// number 4, right-aligned in 11; unit texts are stored as written.
bool buildReferenceTable(const QString& csvPath, const QList<DbfField>& fields,
                         const QString& outPath, QString* error);

// Reads an example problem ([PROBLEM], [YEMLER], [BESINLER], [ORANLAR],
// [MATRIS]) into the active problem, cells formatted as the entry windows
// write them.
bool loadExampleProblem(const QString& sourcePath, QString* error);

// Writes the active problem as a new problem file at `path` (replacing any)
// through the program's own open and save steps.
bool writeExampleProblem(const QString& path, UserPort& port, QString* error);

}  // namespace zeva
