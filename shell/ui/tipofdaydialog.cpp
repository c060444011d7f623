#include "shell/ui/tipofdaydialog.h"

#include "platform/ui/programicons.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/smallforms.h"

#include <QStatusBar>

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zeva {

const DialogTemplate kWinTipOfDayTemplate{
    "WinTipOfDay", "Günün Tüyosu", 0, 0, 240, 172, "MS Sans Serif", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::Label, 7, 8, 226, 128, ""},
        {101, CtlKind::PushButton, 73, 153, 48, 13, "< &Önceki"},
        {102, CtlKind::PushButton, 122, 153, 46, 13, "&Sonraki >"},
        {103, CtlKind::PushButton, 186, 153, 47, 13, "&Kapat", CS_DEFAULT},
        {104, CtlKind::PushButton, 90, 119, 60, 12, "&Daha fazla bilgi"},
        {105, CtlKind::CheckBox, 6, 141, 67, 11, "Başlarken göster"},
        {106, CtlKind::Label, 46, 18, 186, 12, "Biliyor muydunuz?", CS_NONE, 0, "Arial", 12, true},
        {107, CtlKind::Bitmap, 13, 12, 32, 29, "LIGHTBULB"},
        {108, CtlKind::Edit, 13, 43, 217, 74, "", CS_MULTILINE | CS_READONLY | CS_NOTABSTOP, 0, "MS Sans Serif", 10},
    }};

namespace {

const DialogTemplate& withBitmaps(const DialogTemplate& tpl)
{
    initShellBitmaps();
    return tpl;
}

void colours(QWidget* w, const QColor& background, const QColor& text)
{
    QPalette pal = w->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base})
        pal.setColor(role, background);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        pal.setColor(role, text);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

}  // namespace

WINTIPOFDAY::WINTIPOFDAY(QWidget* owner, UserPort* port)
    : TemplateDialog(withBitmaps(kWinTipOfDayTemplate), owner), port_(port)
{
    if (!port_) {
        ownPort_ = std::make_unique<QtUserPort>(this);
        port_ = ownPort_.get();
    }
    ODCBACKDROP = control<QLabel>(100);
    OCCPBPREVIOUS = control<QPushButton>(101);
    OCCPBNEXT = control<QPushButton>(102);
    OCCPBCLOSE = control<QPushButton>(103);
    OCCPBMORE = control<QPushButton>(104);
    ODCSHOWONSTARTUP = control<QCheckBox>(105);
    ODCTIPHEADING = control<QLabel>(106);
    ODCTIPTEXT = control<QPlainTextEdit>(108);

    ODCBACKDROP->setFrameStyle(QFrame::Box | QFrame::Plain);
    colours(ODCBACKDROP, Qt::white, Qt::black);
    colours(ODCTIPHEADING, Qt::white, Qt::red);
    colours(ODCTIPTEXT, Qt::white, Qt::blue);
    if (auto* bulb = control<QLabel>(107))
        colours(bulb, Qt::white, Qt::black);
    ODCTIPTEXT->setFrameStyle(QFrame::NoFrame);
    ODCTIPTEXT->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ODCTIPTEXT->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ODCTIPTEXT->setFocusPolicy(Qt::NoFocus);

    OCCPBPREVIOUS->setToolTip(QStringLiteral("Önceki tüyoyu gör"));
    OCCPBNEXT->setToolTip(QStringLiteral("Sonraki tüyoyu gör"));
    OCCPBCLOSE->setToolTip(QStringLiteral("Günün tüyosunu kapat"));
    OCCPBMORE->setToolTip(QStringLiteral("Bu tüyo hakkında daha fazla bilgi"));
    ODCSHOWONSTARTUP->setToolTip(QStringLiteral("Program başladığında günün tüyosunu göster"));

    setObjectName(QStringLiteral("WINTIPOFDAY"));
    setWindowTitle(QStringLiteral("Günün Tüyosu"));
    setIcons(ZVXTOD());
    centreOnScreen(this);

    connect(OCCPBPREVIOUS, &QPushButton::clicked, this, &WINTIPOFDAY::PBPREVIOUS);
    connect(OCCPBNEXT, &QPushButton::clicked, this, &WINTIPOFDAY::PBNEXT);
    connect(OCCPBCLOSE, &QPushButton::clicked, this, &WINTIPOFDAY::PBCLOSE);
    // Through the slot's name, so a subclass's PBMORE is the one called.
    connect(OCCPBMORE, &QPushButton::clicked, this, [this] { PBMORE(); });
}

