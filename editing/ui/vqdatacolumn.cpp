#include "editing/ui/vqdatacolumn.h"

#include "editing/ui/barraymodel.h"
#include "editing/ui/celleditor.h"
#include "editing/ui/oabsbrowser.h"

namespace zeva {

VQDATACOLUMN::VQDATACOLUMN(int nWidth, QObject* parent) : QObject(parent), width_(nWidth) {}

void VQDATACOLUMN::SetHyperLabel(const QString& name, const QString& caption)
{
    name_ = name;
    if (!caption.isNull())
        caption_ = caption;
}

CellEditor* VQDATACOLUMN::GETEDITOBJECT(OABS_BROWSER* oOwner, QWidget* parent,
                                        const QModelIndex& index) const
{
    int length = 0;
    bool numeric = false;
    if (BArrayModel* m = oOwner->arrayModel()) {
        const int field = m->fieldOf(index.column());
        if (BARRAYSERVER* s = m->server())
            length = s->fieldSpec(field).length;
        numeric = oOwner->rules()->numericCell(index.row() + 1, field);
    }
    auto* editor = new CellEditor(parent, length, numeric);
    // The editor takes the grid's own colours and font.
    editor->setPalette(oOwner->palette());
    editor->setAutoFillBackground(true);
    editor->setFont(oOwner->font());
    editor->cell = index;
    editor->setText(CellEditor::openingText(index.data(Qt::EditRole).toString()));
    editor->setModified(false);
    return editor;
}

int VQDATACOLUMN::PXLWIDTH() const
{
    return browser_ && position_ >= 0 ? browser_->columnWidth(position_) : 0;
}

}  // namespace zeva
