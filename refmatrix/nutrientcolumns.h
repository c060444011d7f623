#pragma once
// The nutrient columns of a reference table, free of widgets: the dialog
// "Besin Maddesi Ekle-Sil" (BM_MAN_WIN) adds a column at the end, inserts one
// before a chosen field, or deletes a column added earlier. The new table is
// built completely in memory and replaces the old file in one step (a
// temporary file and a rename); on any failure the old file stays as it was
// and no work file is left.

#include "core/userport.h"
#include "platform/dbf.h"

#include <optional>

namespace zeva {

// The name becomes a field name of the table, which holds only the letters
// A-Z, digits and _, and begins with a letter.
inline const QString kBadColumnName =
    QStringLiteral("Besin maddesi adı A-Z harflerinden biriyle başlamalı; yalnız A-Z harfleri, "
                   "rakamlar ve _ içerebilir.\n\nTürkçe harfler (Ç, Ğ, İ, Ö, Ş, Ü) alan adında kullanılamaz.");

// A new column's name as it is stored: trimmed and upper case.
QString newColumnName(const QString& typed);
// The standard field names of a table ("MATNRC.DBF" or "MATKUMAD.DBF", any
// letter case); empty for another name.
QStringList STDFLDARR(const QString& table);
// The dialog's check of an answer against the table's fields (see the
// UserPort question): empty when it may run, else the refusal. A new column
// is refused when the table's header could not describe it (a header holds
// kDbfMaxFields fields, a record kDbfMaxRecordLength bytes).
QString checkNutrientColumn(const NutrientColumnAnswer& a, const QList<DbfField>& fields,
                            const QStringList& standard);

// What a restructuring did.
enum class ColumnChange {
    Written,  // the table was rewritten
    Refused,  // the table as read now does not allow the change; `message` says why
    Failed,   // the file could not be read or written; `message` holds the error
};

// Rewrites the table at `path`, as read at this moment (another writer may
// have changed its columns since the dialog listed them): with `field`
// inserted before the field named `at`, appended when `at` is empty, or,
// with no field, the field named `at` removed. Every other column keeps its
// descriptor as written (its name in its own letter case, type, width and
// decimals) and its cells, every record its deletion mark. The change is
// refused when the field `at` is gone, when the new name matches a field
// now present, or when the header cannot take one more column. Unless
// Written, the file is unchanged.
ColumnChange AIFIELDTODBF(const QString& path, const std::optional<DbfField>& field, const QString& at,
                          QString* message);

// The whole command over the table file `tableName` ("MATNRC.DBF" or
// "MATKUMAD.DBF") at `path`. TRUE when the table was restructured.
bool BM_MAN_WIN(UserPort& port, const QString& path, const QString& tableName);

}  // namespace zeva
