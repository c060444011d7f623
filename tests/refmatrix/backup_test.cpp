// Backing up the selected reference table: the copy and its refusals, the
// target dialog with its folder edit, and the command chosen from the menu.
#include "refmatrix/backup.h"

#include "controls/ui/rightsle.h"
#include "core/activeproblem.h"
#include "platform/atomicfile.h"
#include "platform/settingsstore.h"
#include "refmatrix/refcommands.h"
#include "refmatrix/ui/backupdialog.h"
#include "refmatrix/ui/refmatrixopeners.h"
#include "reftestutil.h"
#include "shell/menustate.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"
#include "support/fakeport.h"
#include "support/hangguard.h"
#include "support/programenv.h"
#include "support/tempdir.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace zeva {
namespace {

using test::FakePort;

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class BackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().reset();
        QDir(tmp_.path()).mkpath(QStringLiteral("data"));
        QDir(tmp_.path()).mkpath(QStringLiteral("yedek"));
        G().CDATAPATH = data();
        ASSERT_TRUE(test::writeReference(data() + QStringLiteral("/MATNRC.DBF"), {QStringLiteral("KMO")},
                                         {QStringLiteral("%")}, {{QStringLiteral("ARPA"), QStringLiteral("9"), {"89"}}}));
        // The dry-matter table is on disk in another letter case.
        ASSERT_TRUE(test::writeReference(data() + QStringLiteral("/matkumad.dbf"), {QStringLiteral("KMO")},
                                         {QStringLiteral("%")}, {{QStringLiteral("MISIR"), QStringLiteral("8"), {"87"}}}));
    }
    void TearDown() override
    {
        testhooks::clearAtomicWriteFault();
        G().reset();
    }
    QString data() const { return tmp_.file(QStringLiteral("data")); }
    QString backup() const { return tmp_.file(QStringLiteral("yedek")); }

    test::TempDir tmp_;
};

TEST_F(BackupTest, CopiesTheSelectedTableWhateverItsLetterCase)
{
    for (bool asFed : {true, false}) {
        FakePort port;
        const QString target = backup() + QLatin1Char('/') + backupFileName(asFed);
        RM_YEDEKLE(port, asFed, target);
        EXPECT_EQ(port.log, QStringList{QStringLiteral("status: ") + kBackupDoneText});
        const QString source = data() + (asFed ? QStringLiteral("/MATNRC.DBF") : QStringLiteral("/matkumad.dbf"));
        EXPECT_EQ(bytesOf(target), bytesOf(source));
        EXPECT_FALSE(bytesOf(target).isEmpty());
    }
    EXPECT_EQ(QDir(backup()).entryList(QDir::Files), (QStringList{"Matkumad.Dbf", "Matnrc.Dbf"}));
}

TEST_F(BackupTest, NeverWritesOverTheDataFoldersTables)
{
    ASSERT_TRUE(QFile::link(data(), tmp_.file(QStringLiteral("veri"))));
    const QByteArray before = bytesOf(data() + QStringLiteral("/MATNRC.DBF"));
    const QStringList targets{
        data() + QStringLiteral("/Matnrc.Dbf"),            // the source in another letter case
        data() + QStringLiteral("/Matkumad.Dbf"),          // the other table
        tmp_.file(QStringLiteral("veri/Matnrc.Dbf")),      // through a link to the data folder
        data() + QStringLiteral("/../data/MATNRC.DBF"),    // a relative segment
    };
    for (const QString& target : targets) {
        FakePort port;
        RM_YEDEKLE(port, true, target);
        EXPECT_EQ(port.log, QStringList{QStringLiteral("status: ") + kBackupSameText}) << target.toStdString();
    }
    EXPECT_EQ(bytesOf(data() + QStringLiteral("/MATNRC.DBF")), before);
    EXPECT_EQ(QDir(data()).entryList(QDir::Files).size(), 2);
}

// A pipe or a device (a link to /dev/zero) in the table's place: the backup
// says why it failed, at once, and writes nothing.
TEST_F(BackupTest, APipeOrADeviceAtTheTableIsNotCopied)
{
    const QString table = data() + QStringLiteral("/MATNRC.DBF");
    const QString target = backup() + QStringLiteral("/Matnrc.Dbf");
    for (const bool pipe : {true, false}) {
        SCOPED_TRACE(pipe ? "pipe" : "device");
        ASSERT_TRUE(QFile::remove(table));
        const QByteArray name = QFile::encodeName(table);
        ASSERT_EQ(pipe ? ::mkfifo(name.constData(), 0644) : ::symlink("/dev/zero", name.constData()), 0);
        FakePort port;
        test::PipeGuard guard({table});
        ASSERT_TRUE(test::returnsPromptly([&] { RM_YEDEKLE(port, true, target); }, "backup"));
        EXPECT_FALSE(guard.hung()) << "the backup waited on the pipe";
        ASSERT_EQ(port.boxes.size(), 1);
        EXPECT_EQ(port.boxes.at(0).text,
                  kBackupFailedText + QStringLiteral("\r\r") + table + QStringLiteral(" normal bir dosya değil..."));
        EXPECT_FALSE(QFile::exists(target));
    }
}

