#pragma once
// The grid's cell editor: a frameless single-line edit laid over one cell.
// It opens on the cell's text without the blanks that pad it to its field,
// so there is room to type; it holds no more characters than the cell's
// field and refuses, where they are typed or pasted, characters that
// Windows-1254 cannot hold, and a minus sign in a numeric column. The commit
// rules pad the text again.

#include <QLineEdit>
#include <QPersistentModelIndex>

namespace zeva {

class CellEditor : public QLineEdit {
    Q_OBJECT
public:
    // maxLength: the width of the cell's field; 0 for no limit of our own.
    // numeric: the column holds numbers.
    CellEditor(QWidget* parent, int maxLength, bool numeric = false);

    // The text an editor opens on for a stored cell: without its padding.
    static QString openingText(const QString& cellText);

    QPersistentModelIndex cell;  // the cell the editor was opened on
    int endKey = 0;              // the key that ended the edit (27 Esc), 0 for none
    bool loaded = false;         // the cell's value was put in once
};

}  // namespace zeva
