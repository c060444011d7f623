// The text reports in the program: the main window wired as the program
// wires it, its own Qt user port, the installed sample tables and example
// problem, every report chosen from the main menu and every box answered on
// screen.
#include "core/activeproblem.h"
#include "core/ui/paramdialogs.h"
#include "editing/ui/entrywindowopeners.h"
#include "editing/ui/entrywindows.h"
#include "platform/codec.h"
#include "platform/dbf.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "refmatrix/refcommands.h"
#include "refmatrix/reftables.h"
#include "refmatrix/ui/refmatrixopeners.h"
#include "platform/atomicfile.h"
#include "reports/textreports.h"
#include "reports/ui/padwin.h"
#include "reports/ui/reportpads.h"
#include "reports/ui/textreportcommands.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"
#include "support/agree.h"
#include "support/envguard.h"
#include "support/programenv.h"
#include "support/sampledata.h"
#include "support/tempdir.h"
#include "support/typing.h"
#include "support/files.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

namespace zeva {
namespace {

using test::readAll;

// The lines of a report file, each checked to be 100 characters and CR LF;
// form feeds in front of a line are kept with it.
QList<QByteArray> reportLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", at);
        if (end < 0) {
            lines << bytes.mid(at);  // what follows the last line
            break;
        }
        QByteArray line = bytes.mid(at, end - at);
        qsizetype feeds = 0;
        while (feeds < line.size() && line.at(feeds) == '\f')
            ++feeds;
        EXPECT_EQ(line.size() - feeds, 100) << line.constData();
        lines << line;
        at = end + 2;
    }
    return lines;
}

class TextReportProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousFolder_ = QDir::currentPath();
        ASSERT_EQ(test::installSampleData(tmp_.path()), QString());
    }
    void TearDown() override
    {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QDir::setCurrent(previousFolder_);
    }

    // The main window as the program wires it; boxes are read and closed,
    // the problem parameters taken as they stand.
    STANDARDSHELLWINDOW& window()
    {
        window_ = std::make_unique<STANDARDSHELLWINDOW>();
        STANDARDSHELLWINDOW& w = *window_;
        installEntryWindowCommands(w);
        installReferenceMatrixCommands(w);
        installTextReportCommands(w);
        w.qtPort()->setToneWait(false);
        w.qtPort()->setDialogRunner([this](QDialog& d) {
            d.open();
            return test::agree(d, &boxes_, true);
        });
        return w;
    }

    static void choose(STANDARDSHELLWINDOW& w, int id)
    {
        QAction* a = w.mainMenu()->action(id);
        ASSERT_NE(a, nullptr) << id;
        ASSERT_TRUE(a->isEnabled()) << id;
        a->trigger();
        QCoreApplication::processEvents();
    }

    QString data(const QString& name) const { return tmp_.file(QStringLiteral("Data/") + name); }

    // A paged reference report: `blocks` blocks, each ended by a form feed,
    // the unit row first in each, every live record once per block.
    void checkReferenceReport(const QString& file, const QString& table, int blocks)
    {
        const QByteArray bytes = readAll(data(file));
        ASSERT_FALSE(bytes.isEmpty()) << file.toStdString();
        EXPECT_TRUE(bytes.endsWith("\r\n\f"));
        const QList<QByteArray> parts = bytes.split('\f');
        ASSERT_EQ(parts.size(), blocks + 1);  // the last form feed ends the file
        DbfTable t;
        ASSERT_TRUE(readDbfFile(tmp_.file(table), &t));
        const QList<int> live = t.liveRecords();
        for (int b = 0; b < blocks; ++b) {
            const QList<QByteArray> lines = reportLines(parts.at(b));
            const int header = b == 0 ? 6 : 4;
            ASSERT_EQ(lines.size(), header + live.size()) << b;
            EXPECT_TRUE(lines.at(header - 3).endsWith(
                (QStringLiteral("Sayfa ") + PadL(QString::number(b + 1), 2) + QStringLiteral(".1")).toLatin1()
                + QByteArray(100 - 65 - 10, ' ')))
                << b;
            EXPECT_TRUE(lines.at(header).startsWith(b == 0 ? "  BIRIM" : "  ")) << b;
        }
        EXPECT_EQ(G().CREPORTFILE, data(file));
    }

    QString previousFolder_;
    test::TempDir tmp_;
    test::ProgramEnvironment env_{tmp_.path()};
    std::unique_ptr<STANDARDSHELLWINDOW> window_;
    QStringList boxes_;
};

