#pragma once
// What happens to a cell when its editor closes: the commit rules of the grid
// browsers, free of widgets. The grid hands over the cell the editor was
// opened on, its text and how the edit ended; the rules decide whether to
// write, normalise the text (numbers into the tables' numeric text), keep
// rows named, grow the matrix, and remove a row that the edit emptied.
//
// A removal is done in two steps so that the grid can run the second one
// after the editor is gone: ENDEDITFIELD answers kRowEmptied and changes
// nothing; deleteEmptiedRow then asks the owner to delete the row and
// removes the matching matrix part.

#include "core/userport.h"
#include "editing/barrayserver.h"

#include <QString>

namespace zeva {

// The window that owns a browser, as the rules see it.
class BrowserOwner {
public:
    virtual ~BrowserOwner() = default;
    // Deletes the server's current record and packs the table; TRUE when the
    // record went.
    virtual bool DODELETE() = 0;
};

// Counters of the default names, shared by every window of their kind for
// the whole run and never reset by the program.
struct NameCounters {
    int NYMNONAME = 0;  // feeds
    int NBMNONAME = 0;  // nutrients
};
NameCounters& runNameCounters();

QString defaultFeedName(int n);      // "Ymİsimsiz" + n
QString defaultNutrientName(int n);  // "Bmİsimsiz" + n
inline const QString kRatioName1 = QStringLiteral("Bmİsmi-I");
inline const QString kRatioName2 = QStringLiteral("Bmİsmi-II");
inline const QString kReferenceUnitRowName = QStringLiteral("BIRIM");

// The text a reference matrix cell takes when `v` is typed into field nCol
// (from 1) of record nRec: the unit row keeps its name "BIRIM" and its unit
// texts as typed; a feed's price gets 3 decimals, its other values 4; an
// emptied cell stays empty. Shared by the grid and the form view.
QString referenceCellText(int nRec, int nCol, const QString& v);

// How an edit ended.
struct CellEdit {
    int nRec = 0;          // record of the cell the editor was opened on
    int nCol = 0;          // field of that cell, from 1 (the grids show the fields in order,
                           // so this is also the cell's column position)
    QString text;          // the editor's text
    bool modified = false; // the editor's text was changed by the user
    int key = 0;           // the key that ended the edit, 27 for Esc; 0 for none
};
inline constexpr int kKeyEsc = 27;

enum class CommitResult {
    kNothing,     // Esc, an unchanged editor or a cell that is gone: nothing written
    kWritten,     // the cell (and what the rules add) was written
    kRowEmptied,  // the edit empties the row: deleteEmptiedRow must follow
    kRowDeleted,  // (commit only) the row and its matrix part were removed
    kRowKept,     // (commit only) the owner did not delete the row; nothing written
};

// The plain commit: the text is written as typed. Base of the table rules.
class BrowserRules {
public:
    explicit BrowserRules(BrowserOwner* owner = nullptr) : owner_(owner) {}
    virtual ~BrowserRules() = default;

    // Decides and writes. The server is moved to the edited record first and
    // stays there.
    CommitResult ENDEDITFIELD(BARRAYSERVER& server, const CellEdit& edit);
    // Removes record nRec after ENDEDITFIELD answered kRowEmptied: TRUE when
    // the owner deleted it.
    bool deleteEmptiedRow(BARRAYSERVER& server, int nRec);
    // Both steps at once.
    CommitResult commit(BARRAYSERVER& server, const CellEdit& edit);

    // The column that takes the focus when column nCol (from 1) would get it,
    // out of nColumns.
    virtual int COLUMNFOCUSCHANGE(int nCol, int nColumns) const;

    // TRUE when field nCol (from 1) holds numbers: its commit turns the text
    // into numeric text, and its editor takes no minus sign.
    virtual bool numericColumn(int nCol) const;
    // The same for the one cell of record nRec: a table whose first record
    // holds texts of its own (the reference matrix's unit row) answers by
    // record. By default the column decides.
    virtual bool numericCell(int nRec, int nCol) const;

    // Runs once a written commit is over and the grid shows it: what the
    // rules have to tell about the edit is told here.
    virtual void afterCommit() {}

protected:
    enum class Rule { kWrite, kRowEmptied };
    // Turns v into the text to write (and writes what goes with it); answers
    // kRowEmptied when the row must go instead.
    virtual Rule apply(BARRAYSERVER& server, int nRec, int nCol, QString& v);
    // Called by deleteEmptiedRow when the owner deleted the row.
    virtual void rowDeleted(int nRec);

    BrowserOwner* owner_;  // may be empty: an emptied row is then kept
};

// Feed table: name, price, fixed amount, lower and upper limit.
class OYM_BROWSER : public BrowserRules {
public:
    explicit OYM_BROWSER(BrowserOwner* owner, NameCounters* counters = &runNameCounters())
        : BrowserRules(owner), counters_(counters) {}
    bool numericColumn(int nCol) const override;

protected:
    Rule apply(BARRAYSERVER& server, int nRec, int nCol, QString& v) override;
    void rowDeleted(int nRec) override;

private:
    NameCounters* counters_;
};

// Nutrient table: name, unit, fixed value, lower and upper limit.
class OBM_BROWSER : public BrowserRules {
public:
    explicit OBM_BROWSER(BrowserOwner* owner, NameCounters* counters = &runNameCounters())
        : BrowserRules(owner), counters_(counters) {}
    bool numericColumn(int nCol) const override;

protected:
    Rule apply(BARRAYSERVER& server, int nRec, int nCol, QString& v) override;
    void rowDeleted(int nRec) override;

private:
    NameCounters* counters_;
};

// Ratio table: two nutrient names, fixed value, lower and upper limit. A
// name typed that is not a nutrient of the problem (ABMNAMES, trimmed, letter
// case counting) is kept, and told through `port` after the commit: the solve
// leaves such a ratio out unless that nutrient is added.
class OBMO_BROWSER : public BrowserRules {
public:
    explicit OBMO_BROWSER(UserPort* port = nullptr) : port_(port) {}
    bool numericColumn(int nCol) const override;
    void afterCommit() override;

protected:
    Rule apply(BARRAYSERVER& server, int nRec, int nCol, QString& v) override;

private:
    UserPort* port_;
    QString unknownName_;  // from the last commit, until it is told
};

// Composition matrix: the row label, then one column per feed.
class OAMAT_BROWSER : public BrowserRules {
public:
    int COLUMNFOCUSCHANGE(int nCol, int nColumns) const override;
    bool numericColumn(int nCol) const override;

protected:
    Rule apply(BARRAYSERVER& server, int nRec, int nCol, QString& v) override;
};

// Reference matrix grid: feed name, price, then the dry matter and the
// nutrient columns. Record 1 is the unit row: its name is always "BIRIM" and
// its other cells are unit texts, kept as typed.
class ORMAT_BROWSER : public BrowserRules {
public:
    // The price and the nutrient columns of the feeds; the unit row keeps
    // free text and the name is text.
    bool numericColumn(int nCol) const override;
    bool numericCell(int nRec, int nCol) const override;

protected:
    Rule apply(BARRAYSERVER& server, int nRec, int nCol, QString& v) override;
};

}  // namespace zeva
