#pragma once
// The user port of the windows: message boxes, status text, the please-wait
// box, tones and the program's dialogs, owned by one window (the main window).

#include "core/userport.h"
#include "shell/ui/smallforms.h"

#include <QPointer>
#include <QStatusBar>
#include <QWidget>

#include <functional>

class QDialog;
class QStatusBar;

namespace zeva {

class TonePlayer;

class QtUserPort : public UserPort {
public:
    explicit QtUserPort(QWidget* owner = nullptr);
    ~QtUserPort() override;

    void setOwner(QWidget* owner) { owner_ = owner; }
    QWidget* owner() const { return owner_; }

    // Where status text goes: a status bar, or a handler (the handler wins).
    void setStatusBar(QStatusBar* bar) { statusBar_ = bar; }
    void setStatusHandler(std::function<void(const QString&)> handler) { statusHandler_ = std::move(handler); }

    // How a modal dialog is run; it returns the dialog's result. The default
    // runs the dialog's own modal loop. Tests install a runner that shows the
    // dialog with open(), drives it and returns its result.
    using DialogRunner = std::function<int(QDialog&)>;
    void setDialogRunner(DialogRunner runner);

    // Each tone holds the caller for its own length, while it sounds through
    // the desktop's sound server on the player's thread, the tones in their
    // order; a server that is late or stalled delays or loses the sound, never
    // the caller, and where none answers the tones are their silent pauses.
    // With the wait switched off (tests) a tone neither sounds nor waits. The
    // handler sees every tone.
    void setToneWait(bool wait) { toneWait_ = wait; }
    void setToneHandler(std::function<void(int, int)> handler) { toneHandler_ = std::move(handler); }
    // The player the tones go to; by default the program's one.
    void setTonePlayer(TonePlayer* player) { tonePlayer_ = player; }

    // The please-wait box that is up, if any.
    ACTALERT* OALERTWIN() const { return alert_.data(); }

    int messageBox(const QString& title, const QString& text, int type, bool owned = true) override;
    void statusText(const QString& text) override;
    void waitOpen() override;
    void waitClose() override;
    void tone(int frequency, int duration) override;
    ParamAnswer askProblemParams(const QString& type, const QString& amount,
                                 const QString& currency, const QString& weight) override;
    int chooseOne(const QString& caption, const QStringList& items) override;
    QList<int> chooseMany(const QString& caption, const QStringList& items, bool selectAllButton) override;
    QString askOpenFileName(const QString& caption, const QString& folder, const QStringList& filters) override;
    QString askSaveFileName(const QString& caption, const QString& folder, const QStringList& filters) override;
    NewProblemAnswer askNewProblem() override;
    bool askSingleValue(const QString& caption, const QString& label, QString& value) override;
    MatchAnswer askMatch(const QString& name, const QStringList& candidates) override;
    ColumnMathAnswer askColumnMath(const QStringList& tableFields) override;
    NutrientColumnAnswer askNutrientColumn(const QString& caption, const QStringList& fields,
                                           const NutrientColumnCheck& check) override;

private:
    int run(QDialog& dialog);
    QString askFileName(const QString& caption, const QString& folder, const QStringList& filters, bool save);

    QPointer<QWidget> owner_;
    QPointer<QStatusBar> statusBar_;
    std::function<void(const QString&)> statusHandler_;
    DialogRunner runner_;
    bool toneWait_ = true;
    std::function<void(int, int)> toneHandler_;
    TonePlayer* tonePlayer_ = nullptr;
    QPointer<ACTALERT> alert_;
};

}  // namespace zeva