TEST_F(TextReportProgramTest, ReferenceReportsAndThePriceListFromTheMenu)
{
    STANDARDSHELLWINDOW& w = window();
    choose(w, 3554);  // "&Havada Kuru "
    checkReferenceReport(kAsFedReportFile, kAsFedTable, 9);
    choose(w, 3556);  // "&Kuru Madde Esaslı"
    checkReferenceReport(kDryMatterReportFile, kDryMatterTable, 8);
    EXPECT_TRUE(readAll(data(kAsFedReportFile)).contains("HAVADA KURU TEMEL MATR\xDDS'i"));

    choose(w, 3558);  // "&Ham Madde Fiyat Listesi"
    EXPECT_EQ(G().CREPORTFILE, data(kPriceListFile));
    const QList<QByteArray> lines = reportLines(readAll(data(kPriceListFile)));
    QStringList expected;
    for (const QString& table : {kAsFedTable, kDryMatterTable}) {
        DbfTable t;
        ASSERT_TRUE(readDbfFile(tmp_.file(table), &t));
        for (int rec : t.liveRecords())
            expected << PadR(t.value(rec, QStringLiteral("YM_ADI")), 15) + QLatin1Char(' ') + t.value(rec, QStringLiteral("FIATI"));
        expected << QString();
    }
    expected.removeLast();
    QStringList listed;
    for (qsizetype i = 4; i < lines.size(); ++i) {
        const QString line = cp1254::decode(lines.at(i));
        listed << (AllTrim(line).isEmpty() ? QString() : line.mid(10, 27));
    }
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(w.qtPort()->OALERTWIN(), nullptr);
}

TEST_F(TextReportProgramTest, AMissingTableGivesItsBoxAndNoFile)
{
    ASSERT_TRUE(QFile::remove(tmp_.file(kAsFedTable)));
    STANDARDSHELLWINDOW& w = window();
    choose(w, 3554);
    choose(w, 3558);
    EXPECT_EQ(boxes_, (QStringList{QStringLiteral("Uyarı...: MATNRC.DBF dosyası yok..!"),
                                   QStringLiteral("Uyarı: MATNRC.DBF dosyası yok..!")}));
    EXPECT_FALSE(QFileInfo::exists(data(kAsFedReportFile)));
    EXPECT_FALSE(QFileInfo::exists(data(kPriceListFile)));
    EXPECT_TRUE(G().CREPORTFILE.isEmpty());

    // The other table still reports.
    boxes_.clear();
    choose(w, 3556);
    EXPECT_TRUE(boxes_.isEmpty());
    EXPECT_EQ(G().CREPORTFILE, data(kDryMatterReportFile));
    EXPECT_EQ(w.qtPort()->OALERTWIN(), nullptr);
}

TEST_F(TextReportProgramTest, AFailedWriteShowsItsBoxAndKeepsTheCurrentReport)
{
    STANDARDSHELLWINDOW& w = window();
    choose(w, 3556);
    ASSERT_EQ(G().CREPORTFILE, data(kDryMatterReportFile));
    ASSERT_TRUE(QDir(tmp_.path()).rename(QStringLiteral("Data"), QStringLiteral("Eski")));
    choose(w, 3554);
    EXPECT_EQ(boxes_, QStringList{QStringLiteral("Hata...: Rapor dosyası oluşturmada hata!\n\nSonra tekrar deneyin..")});
    EXPECT_EQ(G().CREPORTFILE, data(kDryMatterReportFile));
    EXPECT_FALSE(QFileInfo::exists(tmp_.file(QStringLiteral("Data"))));
    EXPECT_EQ(w.qtPort()->OALERTWIN(), nullptr);
}

