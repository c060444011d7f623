#pragma once
// Small reference tables and open problems for the reference-matrix tests.

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "core/problemfile.h"
#include "platform/dbf.h"
#include "platform/runtime.h"

#include <QList>
#include <QStringList>

#include <memory>

namespace zeva::test {

// One record of a small reference table: name, price, then the cells of the
// nutrient fields in order (plain numbers, written as the table stores them).
struct RefRecord {
    QString name;
    QString price;
    QStringList values;
    bool deleted = false;
};

inline QString cell4(const QString& v) { return v.isEmpty() ? blankCell() : SDAYA(v, 4); }
inline QString cell3(const QString& v) { return v.isEmpty() ? blankCell() : SDAYA(v, 3); }
inline QString one() { return PadL(QStringLiteral("1.0000"), kCellWidth); }

// The fields of the table at `path`, in order; empty when it cannot be read.
inline QStringList fieldNames(const QString& path)
{
    DbfTable t;
    QStringList names;
    if (readDbfFile(path, &t))
        for (const DbfField& f : t.fields())
            names << f.name;
    return names;
}

// Writes a reference table with the fields YM_ADI, FIATI and `nutrients` (KMO
// among them as the caller lists it), the unit row with `units`, then the
// records.
inline bool writeReference(const QString& path, const QStringList& nutrients, const QStringList& units,
                           const QList<RefRecord>& records)
{
    QList<DbfField> fields{{QStringLiteral("YM_ADI"), 'C', 25, 0}, {QStringLiteral("FIATI"), 'C', 11, 0}};
    for (const QString& n : nutrients)
        fields.append({n, 'C', 11, 0});
    DbfTable t(fields);
    const int unitRow = t.appendRecord();
    t.setValue(unitRow, 0, QStringLiteral("BIRIM"));
    for (int i = 0; i < units.size(); ++i)
        t.setValue(unitRow, 2 + i, units.at(i));
    for (const RefRecord& r : records) {
        const int rec = t.appendRecord();
        t.setValue(rec, 0, r.name);
        t.setValue(rec, 1, cell3(r.price));
        for (int i = 0; i < r.values.size(); ++i)
            t.setValue(rec, 2 + i, cell4(r.values.at(i)));
        t.setDeleted(rec, r.deleted);
    }
    return writeDbfFile(path, t);
}

// An open, empty problem of `type` ("K" or "G") in `path`; the file's matrix
// field is `matrixWidth` wide (1020 in the standard file).
inline void openEmptyProblem(const QString& path, const QString& type, int matrixWidth = 1020)
{
    G().reset();
    QList<DbfField> fields = problemFileFields(type == QLatin1String("K") ? 1 : 2);
    fields.last().length = matrixWidth;
    G().OPROBSERVER = std::make_shared<ProblemServer>(path, DbfTable(fields));
    G().APARAMS = type == QLatin1String("K")
        ? QStringList{QStringLiteral("K"), QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")}
        : QStringList{QStringLiteral("G"), QStringLiteral("1.000"), QStringLiteral("TL"), QStringLiteral("Kg")};
}

// Feeds and nutrients for the open problem, with a matrix of their shape
// whose cells are blank.
inline void setProblem(const QStringList& feeds, const QStringList& nutrients)
{
    ActiveProblem& p = G();
    p.AYMTABLE.clear();
    p.ABMTABLE.clear();
    for (const QString& f : feeds)
        p.AYMTABLE << Row{PadR(f, 15), SDAYA(QStringLiteral("1"), 3), blankCell(), blankCell(), blankCell()};
    for (const QString& n : nutrients)
        p.ABMTABLE << Row{PadR(n, 15), PadL(QStringLiteral("%"), 11), blankCell(), blankCell(), blankCell()};
    p.AMATRIX.clear();
    for (int r = 0; r < nutrients.size(); ++r)
        p.AMATRIX << Row(feeds.size(), blankCell());
    p.rebuildFeedNames();
    p.rebuildNutrientNames();
    p.LYMCHANGED = p.LBMCHANGED = p.LMATCHANGED = p.LBMOCHANGED = p.LPARAMCHANGED = false;
}

// TRUE when every matrix row has one cell per feed and there is one row per
// nutrient.
inline bool matrixIsRectangular()
{
    const ActiveProblem& p = G();
    if (p.AMATRIX.size() != p.ABMNAMES.size())
        return false;
    for (const Row& r : p.AMATRIX)
        if (r.size() != p.AYMNAMES.size())
            return false;
    return true;
}

}  // namespace zeva::test
