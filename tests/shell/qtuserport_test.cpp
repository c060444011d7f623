// The Qt user port: every question runs its real dialog, driven by a script
// instead of a modal loop.
#include "core/activeproblem.h"
#include "core/messages.h"
#include "core/paramdialog.h"
#include "core/ui/choicedialogs.h"
#include "core/ui/paramdialogs.h"
#include "platform/runtime.h"
#include "platform/sound/toneplayer.h"
#include "platform/ui/controls.h"
#include "shell/ui/application.h"
#include "shell/ui/newproblemdialog.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/smallforms.h"
#include "support/envguard.h"
#include "support/dialogtexts.h"
#include "support/tempdir.h"
#include "support/typing.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace zeva;
using zeva::test::typeText;

namespace {

using Step = std::function<void(QDialog&)>;

// Answers each dialog the port runs with the next step, then reads its result.
class ScriptedPort : public QtUserPort {
public:
    explicit ScriptedPort(QWidget* owner = nullptr) : QtUserPort(owner)
    {
        setToneWait(false);
        setToneHandler([this](int f, int d) { tones << QStringLiteral("%1 %2").arg(f).arg(d); });
        setDialogRunner([this](QDialog& dlg) {
            dlg.open();
            QApplication::setActiveWindow(&dlg);
            ++shown;
            titles << dlg.windowTitle();
            if (steps.isEmpty()) {
                ADD_FAILURE() << "no step for " << dlg.windowTitle().toStdString();
                dlg.reject();
            } else {
                steps.takeFirst()(dlg);
            }
            EXPECT_FALSE(dlg.isVisible()) << dlg.windowTitle().toStdString();
            return dlg.result();
        });
    }
    QList<Step> steps;
    QStringList titles;
    QStringList tones;
    int shown = 0;
};

Step press(QMessageBox::StandardButton which)
{
    return [which](QDialog& d) {
        auto* box = qobject_cast<QMessageBox*>(&d);
        ASSERT_TRUE(box);
        box->button(which)->click();
    };
}

// The name typed into the file dialog's name field.
void typeFileName(QFileDialog& fd, const QString& path)
{
    auto* edit = fd.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(edit);
    edit->setText(path);
}

bool anyWaitBoxVisible()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<ACTALERT*>(w) && w->isVisible())
            return true;
    return false;
}

}  // namespace

TEST(QtUserPort, MessageBoxesGiveTheProgramsReplies)
{
    QWidget owner;
    ScriptedPort port(&owner);
    port.steps = {press(QMessageBox::Yes), press(QMessageBox::No), press(QMessageBox::Cancel),
                  press(QMessageBox::No), press(QMessageBox::Ok),
                  [&](QDialog& d) {
                      auto& box = static_cast<QMessageBox&>(d);
                      EXPECT_EQ(box.icon(), QMessageBox::Critical);
                      EXPECT_EQ(box.text(), QStringLiteral("Dosya açılamadı!"));
                      EXPECT_EQ(box.parentWidget(), &owner);
                      box.button(QMessageBox::Ok)->click();
                  },
                  [&](QDialog& d) {
                      EXPECT_EQ(d.parentWidget(), nullptr);  // before any window
                      QTest::keyClick(&d, Qt::Key_Escape);
                  }};
    EXPECT_EQ(port.messageBox(QStringLiteral("Soru"), QStringLiteral("?"), BOX_YESNO_QUESTION), REPLY_YES);
    EXPECT_EQ(port.messageBox(QStringLiteral("Soru"), QStringLiteral("?"), BOX_YESNO_STOP), REPLY_NO);
    EXPECT_EQ(port.messageBox(QStringLiteral("Soru"), QStringLiteral("?"), BOX_YESNOCANCEL_QUESTION), REPLY_CANCEL);
    EXPECT_EQ(port.messageBox(QStringLiteral("Soru"), QStringLiteral("?"), BOX_YESNOCANCEL_QUESTION), REPLY_NO);
    UYARI(port, QStringLiteral("Dikkat"));
    ERRMESS(port, QStringLiteral("Dosya açılamadı!"));
    MESS2(port, QStringLiteral("Ayarlar okunamadı"));
    EXPECT_EQ(port.titles, (QStringList{"Soru", "Soru", "Soru", "Soru", "Uyarı...", "Hata...", "Hata..."}));
    EXPECT_TRUE(port.steps.isEmpty());
}

