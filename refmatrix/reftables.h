#pragma once
// The two reference matrices: "MATNRC.DBF" (as fed) and "MATKUMAD.DBF" (dry
// matter), directly in the data directory. Record 1 is the unit row ("BIRIM"
// in YM_ADI); feeds follow, one per record. Every field is character; numbers
// are right-aligned text of 11 characters (prices 3 decimals, the rest 4).

#include "platform/dbf.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zeva {

inline const QString kAsFedTable = QStringLiteral("MATNRC.DBF");
inline const QString kDryMatterTable = QStringLiteral("MATKUMAD.DBF");
inline const QString kUnitRowName = QStringLiteral("BIRIM");

// The standard field lists of the two tables, in field order: YM_ADI C25,
// FIATI C11, KMO C11, then the nutrient fields, each C11.
QList<DbfField> HKM_STRCREATE();  // as fed, 54 fields
QList<DbfField> KMM_STRCREATE();  // dry matter, 45 fields

// The nutrient fields among a table's field names: every field but YM_ADI
// and FIATI, in field order (KMO among them).
QStringList nutrientFieldsOf(const QStringList& fieldNames);

}  // namespace zeva
