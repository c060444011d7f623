#include "platform/ui/controls.h"

#include "platform/codec.h"

#include <QKeyEvent>
#include <QMetaObject>

namespace zeva {

bool sendCancelToOwner(QWidget* control)
{
    QWidget* owner = control ? control->window() : nullptr;
    if (!owner || owner->metaObject()->indexOfMethod("PBIPTAL()") < 0)
        return false;
    return QMetaObject::invokeMethod(owner, "PBIPTAL", Qt::DirectConnection);
}

Cp1254Validator::Cp1254Validator(bool upper, QObject* parent)
    : QValidator(parent), upper_(upper)
{
}

QValidator::State Cp1254Validator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    if (!cp1254::canEncode(input))
        return Invalid;
    if (upper_) {
        // Letter by letter, so the text keeps its length and the cursor its place.
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar u = input.at(i).toUpper();
            if (cp1254::canEncode(u))
                input[i] = u;
        }
    }
    return Acceptable;
}

bool isMinusSign(QChar c)
{
    return c == QLatin1Char('-') || c == QChar(0x2013) || c == QChar(0x2014) || c == QChar(0x2212);
}

NumericTextValidator::NumericTextValidator(QObject* parent) : Cp1254Validator(false, parent) {}

QValidator::State NumericTextValidator::validate(QString& input, int& pos) const
{
    for (QChar c : input)
        if (isMinusSign(c))
            return Invalid;
    return Cp1254Validator::validate(input, pos);
}

void refuseMinusSign(QLineEdit* edit)
{
    if (!edit)
        return;
    const QValidator* old = edit->validator();
    edit->setValidator(new NumericTextValidator(edit));
    if (old && old->parent() == edit)
        delete old;
}

VQSLE::VQSLE(QWidget* parent) : QLineEdit(parent) {}

void VQSLE::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && sendCancelToOwner(this)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

VQLISTBOX::VQLISTBOX(QWidget* parent) : QListWidget(parent) {}

void VQLISTBOX::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && sendCancelToOwner(this)) {
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

VQCOMBOBOX::VQCOMBOBOX(QWidget* parent) : QComboBox(parent) {}

VQTOOLBAR::VQTOOLBAR(QWidget* parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

}  // namespace zeva
