#pragma once
// The main window's text-report commands. The start-up calls
// installTextReportCommands once, after the main window is built:
//   - "&Aktif Matris" (AMATREPORT), "&Havada Kuru " (HKMREPORT), "&Kuru Madde
//     Esaslı" (KMMREPORT) and "&Ham Madde Fiyat Listesi" (HMFIATLIST) run
//     their engine commands (reports/textreports.h) through the window's user
//     port;
//   - WNOTEPAD opens the current report in the desktop's text editor; no menu
//     item, button or key sends it.
// The open problem windows hand their copies back before the active matrix
// report runs (the entry windows' step before every command).

namespace zeva {

class STANDARDSHELLWINDOW;

void installTextReportCommands(STANDARDSHELLWINDOW& w);

}  // namespace zeva
