#include "editing/ui/celleditor.h"

#include "platform/runtime.h"
#include "platform/ui/controls.h"

namespace zeva {

CellEditor::CellEditor(QWidget* parent, int maxLength, bool numeric) : QLineEdit(parent)
{
    setFrame(false);
    if (maxLength > 0)
        setMaxLength(maxLength);
    if (numeric)
        setValidator(new NumericTextValidator(this));
    else
        setValidator(new Cp1254Validator(false, this));
}

QString CellEditor::openingText(const QString& cellText)
{
    return AllTrim(cellText);
}

}  // namespace zeva
