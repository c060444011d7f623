#include "platform/ui/messagebox.h"

#include "platform/ui/dialogtemplate.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace zeva {

namespace {

enum : int { kOk = 1, kCancel = 1, kNo = 3, kYes = 6 };

// A question without Cancel must be answered: Esc and the close box do
// nothing, so that neither can stand for an answer the user did not give.
class AnswerRequired : public QObject {
public:
    explicit AnswerRequired(QMessageBox* box) : QObject(box) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Close:
            event->ignore();
            return true;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                event->accept();
                return true;
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

QMessageBox* makeMessageBox(QWidget* owner, const QString& title, const QString& text, int type)
{
    auto* box = new QMessageBox(owner);
    box->setWindowTitle(title);
    box->setText(withLineFeeds(text));
    box->setTextFormat(Qt::PlainText);
    setDialogFrame(box);

    // Low nibble: buttons; next nibble: icon; the one after: which button is
    // the default (0 the first, 1 the second) (the platform's style word).
    const int buttons = type & 0x0F;
    const int icon = type & 0xF0;
    const bool secondIsDefault = (type & 0xF00) == 0x100;
    switch (icon) {
    case 0x10: box->setIcon(QMessageBox::Critical); break;
    case 0x20: box->setIcon(QMessageBox::Question); break;
    case 0x30: box->setIcon(QMessageBox::Warning); break;
    case 0x40: box->setIcon(QMessageBox::Information); break;
    default: box->setIcon(QMessageBox::NoIcon); break;
    }
    switch (buttons) {
    case 3:  // Yes, No, Cancel
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(secondIsDefault ? QMessageBox::No : QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    case 4:  // Yes, No: no escape
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(secondIsDefault ? QMessageBox::No : QMessageBox::Yes);
        new AnswerRequired(box);
        break;
    default:  // OK
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
        break;
    }
    // Turkish captions on the buttons, as the rest of the program.
    if (QAbstractButton* b = box->button(QMessageBox::Ok))
        b->setText(QStringLiteral("Tamam"));
    if (QAbstractButton* b = box->button(QMessageBox::Yes))
        b->setText(QStringLiteral("&Evet"));
    if (QAbstractButton* b = box->button(QMessageBox::No))
        b->setText(QStringLiteral("&Hayır"));
    if (QAbstractButton* b = box->button(QMessageBox::Cancel))
        b->setText(QStringLiteral("İptal"));
    return box;
}

int messageBoxReply(const QMessageBox& box)
{
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked)
        clicked = box.escapeButton();
    // A Yes/No box that went without an answer (its owner went) is not a Yes.
    if (!clicked && box.button(QMessageBox::No))
        return kNo;
    switch (box.standardButton(clicked)) {
    case QMessageBox::Yes: return kYes;
    case QMessageBox::No: return kNo;
    case QMessageBox::Cancel: return kCancel;
    default: return kOk;
    }
}

}  // namespace zeva