TEST_F(TextReportProgramTest, ActiveMatrixReportShowsTheOpenWindowsEditAndReplacesTheSolutionReport)
{
    STANDARDSHELLWINDOW& w = window();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const QString problem = data(QStringLiteral("BROYLER.ZVF"));
    ASSERT_TRUE(w.DOOPENFILE(problem));
    EXPECT_TRUE(w.mainMenu()->isEnabled(3552));

    // The solution report first.
    choose(w, 3550);  // "Yem &Formülü"
    const QString report = data(QStringLiteral("BROYLER.TXT"));
    ASSERT_EQ(G().CREPORTFILE, report) << boxes_.join(QLatin1Char('|')).toStdString();
    const QByteArray solution = readAll(report);

    // An edit in the open matrix window, not handed back yet.
    choose(w, 3539);  // "Aktif &Matris Yazımı"
    ProblemEntryWindow* matrix = findProblemWindow(w.mdiArea(), ProblemWindowKind::Matrix);
    ASSERT_NE(matrix, nullptr);
    OABS_BROWSER* grid = matrix->browser();
    grid->setCurrentIndex(grid->model()->index(1, 1));  // ME_KA of MISIR
    test::typeText(grid, QStringLiteral("4"));
    CellEditor* editor = grid->openEditor();
    ASSERT_NE(editor, nullptr);
    test::typeText(editor, QStringLiteral("321"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_NE(G().AMATRIX.at(1).at(0), QStringLiteral("  4321.0000"));

    choose(w, 3552);  // "&Aktif Matris"
    EXPECT_EQ(G().AMATRIX.at(1).at(0), QStringLiteral("  4321.0000"));
    EXPECT_EQ(G().CREPORTFILE, report);
    const QByteArray bytes = readAll(report);
    EXPECT_NE(bytes, solution);
    EXPECT_EQ(bytes, activeMatrixText(QStringLiteral("BROYLER"), G().AYMNAMES, G().ABMNAMES, G().AMATRIX).bytes());
    const QList<QByteArray> lines = reportLines(bytes);
    ASSERT_GT(lines.size(), 7);
    EXPECT_EQ(lines.at(2).left(22), QByteArray("  BROYLER.ZVF MATR\xDDS\xDD "));
    EXPECT_TRUE(lines.at(7).startsWith("  ME_KA" + QByteArray(10 + 1 + 2, ' ') + "4321.0000   3100.0000")) << lines.at(7).constData();
    EXPECT_EQ(bytes.count('\f'), 2);  // eleven feeds: five, then six
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(matrix->isClosing());
    EXPECT_EQ(QDir(tmp_.file(QStringLiteral("Data"))).entryList({QStringLiteral("*.TXT")}, QDir::Files),
              QStringList{QStringLiteral("BROYLER.TXT")});
}

TEST_F(TextReportProgramTest, NotepadOpensTheCurrentReportInTheTextEditor)
{
    // A stand-in editor that writes down what it was given.
    const QString seen = tmp_.file(QStringLiteral("seen.txt"));
    const QString script = tmp_.file(QStringLiteral("editor.sh"));
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"" + seen.toUtf8() + ".part\"\nmv \"" + seen.toUtf8()
                + ".part\" \"" + seen.toUtf8() + "\"\n");
        f.close();
        ASSERT_TRUE(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    const QByteArray editor = script.toUtf8();
    test::EnvGuard env("ZEVA_NOTEPAD", &editor);
    auto launched = [&]() -> QString {
        const QDeadlineTimer deadline(30000);
        while (!QFileInfo::exists(seen) && !deadline.hasExpired())
            QThread::msleep(20);
        const QString text = QString::fromUtf8(readAll(seen));
        QFile::remove(seen);
        return text;
    };

    STANDARDSHELLWINDOW& w = window();
    for (auto it = w.mainMenu()->actions().cbegin(); it != w.mainMenu()->actions().cend(); ++it)
        EXPECT_NE(w.mainMenu()->symbol(it.key()), QStringLiteral("WNOTEPAD"));
    choose(w, 3554);
    ASSERT_TRUE(w.dispatch(QStringLiteral("WNOTEPAD")));
    EXPECT_EQ(launched(), QStringLiteral("1|") + data(kAsFedReportFile) + QLatin1Char('|'));

    // A current report that is gone: the editor alone.
    ASSERT_TRUE(QFile::remove(data(kAsFedReportFile)));
    ASSERT_TRUE(w.dispatch(QStringLiteral("WNOTEPAD")));
    EXPECT_EQ(launched(), QStringLiteral("0|"));
    EXPECT_EQ(QDir::currentPath(), QDir::cleanPath(tmp_.path()));
    EXPECT_TRUE(boxes_.isEmpty());
}

// The report pad as the program installs it. A report only touched since the
// pad opened it (a backup, a sync) holds nothing to lose: "&Kaydet" asks
// nothing and saves. Once a solve rewrote it, "&Kaydet" asks, and Enter (the
// reflex answer) keeps the solve's report: Hayır is the default, and the pad
// keeps its edit.
TEST_F(TextReportProgramTest, EnterAtThePadsChangedOnDiskQuestionKeepsTheRewrittenReport)
{
    STANDARDSHELLWINDOW& w = window();
    ReportPads& pads = installReportPadCommands(w);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const QString report = data(QStringLiteral("BROYLER.TXT"));
    test::writeAll(report, "ilk\r\n");
    G().CREPORTFILE = report;
    choose(w, 3562);  // "Rapor &Editörü"
    PADWIN* pad = pads.activePad();
    ASSERT_NE(pad, nullptr);
    auto type = [pad](const QString& text) {
        QTextCursor c(pad->ODCRICHEDIT->document());
        c.movePosition(QTextCursor::End);
        c.insertText(text);
    };
    auto save = [&pads] { pads.padMenu()->action(5176)->trigger(); };  // "&Kaydet"
    QStringList asked;
    w.qtPort()->setDialogRunner([&asked](QDialog& d) {
        d.open();
        auto* box = qobject_cast<QMessageBox*>(&d);
        if (!box) {
            ADD_FAILURE() << "unexpected " << d.windowTitle().toStdString();
            d.reject();
            return d.result();
        }
        asked << box->windowTitle() + QStringLiteral(": ") + box->text();
        return test::pressEnter(*box);
    });

    test::touchOnly(report);
    type(QStringLiteral("not"));
    save();
    EXPECT_TRUE(asked.isEmpty()) << asked.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(readAll(report), QByteArray("ilk\r\nnot"));
    EXPECT_FALSE(pad->LCHANGE());

    const QByteArray solved("ikinci\r\nTOPLAM\r\n");
    ASSERT_TRUE(writeFileAtomically(report, solved));  // as the solve writes it
    type(QStringLiteral("!"));
    save();
    EXPECT_EQ(asked, QStringList{QStringLiteral("Uyarı...: ") + report
                                 + QStringLiteral(" Dosyası rapor editöründe açıldıktan sonra diskte değiştirilmiş."
                                                  "\n\nÜzerine yazarsanız dosyadaki bu değişiklikler kaybolacak. "
                                                  "Üzerine yazılmasını istiyor musunuz?")});
    EXPECT_EQ(readAll(report), solved);
    EXPECT_TRUE(pad->LCHANGE());
    pad->setLCHANGE(false);
}

}  // namespace
}  // namespace zeva
