#include "utility/logfile.h"

#include "platform/codec.h"
#include "platform/settingsstore.h"
#include "support/envguard.h"
#include "support/tempdir.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace zeva;

namespace {

using test::readAll;
using test::writeAll;

// The executable sits in <tmp>/app/PROG; settings in memory; debug output caught.
class LogFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(app()));
        testhooks::setExecutablePath(app() + QStringLiteral("/PROG"));
        oldStore_ = setSettingsStore(store_);
        oldSink_ = setDebugOutputSink([this](const QString& t) { debug_ << t; });
    }
    void TearDown() override
    {
        testhooks::setExecutablePath(QString());
        setSettingsStore(oldStore_);
        setDebugOutputSink(oldSink_);
    }
    QString app() const { return tmp_.file(QStringLiteral("app")); }

    test::TempDir tmp_;
    std::shared_ptr<MemorySettingsStore> store_ = std::make_shared<MemorySettingsStore>();
    std::shared_ptr<SettingsStore> oldStore_;
    DebugOutputSink oldSink_;
    QStringList debug_;
};

}  // namespace

TEST_F(LogFileTest, NamesTheLogAfterTheExecutableOrTheGivenName)
{
    writeAll(app() + QStringLiteral("/PROG.log"), "old\r\n");
    LOGFILE log;
    EXPECT_EQ(log.FNAME(), app() + QStringLiteral("/PROG.log"));
    EXPECT_EQ(log.SERVERPATH(), app() + QLatin1Char('/'));
    EXPECT_EQ(log.LOGPATH(), app());
    EXPECT_TRUE(log.APPEND());
    EXPECT_TRUE(log.LOG2FILE());
    EXPECT_TRUE(log.DEBUGMSG(QStringLiteral("Çiğ süt")));
    EXPECT_TRUE(log.DEBUGMSG(QString()));  // an empty message is an empty line
    EXPECT_EQ(readAll(log.FNAME()), QByteArray("old\r\n\xC7i\xF0 s\xFCt\r\n\r\n"));

    const struct {
        QString name;
        QString expected;
    } cases[] = {
        {QStringLiteral("trace.txt"), app() + QStringLiteral("/trace.log")},
        {QStringLiteral("plain"), app() + QStringLiteral("/plain.log")},
        {tmp_.file(QStringLiteral("a.d/prog")), tmp_.file(QStringLiteral("a.d/prog.log"))},
        {tmp_.file(QStringLiteral("a.d/x.y.txt")), tmp_.file(QStringLiteral("a.d/x.y.log"))},
        {QString(), app() + QStringLiteral("/PROG.log")},
    };
    ASSERT_TRUE(QDir().mkpath(tmp_.file(QStringLiteral("a.d"))));
    for (const auto& c : cases) {
        LOGFILE l(c.name);
        EXPECT_EQ(l.FNAME(), c.expected) << c.name.toStdString();
        EXPECT_TRUE(QFile::exists(c.expected)) << c.name.toStdString();
        EXPECT_TRUE(l.LOG2FILE());
    }
    // A name that is not a text counts as absent.
    EXPECT_EQ(LOGFILE(QVariant(5)).FNAME(), app() + QStringLiteral("/PROG.log"));
}

TEST_F(LogFileTest, AppendFalseSavesTheOldLogFirst)
{
    const QString dir = tmp_.file(QStringLiteral("logs"));
    ASSERT_TRUE(QDir().mkpath(dir));
    writeAll(dir + QStringLiteral("/X.log"), "previous run\r\n");
    {
        LOGFILE log(dir + QStringLiteral("/X.txt"), false, false);
        EXPECT_FALSE(log.APPEND());
        EXPECT_EQ(log.BACKUPNAME(), dir + QStringLiteral("/X.bak"));
        EXPECT_EQ(readAll(dir + QStringLiteral("/X.bak")), QByteArray("previous run\r\n"));
        EXPECT_EQ(readAll(dir + QStringLiteral("/X.log")), QByteArray());
        EXPECT_TRUE(log.DEBUGMSG(QStringLiteral("new")));
        EXPECT_EQ(readAll(dir + QStringLiteral("/X.log")), QByteArray("new\r\n"));
    }
    // A backup that cannot be written keeps the old log, which is appended to.
    writeAll(dir + QStringLiteral("/Y.log"), "keep\r\n");
    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/Y.bak")));
    LOGFILE log(dir + QStringLiteral("/Y"), false, false);
    EXPECT_TRUE(log.LOG2FILE());
    log.DEBUGMSG(QStringLiteral("more"));
    EXPECT_EQ(readAll(dir + QStringLiteral("/Y.log")), QByteArray("keep\r\nmore\r\n"));
}

