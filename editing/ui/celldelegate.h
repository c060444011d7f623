#pragma once
// The one delegate of a grid browser: its columns make the editors, the
// editor is laid exactly over its cell, and the keys that end an edit are
// read here: Enter and Tab (and Shift+Tab) commit, a focus change commits,
// Esc closes the editor without writing. The commit itself is the
// browser's (OABS_BROWSER::closeEditor); setModelData writes nothing.

#include <QStyledItemDelegate>

namespace zeva {

class OABS_BROWSER;

class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CellDelegate(OABS_BROWSER* browser);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // Ends the edit of `editor` with `key`: 27 closes it without a commit.
    void endEdit(QWidget* editor, int key, EndEditHint hint);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    OABS_BROWSER* browser_;
};

}  // namespace zeva
