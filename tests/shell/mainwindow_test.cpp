// The main window: closing with its questions, the menu host that lets an
// active child's menu and keys replace the main ones, the option ticks, the
// file commands on its menu and the menu state after them.
#include "shell/ui/standardshellwindow.h"

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "core/problemfile.h"
#include "core/problemtestutil.h"
#include "platform/atomicfile.h"
#include "platform/ui/accesskeys.h"
#include "platform/settingsstore.h"
#include "resources/menus.h"
#include "shell/menustate.h"
#include "shell/registry.h"
#include "shell/settings.h"
#include "shell/ui/application.h"
#include "shell/ui/menuhost.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/shellmenu.h"
#include "support/fakeport.h"
#include "support/filedialogdelete.h"
#include "support/files.h"
#include "support/tempdir.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMdiArea>
#include <QMessageBox>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zeva {
namespace {

using test::FakePort;

const QString kExitBox = QStringLiteral("box 36 Çıkış: ZEVA 2.0'dan çıkmak istediğinizden emin misiniz?");
const QString kChanged =
    QStringLiteral(" Dosyasındaki veriler değişmiş.\n\nDeğişiklikleri kaydetmek istiyor musunuz?");
const QString kNewPrice = SDAYA(QStringLiteral("99"), 3);

// A child window with a menu of its own (the reference-matrix menu, whose
// Ctrl+X is Cut). It handles CUT and CLOSE; the rest goes to the main window.
class MenuChild : public QWidget, public MenuHostClient, public MenuOwner {
public:
    explicit MenuChild(MenuOwner* owner, bool withMenu = true) : owner_(owner)
    {
        if (withMenu)
            menu_ = std::make_unique<ShellMenu>(res::standardShellMenu(), this);
    }
    ShellMenu* childMenu() override { return menu_.get(); }
    bool dispatch(const QString& symbol) override
    {
        if (symbol != QLatin1String("CUT") && symbol != QLatin1String("CLOSE"))
            return false;
        received << symbol;
        return true;
    }
    MenuOwner* menuOwnerParent() override { return owner_; }

    QStringList received;
    // Runs as the window closes; FALSE refuses the close.
    std::function<bool()> onClose;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (onClose && !onClose())
            event->ignore();
        else
            event->accept();
    }

private:
    MenuOwner* owner_;
    std::unique_ptr<ShellMenu> menu_;
};

QStringList* gMessages = nullptr;

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    if (gMessages)
        gMessages->append(text);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gMessages = &messages_;
        previousHandler_ = qInstallMessageHandler(recordMessage);
        store_ = std::make_shared<MemorySettingsStore>();
        previousStore_ = setSettingsStore(store_);
        testhooks::clearAtomicWriteFault();
        G().reset();
        G().CDATAPATH = tmp_.path();
        G().LLOGON = G().LSHOWTIPS = G().LSHOWLOGO = false;
        QDir(tmp_.path()).mkdir(QStringLiteral("Data"));
    }
    void TearDown() override
    {
        window_.reset();
        G().reset();
        G().CDATAPATH.clear();
        testhooks::clearAtomicWriteFault();
        setSettingsStore(previousStore_);
        qInstallMessageHandler(previousHandler_);
        gMessages = nullptr;
        for (const QString& m : messages_)
            EXPECT_FALSE(m.contains(QStringLiteral("Ambiguous shortcut"))) << m.toStdString();
    }

    STANDARDSHELLWINDOW& window(UserPort* port)
    {
        window_ = std::make_unique<STANDARDSHELLWINDOW>(nullptr, port);
        return *window_;
    }
    STANDARDSHELLWINDOW& window() { return window(&port_); }

    void showActive(QWidget& w)
    {
        w.resize(800, 600);
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    QString data(const QString& name) const { return tmp_.file(QStringLiteral("Data/") + name); }

    // A saved problem of 3 feeds and 2 nutrients in the data folder.
    void createProblem(const QString& name)
    {
        FakePort quiet;
        DbfTable t = newProblemTable(1);
        ASSERT_TRUE(writeDbfFile(data(name), t));
        G().OPROBSERVER = std::make_shared<ProblemServer>(data(name), t);
        test::fillProblem(3, 2, 1);
        ASSERT_TRUE(PROBDBFUPDATE(quiet));
        G().reset();
    }

    // Opens `name` through the window and, when `change`, changes a price.
    void openProblem(STANDARDSHELLWINDOW& w, const QString& name, bool change)
    {
        createProblem(name);
        ASSERT_TRUE(w.DOOPENFILE(data(name)));
        port_.log.clear();
        port_.boxes.clear();
        if (change) {
            G().AYMTABLE[0][YMPRICE] = kNewPrice;
            G().LYMCHANGED = true;
        }
    }

    QString storedOption(const QString& name)
    {
        CLASS_HKLM reg;
        reg.WORKING_SUBKEY(kSettingsKey);
        return reg.GETSTRING(QString(), name);
    }
    void storeOption(const QString& name, const QString& text)
    {
        CLASS_HKLM reg;
        reg.WORKING_SUBKEY(kSettingsKey);
        ASSERT_EQ(reg.WRITESTRING(QString(), name, text), 0);
    }

    test::TempDir tmp_;
    FakePort port_;
    std::shared_ptr<MemorySettingsStore> store_;
    std::shared_ptr<SettingsStore> previousStore_;
    std::unique_ptr<STANDARDSHELLWINDOW> window_;
    QStringList messages_;
    QtMessageHandler previousHandler_ = nullptr;
};

