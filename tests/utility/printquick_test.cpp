#include "utility/printquick.h"

#include "platform/settingsstore.h"
#include "support/envguard.h"
#include "support/tempdir.h"
#include "support/files.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace zeva;

namespace {

using test::readAll;

QByteArray bufferOf(const PRINTQUICK& p)
{
    return readAll(p.bufferPath());
}

// Every job runs in a temporary folder of its own, with an empty settings store.
class PrintQuickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.valid());
        oldStore_ = setSettingsStore(store_);
    }
    void TearDown() override { setSettingsStore(oldStore_); }

    QStringList buffersLeft() const
    {
        return QDir(tmp_.path()).entryList({QStringLiteral("Printer.Buf*")}, QDir::Files | QDir::System);
    }

    test::TempDir tmp_;
    test::TempDir out_;
    test::EnvGuard tmpGuard_{"TMPDIR", nullptr};
    std::shared_ptr<MemorySettingsStore> store_ = std::make_shared<MemorySettingsStore>();
    std::shared_ptr<SettingsStore> oldStore_;

public:
    PrintQuickTest() { qputenv("TMPDIR", QFile::encodeName(tmp_.path())); }
};

}  // namespace

TEST_F(PrintQuickTest, WritesTextWithMarginAndControlBytes)
{
    PRINTQUICK p;
    ASSERT_FALSE(p.bufferPath().isEmpty()) << p.lastError().toStdString();
    EXPECT_TRUE(p.bufferPath().startsWith(tmp_.path() + QStringLiteral("/Printer.Buf")));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(p.bufferPath()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    p.QOUT(QStringLiteral("ABC"));
    EXPECT_EQ(bufferOf(p), QByteArray("     ABC\r\n"));
    p.SKIPLINES(3);
    EXPECT_EQ(bufferOf(p), QByteArray("     ABC\r\n     \r\n\r\n\r\n"));
    p.MARGIN(0);
    p.QQOUT(QStringLiteral("Ağırlık"));
    p.RESETPRINTER();
    p.EJECTPAGE(false);
    p.MARGIN(2);
    p.EJECTPAGE();
    p.QQOUT(12.5, true);
    p.QQOUT(QDate(2024, 1, 31));
    p.QQOUT(true);
    EXPECT_EQ(bufferOf(p), QByteArray("     ABC\r\n     \r\n\r\n\r\n"
                                      "A\xF0\xFDrl\xFDk\x1b" "E\f\f\r  12.5\r\n  31.01.2024  .T."));
    EXPECT_EQ(p.lastError(), QString());
}

TEST_F(PrintQuickTest, LongTextIsWrittenWhole)
{
    PRINTQUICK p;
    p.MARGIN(0);
    const QString big(70000, QLatin1Char('x'));
    p.QQOUT(big);
    EXPECT_EQ(bufferOf(p).size(), 70000);
}

TEST_F(PrintQuickTest, PrintToAFileSendsTheBufferAndRemovesIt)
{
    const QString target = out_.file(QStringLiteral("printer.out"));
    {
        PRINTQUICK p;
        p.QOUT(QStringLiteral("ABC"));
        p.PRINTIT(target);
        EXPECT_EQ(readAll(target), QByteArray("     ABC\r\n\f\r"));
        EXPECT_EQ(p.bufferPath(), QString());
        EXPECT_TRUE(buffersLeft().isEmpty());
        // The job has ended: later writes and prints change nothing.
        p.QOUT(QStringLiteral("late"));
        p.PRINTIT(target);
        EXPECT_EQ(readAll(target), QByteArray("     ABC\r\n\f\r"));
        EXPECT_EQ(p.lastError(), QString());
    }
    PRINTQUICK q;
    q.QOUT(QStringLiteral("X"));
    q.PRINTIT(target, false);
    EXPECT_EQ(readAll(target), QByteArray("     X\r\n"));
    EXPECT_TRUE(buffersLeft().isEmpty());
}

TEST_F(PrintQuickTest, DroppedJobLeavesNoBuffer)
{
    {
        PRINTQUICK p;
        p.QOUT(QStringLiteral("never printed"));
        EXPECT_EQ(buffersLeft().size(), 1);
    }
    EXPECT_TRUE(buffersLeft().isEmpty());
}

TEST_F(PrintQuickTest, PlantedBufferNameIsLeftAlone)
{
    const QString victim = out_.file(QStringLiteral("victim"));
    {
        QFile f(victim);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    ASSERT_TRUE(QFile::link(victim, tmp_.file(QStringLiteral("Printer.Buf"))));
    PRINTQUICK p;
    p.QOUT(QStringLiteral("job"));
    p.PRINTIT(out_.file(QStringLiteral("out")));
    EXPECT_EQ(readAll(victim), QByteArray("keep me"));
    EXPECT_EQ(readAll(out_.file(QStringLiteral("out"))), QByteArray("     job\r\n\f\r"));
}

TEST_F(PrintQuickTest, PrintQueueThroughLp)
{
    // A stand-in for lp that notes its arguments and what it was given.
    const QString bin = out_.file(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    {
        QFile script(bin + QStringLiteral("/lp"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args\"\n"
                     "cat > \"$(dirname \"$0\")/data\"\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QByteArray path = QFile::encodeName(bin) + ":/usr/bin:/bin";
    test::EnvGuard pathGuard("PATH", &path);

    PRINTQUICK p;
    p.QOUT(QStringLiteral("ABC"));
    p.PRINTIT(QStringLiteral("lp:Q"));
    EXPECT_EQ(p.lastError(), QString());
    EXPECT_EQ(readAll(bin + QStringLiteral("/args")), QByteArray("-d\nQ\n-o\nraw\n"));
    EXPECT_EQ(readAll(bin + QStringLiteral("/data")), QByteArray("     ABC\r\n\f\r"));
    EXPECT_TRUE(buffersLeft().isEmpty());

    // The old port names go where the settings send them, else to "lp".
    PRINTQUICK q;
    q.QOUT(QStringLiteral("D"));
    q.PRINTIT();
    EXPECT_EQ(readAll(bin + QStringLiteral("/args")), QByteArray("-o\nraw\n"));

    ASSERT_EQ(store_->createKey(HKEY_CURRENT_USER, kPrinterPortsKey), SETTINGS_OK);
    const QString file = out_.file(QStringLiteral("lpt2.out"));
    ASSERT_EQ(store_->setValue(HKEY_CURRENT_USER, kPrinterPortsKey, QStringLiteral("LPT2"), SettingsValue::string(file)),
              SETTINGS_OK);
    EXPECT_EQ(resolvePrinterPort(QStringLiteral("lpt2")), file);
    EXPECT_EQ(resolvePrinterPort(QStringLiteral("PRN")), QStringLiteral("lp"));
    EXPECT_EQ(resolvePrinterPort(QString()), QStringLiteral("lp"));
    EXPECT_EQ(resolvePrinterPort(QStringLiteral("/dev/usb/lp0")), QStringLiteral("/dev/usb/lp0"));
    PRINTQUICK r;
    r.QOUT(QStringLiteral("E"));
    r.PRINTIT(QStringLiteral("LPT2"), false);
    EXPECT_EQ(readAll(file), QByteArray("     E\r\n"));
}

TEST_F(PrintQuickTest, MissingLpFailsQuietlyAndSaysWhy)
{
    const QByteArray path = QFile::encodeName(out_.path());  // no lp there
    test::EnvGuard pathGuard("PATH", &path);
    PRINTQUICK p;
    p.QOUT(QStringLiteral("ABC"));
    p.PRINTIT();
    EXPECT_TRUE(p.lastError().startsWith(QStringLiteral("lp: "))) << p.lastError().toStdString();
    EXPECT_TRUE(buffersLeft().isEmpty());
}

TEST_F(PrintQuickTest, UnwritablePortFailsQuietly)
{
    PRINTQUICK p;
    p.QOUT(QStringLiteral("ABC"));
    p.PRINTIT(out_.file(QStringLiteral("no/such/folder/out")));
    EXPECT_FALSE(p.lastError().isEmpty());
    EXPECT_TRUE(buffersLeft().isEmpty());
}
