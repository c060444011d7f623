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
// A feed is known by the name the problem file keeps of it: the first 15
// characters, trimmed. That is the name a feed gets in AYMNAMES and in the
// feed table when it enters or is renamed; a picked feed whose kept name a
// feed of the problem has already is left out; and a problem feed's
// reference record is the one whose name, cut so, is the feed's name.
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
// (MI_ENADISABLE) however it ended. Of marked feeds with one kept name the
// first goes in; the others are named in one warning (kFeedsLeftOutByPick).
void AMAT_OLUSTUR(UserPort& port, const std::function<void()>& menuState);
void AMAT_OLUSTUR_KY(UserPort& port);
void AMAT_OLUSTUR_GR(UserPort& port);

// "&Yem Maddesi Ekle": feeds picked from the table, each with its column
// filled nutrient by nutrient; then `menuState`. A picked feed whose kept name
// is that of a feed already in the problem or picked before it is left out:
// without a word when its whole name is that feed's too, else named in one
// warning before the question (kFeedsLeftOut for a feed of the problem,
// kFeedsLeftOutByPick for another pick, each on a line of its own). When none
// is left the command ends there.
void AMAT_YMEKLE(UserPort& port, const std::function<void()>& menuState);
void AMAT_YMEKLE_KY(UserPort& port);
void AMAT_YMEKLE_GR(UserPort& port);

// "&Besin Maddesi Ekle": nutrient columns picked from the table, each with
// its matrix row filled feed by feed; then `menuState`. A feed takes the
// values of its one reference record without a question; with none, or with
// several (names whose first 15 characters are the same), the matching
// dialog asks, and its answer holds for that feed for the rest of the run.
void AMAT_BMEKLE(UserPort& port, const std::function<void()>& menuState);
void AMAT_BMEKLE_KY(UserPort& port);
void AMAT_BMEKLE_GR(UserPort& port);

// The warning that names the picked feeds left out because the problem file
// would keep the same name for them as for a feed already there; the names
// follow it.
inline const QString kFeedsLeftOut = QStringLiteral(
    "Şu yem maddeleri eklenmedi; adlarının ilk 15 harfi problemdeki bir yem maddesininkiyle aynı: ");
// The same for picked feeds whose kept name is that of another feed picked
// before them in the same command.
inline const QString kFeedsLeftOutByPick = QStringLiteral(
    "Şu yem maddeleri eklenmedi; adlarının ilk 15 harfi bu komutta seçilen başka bir yem maddesininkiyle aynı: ");

// The box shown when the problem's tables and its matrix do not fit together
// (rows one per nutrient, cells one per feed); the addition changes nothing.
inline const QString kMatrixShapeError =
    QStringLiteral("Aktif matrisin satır ve kolon sayıları besin ve yem maddesi listelerine uymuyor!\n"
                   "İşlem yapılmadı.");

}  // namespace zeva