WINTIPOFDAY::~WINTIPOFDAY() = default;

bool WINTIPOFDAY::SHOWONSTARTUP() const
{
    return ODCSHOWONSTARTUP->isChecked();
}

void WINTIPOFDAY::SHOWONSTARTUP(bool on)
{
    ODCSHOWONSTARTUP->setChecked(on);
}

int WINTIPOFDAY::SHOW(const DialogRunner& runner)
{
    NEXTTIP();
    OCCPBCLOSE->setFocus();
    return runModal(*this, runner);
}

void WINTIPOFDAY::NEXTTIP()
{
    LASTTIP = nextTipNumber(LASTTIP, static_cast<int>(TIP.size()));
    LOADTIP();
}

void WINTIPOFDAY::PREVIOUSTIP()
{
    LASTTIP = previousTipNumber(LASTTIP);
    LOADTIP();
}

void WINTIPOFDAY::LOADTIP()
{
    if (LASTTIP < 1 || LASTTIP > TIP.size())
        return;
    const TipRow& row = TIP.at(LASTTIP - 1);
    setLabelText(ODCTIPHEADING, row.heading);
    ODCTIPTEXT->setPlainText(row.text);
    OCCPBMORE->setVisible(row.showMore);
    if (LASTTIP == TIP.size()) {
        OCCPBNEXT->setEnabled(false);
        OCCPBPREVIOUS->setFocus();
    } else {
        OCCPBNEXT->setEnabled(true);
    }
    if (LASTTIP == 1) {
        OCCPBPREVIOUS->setEnabled(false);
        OCCPBNEXT->setFocus();
    } else {
        OCCPBPREVIOUS->setEnabled(true);
    }
}

void WINTIPOFDAY::PBPREVIOUS() { PREVIOUSTIP(); }
void WINTIPOFDAY::PBNEXT() { NEXTTIP(); }
void WINTIPOFDAY::PBCLOSE() { done(QDialog::Accepted); }
void WINTIPOFDAY::PBMORE() { MOREINFO(); }
void WINTIPOFDAY::MOREINFO() {}
void WINTIPOFDAY::PBIPTAL() { done(QDialog::Rejected); }

void WTIPOFDAY::PBMORE()
{
    MOREINFO();
}

void WTIPOFDAY::MOREINFO()
{
    const QChar cr(13);
    const QString text = QStringLiteral("Daha  Fazla  bilgi  için,  program  katoloğunda  bulunan") + cr
                         + QStringLiteral("veya  program  dizininde  Word dosyası  olarak sunulan") + cr
                         + QStringLiteral("\"Yem Optimizasyon  Programlarının  Özellikleri  ve  Yeni") + cr
                         + QStringLiteral("Bir Uygulama Programı ZEVA\" isimli simpozyum tebliğini") + cr
                         + QStringLiteral("okuyunuz, ve programın yardım sistemini inceleyiniz.");
    port().messageBox(QStringLiteral("Daha Fazla Bilgi"), text, BOX_INFO);
}

TipOfDayOutcome showTipOfDayIfEnabled(QWidget* owner, const ActiveProblem& problem,
                                      const std::function<void()>& TUYOGOSTER, UserPort* port,
                                      const DialogRunner& runner)
{
    TipOfDayOutcome outcome;
    if (!problem.LSHOWTIPS)
        return outcome;
    WTIPOFDAY dialog(owner, port);
    dialog.TIP = CREATETIPARRAY();
    dialog.SHOWONSTARTUP(problem.LSHOWTIPS);
    dialog.LASTTIP = problem.NLASTTIP;
    dialog.SHOW(runner);
    outcome.shown = true;
    outcome.SHOWONSTARTUP = dialog.SHOWONSTARTUP();
    outcome.LASTTIP = dialog.LASTTIP;
    if (!outcome.SHOWONSTARTUP && TUYOGOSTER)
        TUYOGOSTER();
    LASTTIPCONT(outcome.LASTTIP);
    return outcome;
}

}  // namespace zeva
