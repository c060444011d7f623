#include "editing/ui/celleditor.h"

#include "platform/codec.h"

namespace zeva {

QValidator::State Cp1254Validator::validate(QString& input, int&) const
{
    return cp1254::canEncode(input) ? Acceptable : Invalid;
}

CellEditor::CellEditor(QWidget* parent, int maxLength) : QLineEdit(parent)
{
    setFrame(false);
    if (maxLength > 0)
        setMaxLength(maxLength);
    setValidator(new Cp1254Validator(this));
}

}  // namespace zeva