QStringList titles(QMenuBar* bar)
{
    QStringList t;
    for (QAction* a : bar->actions())
        t << a->text();
    return t;
}

// The toolbars the window shows.
QList<QToolBar*> shownToolBars(QMainWindow& w)
{
    QList<QToolBar*> bars;
    for (QToolBar* b : w.findChildren<QToolBar*>())
        if (b->isVisible())
            bars << b;
    return bars;
}

// ---------------------------------------------------------------- construction

TEST_F(MainWindowTest, BuiltWithMenuToolbarStatusClockAndTitle)
{
    STANDARDSHELLWINDOW& w = window();
    showActive(w);
    EXPECT_EQ(w.windowTitle(), kProgramTitle);
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_TRUE(w.acceptDrops());
    ASSERT_NE(w.mainMenu(), nullptr);
    EXPECT_EQ(w.mainMenu()->name(), QStringLiteral("EmptyShellMenu"));
    EXPECT_EQ(titles(w.menuBar()),
              (QStringList{QStringLiteral("&Dosya"), QStringLiteral("Aktif Problem &Girişleri"),
                           QStringLiteral("&Rapor Hazırla"), QStringLiteral("&Sonuçlar"),
                           QStringLiteral("Referans &Matrisler"), QStringLiteral("&Yardım")}));
    EXPECT_EQ(shownToolBars(w), QList<QToolBar*>{w.mainMenu()->toolBar()});
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(w.clockText()).hasMatch())
        << w.clockText().toStdString();
    // The start state of the menu is untouched by the window: close is greyed,
    // open is not.
    EXPECT_FALSE(w.mainMenu()->isEnabled(3530));
    EXPECT_TRUE(w.mainMenu()->isEnabled(3529));
    EXPECT_TRUE(port_.log.isEmpty());
}

// POSTINIT: the option ticks follow what is stored, and the user items are
// greyed when the logon is off at start.
TEST_F(MainWindowTest, PostInitTicksFollowTheStoredOptions)
{
    struct Case {
        const char* tips;  // stored texts; null: not stored
        const char* logo;
        const char* logon;
        bool tick3582, tick3583, tick3585, userItems;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, false, false, false, false},
        {"1", "0", "1", true, false, true, true},
        {"0", "1 ", "0", false, true, false, false},
        {"1", "1", "", true, true, false, false},
        {"", nullptr, "1", false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.tips ? c.tips : "-") << "/" << (c.logo ? c.logo : "-") << "/"
                                          << (c.logon ? c.logon : "-"));
        store_ = std::make_shared<MemorySettingsStore>();
        setSettingsStore(store_);
        storeOption(kOptPath, tmp_.path());
        if (c.tips)
            storeOption(kOptTips, QString::fromLatin1(c.tips));
        if (c.logo)
            storeOption(kOptLogo, QString::fromLatin1(c.logo));
        if (c.logon)
            storeOption(kOptLogon, QString::fromLatin1(c.logon));
        const QString cwd = QDir::currentPath();
        ASSERT_TRUE(RSTATUSLAST(port_, G()));
        QDir::setCurrent(cwd);

        STANDARDSHELLWINDOW& w = window();
        ShellMenu* m = w.mainMenu();
        EXPECT_EQ(m->ISCHECKED(3582), c.tick3582);
        EXPECT_EQ(m->ISCHECKED(3583), c.tick3583);
        EXPECT_EQ(m->ISCHECKED(3585), c.tick3585);
        EXPECT_EQ(m->isEnabled(3587), c.userItems);
        EXPECT_EQ(m->isEnabled(3588), c.userItems);
        // The options themselves are always available.
        for (int id : {3582, 3583, 3585})
            EXPECT_TRUE(m->isEnabled(id)) << id;
    }
}

TEST_F(MainWindowTest, OptionItemsStoreTheirTickAndARebuiltMenuKeepsIt)
{
    G().LSHOWLOGO = true;
    STANDARDSHELLWINDOW& w = window();
    ASSERT_TRUE(w.mainMenu()->ISCHECKED(3583));

    w.mainMenu()->action(3583)->trigger();
    EXPECT_FALSE(w.mainMenu()->ISCHECKED(3583));
    EXPECT_EQ(storedOption(kOptLogo), QStringLiteral("0"));
    w.mainMenu()->action(3582)->trigger();
    EXPECT_TRUE(w.mainMenu()->ISCHECKED(3582));
    EXPECT_EQ(storedOption(kOptTips), QStringLiteral("1"));
    // The logon turned on: ticked and stored, the user items stay grey.
    w.mainMenu()->action(3585)->trigger();
    EXPECT_TRUE(w.mainMenu()->ISCHECKED(3585));
    EXPECT_EQ(storedOption(kOptLogon), QStringLiteral("1"));
    EXPECT_FALSE(w.mainMenu()->isEnabled(3587));

    // A new main menu (after the report pad) shows the ticks as stored.
    ShellMenu* rebuilt = w.newMainMenu();
    EXPECT_EQ(w.mainMenu(), rebuilt);
    EXPECT_EQ(w.menuHost()->shownMenu(), rebuilt);
    EXPECT_TRUE(rebuilt->ISCHECKED(3582));
    EXPECT_FALSE(rebuilt->ISCHECKED(3583));
    EXPECT_TRUE(rebuilt->ISCHECKED(3585));
    EXPECT_FALSE(rebuilt->isEnabled(3588));
    EXPECT_TRUE(port_.log.isEmpty());

    // A write that fails leaves the tick as it was and says so.
    store_->setReadOnly(true);
    rebuilt->action(3582)->trigger();
    EXPECT_TRUE(rebuilt->ISCHECKED(3582));
    EXPECT_EQ(port_.log, QStringList{QStringLiteral("status: Ayar kaydedilemedi...")});
}

