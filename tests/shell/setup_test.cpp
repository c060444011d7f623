// The installation step as the user runs it: zeva-setup makes the data
// directory, seeds it once, keeps the user's files and records "Opath" in the
// settings file that ZEVA_SETTINGS names.
#include "core/activeproblem.h"
#include "core/filecommands.h"
#include "platform/atomicfile.h"
#include "platform/settingsstore.h"
#include "shell/settings.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace zeva {
namespace {

const QStringList kSeeded = {"Data/BROYLER.ZVF", "Data/SUTINEGI.ZVF", "MATKUMAD.DBF", "MATNRC.DBF"};

class SetupTest : public ::testing::Test {
protected:
    struct Run {
        int code = -1;
        QString out;
    };

    Run setup(const QStringList& args, const QString& dataHome = QString())
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ZEVA_SETTINGS", settings());
        env.insert("XDG_DATA_HOME", dataHome.isNull() ? tmp_.file("xdg") : dataHome);
        env.insert("HOME", tmp_.file("ev"));
        p.setWorkingDirectory(tmp_.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ZEVA_BIN_DIR "/zeva-setup"), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError())};
    }
    QString settings() const { return tmp_.file("ayarlar/zeva.ini"); }
    QString recorded()
    {
        FileSettingsStore store(settings());
        quint32 type = 0;
        SettingsValue value;
        if (store.queryValue(HKEY_LOCAL_MACHINE, kSettingsKey, kOptPath, 2048, &type, &value) != SETTINGS_OK)
            return QString();
        return value.text;
    }
    static QStringList files(const QString& dir)
    {
        QStringList out;
        for (const QString& f : QDir(dir).entryList(QDir::Files))
            out << f;
        for (const QString& f : QDir(dir + "/Data").entryList(QDir::Files))
            out << "Data/" + f;
        out.sort();
        return out;
    }
    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    test::TempDir tmp_;
};

TEST_F(SetupTest, MakesSeedsAndRecordsTheDataDirectory)
{
    EXPECT_EQ(setup({"--check"}).code, 1) << "nothing recorded yet";

    const QString dir = tmp_.file("veri");
    const Run first = setup({dir});
    ASSERT_EQ(first.code, 0) << first.out.toStdString();
    EXPECT_EQ(recorded(), dir);
    EXPECT_EQ(files(dir), kSeeded);
    for (const QString& f : kSeeded) {  // the user's own files, to save into
        EXPECT_TRUE(QFile::permissions(dir + "/" + f) & QFile::WriteOwner) << f.toStdString();
        EXPECT_FALSE(writeProtected(dir + "/" + f)) << f.toStdString();
    }
    {
        // The example opens as a compound-feed problem.
        test::FakePort port;
        FileCommands files(port);
        ASSERT_TRUE(files.DOOPENFILE(dir + "/Data/BROYLER.ZVF"));
        EXPECT_EQ(G().APARAMS.value(0), QStringLiteral("K"));
        EXPECT_GE(G().AYMNAMES.size(), 2);
        EXPECT_GE(G().ABMNAMES.size(), 2);
        files.FILECLOSE();
        G().reset();
    }

    const Run check = setup({"--check"});
    EXPECT_EQ(check.code, 0);
    EXPECT_EQ(check.out.trimmed(), dir);

    // A second run keeps every file, the user's changes included, and puts
    // back only what is missing.
    QFile own(dir + "/Data/BROYLER.ZVF");
    ASSERT_TRUE(own.open(QIODevice::Append));
    own.write("kullanıcının");
    own.close();
    const QByteArray changed = bytes(dir + "/Data/BROYLER.ZVF");
    const QByteArray table = bytes(dir + "/MATNRC.DBF");
    ASSERT_TRUE(QFile::remove(dir + "/MATKUMAD.DBF"));
    QFile lower(dir + "/Data/sutinegi.zvf");
    ASSERT_TRUE(QFile::rename(dir + "/Data/SUTINEGI.ZVF", lower.fileName()));
    const Run second = setup({dir});
    ASSERT_EQ(second.code, 0) << second.out.toStdString();
    EXPECT_EQ(bytes(dir + "/Data/BROYLER.ZVF"), changed);
    EXPECT_EQ(bytes(dir + "/MATNRC.DBF"), table);
    EXPECT_EQ(files(dir), (QStringList{"Data/BROYLER.ZVF", "Data/sutinegi.zvf", "MATKUMAD.DBF", "MATNRC.DBF"}));
    EXPECT_TRUE(QDir(dir).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot).size() == 3)
        << "no work folder left behind";
}

TEST_F(SetupTest, DefaultFolderAndRefusals)
{
    const Run run = setup({});
    ASSERT_EQ(run.code, 0) << run.out.toStdString();
    EXPECT_EQ(recorded(), tmp_.file("xdg/zeva"));
    EXPECT_EQ(files(tmp_.file("xdg/zeva")), kSeeded);

    // A file where the folder should be: refused, the record unchanged.
    QFile file(tmp_.file("dosya"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const Run refused = setup({tmp_.file("dosya")});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.out.contains("bir klasör değil")) << refused.out.toStdString();
    EXPECT_EQ(recorded(), tmp_.file("xdg/zeva"));
    EXPECT_EQ(setup({"--yanlis"}).code, 2);
}

// ZEVA_SETTINGS names a pipe or a device: the step ends at once saying why,
// as --check does, and what stands at the name is left as it was.
TEST_F(SetupTest, ASettingsNameThatIsNoFileIsRefused)
{
    ASSERT_TRUE(QDir().mkpath(tmp_.file("ayarlar")));
    const QByteArray name = QFile::encodeName(settings());
    for (const bool pipe : {true, false}) {
        SCOPED_TRACE(pipe ? "pipe" : "device");
        QFile::remove(settings());
        ASSERT_EQ(pipe ? ::mkfifo(name.constData(), 0644) : ::symlink("/dev/zero", name.constData()), 0);
        const Run refused = setup({tmp_.file("veri")});
        EXPECT_EQ(refused.code, 1);
        EXPECT_TRUE(refused.out.contains(settings() + " normal bir dosya değil...")) << refused.out.toStdString();
        EXPECT_EQ(setup({"--check"}).code, 1);
        struct stat st {};
        ASSERT_EQ(::lstat(name.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & S_IFMT, pipe ? S_IFIFO : S_IFLNK);
    }
}

// A relative or empty XDG_DATA_HOME names no folder: the default under the
// home folder is taken, not a folder below wherever setup was started.
TEST_F(SetupTest, RelativeDataHomeIsPassedOver)
{
    for (const QString& dataHome : {QStringLiteral("xdg-goreli"), QStringLiteral("")}) {
        SCOPED_TRACE(dataHome.toStdString());
        const Run run = setup({}, dataHome);
        ASSERT_EQ(run.code, 0) << run.out.toStdString();
        EXPECT_EQ(recorded(), tmp_.file("ev/.local/share/zeva"));
        EXPECT_FALSE(QFileInfo::exists(tmp_.file("xdg-goreli")));
    }
}

}  // namespace
}  // namespace zeva
