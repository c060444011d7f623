#pragma once
// The problem file (*.ZVF): a dBASE table of sixteen character fields whose
// records hold, side by side, the feed, nutrient and ratio tables, the
// composition matrix and the problem header of the active problem.
//
//   YMADI 15, YMFIAT 11, YMSABIT/YMALTLIM/YMUSTLIM 12 (compound feed) or 11
//   (daily ration), BMADI 15, BMBIRIM 11, BMSABIT/BMALTLIM/BMUSTLIM 11,
//   BMADIA 15, BMADIB 15, OSABIT/OALTLIM/OUSTLIM 11, YMBMAT 1020.
//
// Record i holds feed i, nutrient i and ratio i (each group blank beyond its
// rows). YMBMAT of record i holds matrix row i, its cells each followed by
// ","; the record after the last matrix row holds the header "type,amount,
// currency,weight,"; later records hold an empty YMBMAT. The table never
// shrinks and records are never deleted. Records marked deleted by another
// program stay in the file but are invisible here.
//
// While a file is open, G().OPROBSERVER holds it: its path, the whole table
// as last read or written, and the fingerprint of the bytes it came from.
// A save into a file that changed on disk since (another program, another
// session on the same data folder) asks first whether to write over it.
// Saving reads the file afresh, writes the changed groups over it and
// replaces the whole file through a temporary file and a rename, so the
// groups not changed keep what another program wrote into them meanwhile,
// and a failed save leaves the file on disk as it was. The feed group, the
// nutrient group and the matrix rows count as one group here: the matrix is
// shaped by the two tables, so they are never taken from different writers.

#include "core/activeproblem.h"
#include "core/userport.h"
#include "platform/dbf.h"
#include "platform/filefingerprint.h"

#include <QString>

namespace zeva {

// The open problem file: its full path exactly as found on disk, the whole
// table as it stands in the file (deleted records included) and what the
// file held when it was read or last written. Without a fingerprint (none
// given) the first save writes unasked and takes one.
class ProblemServer {
public:
    ProblemServer(QString path, DbfTable table, FileFingerprint fingerprint = {})
        : path_(std::move(path)), table_(std::move(table)), fingerprint_(std::move(fingerprint))
    {
    }

    const QString& path() const { return path_; }
    const DbfTable& table() const { return table_; }
    DbfTable& table() { return table_; }
    const FileFingerprint& fingerprint() const { return fingerprint_; }
    void setFingerprint(FileFingerprint fingerprint) { fingerprint_ = std::move(fingerprint); }

private:
    QString path_;
    DbfTable table_;
    FileFingerprint fingerprint_;
};

// The sixteen fields of a problem file; `type` 1 (compound feed) makes the
// three feed limit fields 12 wide, any other type 11.
QList<DbfField> problemFileFields(int type);

// An empty problem table of that type (no records).
DbfTable newProblemTable(int type);

// Most feeds one matrix row of a YMBMAT field of `width` characters can hold
// (85 for the standard 1020).
int maxFeedsFor(int width);

// TRUE when `table` can be read as a problem file: it has every field above
// as a character field, and no more feeds than one matrix row of its YMBMAT
// holds (the save step never writes more, and the matrix of such a file
// would be as large as its feeds times its nutrients).
bool isProblemTable(const DbfTable& table);

// The group writers: write one part of the active problem into `table` as the
// save step does (see the file layout above). They do not touch the changed
// flags; the save step lowers those once the file is written.
void YMKAYDI(DbfTable& table);
void BMKAYDI(DbfTable& table);
void BMOKAYDI(DbfTable& table);
// Matrix rows and the header. A header value or matrix cell holding a comma
// would split the record, so such values are cleaned as they are written: the
// amount through SDAYA with the type's decimals, commas dropped from the
// other header values, a matrix cell through SDAYA(cell, 4).
void MATRIXKAYDI(DbfTable& table);

// How the matrix of `table` departs from its feed and nutrient tables, as
// the reader will make it exactly nutrients x feeds. `beyond`: rows or cells
// the tables have no place for (more rows than nutrients, among them a last
// row that is no header, rows after the header, more cells than feeds), which
// the reader drops. `missing`: a file with feeds and nutrients whose matrix
// has fewer rows than nutrients or a row with fewer cells than feeds, which
// the reader completes with blank cells. The save step never writes either.
struct MatrixFit {
    bool beyond = false;
    bool missing = false;
    bool fits() const { return !beyond && !missing; }
};
MatrixFit matrixFit(const DbfTable& table);

// The save step: writes the parts of the active problem whose flags are
// raised over the open file as it now stands on disk (read afresh; the copy
// of the open when it is gone or no problem table any more), replaces the
// whole file (temporary file and rename) and lowers those flags. When the
// file changed on disk since it was opened or last saved, the user is asked
// first (mayWriteOver, messages.h); Hayır writes nothing and keeps every
// flag raised. The feed
// table, the nutrient table and the matrix are shaped by one another, so a
// flag on any of the three writes all three; the header is written with the
// matrix rows, but as the file holds it unless LPARAMCHANGED is raised; a
// header change alone writes only the header. The ratio table is written
// when its flag is raised. Nothing to write: TRUE at once. Refuses, writing
// nothing, a problem with more feeds than a matrix row can hold. On any
// failure it shows the error through `port`, keeps every flag raised, leaves
// the file as it was and returns FALSE. Requires an open file.
bool PROBDBFUPDATE(UserPort& port);

// What the save step came to: the problem is in the file (or nothing was to
// be written); the problem was refused before anything was written (no open
// file, too many feeds); the file changed on disk and the user chose not to
// write over it; the open file could not be replaced (a write-protected file
// or medium, a full disk), which was shown.
enum class SaveResult { Saved, Refused, Declined, NotWritten };

// The save step, telling a refusal from a failed write. PROBDBFUPDATE is
// saveProblem() == SaveResult::Saved.
SaveResult saveProblem(UserPort& port);

// Writes the active problem as it is in memory into `target`, as the save step
// would write it into the open file: the open file as it now stands on disk
// (the copy of the open when it cannot be read) with the changed parts written
// over it, through a temporary file and a rename. With `asRead` the changed
// parts go over the open file as it was read or last saved instead, so that
// `target` holds the problem as the program shows it whatever another writer
// put into the open file since. The open file, its copy and the changed flags
// are left as they are. FALSE, with the error shown through `port`, when the
// problem is refused or `target` cannot be written; `target` is then as it
// was.
bool writeProblemInto(UserPort& port, const QString& target, bool asRead = false);

// The reader: fills the active problem from `table` (the live records): the
// three tables and their name lists, the matrix and the header; completes a
// file without nutrients or feeds. Other flags are left as they are.
//
// The header is the last non-empty YMBMAT with exactly four cells whose first
// cell is "K" or "G", the matrix the rows before it. Without one: no YMBMAT at
// all keeps APARAMS for an empty file (New sets it) and gives the default
// {"K","1000.00","TL","Kg"} (raising LPARAMCHANGED) when the file holds
// feeds or nutrients; as many rows as nutrients are all matrix rows with that
// default header (LPARAMCHANGED raised); otherwise a last row whose first
// cell is "K" or "G" is taken as the header (made four values), and a last
// row that begins otherwise is a matrix row: all rows are matrix rows, with
// the default header (LPARAMCHANGED raised). The matrix is then made exactly
// nutrients x feeds (blank cells and empty rows added, what lies beyond cut;
// see matrixFit).
void AKTPRODIZOLUSTUR(const DbfTable& table);

// The open problem file's path, or empty when none is open.
QString openProblemPath();

}  // namespace zeva
