#pragma once
// The reference-matrix commands of the main menu that work on the active
// problem, free of widgets: creating a missing reference table, building the
// problem from a table ("Seçerek &Oluştur") and adding feeds or nutrients to
// it ("&Yem Maddesi Ekle", "&Besin Maddesi Ekle"). A compound feed (type "K")
// works on MATNRC.DBF, a daily ration ("G") on MATKUMAD.DBF.
//
// Reading rules: records marked deleted are never read; the first live record
// is the unit row; feeds follow it. A record whose name is empty is never
// offered. Nutrient columns are the fields from the third on (KMO included).
// Cells travel as stored (11-character text).
//
// The commands ask through the caller's UserPort (pick lists, the question
// before an addition, the name-matching dialog) and change G() in memory;
// nothing is written to the problem file. Every table a command changes gets
// its changed flag, however the command ends.

#include "core/userport.h"

#include <QString>

#include <functional>

namespace zeva {

// The full path of a reference table in the data directory, as the program
// names it ("MATNRC.DBF", "MATKUMAD.DBF").
QString referenceTablePath(const QString& tableName);

// Create MATNRC.DBF (RMAT_CREATE1) or MATKUMAD.DBF (RMAT_CREATE2) with the
// standard fields and one unit row ("BIRIM", every unit blank). A table that
// is already there, in whatever letter case, is left as it is (TRUE). A
// failed creation shows its error box and gives FALSE.
bool RMAT_CREATE1(UserPort& port);
bool RMAT_CREATE2(UserPort& port);

// "Seçerek &Oluştur": the builder of the problem's type, then `menuState`
// (MI_ENADISABLE) however it ended.
void AMAT_OLUSTUR(UserPort& port, const std::function<void()>& menuState);
void AMAT_OLUSTUR_KY(UserPort& port);
void AMAT_OLUSTUR_GR(UserPort& port);

// "&Yem Maddesi Ekle": feeds picked from the table, each with its column
// filled nutrient by nutrient; then `menuState`.
void AMAT_YMEKLE(UserPort& port, const std::function<void()>& menuState);
void AMAT_YMEKLE_KY(UserPort& port);
void AMAT_YMEKLE_GR(UserPort& port);

// "&Besin Maddesi Ekle": nutrient columns picked from the table, each with
// its matrix row filled feed by feed; then `menuState`.
void AMAT_BMEKLE(UserPort& port, const std::function<void()>& menuState);
void AMAT_BMEKLE_KY(UserPort& port);
void AMAT_BMEKLE_GR(UserPort& port);

// The box shown when the problem's tables and its matrix do not fit together
// (rows one per nutrient, cells one per feed); the addition changes nothing.
inline const QString kMatrixShapeError =
    QStringLiteral("Aktif matrisin satır ve kolon sayıları besin ve yem maddesi listelerine uymuyor!\n"
                   "İşlem yapılmadı.");

}  // namespace zeva
