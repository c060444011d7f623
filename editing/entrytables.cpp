#include "editing/entrytables.h"

#include "core/activeproblem.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "core/problemfile.h"
#include "platform/runtime.h"

namespace zeva {

namespace {

EntryKindInfo makeInfo(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Nutrient:
        return {QStringLiteral("BM_GIRISWIN"),
                QStringLiteral("Besin Maddesi Verileri Girişi"),
                QStringLiteral("BMDELETE"),
                QStringLiteral("Seçili besin maddesi siliniyor!"),
                QStringLiteral("Besin Maddesi Verileri Girişi"),
                {{QStringLiteral("BMNAME"), QStringLiteral("Besin Maddesi Adı"), 20, kBmNameWidth},
                 {QStringLiteral("BMUNIT"), QStringLiteral("Birim"), 20, kCellWidth},
                 {QStringLiteral("BMFIX"), QStringLiteral("Sabit"), 20, kCellWidth},
                 {QStringLiteral("BMLLIMIT"), QStringLiteral("Alt Sınır"), 20, kCellWidth},
                 {QStringLiteral("BMULIMIT"), QStringLiteral("Üst Sınır"), 20, kCellWidth}}};
    case EntryKind::Feed:
        return {QStringLiteral("YM_GIRISWIN"),
                QStringLiteral("Yem Maddesi Verileri Girişi"),
                QStringLiteral("YMDELETE"),
                QStringLiteral("Seçili Yem Maddesi Siliniyor!"),
                QStringLiteral("Yem Maddesi Verileri Girişi"),
                {{QStringLiteral("YMNAME"), QStringLiteral("Yem Maddesi Adı"), 20, kYmNameFileWidth},
                 {QStringLiteral("YMPRICE"), QStringLiteral("Fiyatı"), 20, kCellWidth},
                 {QStringLiteral("YMFIX"), QStringLiteral("Sabit"), 20, kCellWidth},
                 {QStringLiteral("YMLLIMIT"), QStringLiteral("Alt Sınır"), 20, kCellWidth},
                 {QStringLiteral("YMULIMIT"), QStringLiteral("Üst Sınır"), 20, kCellWidth}}};
    case EntryKind::Ratio:
        break;
    }
    return {QStringLiteral("BMO_GIRISWIN"),
            QStringLiteral("Besin Maddesi Oran Verileri Girişi"),
            QStringLiteral("BMODELETE"),
            QStringLiteral("Seçili Besin Maddesi Oranı Siliniyor!"),
            QStringLiteral("Besin Maddesi Oranları"),
            {{QStringLiteral("BMONAME1"), QStringLiteral("Besin Maddesi Adı  I"), 20, kBmNameWidth},
             {QStringLiteral("BMONAME2"), QStringLiteral("Besin Maddesi Adı II"), 20, kBmNameWidth},
             {QStringLiteral("BMOFIX"), QStringLiteral("Sabit "), 17, kCellWidth},
             {QStringLiteral("BMOLLIMIT"), QStringLiteral("Alt Sınır"), 17, kCellWidth},
             {QStringLiteral("BMOULIMIT"), QStringLiteral("Üst Sınır"), 17, kCellWidth}}};
}

}  // namespace

const EntryKindInfo& entryKindInfo(EntryKind kind)
{
    static const EntryKindInfo nutrient = makeInfo(EntryKind::Nutrient);
    static const EntryKindInfo feed = makeInfo(EntryKind::Feed);
    static const EntryKindInfo ratio = makeInfo(EntryKind::Ratio);
    switch (kind) {
    case EntryKind::Nutrient:
        return nutrient;
    case EntryKind::Feed:
        return feed;
    case EntryKind::Ratio:
        break;
    }
    return ratio;
}

FieldSpecs entryFieldSpecs(EntryKind kind)
{
    FieldSpecs fieldList;
    for (const EntryColumn& c : entryKindInfo(kind).columns)
        fieldList.append(FieldSpec{c.field, QStringLiteral("C"), c.length, 0});
    return fieldList;
}

Table& entryProblemTable(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Nutrient:
        return G().ABMTABLE;
    case EntryKind::Feed:
        return G().AYMTABLE;
    case EntryKind::Ratio:
        break;
    }
    return G().ABMOTABLE;
}

bool isBlankRow(const Row& row)
{
    for (const QString& cell : row)
        if (!isBlankCell(cell))
            return false;
    return true;
}

Table withoutBlankRows(const Table& rows)
{
    Table kept;
    for (const Row& r : rows)
        if (!isBlankRow(r))
            kept.append(r);
    return kept;
}

// ---------------------------------------------------------------- editor

EntryTableEditor::EntryTableEditor(EntryKind kind, UserPort& port, Hooks hooks)
    : kind_(kind), port_(port), hooks_(std::move(hooks))
{
    // A deep copy: the grid edits the copy, the problem keeps its table.
    const Table copy = entryProblemTable(kind);
    server_ = std::make_unique<BARRAYSERVER>(entryFieldSpecs(kind), copy, 0, 1);
    QObject::connect(server_.get(), &BARRAYSERVER::notice, server_.get(),
                     [this](int code, int, int) { NOTIFY(code); });
}

EntryTableEditor::~EntryTableEditor() = default;

std::unique_ptr<BrowserRules> EntryTableEditor::makeRules()
{
    switch (kind_) {
    case EntryKind::Nutrient:
        return std::make_unique<OBM_BROWSER>(this);
    case EntryKind::Feed:
        return std::make_unique<OYM_BROWSER>(this);
    case EntryKind::Ratio:
        break;
    }
    return std::make_unique<OBMO_BROWSER>(&port_);
}

