#pragma once
// The main window's reference-matrix commands that build and extend the
// active problem. The start-up calls installReferenceMatrixCommands once,
// after the main window is built:
//   - "Seçerek &Oluştur" (AMAT_OLUSTUR), "&Yem Maddesi Ekle" (AMAT_YMEKLE)
//     and "&Besin Maddesi Ekle" (AMAT_BMEKLE) run their engine commands
//     (refmatrix/refcommands.h) through the window's user port, and the
//     window's menu state follows however they end;
//   - "&Matris Yazımı" (RM_YAZIM) opens the reference matrix window.
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

}  // namespace zeva
