#include "refmatrix/ui/refmatrixopeners.h"

#include "core/messages.h"
#include "core/ui/windowhelpers.h"
#include "platform/dbf.h"
#include "refmatrix/backup.h"
#include "refmatrix/drymatter.h"
#include "refmatrix/nutrientcolumns.h"
#include "refmatrix/refcommands.h"
#include "refmatrix/refmatrixedit.h"
#include "refmatrix/reftables.h"
#include "refmatrix/ui/addkmmwin.h"
#include "refmatrix/ui/backupdialog.h"
#include "refmatrix/ui/stddatawindow.h"
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

namespace {

// The table of the main menu's selection: the as-fed table while 3567 is
// ticked, else the dry-matter table.
struct SelectedTable {
    QString name;
    bool (*creator)(UserPort&);
    QString caption;
};

SelectedTable selectedTable(STANDARDSHELLWINDOW& w)
{
    if (w.mainMenu() && w.mainMenu()->ISCHECKED(ITEM_RMSEC_HK))
        return {kAsFedTable, &RMAT_CREATE1, QStringLiteral("Havada Kuru Referans Matris Yazımı")};
    return {kDryMatterTable, &RMAT_CREATE2, QStringLiteral("Kuru Madde Esaslı Referans Matris Yazımı")};
}

// The path of the table, made first when it is missing; empty when the
// making failed.
QString ensureTable(STANDARDSHELLWINDOW& w, const SelectedTable& t)
{
    const QString path = referenceTablePath(t.name);
    if (!findExistingPath(path).isEmpty())
        return path;
    return t.creator(w.port()) ? path : QString();
}

}  // namespace

bool RM_BMEKLESIL(STANDARDSHELLWINDOW& w)
{
    const SelectedTable t = selectedTable(w);
    // The window holds its own copy of the table: a new structure under it
    // would be lost or overwritten at its Yes.
    if (ReferenceWindowRegistry::instance().isHeld(referenceTablePath(t.name))) {
        UYARI(w.port(), kReferenceWindowOpen);
        return false;
    }
    const QString path = ensureTable(w, t);
    if (path.isEmpty())
        return false;
    return BM_MAN_WIN(w.port(), findExistingPath(path), t.name);
}

STDDATAWINDOW* RM_YAZIM(STANDARDSHELLWINDOW& w)
{
    const SelectedTable t = selectedTable(w);
    const QString path = ensureTable(w, t);
    if (path.isEmpty())
        return nullptr;
    if (auto* open = qobject_cast<STDDATAWINDOW*>(ReferenceWindowRegistry::instance().holder(path))) {
        // One writer per table: the open window comes forward.
        w.bringChildForward(open);
        return open;
    }
    STDDATAWINDOW* window = STDDATAWINDOW::create(&w, w.port(), path, t.caption);
    if (!window)
        return nullptr;
    w.showChildWindow(window);
    return window;
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
    w.setCommand(QStringLiteral("RM_YAZIM"), [&w] { RM_YAZIM(w); });
    w.setCommand(QStringLiteral("RM_BMEKLESIL"), [&w] { RM_BMEKLESIL(w); });
    // The formula append writes the dry-matter table: not while a reference
    // matrix window holds it.
    setReferenceTableHeldCheck([](const QString& table) {
        return ReferenceWindowRegistry::instance().isHeld(referenceTablePath(table));
    });
}

}  // namespace zeva