TEST(QtUserPort, StatusTextTonesAndThePleaseWaitBox)
{
    QStatusBar bar;
    ScriptedPort port;
    port.setStatusBar(&bar);
    port.statusText(QStringLiteral("Dosya başarıyla kaydedildi..."));
    EXPECT_EQ(bar.currentMessage(), QStringLiteral("Dosya başarıyla kaydedildi..."));
    QString seen;
    port.setStatusHandler([&](const QString& t) { seen = t; });
    port.statusText(QStringLiteral("x"));
    EXPECT_EQ(seen, QStringLiteral("x"));

    ERRBEEP(port);
    DONEBEEP(port);
    EXPECT_EQ(port.tones, (QStringList{"100 3", "300 1", "100 1", "300 1", "100 1"}));

    QWidget owner;
    port.setOwner(&owner);
    AALERT(port);
    ASSERT_TRUE(port.OALERTWIN());
    EXPECT_TRUE(port.OALERTWIN()->isVisible());
    EXPECT_FALSE(port.OALERTWIN()->isModal());
    EXPECT_EQ(port.OALERTWIN()->parentWidget(), &owner);
    // A second call replaces the box instead of leaving the first one behind.
    AALERT(port);
    int boxes = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        boxes += qobject_cast<ACTALERT*>(w) && w->isVisible();
    EXPECT_EQ(boxes, 1);
    port.waitClose();
    EXPECT_EQ(port.OALERTWIN(), nullptr);
    EXPECT_FALSE(anyWaitBoxVisible());
    port.waitClose();  // nothing up: nothing happens
}

// The tones go to the sound server's player one at a time in their order,
// each with its length; with no server each is its pause. With the wait off
// (the tests' ports) the player is never reached, so no device is opened.
TEST(QtUserPort, TonesPlayInOrderThroughThePlayer)
{
    test::TempDir tmp;
    const QByteArray missing = "unix:" + tmp.file(QStringLiteral("no-server")).toUtf8();
    test::EnvGuard server("PULSE_SERVER", &missing);

    // No event is handled while the tones play: a command cannot start in
    // the middle of them.
    bool eventHandled = false;
    QTimer::singleShot(0, [&] { eventHandled = true; });
    std::vector<int> pauses;
    TonePlayer player([&](int ms) {
        EXPECT_FALSE(eventHandled);
        pauses.push_back(ms);
    });
    QtUserPort port;
    port.setTonePlayer(&player);
    ERRBEEP(port);
    DONEBEEP(port);
    EXPECT_EQ(pauses, (std::vector<int>{167, 56, 56, 56, 56}));
    player.flush();
    EXPECT_EQ(player.server(), TonePlayer::Server::Failed);
    EXPECT_FALSE(eventHandled);
    QCoreApplication::processEvents();
    EXPECT_TRUE(eventHandled);

    TonePlayer untouched([&](int ms) { pauses.push_back(ms); });
    ScriptedPort quiet;
    quiet.setTonePlayer(&untouched);
    ERRBEEP(quiet);
    DONEBEEP(quiet);
    EXPECT_EQ(quiet.tones.size(), 5);
    EXPECT_EQ(untouched.server(), TonePlayer::Server::Untried);
    EXPECT_EQ(pauses.size(), 5u);

    // A port left as the program makes it uses the program's player.
    QtUserPort programs;
    ERRBEEP(programs);
    desktopTonePlayer().flush();
    EXPECT_NE(desktopTonePlayer().server(), TonePlayer::Server::Untried);
}

