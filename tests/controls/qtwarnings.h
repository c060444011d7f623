#pragma once
// Fails the test when Qt warns while the guard lives (the offscreen
// platform's notes about raising and grabbing popups aside).
#include <QStringList>
#include <QtGlobal>

#include <gtest/gtest.h>

namespace zeva::test {

class QtWarningCatcher {
public:
    QtWarningCatcher()
    {
        messages().clear();
        previous_ = qInstallMessageHandler(&QtWarningCatcher::record);
    }
    ~QtWarningCatcher()
    {
        qInstallMessageHandler(previous_);
        EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
        messages().clear();
    }
    QtWarningCatcher(const QtWarningCatcher&) = delete;
    QtWarningCatcher& operator=(const QtWarningCatcher&) = delete;

private:
    static QStringList& messages()
    {
        static QStringList list;
        return list;
    }
    static void record(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type == QtDebugMsg || type == QtInfoMsg)
            return;
        if (text.contains(QLatin1String("This plugin does not support")))
            return;
        messages().append(text);
    }

    QtMessageHandler previous_ = nullptr;
};

}  // namespace zeva::test
