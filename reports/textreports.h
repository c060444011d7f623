#pragma once
// The text reports of the main menu's "&Rapor Hazırla": the two reference
// matrices ("&Havada Kuru ", "&Kuru Madde Esaslı"), the raw-material price
// list ("&Ham Madde Fiyat Listesi") and the active matrix ("&Aktif Matris"),
// and the notepad command that opens the current report in the desktop's
// text editor.
//
// Every report is built whole in memory (core/reporttext.h: lines of 100
// characters and CR LF, Windows-1254) and written in one piece through a
// temporary file and a rename, over an existing name in another letter case.
// On success the file becomes the current report (CREPORTFILE); a failed
// write shows the write-failure box and leaves CREPORTFILE and the old file
// as they were. The please-wait box is up while a report is built and closed
// on every way out.
//
// Paged reports (the reference matrices and the active matrix) cut the table
// into blocks of six columns; every block starts on a new page numbered 1,
// a page holds 53 rows, a form feed stands in front of the first line of a
// block's later pages and one more closes every block.

#include "core/activeproblem.h"
#include "core/reporttext.h"
#include "core/userport.h"
#include "platform/dbf.h"

#include <QString>
#include <QStringList>

namespace zeva {

// The reports' file names in the "Data" folder of the data directory.
inline const QString kAsFedReportFile = QStringLiteral("HK Referans Matris.TXT");
inline const QString kDryMatterReportFile = QStringLiteral("KM Referans Matris.TXT");
inline const QString kPriceListFile = QStringLiteral("Yem Maddesi Fiyat Listesi.TXT");

// The titles of the two reference matrix reports.
inline const QString kAsFedReportTitle = QStringLiteral("ZEVA S 2.0 HAVADA KURU TEMEL MATRİS'i");
inline const QString kDryMatterReportTitle = QStringLiteral("ZEVA S 2.0 KURU MADDE TEMEL MATRİS'i");

// The box of a failed report write.
inline const QString kReportWriteFailed =
    QStringLiteral("Rapor dosyası oluşturmada hata!\r\rSonra tekrar deneyin..");

// ---- the report texts

// A reference table in field blocks: block 1 holds fields 1 and 3 to 7 (the
// price, field 2, is never printed), every later block the next six fields;
// blanks stand for the fields past the last. Every live record in file order,
// the unit row first, its cells as stored. `title` heads every page of
// block 1.
report::ReportText referenceMatrixText(const DbfTable& table, const QString& title);

// The feed names (YM_ADI, first 15 characters) and prices (FIATI) of every
// live record of both tables, the as-fed table first, unit rows included; no
// pages. A table without one of the two fields lists blanks for it.
report::ReportText priceListText(const DbfTable& asFed, const DbfTable& dryMatter);

// The composition matrix, one row per nutrient: block 1 holds the nutrient
// names and feeds 1 to 5, every later block the next six feeds. `problemName`
// (the problem file's name without folder and extension) heads every page of
// block 1.
report::ReportText activeMatrixText(const QString& problemName, const QStringList& feeds,
                                    const QStringList& nutrients, const Table& matrix);

// ---- the files

// The "Data" folder of the data directory, in whatever letter case it exists.
QString reportDataFolder(const ActiveProblem& p = G());
// The active matrix report of the open problem: the problem file with ".TXT"
// in place of its extension (the name of its solution report). Empty when no
// problem is open.
QString activeMatrixReportPath(const ActiveProblem& p = G());

// ---- the commands (main-window methods)

// "&Havada Kuru " (3554) on MATNRC.DBF, "&Kuru Madde Esaslı" (3556) on
// MATKUMAD.DBF. A missing table gets the box "Uyarı..." and nothing else; a
// table that cannot be read gets its open-failure box.
void HKMREPORT(UserPort& port);
void KMMREPORT(UserPort& port);
// "&Ham Madde Fiyat Listesi" (3558): both tables must be there.
void HMFIATLIST(UserPort& port);
// "&Aktif Matris" (3552): the active matrix beside the problem file; with no
// problem open it does nothing.
void AMATREPORT(UserPort& port);
// Opens the current report in the desktop's text editor, or the editor with
// no document when there is no current report on disk. Nothing is waited
// for and nothing is shown. No menu item reaches it.
void WNOTEPAD();

}  // namespace zeva