// ---------------------------------------------------------------- closing

TEST_F(MainWindowTest, QueryCloseScenarios)
{
    struct Case {
        const char* what;
        bool open, changed;
        QList<int> replies;
        bool faultySave;
        bool closes;
        bool fileHasNewPrice;  // the change reached the file
    };
    const int Y = REPLY_YES, N = REPLY_NO;
    const Case cases[] = {
        {"no problem open, Yes", false, false, {Y}, false, true, false},
        {"no problem open, No", false, false, {N}, false, false, false},
        {"unchanged problem, Yes: one question, nothing written", true, false, {Y}, false, true, false},
        {"changed problem, No to the exit: nothing else asked", true, true, {N}, false, false, false},
        {"changed, Yes, Yes: saved once, closed", true, true, {Y, Y}, false, true, true},
        {"changed, Yes, No: nothing written", true, true, {Y, N}, false, true, false},
        {"changed, Yes, Yes, the save fails: stays open", true, true, {Y, Y}, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        G().reset();
        port_ = FakePort{};
        STANDARDSHELLWINDOW& w = window();
        QByteArray before;
        if (c.open) {
            openProblem(w, QStringLiteral("ORNEK.ZVF"), c.changed);
            before = test::fileBytes(data(QStringLiteral("ORNEK.ZVF")));
        }
        showActive(w);
        port_.replies = c.replies;
        // One write may pass; a second would fail: the file is written at most once.
        if (c.faultySave)
            testhooks::failAtomicWrite(testhooks::WriteFault::Rename);
        else
            testhooks::failAtomicWrite(testhooks::WriteFault::Write, 1);

        EXPECT_EQ(w.close(), c.closes);
        EXPECT_EQ(w.isVisible(), !c.closes);
        EXPECT_TRUE(port_.allAnswersUsed());

        QStringList asked = port_.logLines(QStringLiteral("box 36"));
        ASSERT_FALSE(asked.isEmpty());
        EXPECT_EQ(asked.takeFirst(), kExitBox);
        if (c.changed && c.replies.first() == Y)
            EXPECT_EQ(asked, QStringList{QStringLiteral("box 36 Uyarı...: ") + data(QStringLiteral("ORNEK.ZVF"))
                                         + kChanged});
        else
            EXPECT_TRUE(asked.isEmpty());

        if (c.open) {
            const QByteArray after = test::fileBytes(data(QStringLiteral("ORNEK.ZVF")));
            if (c.fileHasNewPrice) {
                EXPECT_NE(after, before);
                EXPECT_TRUE(after.contains(kNewPrice.toLatin1()));
                EXPECT_TRUE(testhooks::atomicWriteFaultPending());  // one write only
            } else {
                EXPECT_EQ(after, before);
            }
        }
        if (c.faultySave) {
            // The save told its failure; the problem and its changes are still there.
            EXPECT_EQ(port_.boxTexts(BOX_ERROR).size(), 1);
            EXPECT_TRUE(G().isOpen());
            EXPECT_TRUE(G().LYMCHANGED);
            EXPECT_EQ(G().AYMTABLE.value(0).value(YMPRICE), kNewPrice);
        }
        if (c.closes) {
            EXPECT_FALSE(G().isOpen());
        }
        testhooks::clearAtomicWriteFault();
        window_.reset();
    }
}

// The child windows close before the changed flags are looked at: an edit
// they hand back as they close is offered for saving and saved.
TEST_F(MainWindowTest, ExitClosesTheChildWindowsBeforeTheSaveQuestion)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, QStringLiteral("ORNEK.ZVF"), false);
    showActive(w);
    auto* child = new MenuChild(&w, false);
    QStringList order;
    child->onClose = [&] {
        order << QStringLiteral("child closed");
        G().AYMTABLE[0][YMPRICE] = kNewPrice;
        G().LYMCHANGED = true;
        return true;
    };
    w.addChildWindow(child)->show();
    port_.replies = {REPLY_YES, REPLY_YES};

    w.FILEEXIT();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(order, QStringList{QStringLiteral("child closed")});
    EXPECT_EQ(port_.logLines(QStringLiteral("box 36")).size(), 2);
    EXPECT_TRUE(test::fileBytes(data(QStringLiteral("ORNEK.ZVF"))).contains(kNewPrice.toLatin1()));
}

TEST_F(MainWindowTest, AChildThatRefusesToCloseKeepsTheProgramRunning)
{
    STANDARDSHELLWINDOW& w = window();
    openProblem(w, QStringLiteral("ORNEK.ZVF"), true);
    showActive(w);
    auto* child = new MenuChild(&w, false);
    child->onClose = [] { return false; };
    QMdiSubWindow* sub = w.addChildWindow(child);
    sub->show();
    port_.replies = {REPLY_YES};

    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(port_.logLines(QStringLiteral("box")), QStringList{kExitBox});  // no save question
    EXPECT_TRUE(G().isOpen());
    child->onClose = nullptr;
}

// ---------------------------------------------------------------- menu host and keys

