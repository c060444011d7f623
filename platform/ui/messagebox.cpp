#include "platform/ui/messagebox.h"

#include <QMessageBox>
#include <QPushButton>

namespace zeva {

namespace {

enum : int { kOk = 1, kCancel = 1, kNo = 3, kYes = 6 };

// A carriage return breaks the line in a message box, alone or before a line
// feed, as the program's texts expect.
QString boxText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

QMessageBox* makeMessageBox(QWidget* owner, const QString& title, const QString& text, int type)
{
    auto* box = new QMessageBox(owner);
    box->setWindowTitle(title);
    box->setText(boxText(text));
    box->setTextFormat(Qt::PlainText);

    // Low nibble: buttons; next nibble: icon (the platform's style word).
    const int buttons = type & 0x0F;
    const int icon = type & 0xF0;
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
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    case 4:  // Yes, No
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
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
    switch (box.standardButton(clicked)) {
    case QMessageBox::Yes: return kYes;
    case QMessageBox::No: return kNo;
    case QMessageBox::Cancel: return kCancel;
    default: return kOk;
    }
}

}  // namespace zeva
