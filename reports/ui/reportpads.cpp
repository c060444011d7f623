#include "reports/ui/reportpads.h"

#include "core/activeproblem.h"
#include "core/ui/windowhelpers.h"
#include "core/userport.h"
#include "resources/padmenus.h"
#include "shell/shellcommands.h"
#include "shell/ui/menuhost.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>

namespace zeva {

namespace {

const QString kWarning = QStringLiteral("Uyarı...");
constexpr int kMaxPads = 10;
constexpr int kSaveItem = 5176;
constexpr int kAddFormulaItem = 3564;

}  // namespace

ReportPads::ReportPads(STANDARDSHELLWINDOW& window)
    : QObject(&window), window_(window), area_(window.mdiArea()), ownDialogs_(std::make_unique<QtPadDialogs>())
{
    setObjectName(QStringLiteral("ReportPads"));
    dialogs_ = ownDialogs_.get();
    // "&Kaydet" follows the pad that is active.
    connect(area_, &QMdiArea::subWindowActivated, this, [this] { updateSaveItem(); });
}

ReportPads::~ReportPads()
{
    // The pads go with the main window's area; they must not call back here.
    for (const QPointer<PADWIN>& pad : std::as_const(pads_))
        if (pad)
            pad->disconnect(this);
}

QList<PADWIN*> ReportPads::APADWINS() const
{
    QList<PADWIN*> list;
    for (const QPointer<PADWIN>& pad : pads_)
        if (pad)
            list.append(pad.data());
    return list;
}

bool ReportPads::padMode() const
{
    return padMenu_ && window_.menuHost()->frameMenu() == padMenu_.get();
}

PADWIN* ReportPads::activePad() const
{
    auto* pad = area_ ? qobject_cast<PADWIN*>(area_->currentSubWindow()) : nullptr;
    return pad && pads_.contains(pad) ? pad : nullptr;
}

// ---------------------------------------------------------------- commands

void ReportPads::REPORTPAD()
{
    std::unique_ptr<ShellMenu> old = std::move(padMenu_);
    padMenu_ = std::make_unique<ShellMenu>(res::standardPadMenu(), this);
    window_.menuHost()->setFrameMenu(padMenu_.get());
    if (old)
        old.release()->deleteLater();
    updateSaveItem();

    const QString report = G().CREPORTFILE;
    if (report.isEmpty() || !QFileInfo(report).isFile()) {
        RE_FILENEW();
        return;
    }
    // The report already open in a pad comes forward; a second pad on it
    // would save over the first one's edits.
    if (PADWIN* open = openPadOf(report)) {
        activate(open);
        return;
    }
    if (atLimit())
        return;
    RE_NEWEDITWINDOW(report);
}

bool ReportPads::RE_FILENEW()
{
    ++NUNTITLED;
    const QString name = untitledPadName(NUNTITLED);
    if (atLimit())
        return false;
    return RE_NEWEDITWINDOW(name) != nullptr;
}

bool ReportPads::RE_FILEOPEN()
{
    const QString chosen = padPort().askOpenFileName(
        QStringLiteral("Aç..."), padFolder(),
        {QStringLiteral("Metin Dosyası(*.TXT)"), QStringLiteral("Zengin Metin Dosyası(*.RTF)"),
         QStringLiteral("Tüm Dosyalar(*.*)")});
    if (!chosen.isEmpty() && openPadOf(chosen)) {
        padPort().messageBox(kWarning, QStringLiteral("Bu dosya şu anda açık..."), BOX_INFO);
        return false;
    }
    if (!chosen.isEmpty())
        RE_DOOPENFILE(chosen);
    return true;
}

bool ReportPads::RE_DOOPENFILE(const QString& name)
{
    if (!isReportFileName(name)) {
        padPort().messageBox(QStringLiteral("Hata..."), name + QStringLiteral(" bir ZEVA rapor dosyası değil..."),
                             BOX_ERROR);
        return false;
    }
    if (atLimit())
        return false;
    return RE_NEWEDITWINDOW(name) != nullptr;
}

PADWIN* ReportPads::RE_NEWEDITWINDOW(const QString& name)
{
    auto* pad = new PADWIN(*this, name);
    RE_ADDCHILD(pad);
    if (!pad->load()) {
        padPort().messageBox(QStringLiteral("Dosya Açma Hatası"), name + QStringLiteral(" dosyası açılamıyor..."),
                             BOX_ERROR);
        RE_REMOVECHILD(pad);
        delete pad;
        return nullptr;
    }
    QMdiArea* area = window_.mdiArea();
    area->addSubWindow(pad);
    pad->resize(area->viewport()->size());
    VQMOVEWINDOW(pad, 1);
    pad->show();
    area->setActiveSubWindow(pad);
    pad->setLCHANGE(false);
    window_.menuHost()->refresh();
    return pad;
}

void ReportPads::RE_ADDCHILD(PADWIN* pad)
{
    pads_.append(pad);
}

void ReportPads::RE_REMOVECHILD(PADWIN* pad)
{
    const qsizetype at = pads_.indexOf(pad);
    if (at < 0)
        return;
    pads_.removeAt(at);
    pads_.removeAll(nullptr);
    if (pads_.isEmpty())
        RETURNTOMAIN();
    else
        updateSaveItem();
}

void ReportPads::RETURNTOMAIN()
{
    window_.newMainMenu();
    window_.MI_ENADISABLE();
    NUNTITLED = 0;
    pads_.clear();
    const ActiveProblem& p = G();
    if (p.isOpen() && !p.AKMMDATA.isEmpty())
        window_.mainMenu()->setEnabled(kAddFormulaItem, true);
    // The pad menu goes once the main menu is on show, and later: the command
    // that closed the last pad may still be running from one of its items.
    if (padMenu_)
        padMenu_.release()->deleteLater();
}

void ReportPads::DROP(const QStringList& files)
{
    for (const QString& name : files) {
        if (!QFileInfo(name).isFile())
            continue;
        if (PADWIN* open = openPadOf(name)) {
            activate(open);
            continue;
        }
        RE_DOOPENFILE(name);
    }
}

void ReportPads::FILEPRINTERSETUP()
{
    dialogs_->printerSetup(&window_, padPrinter());
}

void ReportPads::RE_CONTEXTHELP()
{
    if (const HelpDisplay* help = window_.helpDisplay())
        showHelpTopic(padPort(), *help, QStringLiteral("Rapor Editörü"));
}

// ---------------------------------------------------------------- menu

bool ReportPads::dispatch(const QString& symbol)
{
    if (PADWIN* pad = activePad(); pad && pad->dispatch(symbol))
        return true;
    if (symbol == QLatin1String("RE_FILENEW"))
        RE_FILENEW();
    else if (symbol == QLatin1String("RE_FILEOPEN"))
        RE_FILEOPEN();
    else if (symbol == QLatin1String("FILEPRINTERSETUP"))
        FILEPRINTERSETUP();
    else if (symbol == QLatin1String("RE_CONTEXTHELP"))
        RE_CONTEXTHELP();
    else if (symbol == QLatin1String("RE_FILEEXIT"))
        RE_FILEEXIT();
    else
        return false;
    return true;
}

MenuOwner* ReportPads::menuOwnerParent()
{
    return &window_;
}

// ---------------------------------------------------------------- PadHost

UserPort& ReportPads::padPort()
{
    return window_.port();
}

QPrinter& ReportPads::padPrinter()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

QString ReportPads::padFolder() const
{
    return QDir(G().CDATAPATH).filePath(QStringLiteral("Data"));
}

void ReportPads::padChanged(PADWIN* pad)
{
    if (pad == activePad())
        updateSaveItem();
}

void ReportPads::padClosed(PADWIN* pad)
{
    RE_REMOVECHILD(pad);
}

void ReportPads::closeAllPads()
{
    // Every child window closes through its own close; one that refuses
    // stays, and so does pad mode while a pad is open.
    window_.mdiArea()->closeAllSubWindows();
    if (pads_.isEmpty() && padMode())
        RETURNTOMAIN();
}

// ---------------------------------------------------------------- helpers

PADWIN* ReportPads::openPadOf(const QString& name) const
{
    for (PADWIN* pad : APADWINS())
        if (pad->windowTitle() == name)
            return pad;
    return nullptr;
}

bool ReportPads::atLimit()
{
    if (APADWINS().size() < kMaxPads)
        return false;
    padPort().messageBox(kWarning, QStringLiteral("Dinamik hafızayı zorluyorsunuz..."), BOX_INFO);
    return true;
}

void ReportPads::activate(PADWIN* pad)
{
    if (pad->isMinimized())
        pad->showNormal();
    window_.mdiArea()->setActiveSubWindow(pad);
    window_.menuHost()->refresh();
}

void ReportPads::updateSaveItem()
{
    if (!padMenu_)
        return;
    PADWIN* pad = activePad();
    padMenu_->setEnabled(kSaveItem, pad && pad->LCHANGE());
}

// ---------------------------------------------------------------- wiring

ReportPads& installReportPadCommands(STANDARDSHELLWINDOW& window)
{
    auto* pads = new ReportPads(window);
    window.setCommand(QStringLiteral("REPORTPAD"), [pads] { pads->REPORTPAD(); });
    window.setDropHandler([pads](const QStringList& files) { pads->DROP(files); });
    return *pads;
}

ReportPads* reportPadsOf(STANDARDSHELLWINDOW& window)
{
    return window.findChild<ReportPads*>(QStringLiteral("ReportPads"), Qt::FindDirectChildrenOnly);
}

}  // namespace zeva