TEST_F(MainWindowTest, CtrlXExitsFromTheMainMenuAndCutsInAChildWithItsOwnMenu)
{
    STANDARDSHELLWINDOW& w = window();
    showActive(w);
    QStringList sent;
    QObject::connect(w.mainMenu(), &ShellMenu::commandSent, [&sent](const QString& s, bool) { sent << s; });

    port_.replies = {REPLY_NO};
    QTest::keyClick(&w, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(sent, QStringList{QStringLiteral("FILEEXIT")});
    EXPECT_EQ(port_.log, QStringList{kExitBox});
    EXPECT_TRUE(w.isVisible());

    // A child with its own menu: its menu, toolbar and keys take over.
    sent.clear();
    port_.log.clear();
    auto* child = new MenuChild(&w);
    QMdiSubWindow* sub = w.addChildWindow(child);
    sub->show();
    w.mdiArea()->setActiveSubWindow(sub);
    ASSERT_EQ(w.menuHost()->shownMenu(), child->childMenu());
    EXPECT_EQ(titles(w.menuBar()).value(0), QStringLiteral("&Pencere"));
    EXPECT_EQ(shownToolBars(w), QList<QToolBar*>{child->childMenu()->toolBar()});

    QTest::keyClick(&w, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(child->received, QStringList{QStringLiteral("CUT")});
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_TRUE(port_.log.isEmpty());
    // Ctrl+V is Paste here, not the feed window of the main menu.
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(sent.isEmpty());

    // A command the child does not carry reaches the main window.
    child->childMenu()->action(3525)->trigger();  // "&Küçült": cascade
    EXPECT_EQ(child->received.size(), 1);

    // The child gone, the main menu is back with its keys.
    sub->close();
    QApplication::processEvents();
    EXPECT_EQ(w.menuHost()->shownMenu(), w.mainMenu());
    EXPECT_EQ(shownToolBars(w), QList<QToolBar*>{w.mainMenu()->toolBar()});
    port_.replies = {REPLY_NO};
    QTest::keyClick(&w, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(sent, QStringList{QStringLiteral("FILEEXIT")});
}

TEST_F(MainWindowTest, MenuFollowsTheActiveChild)
{
    STANDARDSHELLWINDOW& w = window();
    showActive(w);
    auto* withMenu = new MenuChild(&w);
    auto* plain = new MenuChild(&w, false);
    QMdiSubWindow* a = w.addChildWindow(withMenu);
    QMdiSubWindow* b = w.addChildWindow(plain);
    a->show();
    b->show();

    w.mdiArea()->setActiveSubWindow(a);
    EXPECT_EQ(w.menuHost()->shownMenu(), withMenu->childMenu());
    // A child without a menu of its own leaves the main menu on.
    w.mdiArea()->setActiveSubWindow(b);
    EXPECT_EQ(w.menuHost()->shownMenu(), w.mainMenu());
    EXPECT_EQ(shownToolBars(w), QList<QToolBar*>{w.mainMenu()->toolBar()});
    w.mdiArea()->setActiveSubWindow(a);
    EXPECT_EQ(w.menuHost()->shownMenu(), withMenu->childMenu());

    // The child's window deleted outright: the main menu comes back at once.
    delete a;
    EXPECT_EQ(w.menuHost()->shownMenu(), w.mainMenu());
    QApplication::processEvents();
    EXPECT_EQ(shownToolBars(w), QList<QToolBar*>{w.mainMenu()->toolBar()});
    EXPECT_EQ(titles(w.menuBar()).value(0), QStringLiteral("&Dosya"));
}

// The i key answers the "&İ" items: Alt+M then i opens "Matris &İşlemleri",
// i in the open "&Yardım" menu chooses "&İndeks".
TEST_F(MainWindowTest, AccessKeysOnTheDottedIAnswerTheIKey)
{
    installAccessKeys();
    STANDARDSHELLWINDOW& w = window();
    showActive(w);
    QMenu* matrices = w.mainMenu()->action(3565)->menu();
    QMenu* work = w.mainMenu()->action(3571)->menu();
    ASSERT_TRUE(matrices && work);
    QTest::keyClick(&w, Qt::Key_M, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return matrices->isVisible(); }, 2000));
    QTest::keyClick(matrices, Qt::Key_I);
    EXPECT_TRUE(QTest::qWaitFor([&] { return work->isVisible(); }, 2000));
    work->hide();
    matrices->hide();

    int index = 0;
    QObject::connect(w.mainMenu()->action(3577), &QAction::triggered, [&index] { ++index; });
    QMenu* help = w.mainMenu()->action(3576)->menu();
    help->popup(w.mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return help->isVisible(); }, 2000));
    QTest::keyClick(help, Qt::Key_I);
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(help->isVisible());
}

// Alt+Shift+letter acts as Alt+letter on the menu bar and in an open menu,
// with the keys as an X11 keyboard sends them (the shifted key and its text):
// Alt+Shift+D opens "&Dosya", Alt+Shift+M "Referans &Matrisler", and in it
// Alt+Shift+İ (the capital of i) opens "Matris &İşlemleri".
TEST_F(MainWindowTest, AltShiftLetterOpensTheMenusAsAltLetter)
{
    installAccessKeys();
    STANDARDSHELLWINDOW& w = window();
    showActive(w);
    QMenu* file = w.mainMenu()->action(3526)->menu();
    QMenu* matrices = w.mainMenu()->action(3565)->menu();
    QMenu* work = w.mainMenu()->action(3571)->menu();
    ASSERT_TRUE(file && matrices && work);
    const Qt::KeyboardModifiers altShift = Qt::AltModifier | Qt::ShiftModifier;

    QTest::sendKeyEvent(QTest::Click, &w, Qt::Key_D, QStringLiteral("D"), altShift);
    ASSERT_TRUE(QTest::qWaitFor([&] { return file->isVisible(); }, 2000));
    file->hide();
    showActive(w);  // the offscreen platform leaves the closed menu active

    QTest::sendKeyEvent(QTest::Click, &w, Qt::Key_M, QStringLiteral("M"), altShift);
    ASSERT_TRUE(QTest::qWaitFor([&] { return matrices->isVisible(); }, 2000));
    // Alt and Shift still held from Alt+Shift+M (a press of Alt itself would
    // close the menu): only the key İ goes down and up.
    QTest::simulateEvent(matrices, true, 0x0130, altShift, QStringLiteral("İ"), false);
    QTest::simulateEvent(matrices, false, 0x0130, altShift, QStringLiteral("İ"), false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return work->isVisible(); }, 2000));
    work->hide();
    matrices->hide();
}

