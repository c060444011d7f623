#include "editing/browserrules.h"

#include "core/activeproblem.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "platform/runtime.h"

namespace zeva {

namespace {

// The feed and nutrient tables have five cells a row.
constexpr int kTableCells = 5;

bool dailyRation()
{
    return G().APARAMS.value(PRM_TYPE) == QLatin1String("G");
}

}  // namespace

NameCounters& runNameCounters()
{
    static NameCounters counters;
    return counters;
}

QString defaultFeedName(int n)
{
    return QStringLiteral("Ymİsimsiz") + AllTrim(Str(n, 3, 0));
}

QString defaultNutrientName(int n)
{
    return QStringLiteral("Bmİsimsiz") + AllTrim(Str(n, 3, 0));
}

CommitResult BrowserRules::ENDEDITFIELD(BARRAYSERVER& server, const CellEdit& edit)
{
    // The edit goes into the cell it was opened on, whatever record the
    // server stands on now; a cell that no longer exists takes nothing.
    if (edit.key == kKeyEsc || !edit.modified)
        return CommitResult::kNothing;
    if (server.isClosed() || edit.nRec < 1 || edit.nRec > server.LastRec() ||
        server.deletedAt(edit.nRec) || edit.nCol < 1 || edit.nCol > server.FCount())
        return CommitResult::kNothing;

    server.GoTo(edit.nRec);
    QString v = edit.text;
    if (apply(server, edit.nRec, edit.nCol, v) == Rule::kRowEmptied)
        return CommitResult::kRowEmptied;
    server.FieldPut(edit.nCol, v);
    server.Commit();
    return CommitResult::kWritten;
}

bool BrowserRules::deleteEmptiedRow(BARRAYSERVER& server, int nRec)
{
    if (!owner_ || server.isClosed() || nRec < 1 || nRec > server.LastRec())
        return false;
    server.GoTo(nRec);
    if (!owner_->DODELETE())
        return false;
    rowDeleted(nRec);
    return true;
}

CommitResult BrowserRules::commit(BARRAYSERVER& server, const CellEdit& edit)
{
    const CommitResult r = ENDEDITFIELD(server, edit);
    if (r == CommitResult::kWritten)
        afterCommit();
    if (r != CommitResult::kRowEmptied)
        return r;
    return deleteEmptiedRow(server, edit.nRec) ? CommitResult::kRowDeleted : CommitResult::kRowKept;
}

int BrowserRules::COLUMNFOCUSCHANGE(int nCol, int) const
{
    return nCol;
}

bool BrowserRules::numericColumn(int) const
{
    return false;
}

bool BrowserRules::numericCell(int, int nCol) const
{
    return numericColumn(nCol);
}

bool OYM_BROWSER::numericColumn(int nCol) const
{
    return nCol >= 2 && nCol <= 5;
}

bool OBM_BROWSER::numericColumn(int nCol) const
{
    return nCol >= 3 && nCol <= 5;
}

bool OBMO_BROWSER::numericColumn(int nCol) const
{
    return nCol >= 3 && nCol <= 5;
}

bool OAMAT_BROWSER::numericColumn(int nCol) const
{
    return nCol > 1;
}

BrowserRules::Rule BrowserRules::apply(BARRAYSERVER&, int, int, QString&)
{
    return Rule::kWrite;
}

void BrowserRules::rowDeleted(int) {}

// Feeds. A price has 3 decimals; amounts and limits 3 in a daily ration
// (type "G") and 5 in a compound feed. Every filled row is named and has its
// matrix column.
BrowserRules::Rule OYM_BROWSER::apply(BARRAYSERVER& server, int nRec, int nCol, QString& v)
{
    if (isBlankCell(v)) {
        if (KAYITBOSMU(server, nCol, kTableCells) == 0)
            return Rule::kRowEmptied;
        v = nCol == 1 ? defaultFeedName(++counters_->NYMNONAME) : QString();
        return Rule::kWrite;
    }
    if (nCol == 2)
        v = SDAYA(v, 3);
    else if (nCol >= 3 && nCol <= 5)
        v = SDAYA(v, dailyRation() ? 3 : 5);
    if (nCol >= 2 && nCol <= 5 && isBlankCell(server.FieldGet(1)))
        server.FieldPut(1, defaultFeedName(++counters_->NYMNONAME));
    ADDMATCOL(nRec);
    return Rule::kWrite;
}

void OYM_BROWSER::rowDeleted(int nRec)
{
    DELMATCOL(nRec);
}

// Nutrients. A unit is right-aligned in 11; values and limits have 4
// decimals. Every filled row is named and has its matrix row.
BrowserRules::Rule OBM_BROWSER::apply(BARRAYSERVER& server, int nRec, int nCol, QString& v)
{
    if (isBlankCell(v)) {
        if (KAYITBOSMU(server, nCol, kTableCells) == 0)
            return Rule::kRowEmptied;
        v = nCol == 1 ? defaultNutrientName(++counters_->NBMNONAME) : QString();
        return Rule::kWrite;
    }
    if (nCol == 2)
        v = PadL(AllTrim(v), kCellWidth);
    else if (nCol >= 3 && nCol <= 5)
        v = SDAYA(v, 4);
    if (nCol >= 2 && nCol <= 5 && isBlankCell(server.FieldGet(1)))
        server.FieldPut(1, defaultNutrientName(++counters_->NBMNONAME));
    ADDMATROW(nRec);
    return Rule::kWrite;
}

void OBM_BROWSER::rowDeleted(int nRec)
{
    DELMATROW(nRec);
}

// Ratios. The names are written as typed; the values get 4 decimals and name
// a row that has neither name.
BrowserRules::Rule OBMO_BROWSER::apply(BARRAYSERVER& server, int, int nCol, QString& v)
{
    unknownName_.clear();
    if (nCol <= 2) {
        const QString name = AllTrim(v);
        if (!name.isEmpty() && !G().ABMNAMES.contains(name))
            unknownName_ = name;
    }
    if (nCol > 2) {
        v = SDAYA(v, 4);
        if (isBlankCell(server.FieldGet(1)) && isBlankCell(server.FieldGet(2))) {
            server.FieldPut(1, kRatioName1);
            server.FieldPut(2, kRatioName2);
        }
    }
    return Rule::kWrite;
}

void OBMO_BROWSER::afterCommit()
{
    const QString name = unknownName_;
    unknownName_.clear();
    if (port_ && !name.isEmpty())
        UYARI(*port_, name + QStringLiteral(" besin maddesi problemde yok!\n\n"
                                            "Bu isimde bir besin maddesi eklenmezse oran çözümde kullanılmaz."));
}

// Matrix. Every feed cell gets 4 decimals; an emptied one becomes blanks.
BrowserRules::Rule OAMAT_BROWSER::apply(BARRAYSERVER&, int, int nCol, QString& v)
{
    if (nCol > 1)
        v = SDAYA(v, 4);
    return Rule::kWrite;
}

// The label column never keeps the focus: it passes to the first feed.
int OAMAT_BROWSER::COLUMNFOCUSCHANGE(int nCol, int nColumns) const
{
    return nCol == 1 && nColumns >= 2 ? 2 : nCol;
}

// Reference matrix. An emptied cell stays empty, except the unit row's name.
QString referenceCellText(int nRec, int nCol, const QString& v)
{
    if (nRec == 1)
        return nCol == 1 ? kReferenceUnitRowName : v;
    if (isBlankCell(v))
        return QString();
    if (nCol == 2)
        return SDAYA(v, 3);
    if (nCol >= 3)
        return SDAYA(v, 4);
    return v;
}

bool ORMAT_BROWSER::numericColumn(int nCol) const
{
    return nCol >= 2;
}

bool ORMAT_BROWSER::numericCell(int nRec, int nCol) const
{
    return nRec >= 2 && numericColumn(nCol);
}

BrowserRules::Rule ORMAT_BROWSER::apply(BARRAYSERVER&, int nRec, int nCol, QString& v)
{
    v = referenceCellText(nRec, nCol, v);
    return Rule::kWrite;
}

}  // namespace zeva