TEST(QtUserPort, ParameterDialogThroughTheSolvesQuestion)
{
    G().reset();
    G().APARAMS = {QStringLiteral("K"), QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")};
    ScriptedPort port;
    port.steps = {[&](QDialog& d) {
        // The please-wait box is gone before the dialog shows.
        EXPECT_FALSE(anyWaitBoxVisible());
        auto* dlg = qobject_cast<KYPARMGIR_WIN*>(&d);
        ASSERT_TRUE(dlg);
        EXPECT_EQ(dlg->MIXCAPA->text(), QStringLiteral("1000.00"));
        dlg->MIXCAPA->setFocus();
        dlg->MIXCAPA->selectAll();
        typeText(dlg->MIXCAPA, QStringLiteral("1250,5"));
        QTest::keyClick(dlg->MIXCAPA, Qt::Key_Return);  // OK with the focus still in the amount
    }};
    AALERT(port);
    QString amount, currency, weight;
    EXPECT_TRUE(PARMGIR(port, QStringLiteral("K"), amount, currency, weight));
    EXPECT_EQ(amount, QStringLiteral("    1250.50"));
    EXPECT_EQ(currency, QStringLiteral("TL"));
    EXPECT_EQ(weight, QStringLiteral("Kg"));
    EXPECT_EQ(G().APARAMS, (QStringList{"K", "    1250.50", "TL", "Kg"}));
    EXPECT_TRUE(G().LPARAMCHANGED);
    EXPECT_FALSE(anyWaitBoxVisible());

    // The daily ration's dialog, cancelled from the close box.
    G().APARAMS = {QStringLiteral("G"), QStringLiteral("1.000"), QStringLiteral("TL"), QStringLiteral("Kg")};
    port.steps = {[](QDialog& d) {
        auto* dlg = qobject_cast<GRPARMGIR_WIN*>(&d);
        ASSERT_TRUE(dlg);
        dlg->HAYSAY->setFocus();
        typeText(dlg->HAYSAY, QStringLiteral("5"));
        dlg->close();
    }};
    EXPECT_FALSE(PARMGIR(port, QStringLiteral("G"), amount, currency, weight));
    EXPECT_EQ(amount, QStringLiteral("    1250.50"));
    EXPECT_TRUE(G().LPARAMCHANGED);  // the earlier change is still to be saved
    G().reset();
}

TEST(QtUserPort, ChoicesAndTheSingleValueForm)
{
    const QStringList items{QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("NEL")};
    ScriptedPort port;
    port.steps = {
        [](QDialog& d) {
            auto& dlg = static_cast<ACHOICE&>(d);
            dlg.BMLIST->item(1)->setSelected(true);
            dlg.pbTamam->click();
        },
        [](QDialog& d) { static_cast<ACHOICE&>(d).pbIptal->click(); },
        [](QDialog& d) {
            auto& dlg = static_cast<MARKTOPBOT&>(d);
            EXPECT_TRUE(dlg.pbTsec);
            dlg.LBTOSELECT->item(0)->setSelected(true);
            dlg.LBTOSELECT->item(2)->setSelected(true);
            dlg.pbTamam->click();
        },
        [](QDialog& d) {
            auto& dlg = static_cast<MARKTOPBOT&>(d);
            EXPECT_FALSE(dlg.pbTsec);
            QTest::keyClick(dlg.LBTOSELECT, Qt::Key_Escape);
        },
        [](QDialog& d) {
            auto& dlg = static_cast<MBM_WIND&>(d);
            EXPECT_EQ(dlg.FIXEDTEXT1->text(), QStringLiteral("NEL:"));
            dlg.MBM_EDIT->setFocus();
            dlg.MBM_EDIT->selectAll();
            typeText(dlg.MBM_EDIT, QStringLiteral("2,5"));
            dlg.pbTamam->click();
        },
        [](QDialog& d) { static_cast<MBM_WIND&>(d).pbIptal->click(); },
    };
    EXPECT_EQ(port.chooseOne(QStringLiteral("Bölen Seçimi"), items), 2);
    EXPECT_EQ(port.chooseOne(QStringLiteral("Bölen Seçimi"), items), 0);
    EXPECT_EQ(port.chooseMany(QStringLiteral("Bağlı Besin Maddeleri Seçimi"), items, true), (QList<int>{1, 3}));
    EXPECT_TRUE(port.chooseMany(QStringLiteral("Besin Maddesi Seçimi"), items, false).isEmpty());
    QString value = QStringLiteral("     1.2500");
    EXPECT_TRUE(port.askSingleValue(QString(), QStringLiteral("NEL:"), value));
    EXPECT_EQ(value, QStringLiteral("     2.5000"));
    EXPECT_FALSE(port.askSingleValue(QString(), QStringLiteral("NEL:"), value));
    EXPECT_EQ(value, QStringLiteral("     2.5000"));
    EXPECT_EQ(port.titles.mid(0, 5), (QStringList{"Bölen Seçimi", "Bölen Seçimi", "Bağlı Besin Maddeleri Seçimi",
                                                  "Besin Maddesi Seçimi", "Makro BM Yeni Değer Girişi"}));
    // The new-problem dialog: OK with a name and a type, then Cancel.
    port.steps << [](QDialog& d) {
        auto& dlg = static_cast<YENIDOSYAWINDOW&>(d);
        typeText(dlg.DOSYAADILINE, QStringLiteral("inek"));
        dlg.GRASBUTTON->click();
        dlg.pbTamam->click();
    } << [](QDialog& d) { d.reject(); };
    const NewProblemAnswer answer = port.askNewProblem();
    EXPECT_TRUE(answer.accepted);
    EXPECT_EQ(answer.name, QStringLiteral("inek"));
    EXPECT_EQ(answer.type, 2);
    EXPECT_FALSE(port.askNewProblem().accepted);
    EXPECT_EQ(port.titles.mid(port.titles.size() - 2), (QStringList{"Yeni...", "Yeni..."}));
}

TEST(QtUserPort, FileDialogs)
{
    test::TempDir dir;
    QFile f(dir.file(QStringLiteral("ORNEK.ZVF")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QStringList filters{QStringLiteral("Problem dosyaları (*.ZVF)")};
    ScriptedPort port;
    port.steps = {
        [&](QDialog& d) {
            auto& fd = static_cast<QFileDialog&>(d);
            EXPECT_EQ(fd.acceptMode(), QFileDialog::AcceptOpen);
            EXPECT_EQ(fd.nameFilters(), filters);
            typeFileName(fd, dir.file(QStringLiteral("ORNEK.ZVF")));
            static_cast<QDialog&>(fd).accept();
        },
        [&](QDialog& d) { d.reject(); },
        [&](QDialog& d) {
            auto& fd = static_cast<QFileDialog&>(d);
            EXPECT_EQ(fd.acceptMode(), QFileDialog::AcceptSave);
            typeFileName(fd, dir.file(QStringLiteral("YENI.ZVF")));
            static_cast<QDialog&>(fd).accept();
        },
    };
    EXPECT_EQ(port.askOpenFileName(QStringLiteral("Dosya Aç"), dir.path(), filters), dir.file(QStringLiteral("ORNEK.ZVF")));
    EXPECT_TRUE(port.askOpenFileName(QStringLiteral("Dosya Aç"), dir.path(), filters).isEmpty());
    EXPECT_EQ(port.askSaveFileName(QStringLiteral("Kaydet"), dir.path(), filters), dir.file(QStringLiteral("YENI.ZVF")));
}

namespace {

// Closes every message box Qt's own dialogs raise while `action` runs (each
// would run a modal loop of its own) and gives their texts.
QStringList qtBoxesDuring(const std::function<void()>& action)
{
    QStringList texts;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&texts] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                texts << box->text();
                box->reject();
            }
    });
    watch.start();
    action();
    watch.stop();
    return texts;
}