// Cascaded windows: all of one usable size (at least half the area each way),
// inside the area, each one a step down and to the right of the one below it,
// the active one still on top.
void expectCascaded(STANDARDSHELLWINDOW& w, int count)
{
    const QRect area = w.mdiArea()->viewport()->rect();
    const QList<QMdiSubWindow*> windows = w.mdiArea()->subWindowList(QMdiArea::StackingOrder);
    ASSERT_EQ(windows.size(), count);
    EXPECT_EQ(windows.last(), w.mdiArea()->activeSubWindow());
    for (int i = 0; i < count; ++i) {
        const QRect g = windows.at(i)->geometry();
        EXPECT_TRUE(area.contains(g)) << i;
        EXPECT_GE(g.width(), area.width() / 2) << i;
        EXPECT_GE(g.height(), area.height() / 2) << i;
        EXPECT_EQ(g.size(), windows.first()->size()) << i;
        EXPECT_FALSE(windows.at(i)->isMaximized());
        if (i > 0) {
            const QPoint step = g.topLeft() - windows.at(i - 1)->pos();
            EXPECT_GT(step.x(), 0) << i;
            EXPECT_EQ(step.x(), step.y()) << i;
            // A step shows the title bar of the window below.
            EXPECT_GE(step.y(), windows.at(i - 1)->widget()->mapTo(windows.at(i - 1), QPoint(0, 0)).y() - 2) << i;
        }
    }
}

// A single window, maximised as the report pads open, keeps a usable size.
TEST_F(MainWindowTest, CascadeKeepsUsableWindowSizes)
{
    STANDARDSHELLWINDOW& w = window();
    w.resize(900, 700);
    showActive(w);
    auto* child = new MenuChild(&w);
    QMdiSubWindow* sub = w.addChildWindow(child);
    sub->showMaximized();
    w.mdiArea()->setActiveSubWindow(sub);
    child->childMenu()->action(3525)->trigger();  // "&Küçült"
    expectCascaded(w, 1);
    EXPECT_EQ(sub->pos(), QPoint(0, 0));

    // More windows than steps fit: they start again at the corner.
    for (int i = 0; i < 20; ++i) {
        QMdiSubWindow* more = w.addChildWindow(new MenuChild(&w, false));
        more->resize(50, 30);
        more->show();
    }
    w.mdiArea()->setActiveSubWindow(sub);
    w.WINDOWCASCADE();
    const QRect area = w.mdiArea()->viewport()->rect();
    const QList<QMdiSubWindow*> windows = w.mdiArea()->subWindowList(QMdiArea::StackingOrder);
    EXPECT_EQ(windows.last(), sub);
    for (QMdiSubWindow* s : windows) {
        EXPECT_TRUE(area.contains(s->geometry()));
        EXPECT_GE(s->height(), area.height() / 2);
    }
    EXPECT_EQ(windows.value(0)->pos(), QPoint(0, 0));
}

