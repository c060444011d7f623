#include "editing/ui/celleditor.h"

#include "platform/ui/controls.h"

namespace zeva {

CellEditor::CellEditor(QWidget* parent, int maxLength) : QLineEdit(parent)
{
    setFrame(false);
    if (maxLength > 0)
        setMaxLength(maxLength);
    setValidator(new Cp1254Validator(false, this));
}

}  // namespace zeva
