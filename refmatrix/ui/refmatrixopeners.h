#pragma once
// The main window's reference-matrix commands that build and extend the
// active problem. The start-up calls installReferenceMatrixCommands once,
// after the main window is built:
//   - "Seçerek &Oluştur" (AMAT_OLUSTUR), "&Yem Maddesi Ekle" (AMAT_YMEKLE)
//     and "&Besin Maddesi Ekle" (AMAT_BMEKLE) run their engine commands
//     (refmatrix/refcommands.h) through the window's user port, and the
//     window's menu state follows however they end;
//   - "RM Dosyası (dBF) &Yedekle" (RM_YEDEKLE) asks for the target in
//     VQFOLDERDIALOGWINDOW (run through the window's dialog runner) and
//     copies the table selected in the main menu (refmatrix/backup.h);
//   - "&KM Esaslı Matrise Ekle" (BUCOZ_EKLE) opens the solved formula's
//     window (refmatrix/ui/addkmmwin.h);
//   - "&Matris Yazımı" (RM_YAZIM) opens the reference matrix window and
//     "Besin Maddesi &Ekle-Sil" (RM_BMEKLESIL) the nutrient column dialog.
// The open problem windows have closed before these commands run (the entry
// windows' step before every command).

namespace zeva {

class STANDARDSHELLWINDOW;
class STDDATAWINDOW;

// "&Matris Yazımı" (3572): the reference matrix window over the table chosen
// in the main menu, made first when it is missing. A table already open in
// a window brings that window forward. Null when no window opened.
STDDATAWINDOW* RM_YAZIM(STANDARDSHELLWINDOW& w);
// "Besin Maddesi &Ekle-Sil" (3573): the nutrient column dialog over the
// selected table, made first when it is missing. Refused while a reference
// matrix window holds the table. TRUE when the table was restructured.
bool RM_BMEKLESIL(STANDARDSHELLWINDOW& w);

void installReferenceMatrixCommands(STANDARDSHELLWINDOW& w);

// The backup command as the main window runs it.
void RM_YEDEKLE(STANDARDSHELLWINDOW& w);

}  // namespace zeva
