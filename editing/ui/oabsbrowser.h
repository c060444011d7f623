#pragma once
// OABS_BROWSER: the grid of every table window. It shows an array server
// through BArrayModel, one VQDATACOLUMN per column, and edits cells in place
// with its own editor (CellDelegate):
//   - a typed character opens the editor holding just that character,
//     already modified; a double click opens it on the cell's value without
//     its padding, unmodified; a character Windows-1254 cannot hold, or a
//     minus sign in a numeric cell, opens nothing;
//   - Enter, Tab and a focus change commit, Esc closes without writing;
//   - the commit always goes into the cell the editor was opened on, through
//     the browser's rules (BrowserRules and its table subclasses), after the
//     editor is gone; removing a row that an edit emptied runs once the
//     event that closed the editor is over;
//   - while an editor is open its cell is locked (focusLockCount() is 1);
//     every way an editor ends brings the count back to 0.
// The grid moves by cell or by row (ENABLECELLCURSOR), follows the server's
// current record and moves the server with it, can freeze its first column,
// and Esc in the grid with no editor open closes the owner window.

#include "editing/browserrules.h"
#include "editing/ui/barraymodel.h"
#include "editing/ui/vqdatacolumn.h"

#include <QPointer>
#include <QTableView>

#include <memory>

namespace zeva {

class CellDelegate;
class CellEditor;

class OABS_BROWSER : public QTableView {
    Q_OBJECT
public:
    // oOwner: the data window the grid sits in (also the widget parent).
    explicit OABS_BROWSER(QWidget* oOwner);
    ~OABS_BROWSER() override;

    // Commit rules; the plain rules (write as typed) until set.
    void setRules(std::unique_ptr<BrowserRules> rules);
    BrowserRules* rules() const { return rules_.get(); }

    // Columns, in order; the browser takes ownership. Columns added after
    // Use take effect at the next Use.
    VQDATACOLUMN* ADDCOLUMN(VQDATACOLUMN* column);
    VQDATACOLUMN* GetColumn(int n) const;  // from 1; nullptr when none
    int ColumnCount() const { return static_cast<int>(columns_.size()); }

    // Shows the server: every column binds to the field of its name. With no
    // columns added, one column per field is made.
    void Use(BARRAYSERVER* server);
    BARRAYSERVER* server() const { return server_; }
    BArrayModel* arrayModel() const { return model_; }

    // Cell cursor (TRUE: the focus cell alone is selected) or row cursor.
    void ENABLECELLCURSOR(bool lCell);
    bool cellCursor() const { return cellCursor_; }

    int ColPos() const;            // column of the focus cell, from 1; 0 for none
    int RowPos() const;            // row of the focus cell, from 1; 0 for none
    void SetColumnFocus(int n);    // moves the focus cell to column n of its row

    // Opens the editor on the focus cell: with a typed character (dwChar not
    // 0) holding just it, else on the cell's value. An open editor is first
    // committed. TRUE when an editor is open.
    bool BEGINEDITFIELD(uint dwChar = 0);
    // Ends the open editor with the key: 27 writes nothing, anything else
    // commits.
    void ENDEDITFIELD(int dwKey);
    // A double click on the focus cell.
    void CELLDOUBLECLICK();

    CellEditor* openEditor() const { return editor_; }
    // Commits an open editor; a row the edit emptied is gone when this
    // returns, so the server can be read.
    void commitOpenEditor();
    // The window commands the grid serves for the window it sits in:
    // CUT, COPY, PASTE and CLEAR (the selected text only) on the edit that
    // has the focus inside `window`, else on the open cell editor; GOTOP,
    // SKIPPREVIOUS, SKIPNEXT and GOBOTTOM after committing an open editor.
    // FALSE for any other symbol.
    bool windowCommand(QWidget* window, const QString& symbol);
    bool isOpenEditor(const QWidget* w) const;
    int focusLockCount() const { return focusLock_; }

    // Painting off and on, nested.
    void SuspendUpdate();
    void RestoreUpdate();

    // The first column frozen at the left edge while the rest scroll.
    void EnableVerticalSplit(bool enable);
    bool isVerticalSplit() const { return frozen_ != nullptr; }
    QTableView* frozenView() const { return frozen_; }

    // The window that Esc in the grid closes, when it is not the owner (a
    // grid in a sub-form closes the form's owner). Null: the owner.
    void setCloseTarget(QWidget* target) { closeTarget_ = target; }
    QWidget* closeTarget() const { return closeTarget_ ? closeTarget_.data() : owner_.data(); }

    // The delegate tells the browser of a new editor (locks the cell).
    void editorOpened(CellEditor* editor);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool openEditorAt(const QModelIndex& index, EditTrigger trigger, QChar startChar);
    bool acceptsFocus(const QModelIndex& index) const;
    // A typed character that may not start an edit of `index`: one
    // Windows-1254 cannot hold, or a minus sign in a numeric cell.
    bool refusesCharacter(const QModelIndex& index, QChar c) const;
    int focusColumnFor(int column) const;
    void releaseLock(QObject* editor);
    void runCommit(const CellEdit& edit);
    void deleteEmptiedRow(int nRec);
    void onServerNotice(int code, int rec, int field);
    void followServer();
    void syncServerToView();
    void setCurrentCell(const QModelIndex& index);
    int pixelWidth(int chars) const;
    void setupFrozen();
    void updateFrozenGeometry();

    QPointer<QWidget> owner_;
    QPointer<QWidget> closeTarget_;
    std::unique_ptr<BrowserRules> rules_;
    QList<VQDATACOLUMN*> columns_;
    QPointer<BARRAYSERVER> server_;
    BArrayModel* model_ = nullptr;
    CellDelegate* delegate_ = nullptr;
    QTableView* frozen_ = nullptr;

    QPointer<CellEditor> editor_;       // the open editor
    QObject* lockedEditor_ = nullptr;   // the editor holding the lock
    QWidget* commitFor_ = nullptr;      // the editor asked to commit
    int focusLock_ = 0;
    int suspend_ = 0;
    int syncing_ = 0;                   // the server moves on our behalf
    bool cellCursor_ = true;
};

// The grid of a sub-form: it keeps the plain commit (written as typed),
// and Esc closes the window the sub-form sits in, not the sub-form.
class CONVBROWSER : public OABS_BROWSER {
public:
    CONVBROWSER(QWidget* subForm, QWidget* window) : OABS_BROWSER(subForm) { setCloseTarget(window); }
};

}  // namespace zeva
