#include "editing/ui/oabsbrowser.h"

#include "editing/ui/celldelegate.h"
#include "editing/ui/celleditor.h"
#include "platform/codec.h"
#include "platform/ui/controls.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QScrollBar>

namespace zeva {

namespace {

// Counts a nested section of work done on the browser's behalf.
class Nest {
public:
    explicit Nest(int& n) : n_(n) { ++n_; }
    ~Nest() { --n_; }
    Nest(const Nest&) = delete;
    Nest& operator=(const Nest&) = delete;

private:
    int& n_;
};

}  // namespace

OABS_BROWSER::OABS_BROWSER(QWidget* oOwner)
    : QTableView(oOwner), owner_(oOwner), rules_(std::make_unique<BrowserRules>())
{
    delegate_ = new CellDelegate(this);
    setItemDelegate(delegate_);
    setEditTriggers(DoubleClicked | AnyKeyPressed);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setTabKeyNavigation(true);
    // Rows keep the height of one line of text.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

OABS_BROWSER::~OABS_BROWSER()
{
    // Editors not yet deleted go with the browser's children, after this
    // object is no browser any more: their end must not reach releaseLock.
    for (CellEditor* e : findChildren<CellEditor*>())
        disconnect(e, nullptr, this, nullptr);
}

void OABS_BROWSER::setRules(std::unique_ptr<BrowserRules> rules)
{
    rules_ = rules ? std::move(rules) : std::make_unique<BrowserRules>();
}

VQDATACOLUMN* OABS_BROWSER::ADDCOLUMN(VQDATACOLUMN* column)
{
    if (!column)
        return nullptr;
    column->setParent(this);
    column->browser_ = this;
    column->position_ = static_cast<int>(columns_.size());
    columns_.append(column);
    return column;
}

VQDATACOLUMN* OABS_BROWSER::GetColumn(int n) const
{
    return n >= 1 && n <= columns_.size() ? columns_.at(n - 1) : nullptr;
}

int OABS_BROWSER::pixelWidth(int chars) const
{
    return fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 8;
}

void OABS_BROWSER::Use(BARRAYSERVER* server)
{
    if (editor_)
        ENDEDITFIELD(0);
    if (server_)
        disconnect(server_, nullptr, this, nullptr);
    server_ = server;
    BArrayModel* old = model_;
    model_ = new BArrayModel(server, this);

    if (columns_.isEmpty() && server) {
        for (int f = 1; f <= server->FCount(); ++f) {
            const FieldSpec field = server->fieldSpec(f);
            auto* c = new VQDATACOLUMN(field.length);
            c->SetHyperLabel(field.name, field.name);
            ADDCOLUMN(c);
        }
    }
    QList<int> fields;
    QStringList captions;
    for (VQDATACOLUMN* c : columns_) {
        fields << (server ? server->FieldPos(c->NameSym()) : 0);
        captions << c->Caption();
    }
    model_->setColumns(fields, captions);
    setModel(model_);
    delete old;
    for (int i = 0; i < columns_.size(); ++i)
        setColumnWidth(i, pixelWidth(columns_.at(i)->Width()));

    if (server)
        connect(server, &BARRAYSERVER::notice, this, &OABS_BROWSER::onServerNotice);
    // A table changed under an open editor (a pack) takes the editor with it;
    // its cell is gone and so is the lock.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (editor_)
            releaseLock(editor_);
    });
    if (frozen_)
        setupFrozen();
    followServer();
}

void OABS_BROWSER::ENABLECELLCURSOR(bool lCell)
{
    SuspendUpdate();
    cellCursor_ = lCell;
    setSelectionMode(SingleSelection);
    setSelectionBehavior(lCell ? SelectItems : SelectRows);
    if (frozen_)
        frozen_->setSelectionBehavior(selectionBehavior());
    QModelIndex cur = currentIndex();
    if (!cur.isValid() && model_ && model_->rowCount() > 0)
        cur = model_->index(0, focusColumnFor(0));
    if (cur.isValid())
        setCurrentCell(cur);
    setFocus();
    RestoreUpdate();
}

