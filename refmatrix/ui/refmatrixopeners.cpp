#include "refmatrix/ui/refmatrixopeners.h"

#include "core/ui/windowhelpers.h"
#include "refmatrix/backup.h"
#include "refmatrix/refcommands.h"
#include "refmatrix/ui/addkmmwin.h"
#include "refmatrix/ui/backupdialog.h"
#include "shell/menustate.h"
#include "shell/ui/dialogsupport.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"

namespace zeva {

void RM_YEDEKLE(STANDARDSHELLWINDOW& w)
{
    const bool asFed = w.mainMenu() && w.mainMenu()->ISCHECKED(ITEM_RMSEC_HK);
    QString target;
    {
        VQFOLDERDIALOGWINDOW dialog(&w, backupFileName(asFed));
        VQMOVEWINDOW(&dialog, 0, 0, 0);
        runModal(dialog, w.dialogRunner());
        target = dialog.SFFTXTVAL;
    }
    RM_YEDEKLE(w.port(), asFed, target);
}

void installReferenceMatrixCommands(STANDARDSHELLWINDOW& w)
{
    using Command = void (*)(UserPort&, const std::function<void()>&);
    const QList<QPair<const char*, Command>> commands = {
        {"AMAT_OLUSTUR", &AMAT_OLUSTUR},
        {"AMAT_YMEKLE", &AMAT_YMEKLE},
        {"AMAT_BMEKLE", &AMAT_BMEKLE},
    };
    for (const auto& entry : commands) {
        const Command command = entry.second;
        w.setCommand(QString::fromLatin1(entry.first), [&w, command] { command(w.port(), [&w] { w.MI_ENADISABLE(); }); });
    }
    w.setCommand(QStringLiteral("RM_YEDEKLE"), [&w] { RM_YEDEKLE(w); });
    w.setCommand(QStringLiteral("BUCOZ_EKLE"), [&w] { BUCOZ_EKLE(w); });
}

}  // namespace zeva
