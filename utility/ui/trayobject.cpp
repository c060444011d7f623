#include "utility/ui/trayobject.h"

#include "platform/runtime.h"
#include "platform/windowmessage.h"

#include <QCoreApplication>
#include <QSystemTrayIcon>

namespace zeva {

QtTrayBackend::QtTrayBackend() = default;
QtTrayBackend::~QtTrayBackend() = default;

quint32 QtTrayBackend::mouseMessageFor(int activationReason)
{
    switch (activationReason) {
    case QSystemTrayIcon::DoubleClick:
        return wm::LButtonDblClk;
    case QSystemTrayIcon::Context:
        return wm::RButtonUp;
    default:
        return wm::LButtonUp;
    }
}

bool QtTrayBackend::notify(Operation operation, const NotifyRecord& record)
{
    if (operation == Delete) {
        if (!icon_)
            return false;
        icon_.reset();
        return true;
    }
    if (operation == Add) {
        if (icon_ || !QSystemTrayIcon::isSystemTrayAvailable())
            return false;
        icon_ = std::make_unique<QSystemTrayIcon>();
        QObject::connect(icon_.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason r) {
            if (record_.hWnd && record_.uCallbackMessage != 0)
                QCoreApplication::postEvent(record_.hWnd, new WindowMessageEvent(record_.uCallbackMessage,
                                                                                 record_.uID, mouseMessageFor(r)));
        });
    } else if (!icon_) {
        return false;
    }
    record_ = record;
    if (record.uFlags & NotifyRecord::NIF_ICON)
        icon_->setIcon(record.hIcon);
    icon_->setToolTip((record.uFlags & NotifyRecord::NIF_TIP) ? record.szTip : QString());
    icon_->show();
    return true;
}

QEBTRAYOBJECT::QEBTRAYOBJECT(QObject* window, const QVariant& icon, const QVariant& tooltip,
                             const QVariant& message, std::shared_ptr<TrayBackend> backend)
    : backend_(backend ? std::move(backend) : std::make_shared<QtTrayBackend>())
{
    auto* w = qobject_cast<QWidget*>(window);
    if (!w)
        return;
    setWINDOW(w);
    setICON(icon.canConvert<QIcon>() && icon.typeId() == QMetaType::QIcon ? icon : QVariant(w->windowIcon()));
    setTOOLTIP(tooltip.typeId() == QMetaType::QString ? tooltip : QVariant(w->windowTitle()));
    setMESSAGE(isNumberValue(message) ? message : QVariant(wm::TrayCallback));
}

QEBTRAYOBJECT::~QEBTRAYOBJECT() { DESTROY(); }

QWidget* QEBTRAYOBJECT::setWINDOW(QObject* window)
{
    if (destroyed_)
        return nullptr;
    if (auto* w = qobject_cast<QWidget*>(window)) {
        window_ = w;
        record_.hWnd = w;
    } else {
        HIDE();
        window_ = nullptr;
        record_.hWnd = nullptr;
    }
    REFRESH();
    return window_;
}

QVariant QEBTRAYOBJECT::setTOOLTIP(const QVariant& tooltip)
{
    if (destroyed_)
        return {};
    if (tooltip.typeId() == QMetaType::QString) {
        tooltip_ = tooltip;
        record_.uFlags |= NotifyRecord::NIF_TIP;
        record_.szTip = tooltip.toString().left(NotifyRecord::kTipLength);
    } else {
        tooltip_ = QVariant();
        record_.uFlags &= ~NotifyRecord::NIF_TIP;
        record_.szTip.clear();
    }
    REFRESH();
    return tooltip_;
}

quint32 QEBTRAYOBJECT::setMESSAGE(const QVariant& message)
{
    if (destroyed_)
        return 0;
    message_ = isNumberValue(message) ? quint32(message.toLongLong()) : wm::TrayCallback;
    record_.uCallbackMessage = message_;
    REFRESH();
    return message_;
}

QVariant QEBTRAYOBJECT::setICON(const QVariant& icon)
{
    if (destroyed_)
        return {};
    if (icon.typeId() == QMetaType::QIcon) {
        icon_ = icon;
        record_.uFlags |= NotifyRecord::NIF_ICON;
        record_.hIcon = icon.value<QIcon>();
    } else {
        icon_ = QVariant();
        record_.uFlags &= ~NotifyRecord::NIF_ICON;
    }
    REFRESH();
    return icon_;
}

void QEBTRAYOBJECT::DESTROY()
{
    if (destroyed_)
        return;
    HIDE();
    destroyed_ = true;
}

void QEBTRAYOBJECT::HIDE()
{
    if (destroyed_ || !visible_)
        return;
    backend_->notify(TrayBackend::Delete, record_);
    visible_ = false;
}

void QEBTRAYOBJECT::REFRESH()
{
    if (!destroyed_ && visible_)
        SHOW();
}

void QEBTRAYOBJECT::SHOW()
{
    if (destroyed_)
        return;
    if (visible_) {
        backend_->notify(TrayBackend::Modify, record_);
        return;
    }
    // Shown only once the notification area has taken the icon.
    visible_ = backend_->notify(TrayBackend::Add, record_);
}

}  // namespace zeva
