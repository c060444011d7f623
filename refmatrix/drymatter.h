#pragma once
// A solved compound-feed formula as a new feed of the dry-matter table
// (MATKUMAD.DBF), free of widgets: pairing the formula's nutrients with the
// table's nutrient fields (GET_DON_DIZ), converting the as-fed values to the
// dry-matter basis and the table's units (PBHESAP, NEWFLD_VAL) and appending
// the record (appendFormula).
//
// Units are compared without letter case. A value that cannot be converted
// (a unit pair the conversion does not know, a result wider than 11
// characters with 4 decimals) is never written: its cell stays empty and a
// warning names it.

#include "core/userport.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace zeva {

// One row of the conversion grid.
struct ConvRow {
    QString SLE_NAME1;   // the formula's nutrient
    QString SLE_UNIT1;   // its unit in the problem
    QString SLE_VALUE1;  // its value in the formula (as fed)
    QString SLE_NAME2;   // the paired field of MATKUMAD.DBF
    QString SLE_UNIT2;   // that field's unit-row cell, as stored
    QString SLE_VALUE2;  // the converted value; blank until "&Hesapla"
};
using ConvRows = QList<ConvRow>;

// Pairs every nutrient of G().AKMMDATA with a nutrient field of MATKUMAD.DBF,
// by name or through the name-matching dialog. Empty when the table cannot be
// read, when nothing pairs, or when the user stops the matching.
ConvRows GET_DON_DIZ(UserPort& port);

// Why a value was or was not converted.
enum class ConvOutcome {
    Converted,    // `text` holds the value
    UnknownPair,  // the units differ and the conversion does not know the pair
    TooWide,      // the result does not fit 11 characters with 4 decimals
    ZeroRatio,    // the dry-matter ratio reads 0
};

struct ConvResult {
    ConvOutcome outcome = ConvOutcome::UnknownPair;
    QString text;  // 11 characters, right-aligned (the KMO row: its own text)
};

// The conversion of one value. All five texts come trimmed: the formula's
// dry-matter ratio in percent, the paired field, the source unit, the value
// and the target unit.
ConvResult NEWFLD_VAL(const QString& cKmo, const QString& cName2, const QString& cUnitFrom, const QString& cValue,
                      const QString& cUnitTo);

// "&Hesapla": converts every complete row again from SLE_VALUE1. FALSE (with
// its error box, nothing changed) when the formula has no dry-matter ratio or
// it reads 0; TRUE otherwise, after one warning naming the rows left empty.
bool PBHESAP(UserPort& port, ConvRows& rows);

// Whether a reference-matrix window holds the table named (MATNRC.DBF or
// MATKUMAD.DBF) for writing. The program's check is installed with
// setReferenceTableHeldCheck; none installed: nothing holds a table.
using ReferenceTableHeldCheck = std::function<bool(const QString& tableName)>;
void setReferenceTableHeldCheck(ReferenceTableHeldCheck check);
bool referenceTableHeld(const QString& tableName);

enum class AppendOutcome {
    NoName,     // the name is empty: nothing asked, nothing written
    Refused,    // a warning said why; nothing written, the window stays
    Declined,   // the user answered No to the question
    OpenFailed, // the table could not be read: its error box
    WriteFailed,// the table could not be written: its error box, old table kept
    Appended,   // one record more, and the box that says so
};

// "&Ekle": appends the new feed `name` (as typed) with every row's converted
// value in the field the row names; FIATI and every other field stay blank.
// Refused until the values were calculated (`calculated`), while a reference
// window holds MATKUMAD.DBF, and when a row names anything but a nutrient
// field of the table. The whole table is written in one step.
AppendOutcome appendFormula(UserPort& port, const QString& name, const ConvRows& rows, bool calculated);

// Messages of the conversion and the append.
inline const QString kNoKmoText = QStringLiteral("Kuru Madde Oranı (KMO, %) Çözümde Yok!");
inline const QString kZeroKmoText = QStringLiteral("Kuru madde oranı (KMO) sıfır; dönüşüm yapılamadı!");
inline const QString kTableOpenText = QStringLiteral("MATKUMAD.DBF RM dosyasını açmada hata!");
inline const QString kAppendOpenText = QStringLiteral("MATKUMAD.DBF veri dosyasını açmada hata!");
inline const QString kAppendDoneText = QStringLiteral("Mevcut çözüm KME matrise başarıyla eklendi!");
inline const QString kAppendQuestion = QStringLiteral(
    "Mevcut çözüm KME matrise eklenecek!\r\rNOT: Bu uygulama, mevcut karma yem rasyon hazırlamada\r"
    "          kullanılacak ise yapılmalı.");
inline const QString kNotCalculatedText =
    QStringLiteral("Değerler henüz hesaplanmadı! Önce \"Hesapla\" ile dönüşümü yapınız.");

}  // namespace zeva