int OABS_BROWSER::ColPos() const
{
    const QModelIndex cur = currentIndex();
    return cur.isValid() ? cur.column() + 1 : 0;
}

int OABS_BROWSER::RowPos() const
{
    const QModelIndex cur = currentIndex();
    return cur.isValid() ? cur.row() + 1 : 0;
}

void OABS_BROWSER::SetColumnFocus(int n)
{
    if (!model_ || n < 1 || n > model_->columnCount() || model_->rowCount() == 0)
        return;
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    setCurrentCell(model_->index(row, n - 1));
}

void OABS_BROWSER::setCurrentCell(const QModelIndex& index)
{
    if (!index.isValid() || !selectionModel())
        return;
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (!cellCursor_)
        flags |= QItemSelectionModel::Rows;
    selectionModel()->setCurrentIndex(index, flags);
}

int OABS_BROWSER::focusColumnFor(int column) const
{
    if (!model_)
        return column;
    return rules_->COLUMNFOCUSCHANGE(column + 1, model_->columnCount()) - 1;
}

bool OABS_BROWSER::acceptsFocus(const QModelIndex& index) const
{
    return index.isValid() && focusColumnFor(index.column()) == index.column();
}

// Editing ------------------------------------------------------------------

bool OABS_BROWSER::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (trigger == AnyKeyPressed) {
        if (!event || event->type() != QEvent::KeyPress)
            return false;
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() != 1 || !text.at(0).isPrint())
            return false;
        if (refusesCharacter(index, text.at(0))) {
            // Refused where it is typed: no editor, nothing else happens.
            QApplication::beep();
            return true;
        }
        return openEditorAt(index, trigger, text.at(0));
    }
    if (trigger == NoEditTriggers || trigger == SelectedClicked || trigger == CurrentChanged ||
        trigger == EditKeyPressed)
        return QTableView::edit(index, trigger, event);
    return openEditorAt(index, trigger, QChar());
}

bool OABS_BROWSER::openEditorAt(const QModelIndex& index, EditTrigger trigger, QChar startChar)
{
    if (!acceptsFocus(index) || !(index.flags() & Qt::ItemIsEditable))
        return false;
    if (editor_) {
        // One editor at a time: the open one is committed into its own cell.
        if (editor_->cell == index)
            return true;
        ENDEDITFIELD(0);
    }
    if (currentIndex() != index)
        setCurrentCell(index);
    if (!QTableView::edit(index, trigger, nullptr) || !editor_)
        return false;
    if (!startChar.isNull()) {
        // The typed character replaces the cell's text, caret after it.
        editor_->setText(QString(startChar));
        editor_->setModified(true);
        editor_->deselect();
        editor_->setCursorPosition(1);
    }
    return true;
}

bool OABS_BROWSER::refusesCharacter(const QModelIndex& index, QChar c) const
{
    if (!cp1254::canEncode(c))
        return true;
    return isMinusSign(c) && model_ && index.isValid() &&
           rules_->numericCell(index.row() + 1, model_->fieldOf(index.column()));
}

bool OABS_BROWSER::BEGINEDITFIELD(uint dwChar)
{
    const QChar c = dwChar == 0 ? QChar() : QChar(static_cast<char16_t>(dwChar));
    if (!c.isNull() && (!c.isPrint() || refusesCharacter(currentIndex(), c)))
        return false;
    return openEditorAt(currentIndex(), AllEditTriggers, c);
}

void OABS_BROWSER::CELLDOUBLECLICK()
{
    BEGINEDITFIELD(0);
}

void OABS_BROWSER::ENDEDITFIELD(int dwKey)
{
    if (!editor_)
        return;
    delegate_->endEdit(editor_, dwKey,
                       dwKey == kKeyEsc ? QAbstractItemDelegate::RevertModelCache
                                        : QAbstractItemDelegate::SubmitModelCache);
}