QString labelText(QFileDialog& fd, const char* name)
{
    auto* label = fd.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("(no %1)").arg(QLatin1String(name));
}

QAbstractButton* dialogButton(QFileDialog& fd, QDialogButtonBox::StandardButton which)
{
    auto* buttons = fd.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    return buttons ? buttons->button(which) : nullptr;
}

}  // namespace

// Qt's file dialogs speak Turkish once the program has installed Qt's Turkish
// texts, and hand every typed name on: a name of no file reaches the open
// step, a file that exists the save command, without a question of their own.
TEST(QtUserPort, FileDialogsSpeakTurkishAndAskNothingThemselves)
{
    ASSERT_TRUE(installQtTurkish());
    test::TempDir dir;
    QFile f(dir.file(QStringLiteral("ORNEK.ZVF")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QStringList filters{QStringLiteral("Zeva Veri Dosyası(*.ZVF)")};
    QStringList qtBoxes;
    ScriptedPort port;
    port.steps = {
        [&](QDialog& d) {
            auto& fd = static_cast<QFileDialog&>(d);
            EXPECT_FALSE(fd.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
            EXPECT_TRUE(fd.windowFlags() & Qt::WindowCloseButtonHint);
            EXPECT_EQ(labelText(fd, "lookInLabel"), QStringLiteral("Arama konumu:"));
            EXPECT_EQ(labelText(fd, "fileNameLabel"), QStringLiteral("Dosya a&dı:"));
            EXPECT_EQ(labelText(fd, "fileTypeLabel"), QStringLiteral("Dosyaların türü:"));
            QAbstractButton* cancel = dialogButton(fd, QDialogButtonBox::Cancel);
            QAbstractButton* open = dialogButton(fd, QDialogButtonBox::Open);
            ASSERT_TRUE(cancel && open);
            EXPECT_EQ(cancel->text(), QStringLiteral("İptal"));
            EXPECT_EQ(open->text(), QStringLiteral("&Aç"));
            typeFileName(fd, dir.file(QStringLiteral("YOK.ZVF")));
            ASSERT_TRUE(open->isEnabled());
            qtBoxes << qtBoxesDuring([open] { open->click(); });
        },
        [&](QDialog& d) {
            auto& fd = static_cast<QFileDialog&>(d);
            QAbstractButton* save = dialogButton(fd, QDialogButtonBox::Save);
            ASSERT_TRUE(save);
            EXPECT_EQ(save->text(), QStringLiteral("&Kaydet"));
            EXPECT_EQ(dialogButton(fd, QDialogButtonBox::Cancel)->text(), QStringLiteral("İptal"));
            typeFileName(fd, dir.file(QStringLiteral("ORNEK.ZVF")));
            qtBoxes << qtBoxesDuring([save] { save->click(); });
        },
    };
    EXPECT_EQ(port.askOpenFileName(QStringLiteral("Aç..."), dir.path(), filters), dir.file(QStringLiteral("YOK.ZVF")));
    EXPECT_EQ(port.askSaveFileName(QStringLiteral("Farklı Kaydet"), dir.path(), filters),
              dir.file(QStringLiteral("ORNEK.ZVF")));
    EXPECT_EQ(qtBoxes, QStringList());
}

// The file dialog's columns in Turkish: a folder's type, a file's size, type
// and date. The program's own numbers and the system locale do not change.
TEST(QtUserPort, FileDialogColumnsReadTurkish)
{
    const QString systemBefore = QLocale::system().name();
    ASSERT_TRUE(installQtTurkish());
    test::TempDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Alt")));
    for (const auto& [name, bytes] : {std::pair{"ORNEK.ZVF", "abc"}, std::pair{"NOT.xyz123", "\x01\x02"}}) {
        QFile f(dir.file(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    const QDateTime stamp(QDate(2026, 12, 11), QTime(9, 5));
    {
        QFile f(dir.file(QStringLiteral("ORNEK.ZVF")));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    QMap<QString, QStringList> rows;
    ScriptedPort port;
    port.steps = {[&](QDialog& d) {
        auto& fd = static_cast<QFileDialog&>(d);
        d.show();
        auto* view = fd.findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_TRUE(view);
        const QAbstractItemModel* model = view->model();
        const QModelIndex root = view->rootIndex();
        ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) == 3; }, 5000));
        QTest::qWait(200);  // the types and sizes come in afterwards
        for (int r = 0; r < model->rowCount(root); ++r) {
            QStringList cells;
            for (int c = 1; c < 4; ++c)
                cells << model->index(r, c, root).data().toString();
            rows[model->index(r, 0, root).data().toString()] = cells;
        }
        // Nothing else in it is English either.
        EXPECT_EQ(test::englishTexts(test::shownTexts(d)), QStringList());
        d.reject();
    }};
    port.askOpenFileName(QStringLiteral("Aç..."), dir.path(), {QStringLiteral("Tüm dosyalar (*)")});
    EXPECT_EQ(rows.value(QStringLiteral("Alt")).value(1), QStringLiteral("Klasör"));
    EXPECT_EQ(rows.value(QStringLiteral("ORNEK.ZVF")).value(0), QStringLiteral("3 bayt"));
    EXPECT_EQ(rows.value(QStringLiteral("ORNEK.ZVF")).value(2), QStringLiteral("11.12.2026 09:05"));
    EXPECT_EQ(rows.value(QStringLiteral("NOT.xyz123")).value(1), QStringLiteral("bilinmeyen"));
    // Numbers in files, reports and typed fields keep the point; the system
    // locale the controls read is the one the program started with.
    EXPECT_EQ(QLocale::system().name(), systemBefore);
    EXPECT_EQ(Str(1.5, 6, 2), QStringLiteral("  1.50"));
    EXPECT_EQ(Val(QStringLiteral("2.25")), 2.25);
    EXPECT_EQ(QString::number(0.5), QStringLiteral("0.5"));
}
