#pragma once
// A user who agrees to what the program asks, for tests that run the
// program's own dialogs (for suites that link the core dialogs).

#include "core/ui/paramdialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

namespace zeva::test {

// Answers an opened dialog: Yes (else OK) in a message box, whose text goes
// to `boxes` (with its title in front when `withTitle`), and Tamam in a
// problem-parameter dialog. Any other dialog fails the test and is
// cancelled. The dialog's result.
inline int agree(QDialog& d, QStringList* boxes = nullptr, bool withTitle = false)
{
    if (auto* box = qobject_cast<QMessageBox*>(&d)) {
        if (boxes)
            *boxes << (withTitle ? box->windowTitle() + QStringLiteral(": ") : QString()) + box->text();
        if (QAbstractButton* yes = box->button(QMessageBox::Yes))
            yes->click();
        else
            box->button(QMessageBox::Ok)->click();
    } else if (auto* dlg = qobject_cast<ParamDialog*>(&d)) {
        dlg->pbTamam->click();
    } else {
        ADD_FAILURE() << "unexpected dialog " << d.windowTitle().toStdString();
        d.reject();
    }
    return d.result();
}

// Enter in an opened message box, as a user presses it without reading: the
// key goes to the widget that has the focus, and the box's default button
// answers. The dialog's result.
inline int pressEnter(QMessageBox& box)
{
    box.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == &box ? focus : &box, Qt::Key_Return);
    EXPECT_FALSE(box.isVisible()) << "Enter did not answer " << box.text().toStdString();
    return box.result();
}

}  // namespace zeva::test