bool OABS_BROWSER::isOpenEditor(const QWidget* w) const
{
    return w && w == editor_.data();
}

void OABS_BROWSER::editorOpened(CellEditor* editor)
{
    if (lockedEditor_)
        releaseLock(lockedEditor_);
    editor_ = editor;
    lockedEditor_ = editor;
    ++focusLock_;
    connect(editor, &QObject::destroyed, this, &OABS_BROWSER::releaseLock);
}

void OABS_BROWSER::releaseLock(QObject* editor)
{
    if (!editor || editor != lockedEditor_)
        return;
    lockedEditor_ = nullptr;
    if (focusLock_ > 0)
        --focusLock_;
    if (editor_.data() == editor)
        editor_ = nullptr;
}

void OABS_BROWSER::commitData(QWidget* editor)
{
    // Only noted here; the commit runs in closeEditor, once the editor is gone.
    if (isOpenEditor(editor))
        commitFor_ = editor;
}

void OABS_BROWSER::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (!isOpenEditor(editor)) {
        commitFor_ = nullptr;
        return;
    }
    auto* e = editor_.data();
    const bool commit = commitFor_ == editor && e->cell.isValid();
    commitFor_ = nullptr;
    CellEdit edit;
    if (commit && model_) {
        edit.nRec = e->cell.row() + 1;
        edit.nCol = model_->fieldOf(e->cell.column());
        edit.text = e->text();
        edit.modified = e->isModified();
        edit.key = e->endKey;
    }
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool previous = hint == QAbstractItemDelegate::EditPreviousItem;
    if (next || previous)
        hint = QAbstractItemDelegate::NoHint;  // Tab moves on without opening an editor

    QTableView::closeEditor(editor, hint);
    releaseLock(editor);

    if (commit)
        runCommit(edit);
    if (next || previous) {
        const QModelIndex to = moveCursor(next ? MoveNext : MovePrevious, Qt::NoModifier);
        if (to.isValid())
            setCurrentCell(to);
    }
}

void OABS_BROWSER::runCommit(const CellEdit& edit)
{
    if (!server_)
        return;
    CommitResult result;
    SuspendUpdate();
    {
        Nest n(syncing_);
        result = rules_->ENDEDITFIELD(*server_, edit);
    }
    syncServerToView();
    // The focus rule runs again, as after any column focus change.
    const QModelIndex cur = currentIndex();
    if (cur.isValid() && !acceptsFocus(cur))
        setCurrentCell(cur.sibling(cur.row(), focusColumnFor(cur.column())));
    RestoreUpdate();
    if (result == CommitResult::kWritten)
        rules_->afterCommit();
    if (result == CommitResult::kRowEmptied) {
        // The row goes once the event that closed the editor is over.
        const int nRec = edit.nRec;
        QMetaObject::invokeMethod(this, [this, nRec] { deleteEmptiedRow(nRec); },
                                  Qt::QueuedConnection);
    }
}

void OABS_BROWSER::deleteEmptiedRow(int nRec)
{
    if (!server_ || !model_)
        return;
    if (editor_)
        ENDEDITFIELD(0);
    const QModelIndex cur = currentIndex();
    int row = cur.isValid() ? cur.row() : nRec - 1;
    const int column = cur.isValid() ? cur.column() : focusColumnFor(0);
    bool deleted;
    SuspendUpdate();
    {
        Nest n(syncing_);
        deleted = rules_->deleteEmptiedRow(*server_, nRec);
    }
    if (deleted && row > nRec - 1)
        --row;
    row = qMin(row, model_->rowCount() - 1);
    if (row >= 0 && (!currentIndex().isValid() || currentIndex().row() != row))
        setCurrentCell(model_->index(row, column));
    syncServerToView();
    RestoreUpdate();
}

// Following the server ------------------------------------------------------

