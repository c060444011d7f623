#pragma once
// A user who agrees to what the program asks, for tests that run the
// program's own dialogs (for suites that link the core dialogs).

#include "core/ui/paramdialogs.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>

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

}  // namespace zeva::test
