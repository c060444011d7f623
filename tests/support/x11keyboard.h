#pragma once
// A test on a real X11 keyboard: an X server of its own (Xvfb) with a given
// keyboard layout, in which the same test binary runs the one test again on
// Qt's X11 platform. Keys are then typed with xdotool, so every key event
// comes from the X server as the layout makes it, the way a user's keyboard
// sends it, not as a test would construct it.
//
//   if (!test::X11Keyboard::inside()) {
//       test::X11Keyboard x11;
//       ... x11.runThisTestInside("tr") ...
//       return;
//   }
//   ... the test itself, under X11 ...
//   test::X11Keyboard::type("alt+shift+i");
//
// Where Xvfb, setxkbmap or xdotool is not installed the test skips itself.

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/prctl.h>

namespace zeva::test {

class X11Keyboard {
public:
    X11Keyboard() = default;
    ~X11Keyboard()
    {
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(5000)) {
                server_.kill();
                server_.waitForFinished(5000);
            }
        }
    }
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    // Whether this process is the run inside the X server.
    static bool inside() { return qEnvironmentVariableIsSet("ZEVA_X11_KEYBOARD"); }

    // The programs the test needs that are not installed (empty when all are).
    static QStringList missingPrograms()
    {
        QStringList missing;
        for (const char* program : {"Xvfb", "setxkbmap", "xdotool"})
            if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
                missing << QLatin1String(program);
        return missing;
    }

    // Starts the X server with the keyboard `layout` and runs the current test
    // in it; the test's output comes back in `output`. Empty when the inner
    // run passed, else what went wrong.
    QString runThisTestInside(const QString& layout, QString* output)
    {
        // -displayfd: the server picks a free display and says which; no
        // reset when setxkbmap disconnects, which would bring back the
        // default layout.
        server_.setProgram(QStringLiteral("Xvfb"));
        server_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                              QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
                              QStringLiteral("0"), QStringLiteral("1280x1024x24")});
        server_.setProcessChannelMode(QProcess::SeparateChannels);
        // The server ends with this process, however it ends.
        server_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        server_.start();
        if (!server_.waitForStarted(10000))
            return QStringLiteral("Xvfb does not start");
        QByteArray number;
        while (!number.contains('\n')) {
            if (!server_.waitForReadyRead(10000))
                return QStringLiteral("Xvfb names no display: ") + QString::fromLocal8Bit(server_.readAllStandardError());
            number += server_.readAllStandardOutput();
        }
        const QString display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        QProcess setLayout;
        setLayout.setProcessEnvironment(env);
        setLayout.start(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), layout});
        if (!setLayout.waitForFinished(20000) || setLayout.exitCode() != 0)
            return QStringLiteral("setxkbmap ") + layout + QStringLiteral(" fails: ")
                 + QString::fromLocal8Bit(setLayout.readAllStandardError());

        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("ZEVA_X11_KEYBOARD"), layout);
        QProcess run;
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        run.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--gtest_filter=%1.%2")
                       .arg(QString::fromUtf8(test->test_suite_name()), QString::fromUtf8(test->name()))});
        const bool ended = run.waitForFinished(120000);
        if (output)
            *output = QString::fromLocal8Bit(run.readAll());
        if (!ended) {
            run.kill();
            run.waitForFinished(5000);
            return QStringLiteral("the run under X11 does not end");
        }
        if (run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0)
            return QStringLiteral("the run under X11 fails");
        if (output && !output->contains(QLatin1String("[  PASSED  ] 1 test")))
            return QStringLiteral("the run under X11 did not pass its test");
        return QString();
    }

    // Types keys as xdotool names them ("alt+shift+i", "alt+idotless") into
    // the window that has the keyboard focus. The events arrive in the order
    // typed; a test waits for what they do.
    static bool type(const QString& keys)
    {
        return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}) == 0;
    }

private:
    QProcess server_;
};

}  // namespace zeva::test
