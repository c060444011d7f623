#include "gridtestutil.h"

namespace zeva::test {

namespace {

QStringList& captured()
{
    static QStringList list;
    return list;
}

void handler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    if (text.contains(QLatin1String("This plugin does not support")))
        return;  // offscreen platform
    captured().append(QStringLiteral("%1: %2")
                          .arg(QLatin1String(context.category ? context.category : "default"),
                               text));
}

}  // namespace

QtWarningGuard::QtWarningGuard()
{
    captured().clear();
    previous_ = qInstallMessageHandler(handler);
}

QtWarningGuard::~QtWarningGuard()
{
    qInstallMessageHandler(previous_);
    EXPECT_TRUE(captured().isEmpty()) << captured().join(QLatin1Char('\n')).toStdString();
    captured().clear();
}

QStringList QtWarningGuard::warnings() const
{
    return captured();
}

}  // namespace zeva::test
