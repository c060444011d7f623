#pragma once
// Small pieces shared by the login, user, column arithmetic, splash, about and
// tip dialogs.

#include <QValidator>

#include <functional>

class QDialog;
class QWidget;

namespace zeva {

// How a modal dialog is run: returns its result. Empty: the dialog's own modal
// loop. Tests pass a runner that opens the dialog, drives it and returns.
using DialogRunner = std::function<int(QDialog&)>;
int runModal(QDialog& dialog, const DialogRunner& runner);

// Centres a window on the screen it shows on (its owner's, else the primary).
void centreOnScreen(QWidget* window);

// The bitmaps of these dialogs (":/bitmaps/<name>.png"); registered before
// the first dialog is built.
void initShellBitmaps();

// Refuses characters Windows-1254 cannot hold and turns letters to capitals
// as they are typed, with the Turkish rule (i to İ, ı to I).
class TurkishUpperValidator : public QValidator {
    Q_OBJECT
public:
    explicit TurkishUpperValidator(QObject* parent = nullptr) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;
};

}  // namespace zeva