TEST_F(LogFileTest, ServerFolderFromTheSettings)
{
    const QString root = tmp_.file(QStringLiteral("srv/win"));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/System32/LogFiles")));
    const QByteArray rootBytes = QFile::encodeName(root);
    test::EnvGuard systemRoot("SystemRoot", &rootBytes);
    const QByteArray state = QFile::encodeName(tmp_.file(QStringLiteral("state")));
    test::EnvGuard stateGuard("XDG_STATE_HOME", &state);

    // No key: the fallback folder, created; the key is not.
    {
        LOGFILE log(QVariant(), true);
        EXPECT_EQ(log.FNAME(), tmp_.file(QStringLiteral("state/zeva/LogFiles/PROG.log")));
        EXPECT_TRUE(log.LOG2FILE());
        EXPECT_EQ(store_->openKey(HKEY_LOCAL_MACHINE, kServerLogKey), SETTINGS_NOT_FOUND);
    }
    ASSERT_EQ(store_->createKey(HKEY_LOCAL_MACHINE, kServerLogKey), SETTINGS_OK);
    ASSERT_EQ(store_->setValue(HKEY_LOCAL_MACHINE, kServerLogKey, kServerLogValue,
                               SettingsValue::string(QStringLiteral("%systemroot%\\System32\\LogFiles"), REG_EXPAND_SZ)),
              SETTINGS_OK);
    {
        LOGFILE log(QStringLiteral("prog.exe"), true);
        EXPECT_EQ(log.FNAME(), root + QStringLiteral("/System32/LogFiles/prog.log"));
        LOGFILE exe(QVariant(), true);
        EXPECT_EQ(exe.FNAME(), root + QStringLiteral("/System32/LogFiles/PROG.log"));
        EXPECT_TRUE(exe.LOG2FILE());
        // Anything but a logical for the server flag counts as FALSE.
        EXPECT_EQ(LOGFILE(QVariant(), 1).FNAME(), app() + QStringLiteral("/PROG.log"));
    }
    {
        test::EnvGuard noRoot("SystemRoot", nullptr);
        EXPECT_EQ(LOGFILE(QVariant(), true).FNAME(), tmp_.file(QStringLiteral("state/zeva/LogFiles/PROG.log")));
    }
    {
        const QByteArray relative("relative/state");
        test::EnvGuard stateRel("XDG_STATE_HOME", &relative);
        const QByteArray home = QFile::encodeName(tmp_.file(QStringLiteral("home")));
        test::EnvGuard homeGuard("HOME", &home);
        ASSERT_EQ(store_->setValue(HKEY_LOCAL_MACHINE, kServerLogKey, kServerLogValue, SettingsValue::string(QString())),
                  SETTINGS_OK);
        EXPECT_EQ(serverLogFolder(), tmp_.file(QStringLiteral("home/.local/state/zeva/LogFiles")));
        EXPECT_TRUE(QFileInfo(serverLogFolder()).isDir());
    }
}

TEST_F(LogFileTest, UnusableFileFallsBackToTheDebugOutput)
{
    testhooks::setExecutablePath(tmp_.file(QStringLiteral("missing/folder/PROG")));
    LOGFILE log;
    EXPECT_FALSE(log.LOG2FILE());
    EXPECT_TRUE(log.DEBUGMSG(QStringLiteral("to the sink")));
    EXPECT_FALSE(log.DEBUGMSG(QString()));
    EXPECT_EQ(debug_, (QStringList{QStringLiteral("to the sink"), QString()}));

    // A log that goes away later loses the message and says so.
    const QString file = tmp_.file(QStringLiteral("gone.log"));
    log.FNAME(file);
    log.LOG2FILE(true);
    EXPECT_FALSE(log.DEBUGMSG(QStringLiteral("lost")));
    EXPECT_EQ(log.LOG2FILE(QStringLiteral("not a logical")), true);
    EXPECT_EQ(log.FNAME(QVariant(3)), file);
}

