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
