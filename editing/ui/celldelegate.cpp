#include "editing/ui/celldelegate.h"

#include "editing/browserrules.h"
#include "editing/ui/celleditor.h"
#include "editing/ui/oabsbrowser.h"
#include "editing/ui/vqdatacolumn.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace zeva {

CellDelegate::CellDelegate(OABS_BROWSER* browser) : QStyledItemDelegate(browser), browser_(browser) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const
{
    VQDATACOLUMN* column = browser_->GetColumn(index.column() + 1);
    if (!column)
        return nullptr;
    CellEditor* editor = column->GETEDITOBJECT(browser_, parent, index);
    editor->loaded = true;
    browser_->editorOpened(editor);
    return editor;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // The value is put in once, when the editor is made; a later change of
    // the model never overwrites what the user is typing.
    auto* e = qobject_cast<CellEditor*>(editor);
    if (!e || e->loaded)
        return;
    e->setText(CellEditor::openingText(index.data(Qt::EditRole).toString()));
    e->setModified(false);
    e->loaded = true;
}

void CellDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const {}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

void CellDelegate::endEdit(QWidget* editor, int key, EndEditHint hint)
{
    if (auto* e = qobject_cast<CellEditor*>(editor))
        e->endKey = key;
    if (key != kKeyEsc)
        emit commitData(editor);
    emit closeEditor(editor, hint);
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<CellEditor*>(object);
    if (!editor || !browser_->isOpenEditor(editor))
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Esc, Enter and Tab belong to the editor while it is open.
        auto* ke = static_cast<QKeyEvent*>(event);
        switch (ke->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            event->accept();
            return true;
        default:
            return false;
        }
    }
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(event);
        switch (ke->key()) {
        case Qt::Key_Escape:
            endEdit(editor, kKeyEsc, RevertModelCache);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            endEdit(editor, 13, SubmitModelCache);
            return true;
        case Qt::Key_Tab:
            endEdit(editor, 9, EditNextItem);
            return true;
        case Qt::Key_Backtab:
            endEdit(editor, 9, EditPreviousItem);
            return true;
        default:
            return false;
        }
    }
    case QEvent::FocusOut: {
        // A context menu or another application taking the focus leaves the
        // edit open; any other focus change ends it with a commit.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return false;
        endEdit(editor, 0, NoHint);
        return false;
    }
    default:
        return false;
    }
}

}  // namespace zeva
