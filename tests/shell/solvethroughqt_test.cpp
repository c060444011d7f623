// A solve run through the Qt user port: the please-wait box goes before the
// parameter dialog, the dialog is answered on screen, and the report is
// written.
#include "core/activeproblem.h"
#include "core/messages.h"
#include "core/optimizer.h"
#include "core/problemfile.h"
#include "core/ui/paramdialogs.h"
#include "platform/ui/controls.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/smallforms.h"

#include "core/problembuilder.h"
#include "support/tempdir.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <memory>

using namespace zeva;

namespace {

bool anyWaitBoxVisible()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<ACTALERT*>(w) && w->isVisible())
            return true;
    return false;
}

}  // namespace

TEST(SolveThroughQt, ReportWrittenAndNoPleaseWaitBoxLeft)
{
    test::TempDir tmp;
    const std::nullopt_t none = std::nullopt;
    test::ProblemBuilder()
        .feed("ARPA", 9)
        .feed("MISIR", 10.5)
        .feed("SOYA KÜSPESİ 48", 21.5)
        .nutrient("AGIRLIK", 1, none, none, {1, 1, 1}, "Kg/Kg")
        .nutrient("HP", none, 18, none, {11.5, 8.5, 48.5})
        .apply();
    G().OPROBSERVER = std::make_shared<ProblemServer>(tmp.file(QStringLiteral("KARMA.ZVF")), newProblemTable(1));
    G().CREPORTFILE.clear();

    QWidget owner;
    QtUserPort port(&owner);
    port.setToneWait(false);
    int dialogs = 0;
    bool waitBoxDuringDialog = true;
    port.setDialogRunner([&](QDialog& d) {
        ++dialogs;
        d.open();
        waitBoxDuringDialog = anyWaitBoxVisible();
        auto* dlg = qobject_cast<KYPARMGIR_WIN*>(&d);
        if (!dlg) {
            ADD_FAILURE() << "unexpected dialog " << d.windowTitle().toStdString();
            d.reject();
            return d.result();
        }
        EXPECT_EQ(dlg->MIXCAPA->text(), QStringLiteral("1000.00"));
        dlg->pbTamam->click();
        return d.result();
    });

    AALERT(port);  // as the solve command does
    ASSERT_TRUE(anyWaitBoxVisible());
    KY_OPTIMIZER opt(port);
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(waitBoxDuringDialog);
    EXPECT_TRUE(opt.RESULT());
    EXPECT_FALSE(anyWaitBoxVisible());
    EXPECT_EQ(port.OALERTWIN(), nullptr);

    const QString report = tmp.file(QStringLiteral("KARMA.TXT"));
    EXPECT_EQ(G().CREPORTFILE, report);
    QFile f(report);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("Optimum \xC7\xF6z\xFCm Bulundu."));
    EXPECT_EQ(opt.AKMM_DATA.size(), 2);
    opt.DESTROY_OLDS();
    G().reset();
    G().CREPORTFILE.clear();
}