void OABS_BROWSER::onServerNotice(int code, int, int)
{
    if (syncing_ > 0)
        return;
    if (code == kNoticeMoved || code == kNoticeAtBottom || code == kNoticeAtTop ||
        code == kNoticeAppended || code == kNoticeTableChanged)
        followServer();
}

void OABS_BROWSER::followServer()
{
    if (!server_ || !model_ || model_->rowCount() == 0)
        return;
    const int row = server_->RecNo() - 1;
    if (row < 0 || row >= model_->rowCount())
        return;
    const QModelIndex cur = currentIndex();
    const int column = cur.isValid() ? cur.column() : focusColumnFor(0);
    if (cur.isValid() && cur.row() == row)
        return;
    Nest n(syncing_);
    setCurrentCell(model_->index(row, column));
}

void OABS_BROWSER::syncServerToView()
{
    const QModelIndex cur = currentIndex();
    if (!server_ || !cur.isValid() || server_->RecNo() == cur.row() + 1)
        return;
    Nest n(syncing_);
    server_->GoTo(cur.row() + 1);
}

void OABS_BROWSER::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);  // commits an editor left open
    if (frozen_)
        frozen_->viewport()->update();
    if (!current.isValid())
        return;
    if (!acceptsFocus(current)) {
        // A column that never keeps the focus hands it on, once the event
        // that brought it there (a click) is over.
        const QPersistentModelIndex at(current);
        QMetaObject::invokeMethod(
            this,
            [this, at] {
                if (at.isValid() && currentIndex() == at)
                    setCurrentCell(at.sibling(at.row(), focusColumnFor(at.column())));
            },
            Qt::QueuedConnection);
    }
    if (syncing_ == 0)
        syncServerToView();
}

QModelIndex OABS_BROWSER::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    QModelIndex to = QTableView::moveCursor(cursorAction, modifiers);
    if (to.isValid() && !acceptsFocus(to))
        to = to.sibling(to.row(), focusColumnFor(to.column()));
    if (frozen_ && to.isValid() && to.column() > 0) {
        // Keep the cell out from under the frozen column.
        const int left = visualRect(to).topLeft().x();
        const int frozenWidth = frozen_->columnWidth(0);
        if (left < frozenWidth)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + left - frozenWidth);
    }
    return to;
}

void OABS_BROWSER::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (frozen_ && index.column() == 0)
        return;  // the frozen column is always in view
    QTableView::scrollTo(index, hint);
}

void OABS_BROWSER::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        state() != EditingState) {
        // Esc in the grid with no editor open closes the owner window (or
        // the window set as the close target).
        event->accept();
        if (QWidget* target = closeTarget()) {
            // A window hosted in an MDI frame closes with its frame.
            if (auto* frame = qobject_cast<QMdiSubWindow*>(target->parentWidget()))
                frame->close();
            else
                target->close();
        }
        return;
    }
    QTableView::keyPressEvent(event);
}

void OABS_BROWSER::keyboardSearch(const QString&)
{
    // Typed characters start an edit; they never move the cursor.
}

// Painting ------------------------------------------------------------------

void OABS_BROWSER::SuspendUpdate()
{
    if (suspend_++ == 0)
        setUpdatesEnabled(false);
}

void OABS_BROWSER::RestoreUpdate()
{
    if (suspend_ > 0 && --suspend_ == 0)
        setUpdatesEnabled(true);
}

// Frozen first column --------------------------------------------------------