TEST_F(BackupTest, RefusesTargetsItCannotUse)
{
    writeBytes(tmp_.file(QStringLiteral("dosya")), "x");
    const QString folderNamedLikeTheFile = backup() + QStringLiteral("/Matnrc.Dbf");
    ASSERT_TRUE(QDir().mkpath(folderNamedLikeTheFile));
    struct Case {
        QString target;
        QStringList log;
    };
    const QString noFolder = tmp_.file(QStringLiteral("yok"));
    const QString notAFolder = tmp_.file(QStringLiteral("dosya"));
    const Case cases[] = {
        {QString(), {}},
        {QStringLiteral("yedek/Matnrc.Dbf"), {}},  // not an absolute path: ignored
        {noFolder + QStringLiteral("/Matnrc.Dbf"),
         {QStringLiteral("box 16 Hata...: ") + noFolder
          + QStringLiteral(": klasörü yok veya yazılamıyor!\r\rHazırlayıp tekrar deneyiniz.")}},
        {notAFolder + QStringLiteral("/Matnrc.Dbf"),
         {QStringLiteral("box 16 Hata...: ") + notAFolder
          + QStringLiteral(": klasörü yok veya yazılamıyor!\r\rHazırlayıp tekrar deneyiniz.")}},
        // A folder: refused at once, before any question (none is scripted).
        {backup(),
         {QStringLiteral("box 16 Hata...: ") + backup()
          + QStringLiteral(" bir klasör, dosya değil!\r\rYedek dosyasının adını da yazınız: ") + backup()
          + QStringLiteral("/Matnrc.Dbf")}},
        {folderNamedLikeTheFile,
         {QStringLiteral("box 16 Hata...: ") + folderNamedLikeTheFile
          + QStringLiteral(" bir klasör, dosya değil!\r\rYedek dosyasının adını da yazınız: ")
          + folderNamedLikeTheFile + QStringLiteral("/Matnrc.Dbf")}},
        {data(),
         {QStringLiteral("box 16 Hata...: ") + data()
          + QStringLiteral(" bir klasör, dosya değil!\r\rYedek dosyasının adını da yazınız: ") + data()
          + QStringLiteral("/Matnrc.Dbf")}},
    };
    for (const Case& c : cases) {
        FakePort port;
        RM_YEDEKLE(port, true, c.target);
        EXPECT_EQ(port.log, c.log) << c.target.toStdString();
        for (const auto& box : port.boxes)
            EXPECT_FALSE(box.owned);
    }
    EXPECT_TRUE(QDir(backup()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(folderNamedLikeTheFile).isEmpty());
    EXPECT_EQ(QDir(data()).entryList(QDir::Files).size(), 2);
    ASSERT_TRUE(QDir(folderNamedLikeTheFile).removeRecursively());

    // No table to copy.
    QFile::remove(data() + QStringLiteral("/MATNRC.DBF"));
    FakePort port;
    RM_YEDEKLE(port, true, backup() + QStringLiteral("/Matnrc.Dbf"));
    EXPECT_EQ(port.log, QStringList{QStringLiteral("status: ") + kBackupNoSourceText});
}

TEST_F(BackupTest, AnExistingBackupIsReplacedOnlyAfterYesAndNeverHalfWay)
{
    const QString target = backup() + QStringLiteral("/Matnrc.Dbf");
    writeBytes(target, "eski yedek");
    const QString question = QStringLiteral("box 20 Uyarı...: ") + target
        + QStringLiteral(" Dosyası mevcut!\n\nÜzerine yazılsın mı?");

    FakePort no;
    no.replies = {REPLY_NO};
    RM_YEDEKLE(no, true, target);
    EXPECT_EQ(no.log, QStringList{question});
    EXPECT_EQ(bytesOf(target), QByteArray("eski yedek"));

    for (auto fault : {testhooks::WriteFault::Write, testhooks::WriteFault::Rename}) {
        testhooks::failAtomicWrite(fault);
        FakePort failing;
        failing.replies = {REPLY_YES};
        RM_YEDEKLE(failing, true, target);
        ASSERT_EQ(failing.boxes.size(), 2);
        EXPECT_EQ(failing.boxes.at(1).type, BOX_ERROR);
        EXPECT_TRUE(failing.boxes.at(1).text.startsWith(kBackupFailedText));
        EXPECT_TRUE(failing.logLines(QStringLiteral("status")).isEmpty());
        EXPECT_EQ(bytesOf(target), QByteArray("eski yedek"));
    }
    EXPECT_EQ(QDir(backup()).entryList(QDir::Files), QStringList{"Matnrc.Dbf"});

    FakePort yes;
    yes.replies = {REPLY_YES};
    RM_YEDEKLE(yes, true, target);
    EXPECT_EQ(yes.log, (QStringList{question, QStringLiteral("status: ") + kBackupDoneText}));
    EXPECT_EQ(bytesOf(target), bytesOf(data() + QStringLiteral("/MATNRC.DBF")));
}

class FolderChooser : public FileChooser {
public:
    QString folder;
    QString caption;
    QString openFileName(QWidget*, const QString&, const QStringList&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QStringList&) override { return {}; }
    QString folderName(QWidget*, const QString& c) override
    {
        caption = c;
        return folder;
    }
};

TEST(BackupDialog, TheFolderEditGivesTheFolderAndTheBackupName)
{
    FolderChooser chooser;
    for (const char* folder : {"/tmp/yedek", "/"}) {
        VQFOLDERDIALOGWINDOW d(nullptr, QStringLiteral("Matnrc.Dbf"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("RM Dosyası (dBF) Yedekle "));
        EXPECT_TRUE(d.SLEYEDDIZ->TEXTVALUE().isEmpty());
        EXPECT_NE(d.SLEYEDDIZ->attachedButton(), nullptr);
        chooser.folder = QString::fromUtf8(folder);
        d.SLEYEDDIZ->setFileChooser(&chooser);
        d.SLEYEDDIZ->MOUSEBUTTONDOUBLECLICK();
        EXPECT_EQ(chooser.caption, QStringLiteral("RM Dosyasını Yedeklemek İstediğiniz Dizini Seçiniz:"));
        d.pbTamam->click();
        EXPECT_EQ(d.result(), 1);
        EXPECT_EQ(d.SFFTXTVAL, QString::fromUtf8(folder) == QLatin1String("/") ? QStringLiteral("/Matnrc.Dbf")
                                                                                 : QStringLiteral("/tmp/yedek/Matnrc.Dbf"));
    }
    VQFOLDERDIALOGWINDOW d(nullptr, QStringLiteral("Matkumad.Dbf"));
    d.SLEYEDDIZ->setText(QStringLiteral("/tmp/x/Matkumad.Dbf"));
    d.pbIptal->click();
    EXPECT_EQ(d.result(), 0);
    EXPECT_TRUE(d.SFFTXTVAL.isEmpty());
}

class BackupProgramTest : public BackupTest {
protected:
    void TearDown() override
    {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        BackupTest::TearDown();
    }
    // Set up before the tables are (BackupTest::SetUp names the data folder).
    test::ProgramEnvironment env_;
    std::unique_ptr<STANDARDSHELLWINDOW> window_;
};

TEST_F(BackupProgramTest, FromTheMenuTheSelectedTableIsCopied)
{
    window_ = std::make_unique<STANDARDSHELLWINDOW>();
    STANDARDSHELLWINDOW& w = *window_;
    installReferenceMatrixCommands(w);
    QStringList titles;
    w.setDialogRunner([&](QDialog& d) {
        titles << d.windowTitle();
        auto* dlg = qobject_cast<VQFOLDERDIALOGWINDOW*>(&d);
        EXPECT_NE(dlg, nullptr);
        if (!dlg)
            return 0;
        d.open();
        dlg->SLEYEDDIZ->setText(backup() + QLatin1Char('/') + dlg->SLEYEDDIZ->SDBFNAME);
        dlg->pbTamam->click();
        return d.result();
    });
    for (int item : {ITEM_RMSEC_KME, ITEM_RMSEC_HK}) {
        w.mainMenu()->action(item)->trigger();
        QAction* a = w.mainMenu()->action(3575);
        ASSERT_TRUE(a && a->isEnabled());
        a->trigger();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(titles.size(), 2);
    EXPECT_EQ(bytesOf(backup() + QStringLiteral("/Matkumad.Dbf")), bytesOf(data() + QStringLiteral("/matkumad.dbf")));
    EXPECT_EQ(bytesOf(backup() + QStringLiteral("/Matnrc.Dbf")), bytesOf(data() + QStringLiteral("/MATNRC.DBF")));
}

}  // namespace
}  // namespace zeva
