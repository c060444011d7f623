#pragma once
// The tip of the day: the general dialog WINTIPOFDAY over a tip list, and the
// program's WTIPOFDAY with its "Daha Fazla Bilgi" box.

#include "core/activeproblem.h"
#include "core/userport.h"
#include "platform/ui/dialogtemplate.h"
#include "shell/tipofday.h"
#include "shell/ui/dialogsupport.h"

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zeva {

class QtUserPort;

extern const DialogTemplate kWinTipOfDayTemplate;

class WINTIPOFDAY : public TemplateDialog {
    Q_OBJECT
public:
    // Boxes go through `port` (a Qt port owned by the dialog when none is given).
    explicit WINTIPOFDAY(QWidget* owner, UserPort* port = nullptr);
    ~WINTIPOFDAY() override;

    QLabel* ODCBACKDROP = nullptr;
    QPushButton* OCCPBPREVIOUS = nullptr;
    QPushButton* OCCPBNEXT = nullptr;
    QPushButton* OCCPBCLOSE = nullptr;
    QPushButton* OCCPBMORE = nullptr;
    QCheckBox* ODCSHOWONSTARTUP = nullptr;
    QLabel* ODCTIPHEADING = nullptr;
    QPlainTextEdit* ODCTIPTEXT = nullptr;

    // Before showing: the tip shown last time (0 for none); afterwards: the
    // tip on display when the dialog ended.
    int LASTTIP = 0;
    QList<TipRow> TIP;

    bool SHOWONSTARTUP() const;
    void SHOWONSTARTUP(bool on);

    // Advances to the next tip, puts the focus on "&Kapat" and runs the dialog.
    int SHOW(const DialogRunner& runner = {});

    void NEXTTIP();
    void PREVIOUSTIP();
    void LOADTIP();

public slots:
    void PBPREVIOUS();
    void PBNEXT();
    void PBCLOSE();
    virtual void PBMORE();
    virtual void MOREINFO();
    void PBIPTAL() override;

protected:
    UserPort& port() { return *port_; }

private:
    UserPort* port_;
    std::unique_ptr<QtUserPort> ownPort_;
};

class WTIPOFDAY : public WINTIPOFDAY {
    Q_OBJECT
public:
    explicit WTIPOFDAY(QWidget* owner, UserPort* port = nullptr) : WINTIPOFDAY(owner, port) {}

public slots:
    void PBMORE() override;
    void MOREINFO() override;
};

// What the start-up's tip of the day did.
struct TipOfDayOutcome {
    bool shown = false;
    bool SHOWONSTARTUP = true;  // the check box when the dialog ended
    int LASTTIP = 0;            // the tip on display then, stored as "Olatip"
};

// The start-up's tip of the day: when problem.LSHOWTIPS is on, WTIPOFDAY owned
// by `owner` (the main window) continues after problem.NLASTTIP. Afterwards
// the tip number is stored, and when the user cleared "Başlarken göster",
// `TUYOGOSTER` (the main window's option command, which unticks "&Tüyo Göster"
// and stores "0") is called.
TipOfDayOutcome showTipOfDayIfEnabled(QWidget* owner, const ActiveProblem& problem = G(),
                                      const std::function<void()>& TUYOGOSTER = {}, UserPort* port = nullptr,
                                      const DialogRunner& runner = {});

}  // namespace zeva
