#pragma once
// One icon with a tooltip in the desktop's notification area on behalf of an
// owner window. Mouse activity over the icon reaches the owner window as its
// callback message (32770 unless told otherwise) with the mouse message in
// lParam. The notification area is reached through a backend: the desktop's
// tray, or a recording one in tests.

#include <QIcon>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <memory>

class QSystemTrayIcon;

namespace zeva {

// What the notification area is told on each add, modify and delete.
struct NotifyRecord {
    static constexpr quint32 NIF_MESSAGE = 1;
    static constexpr quint32 NIF_ICON = 2;
    static constexpr quint32 NIF_TIP = 4;
    static constexpr int kTipLength = 63;

    quint32 cbSize = 504;
    QPointer<QWidget> hWnd;
    quint32 uID = 0;
    quint32 uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    quint32 uCallbackMessage = 0;
    QIcon hIcon;
    QString szTip;
};

class TrayBackend {
public:
    enum Operation { Add = 0, Modify = 1, Delete = 2 };
    virtual ~TrayBackend() = default;
    // TRUE when the notification area took the change.
    virtual bool notify(Operation operation, const NotifyRecord& record) = 0;
};

// The desktop's notification area; an add fails where there is none.
class QtTrayBackend : public TrayBackend {
public:
    QtTrayBackend();
    ~QtTrayBackend() override;
    bool notify(Operation operation, const NotifyRecord& record) override;

    // The mouse message posted for an activation (0x202 click, 0x203 double
    // click, 0x205 right button).
    static quint32 mouseMessageFor(int activationReason);

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    NotifyRecord record_;
};

class QEBTRAYOBJECT {
public:
    // Without a window nothing else is taken and the message stays 0; with one,
    // a missing icon or tooltip comes from the window's icon and title.
    explicit QEBTRAYOBJECT(QObject* window = nullptr, const QVariant& icon = {}, const QVariant& tooltip = {},
                           const QVariant& message = {}, std::shared_ptr<TrayBackend> backend = nullptr);
    ~QEBTRAYOBJECT();
    QEBTRAYOBJECT(const QEBTRAYOBJECT&) = delete;
    QEBTRAYOBJECT& operator=(const QEBTRAYOBJECT&) = delete;

    QWidget* WINDOW() const { return window_; }
    QVariant TOOLTIP() const { return tooltip_; }
    bool ISVISIBLE() const { return visible_; }
    QVariant ICON() const { return icon_; }
    quint32 MESSAGE() const { return message_; }
    QWidget* OWNER() const { return WINDOW(); }

    // A value of the wrong kind empties the property (the message goes back to
    // 32770); a shown icon is updated at once.
    QWidget* setWINDOW(QObject* window);
    QVariant setTOOLTIP(const QVariant& tooltip);
    quint32 setMESSAGE(const QVariant& message);
    QVariant setICON(const QVariant& icon);
    QWidget* setOWNER(QObject* window) { return setWINDOW(window); }

    // After DESTROY every member does nothing.
    void DESTROY();
    void HIDE();
    void REFRESH();
    void SHOW();

    const NotifyRecord& record() const { return record_; }

private:
    QPointer<QWidget> window_;
    QVariant icon_;
    QVariant tooltip_;
    NotifyRecord record_;
    bool visible_ = false;
    quint32 message_ = 0;
    bool destroyed_ = false;
    std::shared_ptr<TrayBackend> backend_;
};

}  // namespace zeva