void OABS_BROWSER::EnableVerticalSplit(bool enable)
{
    if (enable == (frozen_ != nullptr))
        return;
    if (!enable) {
        delete frozen_;
        frozen_ = nullptr;
        setHorizontalScrollMode(ScrollPerItem);
        return;
    }
    frozen_ = new QTableView(this);
    frozen_->setFocusPolicy(Qt::NoFocus);
    // No frame of its own: its rows line up with the grid's to the pixel.
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->setEditTriggers(NoEditTriggers);
    frozen_->verticalHeader()->hide();
    frozen_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setAutoScroll(false);
    setHorizontalScrollMode(ScrollPerPixel);
    viewport()->stackUnder(frozen_);

    connect(horizontalHeader(), &QHeaderView::sectionResized, frozen_,
            [this](int logical, int, int size) {
                if (logical == 0 && frozen_) {
                    frozen_->setColumnWidth(0, size);
                    updateFrozenGeometry();
                }
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, frozen_,
            [this](int logical, int, int size) { frozen_->setRowHeight(logical, size); });
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    // The frozen column stands where the grid stands from the start: its
    // scroll range comes with its first layout, and then it takes the grid's
    // position.
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::rangeChanged, frozen_, [this] {
        if (frozen_)
            frozen_->verticalScrollBar()->setValue(verticalScrollBar()->value());
    });
    setupFrozen();
    frozen_->show();
    frozen_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void OABS_BROWSER::setupFrozen()
{
    if (!frozen_)
        return;
    frozen_->setModel(model_);
    if (!model_)
        return;
    frozen_->setSelectionModel(selectionModel());
    frozen_->setSelectionMode(selectionMode());
    frozen_->setSelectionBehavior(selectionBehavior());
    frozen_->setFont(font());
    frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    auto hideRest = [this] {
        if (!frozen_ || !model_)
            return;
        for (int c = 1; c < model_->columnCount(); ++c)
            frozen_->setColumnHidden(c, true);
        frozen_->setColumnWidth(0, columnWidth(0));
        updateFrozenGeometry();
    };
    connect(model_, &QAbstractItemModel::modelReset, frozen_, hideRest);
    connect(model_, &QAbstractItemModel::columnsInserted, frozen_, hideRest);
    hideRest();
}

void OABS_BROWSER::updateFrozenGeometry()
{
    if (!frozen_)
        return;
    frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                         viewport()->height() + horizontalHeader()->height());
}

void OABS_BROWSER::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
}

// Window commands -----------------------------------------------------------

void OABS_BROWSER::commitOpenEditor()
{
    if (!editor_)
        return;
    ENDEDITFIELD(0);
    // An edit that emptied its row has the row removed once the editor is
    // gone; that must be over before the server is read.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

bool OABS_BROWSER::windowCommand(QWidget* window, const QString& symbol)
{
    if (symbol == QLatin1String("CUT") || symbol == QLatin1String("COPY") || symbol == QLatin1String("PASTE") ||
        symbol == QLatin1String("CLEAR")) {
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (!edit || !window->isAncestorOf(edit))
            edit = editor_;
        if (!edit)
            return true;
        if (symbol == QLatin1String("CUT"))
            edit->cut();
        else if (symbol == QLatin1String("COPY"))
            edit->copy();
        else if (symbol == QLatin1String("PASTE"))
            edit->paste();
        else if (edit->hasSelectedText())
            edit->del();  // the selected text only; nothing when none is selected
        return true;
    }
    if (symbol == QLatin1String("GOTOP") || symbol == QLatin1String("SKIPPREVIOUS") ||
        symbol == QLatin1String("SKIPNEXT") || symbol == QLatin1String("GOBOTTOM")) {
        commitOpenEditor();
        BARRAYSERVER* s = server_;
        if (!s || s->isClosed() || s->LastRec() == 0)
            return true;
        if (symbol == QLatin1String("GOTOP"))
            s->GoTop();
        else if (symbol == QLatin1String("GOBOTTOM"))
            s->GoBottom();
        else if (symbol == QLatin1String("SKIPNEXT")) {
            // The grid stays on the last row: the end is no row to show.
            if (s->RecNo() < s->LastRec())
                s->Skip(1);
        } else if (s->RecNo() > 1) {
            s->Skip(-1);
        }
        return true;
    }
    return false;
}

}  // namespace zeva