bool EntryTableEditor::changed() const
{
    return kind_ == EntryKind::Ratio ? G().LBMOCHANGED : LDATACHANGED;
}

void EntryTableEditor::suspend() const
{
    if (hooks_.suspendUpdate)
        hooks_.suspendUpdate();
}

void EntryTableEditor::restore() const
{
    if (hooks_.restoreUpdate)
        hooks_.restoreUpdate();
}

void EntryTableEditor::NOTIFY(int code)
{
    if (!isChangeNotice(code))
        return;
    if (kind_ == EntryKind::Ratio)
        G().LBMOCHANGED = true;
    else
        LDATACHANGED = true;
}

bool EntryTableEditor::findOrAppendRow(bool& refused)
{
    refused = false;
    BARRAYSERVER& s = *server_;
    if (s.isClosed())
        return false;
    if (s.LastRec() > 0) {
        // The first row without a name is used again, whatever else it holds.
        for (bool more = s.GoTop(); more; more = s.Skip(1))
            if (isBlankCell(s.FieldGet(1)))
                return false;
    }
    if (kind_ == EntryKind::Feed && s.LastRec() >= maxFeedsOfOpenFile()) {
        refused = true;
        return false;
    }
    return s.Append();
}

bool EntryTableEditor::APPEND()
{
    bool refused = false;
    const int was = server_->RecNo();
    suspend();
    const bool appended = findOrAppendRow(refused);
    if (refused)
        server_->GoTo(was);
    restore();
    if (refused) {
        // The problem file holds no more feeds than this: better said now
        // than at the save.
        ERRMESS(port_, tooManyFeedsText());
    }
    return appended;
}

void EntryTableEditor::DELETE_ROW()
{
    BARRAYSERVER& s = *server_;
    if (s.isClosed() || s.LastRec() == 0 || s.Eof())
        return;
    const int nRec = s.RecNo();
    if (ASK(port_, QStringLiteral("Uyarı"), info().deleteQuestion, BOX_YESNO_QUESTION) != REPLY_YES)
        return;
    // The question may have let the grid move the server: the row asked about goes.
    s.GoTo(nRec);
    const bool deleted = DODELETE();
    if (!deleted)
        return;
    if (kind_ == EntryKind::Nutrient)
        DELMATROW(nRec);
    else if (kind_ == EntryKind::Feed)
        DELMATCOL(nRec);
}

bool EntryTableEditor::DODELETE()
{
    BARRAYSERVER& s = *server_;
    bool result = false;
    suspend();
    s.Delete();
    if (s.Deleted()) {
        s.Pack();
        result = true;
    }
    restore();
    return result;
}

int EntryTableEditor::KAYITBOSMU(int nSkip, int nLast) const
{
    return zeva::KAYITBOSMU(*server_, nSkip, nLast);
}

void EntryTableEditor::ORANSEC()
{
    if (kind_ != EntryKind::Ratio || server_->isClosed())
        return;
    QStringList names = G().ABMNAMES;
    if (names.isEmpty())
        return;
    const int first = port_.chooseOne(QStringLiteral("Bölünen Seçimi"), names);
    if (first < 1 || first > names.size())
        return;
    const QString dividend = names.at(first - 1);
    names.removeAt(first - 1);
    const int second = port_.chooseOne(QStringLiteral("Bölen Seçimi"), names);
    if (second < 1 || second > names.size())
        return;
    const QString divisor = names.at(second - 1);

    suspend();
    bool refused = false;
    findOrAppendRow(refused);
    BARRAYSERVER& s = *server_;
    s.FieldPut(1, PadR(dividend, kBmNameWidth));
    s.FieldPut(2, PadR(divisor, kBmNameWidth));
    s.Commit();
    restore();
    G().LBMOCHANGED = true;
}

void EntryTableEditor::BMNAMEUNIT()
{
    QStringList names;
    QStringList units;
    const Table rows = server_->Data();
    for (int r = 0; r < rows.size(); ++r) {
        if (server_->deletedAt(r + 1))
            continue;
        const QString name = AllTrim(rows.at(r).value(BMNAME));
        if (name.isEmpty())
            continue;
        names << name;
        units << AllTrim(rows.at(r).value(BMUNIT));
    }
    G().ABMNAMES = names;
    G().ABMUNITS = units;
    G().LBMCHANGED = true;
}

void EntryTableEditor::MYMNAME()
{
    QStringList names;
    const Table rows = server_->Data();
    for (int r = 0; r < rows.size(); ++r) {
        if (server_->deletedAt(r + 1))
            continue;
        const QString name = AllTrim(rows.at(r).value(YMNAME));
        if (!name.isEmpty())
            names << name;
    }
    G().AYMNAMES = names;
    G().LYMCHANGED = true;
}

bool EntryTableEditor::WRITEBACK()
{
    if (server_->isClosed() || !changed())
        return false;
    Table rows;
    const Table data = server_->Data();
    for (int r = 0; r < data.size(); ++r)
        if (!server_->deletedAt(r + 1))
            rows.append(data.at(r));
    // A row with nothing in it has no matrix row or column: it is left out,
    // or the table and the name lists would fall out of step.
    rows = withoutBlankRows(rows);

    if (kind_ == EntryKind::Ratio) {
        G().ABMOTABLE = rows;
        return true;
    }
    suspend();
    if (kind_ == EntryKind::Nutrient)
        BMNAMEUNIT();
    else
        MYMNAME();
    restore();
    entryProblemTable(kind_) = rows;
    // The problem now holds the copy; only later edits count as a change.
    LDATACHANGED = false;
    if (hooks_.menuState)
        hooks_.menuState();
    return true;
}

void EntryTableEditor::QUERYCLOSE()
{
    WRITEBACK();
    server_->Close();
}

}  // namespace zeva
