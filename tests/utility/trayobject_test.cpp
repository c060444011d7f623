#include "utility/ui/trayobject.h"

#include <QPixmap>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

namespace zeva {
namespace {

class RecordingTray : public TrayBackend {
public:
    struct Call {
        Operation op;
        NotifyRecord record;
    };
    QList<Call> calls;
    bool refuseAdd = false;
    bool notify(Operation op, const NotifyRecord& record) override
    {
        calls.append({op, record});
        return !(op == Add && refuseAdd);
    }
};

QIcon redIcon()
{
    QPixmap p(16, 16);
    p.fill(Qt::red);
    return QIcon(p);
}

TEST(TrayObject, TheFirstAddCarriesTheWindowsIconCaptionAndMessage)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Yem Formülü"));
    window.setWindowIcon(redIcon());
    auto tray = std::make_shared<RecordingTray>();
    QEBTRAYOBJECT icon(&window, {}, {}, {}, tray);
    EXPECT_TRUE(tray->calls.isEmpty()) << "nothing is shown before SHOW";
    icon.SHOW();
    icon.SHOW();
    ASSERT_EQ(tray->calls.size(), 2);
    EXPECT_EQ(tray->calls[0].op, TrayBackend::Add);
    EXPECT_EQ(tray->calls[1].op, TrayBackend::Modify);
    const NotifyRecord& r = tray->calls[0].record;
    EXPECT_EQ(r.cbSize, 504u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.hWnd, &window);
    EXPECT_EQ(r.uCallbackMessage, 32770u);
    EXPECT_EQ(r.szTip, QStringLiteral("Yem Formülü"));
    EXPECT_FALSE(r.hIcon.isNull());
    EXPECT_TRUE(icon.ISVISIBLE());

    icon.HIDE();
    icon.HIDE();
    EXPECT_EQ(tray->calls.size(), 3);
    EXPECT_EQ(tray->calls[2].op, TrayBackend::Delete);
}

TEST(TrayObject, PropertiesUpdateAShownIcon)
{
    QWidget window;
    auto tray = std::make_shared<RecordingTray>();
    QEBTRAYOBJECT icon(&window, QVariant(redIcon()), QStringLiteral("ilk"), 40000, tray);
    EXPECT_EQ(icon.MESSAGE(), 40000u);
    icon.SHOW();
    const QString longTip(100, QLatin1Char('x'));
    icon.setTOOLTIP(longTip);
    EXPECT_EQ(icon.TOOLTIP().toString(), longTip);
    EXPECT_EQ(tray->calls.back().record.szTip.size(), 63);
    icon.setTOOLTIP(12);
    EXPECT_EQ(tray->calls.back().op, TrayBackend::Modify);
    EXPECT_EQ(tray->calls.back().record.uFlags & NotifyRecord::NIF_TIP, 0u);
    EXPECT_FALSE(icon.TOOLTIP().isValid());
    EXPECT_EQ(icon.setMESSAGE(QStringLiteral("text")), 32770u);
    QObject notAWindow;
    icon.setWINDOW(&notAWindow);
    EXPECT_EQ(tray->calls.back().op, TrayBackend::Delete);
    EXPECT_FALSE(icon.ISVISIBLE());
    EXPECT_EQ(icon.WINDOW(), nullptr);
}

TEST(TrayObject, ARefusedAddLeavesItHiddenAndDestroyEndsEverything)
{
    QWidget window;
    auto tray = std::make_shared<RecordingTray>();
    tray->refuseAdd = true;
    QEBTRAYOBJECT icon(&window, {}, {}, {}, tray);
    icon.SHOW();
    EXPECT_FALSE(icon.ISVISIBLE());
    tray->refuseAdd = false;
    icon.SHOW();
    EXPECT_EQ(tray->calls.back().op, TrayBackend::Add) << "the next SHOW adds again";
    EXPECT_TRUE(icon.ISVISIBLE());
    icon.DESTROY();
    const qsizetype sent = tray->calls.size();
    icon.SHOW();
    icon.setTOOLTIP(QStringLiteral("x"));
    icon.HIDE();
    icon.DESTROY();
    EXPECT_EQ(tray->calls.size(), sent);

    QEBTRAYOBJECT none(nullptr, {}, {}, {}, tray);
    EXPECT_EQ(none.MESSAGE(), 0u);
    EXPECT_EQ(none.WINDOW(), nullptr);
}

// The desktop's backend, with its answers written down.
class AnsweringTray : public TrayBackend {
public:
    QList<std::pair<Operation, bool>> answers;
    bool notify(Operation op, const NotifyRecord& record) override
    {
        answers.append({op, desktop.notify(op, record)});
        return answers.back().second;
    }

private:
    QtTrayBackend desktop;
};

TEST(TrayObject, WithoutANotificationAreaTheIconStaysHidden)
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        GTEST_SKIP() << "this desktop has a notification area";
    QWidget window;
    window.setWindowTitle(QStringLiteral("ZEVA"));
    auto tray = std::make_shared<AnsweringTray>();
    QEBTRAYOBJECT icon(&window, {}, {}, {}, tray);
    icon.SHOW();
    EXPECT_FALSE(icon.ISVISIBLE());
    icon.setTOOLTIP(QStringLiteral("Yem"));
    icon.SHOW();
    icon.HIDE();
    using Answer = std::pair<TrayBackend::Operation, bool>;
    EXPECT_EQ(tray->answers, (QList<Answer>{{TrayBackend::Add, false}, {TrayBackend::Add, false}}))
        << "every SHOW asks to add, is refused, and nothing is changed or removed";
    EXPECT_FALSE(icon.ISVISIBLE());

    QtTrayBackend desktop;
    NotifyRecord record;
    record.hWnd = &window;
    EXPECT_FALSE(desktop.notify(TrayBackend::Modify, record)) << "nothing to change";
    EXPECT_FALSE(desktop.notify(TrayBackend::Delete, record)) << "nothing to remove";

    EXPECT_EQ(QtTrayBackend::mouseMessageFor(QSystemTrayIcon::Trigger), 0x202u);
    EXPECT_EQ(QtTrayBackend::mouseMessageFor(QSystemTrayIcon::DoubleClick), 0x203u);
    EXPECT_EQ(QtTrayBackend::mouseMessageFor(QSystemTrayIcon::Context), 0x205u);
}

}  // namespace
}  // namespace zeva
