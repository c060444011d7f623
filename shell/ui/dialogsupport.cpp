#include "shell/ui/dialogsupport.h"

#include "platform/codec.h"
#include "shell/usertable.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

static void initShellBitmapResources()
{
    Q_INIT_RESOURCE(shellbitmaps);
}

namespace zeva {

int runModal(QDialog& dialog, const DialogRunner& runner)
{
    return runner ? runner(dialog) : dialog.exec();
}

void centreOnScreen(QWidget* window)
{
    QWidget* owner = window->parentWidget();
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

void initShellBitmaps()
{
    static const bool done = [] {
        initShellBitmapResources();
        return true;
    }();
    Q_UNUSED(done);
}

QValidator::State TurkishUpperValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    if (!cp1254::canEncode(input))
        return Invalid;
    input = turkishUpper(input);
    return Acceptable;
}

}  // namespace zeva
