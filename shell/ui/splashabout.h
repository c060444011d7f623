#pragma once
// The splash screen SPLASHSCREEN and the about box ZVXHAKKINDA.

#include "core/activeproblem.h"
#include "platform/ui/dialogtemplate.h"
#include "shell/splash.h"
#include "shell/ui/dialogsupport.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

class QLabel;
class QPushButton;
class QGroupBox;

namespace zeva {

extern const DialogTemplate kSplashScreenTemplate;
extern const DialogTemplate kZvxHakkindaTemplate;

// The program's picture and title, on top of every other window; it closes
// and deletes itself 3 seconds after it was shown.
class SPLASHSCREEN : public TemplateDialog {
    Q_OBJECT
public:
    explicit SPLASHSCREEN(QWidget* owner = nullptr, MonotonicClock clock = steadyClock(),
                          Sleeper sleeper = threadSleeper());

    QLabel* picture = nullptr;      // 100, "SPLASH_BMP"
    QLabel* description = nullptr;  // 101
    QLabel* title = nullptr;        // 102
    QLabel* icon = nullptr;         // 103, "ZVXMAIN"

    // Shows the splash on top, starts its 3-second life, lets it paint and
    // holds the caller for 2 seconds.
    void SHOW();
    const SplashTiming& timing() const { return timing_; }
    const QTimer& closeTimer() const { return timer_; }

public slots:
    // The end of its life: closes and deletes the splash once 3 seconds have
    // passed since SHOW, otherwise waits for the rest.
    void TIMER();
    // Neither Esc nor a close request takes the splash down before its time.
    void PBIPTAL() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SplashTiming timing_;
    Sleeper sleeper_;
    QTimer timer_;
    bool painted_ = false;
    QEventLoop* waitingForPaint_ = nullptr;
};

// The start-up's splash: when problem.LSHOWLOGO is on, a splash owned by no
// window, shown (the call returns after the 2-second hold); otherwise none is
// made. The pointer turns null when the splash has deleted itself.
QPointer<SPLASHSCREEN> showSplashIfEnabled(const ActiveProblem& problem = G(), MonotonicClock clock = steadyClock(),
                                           Sleeper sleeper = threadSleeper());

// The about box: name, description, icon and terms of use.
class ZVXHAKKINDA : public TemplateDialog {
    Q_OBJECT
public:
    explicit ZVXHAKKINDA(QWidget* owner);

    QLabel* name = nullptr;         // 100
    QLabel* description = nullptr;  // 101
    QPushButton* pbTamam = nullptr; // 104
    QLabel* icon = nullptr;         // 106
    QGroupBox* terms = nullptr;     // 109
    QLabel* termsText = nullptr;    // 108

public slots:
    void PBTAMAM();
};

// The about command ("&Hakkında...", and the commands of the same name of the
// other windows): the about box owned by `owner`, shown modally.
void OHAKKINDA(QWidget* owner, const DialogRunner& runner = {});

}  // namespace zeva
