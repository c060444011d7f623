#pragma once
// The work of the three table entry windows, free of widgets: the nutrient
// window (ABMTABLE), the feed window (AYMTABLE) and the ratio window
// (ABMOTABLE). Each window edits a private copy of its table through an
// array server and hands the copy back to the active problem when it closes
// after a change. Deleting a nutrient or a feed removes its matrix row or
// column at once.
//
// The window side (editing/ui/entrywindows.h) owns one EntryTableEditor,
// shows its server in a grid and sends it the menu commands.

#include "core/feedlimit.h"
#include "core/userport.h"
#include "editing/barrayserver.h"
#include "editing/browserrules.h"

#include <QString>

#include <functional>
#include <memory>

namespace zeva {

enum class EntryKind { Nutrient, Feed, Ratio };

// One grid column: the server field it shows, its caption, its width on
// screen (characters) and the field's length.
struct EntryColumn {
    QString field;
    QString caption;
    int width = 0;
    int length = 0;
};

// What sets the three windows apart.
struct EntryKindInfo {
    QString className;       // "BM_GIRISWIN"
    QString caption;         // window caption
    QString deleteSymbol;    // the delete command: "BMDELETE", "YMDELETE", "BMODELETE"
    QString deleteQuestion;  // asked before a delete
    QString helpTopic;       // topic of the context help
    QList<EntryColumn> columns;
};
const EntryKindInfo& entryKindInfo(EntryKind kind);

// The server's field description of a table: {name, "C", length, 0} per column.
FieldSpecs entryFieldSpecs(EntryKind kind);

// The problem table the window of `kind` edits.
Table& entryProblemTable(EntryKind kind);

// TRUE when every cell of the row is empty or blanks only.
bool isBlankRow(const Row& row);
// The rows in order, those whose cells are all blank left out.
Table withoutBlankRows(const Table& rows);


class EntryTableEditor : public BrowserOwner {
public:
    // What the editor needs of its window. Every hook may be left empty.
    struct Hooks {
        std::function<void()> suspendUpdate;  // the grid stops repainting ...
        std::function<void()> restoreUpdate;  // ... and repaints once
        std::function<void()> menuState;      // MI_ENADISABLE to the owner
    };

    // POSTINIT: the server over a deep copy of the problem table.
    EntryTableEditor(EntryKind kind, UserPort& port, Hooks hooks = {});
    ~EntryTableEditor() override;
    EntryTableEditor(const EntryTableEditor&) = delete;
    EntryTableEditor& operator=(const EntryTableEditor&) = delete;

    EntryKind kind() const { return kind_; }
    const EntryKindInfo& info() const { return entryKindInfo(kind_); }
    BARRAYSERVER* server() const { return server_.get(); }
    // The commit rules of this table's grid, with this editor as their owner.
    std::unique_ptr<BrowserRules> makeRules();

    // Change flag of the nutrient and feed windows: raised by every change
    // of the copy, lowered once the copy went back into the problem. The
    // ratio window uses the problem's LBMOCHANGED instead.
    bool LDATACHANGED = false;
    bool changed() const;

    // A server notice: the four change codes raise the flag.
    void NOTIFY(int code);

    // F5: makes the first row with an empty name current, or appends a row
    // when there is none. TRUE when a row was appended. The feed window
    // refuses a row past the most feeds the problem file can hold.
    bool APPEND();
    // F6: asks, then deletes the current row (and its matrix row or column).
    void DELETE_ROW();
    // Deletes the current row and packs; TRUE when the row went.
    bool DODELETE() override;
    int KAYITBOSMU(int nSkip, int nLast) const;
    // F7 (ratio window): the dividend and the divisor picked from ABMNAMES,
    // written into a free or new row.
    void ORANSEC();

    // The copy back into the problem when it changed: the table without its
    // blank rows, the name lists rebuilt and MI_ENADISABLE sent (nutrients
    // and feeds). TRUE when it wrote. The window stays usable.
    bool WRITEBACK();
    // The close: WRITEBACK, then the server closes.
    void QUERYCLOSE();

    // The name lists from the copy (trimmed, non-empty names only).
    void BMNAMEUNIT();
    void MYMNAME();

private:
    // The APPEND walk without the repaint pause; TRUE when it appended.
    // Sets `refused` when the feed limit stopped it.
    bool findOrAppendRow(bool& refused);
    void suspend() const;
    void restore() const;

    EntryKind kind_;
    UserPort& port_;
    Hooks hooks_;
    std::unique_ptr<BARRAYSERVER> server_;
};

}  // namespace zeva
