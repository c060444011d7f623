#include "shell/ui/splashabout.h"

#include "platform/ui/programicons.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace zeva {

const DialogTemplate kSplashScreenTemplate{
    "SplashScreen", "", 0, 0, 462, 194, "MS Sans Serif", 8, DS_NONE,
    {
        {100, CtlKind::Bitmap, 10, 9, 236, 179, "SPLASH_BMP"},
        {101, CtlKind::Label, 254, 68, 199, 40, "EN DÜŞÜK MALİYETLİ KARMA YEM VE RASYON FORMÜLÜ HAZIRLAMA PROGRAMI",
         CS_CENTER, 0, "Garamond", 14, true},
        {102, CtlKind::Label, 313, 30, 80, 19, "ZEVA S 2.0", CS_CENTER, 0, "Arial", 16, true},
        {103, CtlKind::Icon, 333, 135, 27, 26, "ZVXMAIN"},
    }};

const DialogTemplate kZvxHakkindaTemplate{
    "ZvxHakkinda", "Hakkında...", 0, 0, 248, 186, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::Label, 100, 12, 44, 14, "ZEVA 2.0", CS_NONE, 0, "Arial", 12, true},
        {101, CtlKind::Label, 23, 36, 201, 23,
         "EN DÜŞÜK MALİYETLİ KARMA YEM VE RASYON            FORMÜLÜ HAZIRLAMA PROGRAMI", CS_NONE, 0, "Arial", 10,
         true},
        {104, CtlKind::PushButton, 193, 116, 47, 13, "&Tamam", CS_DEFAULT},
        {106, CtlKind::Icon, 8, 103, 28, 23, "ZVXMAIN"},
        {109, CtlKind::GroupBox, 8, 135, 232, 45, "Kullanım Şartları"},
        {108, CtlKind::Label, 13, 147, 221, 25, ""},
    }};

namespace {

const DialogTemplate& withBitmaps(const DialogTemplate& tpl)
{
    initShellBitmaps();
    return tpl;
}

void sunken(QLabel* label)
{
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

// Black letters on the cyan of the program's standard colour table.
void onCyan(QLabel* label)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor(0, 255, 255));
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
    label->setAutoFillBackground(true);
}

}  // namespace

SPLASHSCREEN::SPLASHSCREEN(QWidget* owner, MonotonicClock clock, Sleeper sleeper)
    : TemplateDialog(withBitmaps(kSplashScreenTemplate), owner),
      timing_(std::move(clock)),
      sleeper_(std::move(sleeper))
{
    setModal(false);
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setObjectName(QStringLiteral("SPLASHSCREEN"));

    picture = control<QLabel>(100);
    description = control<QLabel>(101);
    title = control<QLabel>(102);
    icon = control<QLabel>(103);
    picture->setAlignment(Qt::AlignCenter);
    icon->setAlignment(Qt::AlignCenter);
    for (QLabel* l : {picture, description, title, icon})
        sunken(l);
    onCyan(description);
    onCyan(title);
    description->setAlignment(Qt::AlignCenter);
    title->setAlignment(Qt::AlignCenter);
    QFont f = title->font();
    f.setUnderline(true);
    title->setFont(f);
    setWindowTitle(QString());
    centreOnScreen(this);

    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &SPLASHSCREEN::TIMER);
}

void SPLASHSCREEN::SHOW()
{
    show();
    raise();
    timing_.shown();
    timer_.start(timing_.remainingMs());
    // The window system maps the window and asks for its paint in its own
    // time, after the call that showed it: the hold blocks every paint, so
    // wait for the first one (a second at most) and hand it to the screen.
    QCoreApplication::processEvents();
    if (!painted_) {
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        limit.start(kSplashPaintWaitMs);
        waitingForPaint_ = &loop;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        waitingForPaint_ = nullptr;
    }
    QGuiApplication::sync();
    if (sleeper_)
        sleeper_(kSplashHoldMs);
}

void SPLASHSCREEN::TIMER()
{
    if (!timing_.expired()) {
        timer_.start(timing_.remainingMs());
        return;
    }
    timer_.stop();
    hide();
    deleteLater();
}

void SPLASHSCREEN::PBIPTAL() {}

void SPLASHSCREEN::paintEvent(QPaintEvent* event)
{
    TemplateDialog::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    painted_ = true;
    // The children paint after this window, in the same pass: the wait ends
    // once the pass is over.
    if (waitingForPaint_)
        QMetaObject::invokeMethod(waitingForPaint_, &QEventLoop::quit, Qt::QueuedConnection);
}

QPointer<SPLASHSCREEN> showSplashIfEnabled(const ActiveProblem& problem, MonotonicClock clock, Sleeper sleeper)
{
    if (!problem.LSHOWLOGO)
        return nullptr;
    auto* splash = new SPLASHSCREEN(nullptr, std::move(clock), std::move(sleeper));
    QPointer<SPLASHSCREEN> guard(splash);
    splash->SHOW();
    return guard;
}

ZVXHAKKINDA::ZVXHAKKINDA(QWidget* owner) : TemplateDialog(kZvxHakkindaTemplate, owner)
{
    name = control<QLabel>(100);
    description = control<QLabel>(101);
    pbTamam = control<QPushButton>(104);
    icon = control<QLabel>(106);
    terms = control<QGroupBox>(109);
    termsText = control<QLabel>(108);
    QFont f = name->font();
    f.setUnderline(true);
    name->setFont(f);
    setObjectName(QStringLiteral("ZVXHAKKINDA"));
    setWindowTitle(QStringLiteral("Hakkında..."));
    setStatusTip(QStringLiteral("Zeva 2.0 Programı hakkında..."));
    setIcons(ZVXTOD());
    centreOnScreen(this);
    connect(pbTamam, &QPushButton::clicked, this, &ZVXHAKKINDA::PBTAMAM);

    termsText->setWordWrap(false);
    setLabelText(termsText,
                 QStringLiteral("Bu programda; çok sayıda değişken bulunmakta, girdilerin seçimi ve ") + QLatin1Char('\n')
                     + QStringLiteral("sonuçların yorumlanması ise temel bilgi gerektirmektedir. Bu sebepten,")
                     + QLatin1Char('\n')
                     + QStringLiteral("her kullanıcı kendi riskini taşır. Yazar hiç bir sorumluluk kabul etmez."));
}

void ZVXHAKKINDA::PBTAMAM()
{
    done(QDialog::Accepted);
}

void OHAKKINDA(QWidget* owner, const DialogRunner& runner)
{
    ZVXHAKKINDA box(owner);
    runModal(box, runner);
}

}  // namespace zeva