TEST_F(MainWindowTest, ChildMenusReachCascadeAndTileOfTheMainWindow)
{
    STANDARDSHELLWINDOW& w = window();
    showActive(w);
    QList<QMdiSubWindow*> subs;
    QList<MenuChild*> children;
    for (int i = 0; i < 3; ++i) {
        auto* child = new MenuChild(&w);
        children << child;
        subs << w.addChildWindow(child);
        subs.last()->resize(200, 150);
        subs.last()->move(0, 0);
        subs.last()->show();
    }
    w.mdiArea()->setActiveSubWindow(subs.last());
    ShellMenu* menu = children.last()->childMenu();
    ASSERT_EQ(w.menuHost()->shownMenu(), menu);
    QList<QPair<QString, bool>> sent;
    QObject::connect(menu, &ShellMenu::commandSent, [&sent](const QString& s, bool h) { sent.append({s, h}); });

    menu->action(3526)->trigger();  // "&Diz...": tile
    QSet<QPoint> corners;
    for (QMdiSubWindow* s : subs)
        corners.insert(s->pos());
    EXPECT_EQ(corners.size(), 3);  // side by side, none on top of another
    menu->action(3525)->trigger();  // "&Küçült": cascade
    expectCascaded(w, 3);
    EXPECT_EQ(sent, (QList<QPair<QString, bool>>{{QStringLiteral("WINDOWTILE"), true},
                                                  {QStringLiteral("WINDOWCASCADE"), true}}));
    for (MenuChild* c : children)
        EXPECT_TRUE(c->received.isEmpty());

    // Three menus with the same keys: only the active child's are live.
    QTest::keyClick(&w, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(children[0]->received.size() + children[1]->received.size(), 0);
    EXPECT_EQ(children[2]->received, QStringList{QStringLiteral("CUT")});
}

// ---------------------------------------------------------------- commands and menu state

TEST_F(MainWindowTest, FileCommandsKeepTheMenuStateAndCaption)
{
    STANDARDSHELLWINDOW& w = window();
    ShellMenu* m = w.mainMenu();
    createProblem(QStringLiteral("ORNEK.ZVF"));
    port_.fileNames = {data(QStringLiteral("ORNEK.ZVF"))};
    m->action(3529)->trigger();  // "&Aç..."
    ASSERT_TRUE(G().isOpen());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ZEVA 2.0 - ") + data(QStringLiteral("ORNEK.ZVF")));
    // 3 feeds by 2 nutrients: everything of an open problem but the build
    // from the reference matrix; 3548 only for a daily ration.
    for (int id : {3530, 3532, 3533, 3537, 3538, 3539, 3540, 3545, 3546, 3550, 3552})
        EXPECT_TRUE(m->isEnabled(id)) << id;
    for (int id : {3543, 3548, 3564})
        EXPECT_FALSE(m->isEnabled(id)) << id;

    m->action(3530)->trigger();  // "Ka&pat..."
    EXPECT_FALSE(G().isOpen());
    EXPECT_EQ(w.windowTitle(), kProgramTitle);
    for (int id : {3530, 3532, 3533, 3537, 3538, 3539, 3540, 3543, 3545, 3546, 3548, 3550, 3552, 3564})
        EXPECT_FALSE(m->isEnabled(id)) << id;

    // New daily ration: the requirement item comes on with the header.
    NewProblemAnswer answer;
    answer.accepted = true;
    answer.name = QStringLiteral("rasyon");
    answer.type = 2;
    port_.newProblems = {answer};
    m->action(3527)->trigger();  // "&Yeni..."
    ASSERT_TRUE(G().isOpen());
    EXPECT_TRUE(m->isEnabled(3548));
    EXPECT_TRUE(m->isEnabled(3543));
    EXPECT_FALSE(m->isEnabled(3550));
    EXPECT_TRUE(QFile::exists(data(QStringLiteral("rasyon.ZVF"))));
    EXPECT_TRUE(port_.allAnswersUsed());
}

// A problem whose file name is near the limit on a name's length (about 124
// Turkish letters) is saved and solved like any other; its report takes a
// name of the same length.
TEST_F(MainWindowTest, AProblemNamedNearTheLimitSavesAndSolves)
{
    const int limit = int(test::nameLimit(data(QString())));
    ASSERT_GT(limit, 16);
    STANDARDSHELLWINDOW& w = window();
    ShellMenu* m = w.mainMenu();
    for (int bytes = limit - 7; bytes <= limit; ++bytes) {
        SCOPED_TRACE(bytes);
        const QString name = test::longTurkishName(bytes, QStringLiteral(".ZVF"));
        const QString path = data(name);
        const QString report = data(name.chopped(4) + QStringLiteral(".TXT"));
        createProblem(QStringLiteral("KISA.ZVF"));
        ASSERT_TRUE(QFile::rename(data(QStringLiteral("KISA.ZVF")), path));

        port_.log.clear();
        port_.fileNames = {path};
        m->action(3529)->trigger();  // "&Aç..."
        ASSERT_TRUE(G().isOpen());
        G().AYMTABLE[0][YMPRICE] = kNewPrice;
        G().LYMCHANGED = true;
        m->action(3532)->trigger();  // "&Kaydet..."
        EXPECT_FALSE(G().LYMCHANGED);
        port_.params = {ParamAnswer{true, false, QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")}};
        m->action(3550)->trigger();  // "Yem &Formülü"
        EXPECT_EQ(G().CREPORTFILE, report);
        EXPECT_TRUE(QFileInfo(report).isFile());
        EXPECT_EQ(port_.logLines(QStringLiteral("box")), QStringList());
        m->action(3530)->trigger();  // "Ka&pat..."
        ASSERT_FALSE(G().isOpen());

        ASSERT_TRUE(w.DOOPENFILE(path));
        EXPECT_EQ(G().AYMTABLE[0][YMPRICE], kNewPrice);
        m->action(3530)->trigger();
        // Nothing left beside the two files.
        EXPECT_EQ(QDir(data(QString())).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{QFileInfo(report).fileName(), name}));
        ASSERT_TRUE(QFile::remove(path));
        ASSERT_TRUE(QFile::remove(report));
    }
}

// A problem file without a header whose matrix keeps the row of a nutrient
// another program removed, opened from the menu: the program says the matrix
// does not fit, drops that last row (it is no header: it does not begin with
// K or G), takes the compound-feed header and "Yem &Formülü" solves it.
TEST_F(MainWindowTest, AFileWithoutAHeaderAndARowTooManyIsToldAndSolves)
{
    const QString path = data(QStringLiteral("BASLIKSIZ.ZVF"));
    DbfTable t = newProblemTable(1);
    const QList<QList<QPair<const char*, QString>>> records = {
        {{"YMADI", "MISIR"}, {"YMFIAT", SDAYA("10.5", 3)}, {"BMADI", "AGIRLIK"}, {"BMSABIT", SDAYA("1", 4)},
         {"YMBMAT", SDAYA("1", 4) + "," + SDAYA("1", 4) + ","}},
        {{"YMADI", "SOYA KÜSPESİ"}, {"YMFIAT", SDAYA("21.5", 3)}, {"BMADI", "ME_KA"},
         {"BMALTLIM", SDAYA("2900", 4)}, {"YMBMAT", SDAYA("3350", 4) + "," + SDAYA("2440", 4) + ","}},
        {{"BMADI", "HP"}, {"BMALTLIM", SDAYA("20", 4)},
         {"YMBMAT", SDAYA("8.5", 4) + "," + SDAYA("48.5", 4) + ","}},
        {{"YMBMAT", SDAYA("0.02", 4) + "," + SDAYA("0.27", 4) + ","}},
    };
    for (const auto& rec : records) {
        const int r = t.appendRecord();
        for (const auto& [name, value] : rec)
            t.setValue(r, QString::fromLatin1(name), value);
    }
    ASSERT_TRUE(writeDbfFile(path, t));

    STANDARDSHELLWINDOW& w = window();
    ShellMenu* m = w.mainMenu();
    port_.fileNames = {path};
    m->action(3529)->trigger();  // "&Aç..."
    ASSERT_TRUE(G().isOpen());
    EXPECT_EQ(port_.logLines(QStringLiteral("box")),
              QStringList{QStringLiteral("box 48 Uyarı...: ") + path
                          + QStringLiteral(" dosyasının matrisi yem/besin maddesi tablosuyla uyuşmuyor...\n\n"
                                           "Tablolarda karşılığı olmayan matris hücreleri ve satırları atılacak.")});
    EXPECT_EQ(G().APARAMS, (QStringList{"K", "1000.00", "TL", "Kg"}));
    EXPECT_EQ(G().AMATRIX.size(), 3);
    EXPECT_EQ(G().AMATRIX.at(2).at(1), SDAYA("48.5", 4));
    EXPECT_TRUE(G().LPARAMCHANGED);

    port_.log.clear();
    port_.params = {ParamAnswer{true, false, QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")}};
    m->action(3550)->trigger();  // "Yem &Formülü"
    EXPECT_EQ(port_.logLines(QStringLiteral("params")).size(), 1);
    EXPECT_EQ(G().CREPORTFILE, data(QStringLiteral("BASLIKSIZ.TXT")));
    EXPECT_TRUE(QFile::exists(data(QStringLiteral("BASLIKSIZ.TXT"))));
    G().LPARAMCHANGED = false;
}

TEST_F(MainWindowTest, CommandsOfLaterPartsAreNotHandledYet)
{
    STANDARDSHELLWINDOW& w = window();
    QList<QPair<QString, bool>> sent;
    QObject::connect(w.mainMenu(), &ShellMenu::commandSent,
                     [&sent](const QString& s, bool h) { sent.append({s, h}); });
    for (QAction* a : w.mainMenu()->actions())
        a->setEnabled(true);
    for (int id : {3537, 3543, 3552, 3562})
        w.mainMenu()->action(id)->trigger();
    ASSERT_EQ(sent.size(), 4);
    for (const auto& [symbol, handled] : sent)
        EXPECT_FALSE(handled) << symbol.toStdString();
    EXPECT_TRUE(port_.log.isEmpty());

    // A later part adds its command to the window.
    int opened = 0;
    w.setCommand(QStringLiteral("YM_GIRIS"), [&opened] { ++opened; });
    w.mainMenu()->action(3537)->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(sent.last(), qMakePair(QStringLiteral("YM_GIRIS"), true));
}

// Open through the window's own Qt port: the file dialog lists problem files
// whatever the letter case of their extension.
TEST_F(MainWindowTest, OpenThroughTheFileDialogFindsLowerCaseNames)
{
    createProblem(QStringLiteral("ornek.zvf"));
    QFile other(data(QStringLiteral("notlar.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    STANDARDSHELLWINDOW& w = window(nullptr);
    ASSERT_NE(w.qtPort(), nullptr);
    QStringList listed;
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        auto* fd = qobject_cast<QFileDialog*>(&d);
        EXPECT_NE(fd, nullptr);
        if (!fd)
            return int(QDialog::Rejected);
        fd->open();
        auto* view = fd->findChild<QListView*>(QStringLiteral("listView"));
        EXPECT_NE(view, nullptr);
        // The folder is read in the background.
        for (int i = 0; i < 50 && view && view->model()->rowCount(view->rootIndex()) == 0; ++i)
            QTest::qWait(20);
        if (view)
            for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
                listed << view->model()->index(r, 0, view->rootIndex()).data().toString();
        fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("ornek.zvf"));
        static_cast<QDialog*>(fd)->accept();  // the file dialog's own accept
        return fd->result();
    });
    w.mainMenu()->action(3529)->trigger();
    EXPECT_EQ(listed, QStringList{QStringLiteral("ornek.zvf")});
    ASSERT_TRUE(G().isOpen());
    EXPECT_EQ(G().AYMNAMES.size(), 3);
    EXPECT_TRUE(w.mainMenu()->isEnabled(3530));
}

// Delete on a folder in the file dialogs of "&Aç..." and "&Farklı Kaydet",
// answered Yes: the folder and what it holds stay. The open dialog only
// chooses a file: it offers no delete, rename or new folder.
TEST_F(MainWindowTest, TheFileDialogsOfOpenAndSaveAsDeleteNoFolder)
{
    ASSERT_TRUE(installQtTurkish());
    createProblem(QStringLiteral("ornek.ZVF"));
    const QString folder = data(QStringLiteral("eski"));

    STANDARDSHELLWINDOW& w = window(nullptr);
    ASSERT_TRUE(w.DOOPENFILE(data(QStringLiteral("ornek.ZVF"))));
    const struct {
        int item;
        QFileDialog::AcceptMode mode;
        QStringList offered;
    } cases[] = {
        {3529, QFileDialog::AcceptOpen, {}},                                                      // "&Aç..."
        {3533, QFileDialog::AcceptSave, {QStringLiteral("qt_rename_action"), QStringLiteral("qt_new_folder_action")}},  // "&Farklı Kaydet"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/ic")));
        test::writeAll(folder + QStringLiteral("/ic/not.txt"), "kalsin");
        int fileDialogs = 0;
        test::FolderDeleteAttempt attempt;
        w.qtPort()->setDialogRunner([&](QDialog& d) {
            auto* fd = qobject_cast<QFileDialog*>(&d);
            if (!fd)
                return int(QDialog::Rejected);  // the save question, if any: keep the file as it is
            ++fileDialogs;
            EXPECT_EQ(fd->acceptMode(), c.mode);
            fd->open();
            attempt = test::tryToDeleteFolder(*fd, data(QString()), QStringLiteral("eski"));
            fd->reject();
            return fd->result();
        });
        w.mainMenu()->action(c.item)->trigger();
        EXPECT_EQ(fileDialogs, 1);
        EXPECT_TRUE(attempt.questions.isEmpty()) << attempt.questions.join('|').toStdString();
        EXPECT_EQ(attempt.offered, c.offered);
        EXPECT_EQ(test::readAll(folder + QStringLiteral("/ic/not.txt")), QByteArray("kalsin"));
    }
}

// Save As onto a file that exists, through the window's own Qt port and Qt's
// real file dialog: Qt asks nothing itself, the program asks once (type 20,
// Yes and No with the stop icon), and No leaves the file as it was. A name of
// no file typed into the open dialog reaches the program's own open step.
TEST_F(MainWindowTest, SaveAsOntoAnExistingFileAsksOnlyTheProgramsQuestion)
{
    ASSERT_TRUE(installQtTurkish());
    createProblem(QStringLiteral("ornek.ZVF"));
    createProblem(QStringLiteral("diger.ZVF"));
    const QString target = data(QStringLiteral("diger.ZVF"));
    QFile before(target);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();
    before.close();

    STANDARDSHELLWINDOW& w = window(nullptr);
    ASSERT_TRUE(w.DOOPENFILE(data(QStringLiteral("ornek.ZVF"))));
    G().LYMCHANGED = true;

    QString typed;
    QStringList qtBoxes;
    QStringList boxes;
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        d.open();
        if (auto* fd = qobject_cast<QFileDialog*>(&d)) {
            // The folder is read in the background: the name is chosen once
            // the files are listed, as the user would.
            auto* view = fd->findChild<QListView*>(QStringLiteral("listView"));
            for (int i = 0; i < 250 && view->model()->rowCount(view->rootIndex()) == 0; ++i)
                QTest::qWait(20);
            // Typed over the name the dialog starts with.
            view->clearSelection();
            fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
            auto* buttons = fd->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            QAbstractButton* ok = buttons->buttons().value(0);
            for (QAbstractButton* b : buttons->buttons())
                if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole)
                    ok = b;
            // A box of Qt's own would run a loop of its own: note and close it.
            QTimer watch;
            watch.setInterval(10);
            QObject::connect(&watch, &QTimer::timeout, [&qtBoxes, fd] {
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible() && box->parent() == fd) {
                        qtBoxes << box->text();
                        box->reject();
                    }
            });
            watch.start();
            ok->click();
            watch.stop();
            return fd->result();
        }
        auto* box = qobject_cast<QMessageBox*>(&d);
        EXPECT_NE(box, nullptr);
        if (!box)
            return int(QDialog::Rejected);
        boxes << QStringLiteral("%1 %2: %3").arg(box->icon()).arg(box->windowTitle(), box->text());
        QAbstractButton* answer = box->button(QMessageBox::No);
        (answer ? answer : box->buttons().value(0))->click();
        return box->result();
    });

    typed = QStringLiteral("diger.ZVF");
    w.mainMenu()->action(3533)->trigger();
    EXPECT_EQ(qtBoxes, QStringList());
    EXPECT_EQ(boxes, QStringList{QStringLiteral("%1 Uyarı...: %2 Dosyası mevcut!\n\nÜzerine yazılsın mı?")
                                     .arg(QMessageBox::Critical)
                                     .arg(target)});
    QFile after(target);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), bytes);
    EXPECT_EQ(G().OPROBSERVER->path(), data(QStringLiteral("ornek.ZVF")));

    // Open with the name of no file: the program's own answer, none of Qt's.
    boxes.clear();
    G().LYMCHANGED = false;
    typed = QStringLiteral("yok.ZVF");
    w.mainMenu()->action(3529)->trigger();
    EXPECT_EQ(qtBoxes, QStringList());
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains(QStringLiteral("yok.ZVF"))) << boxes[0].toStdString();
}

TEST_F(MainWindowTest, DroppedFilesGoToTheDropHandler)
{
    STANDARDSHELLWINDOW& w = window();
    const QString file = data(QStringLiteral("RAPOR.TXT"));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file), QUrl(QStringLiteral("https://example.org/x.txt"))});

    // Without a handler the drag is refused (no accept cursor) and a drop
    // does nothing.
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &refused);
    EXPECT_FALSE(refused.isAccepted());
    QDragMoveEvent refusedMove(QPoint(12, 12), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &refusedMove);
    EXPECT_FALSE(refusedMove.isAccepted());
    QDropEvent first(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &first);
    EXPECT_FALSE(first.isAccepted());

    QStringList dropped;
    w.setDropHandler([&dropped](const QStringList& files) { dropped << files; });
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(QPoint(12, 12), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &move);
    EXPECT_TRUE(move.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &drop);
    EXPECT_EQ(dropped, QStringList{file});
    EXPECT_TRUE(port_.log.isEmpty());
}

}  // namespace
}  // namespace zeva