TEST_F(LogFileTest, WritersInTwoProcessesNeverSplitALine)
{
    const QString file = tmp_.file(QStringLiteral("shared"));
    LOGFILE(file).DEBUGMSG(QStringLiteral("start"));
    const QString line = QStringLiteral("%1 %2 ") + QString(150, QLatin1Char('x'));
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            LOGFILE log(file);
            bool ok = true;
            for (int i = 0; i < 1000; ++i)
                ok = log.DEBUGMSG(line.arg(c).arg(i)) && ok;
            ::_exit(ok ? 0 : 1);
        }
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    QList<QByteArray> lines = readAll(file + QStringLiteral(".log")).split('\n');
    ASSERT_EQ(lines.takeLast(), QByteArray());
    ASSERT_EQ(lines.size(), 2001);
    EXPECT_EQ(lines[0], QByteArray("start\r"));
    QSet<QString> seen;
    const QRegularExpression whole(QStringLiteral("^([01]) (\\d+) x{150}\r$"));
    for (int i = 1; i < lines.size(); ++i) {
        const auto m = whole.match(QString::fromLatin1(lines[i]));
        ASSERT_TRUE(m.hasMatch()) << lines[i].left(40).constData();
        seen.insert(m.captured(1) + QLatin1Char(' ') + m.captured(2));
    }
    EXPECT_EQ(seen.size(), 2000);
}

TEST_F(LogFileTest, ErrorDump)
{
    LOGFILE log(tmp_.file(QStringLiteral("err")));
    log.LOG2FILE(false);  // the dump goes to the file anyway
    ErrorInfo e;
    e.SUBSYSTEM = QStringLiteral("BASE");
    e.SUBCODE = 1081;
    e.GENCODE = 1;
    e.STACK = QStringLiteral("START (Line: 12)\r\nMAIN (Line: 3)\r\n");
    e.OSCODE = 0;
    e.ARGTYPE = 7;
    e.ARGNUM = 2;
    e.SEVERITY = 2;
    e.CANDEFAULT = false;
    e.DESCRIPTION = QStringLiteral("Yanlış değer");
    e.ARGTYPEREQ = 3;
    log.DUMPERROR(e);
    const QStringList lines = cp1254::decode(readAll(log.FNAME())).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 33);
    EXPECT_EQ(lines[0], QStringLiteral("***********************ERROR********************************"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$")).match(lines[2]).hasMatch())
        << lines[2].toStdString();
    const QStringList expected = {
        QStringLiteral(" "),
        QStringLiteral("Error Object created:"),
        QStringLiteral("--------------------"),
        QStringLiteral("SubSystem       :BASE"),
        QStringLiteral("SubCode         :1081"),
        QStringLiteral("GenCode         :Argument error"),
        QStringLiteral("Stack           :'START (Line: 12)'"),
        QStringLiteral("                :'MAIN (Line: 3)'"),
        QStringLiteral("OsCode          :0"),
        QStringLiteral("ArgType         :STRING"),
        QStringLiteral("FuncPtr         :NIL"),
        QStringLiteral("ArgNum          :2"),
        QStringLiteral("FuncSym         :NIL"),
        QStringLiteral("Severity        :2"),
        QStringLiteral("CanDefault      :.F."),
        QStringLiteral("CanRetry        :NIL"),
        QStringLiteral("CanSubstitute   :NIL"),
        QStringLiteral("Operation       :NIL"),
        QStringLiteral("Description     :Yanlış değer"),
        QStringLiteral("FileName        :NIL"),
        QStringLiteral("Tries           :NIL"),
        QStringLiteral("FileHandle      :NIL"),
        QStringLiteral("SubCodeText     :NIL"),
        QStringLiteral("Arg             :NIL"),
        QStringLiteral("ArgTypeReq      :FLOAT"),
        QStringLiteral("MaxSize         :NIL"),
        QStringLiteral("SubstituteType  :NIL"),
        QStringLiteral("CallFuncSym     :NIL"),
        QStringLiteral("--------------------"),
        QString(),
    };
    EXPECT_EQ(lines.mid(3), expected);

    // A caught exception shows its numbers in hexadecimal; a one-line stack is one line.
    const QString other = tmp_.file(QStringLiteral("exc"));
    LOGFILE exc(other);
    e.SUBCODE = 5333;
    e.OSCODE = qulonglong(0xC0000005u);
    e.ARGTYPE = 0;
    e.FUNCPTR = qulonglong(0x401A2Bu);
    e.FUNCSYM = 255;
    e.STACK = QStringLiteral("ONLY");
    exc.DUMPERROR(e);
    const QStringList x = cp1254::decode(readAll(other + QStringLiteral(".log"))).split(QStringLiteral("\r\n"));
    EXPECT_EQ(x.mid(9, 6), (QStringList{QStringLiteral("Stack           :'ONLY'"),
                                        QStringLiteral("ExceptionCode   :C0000005"),
                                        QStringLiteral("ExceptionFlags  :00000000"),
                                        QStringLiteral("ExceptionAddress:00401A2B"),
                                        QStringLiteral("ParamNumber     :2"),
                                        QStringLiteral("ExceptionInfo   :000000FF")}));
}
