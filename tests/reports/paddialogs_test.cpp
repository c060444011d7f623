// Qt's dialogs the pad opens, as the program opens them with its Turkish
// set-up: "Farklı Kaydet", the font dialog, the print dialog with its
// printer properties and the file browser behind its "...", the printer
// set-up. Every text they show is Turkish.
#include "padtestutil.h"

#include "shell/ui/application.h"
#include "support/dialogtexts.h"
#include "support/filedialogdelete.h"
#include "support/qstringprint.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QListView>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

namespace zeva {
namespace {

// Qt's dialogs as the pad opens them, shown to the test, then closed.
class SeenDialogs : public QtPadDialogs {
public:
    std::function<void(QDialog&)> look;

    int run(QDialog& dialog) override
    {
        dialog.open();
        if (look)
            look(dialog);
        else
            ADD_FAILURE() << "dialog not expected: " << dialog.windowTitle().toStdString();
        if (dialog.isVisible())
            dialog.reject();
        return dialog.result();
    }
};

// The rows of a file dialog's detail view once the folder is read and every
// row has its type and date (they come in afterwards): name, size, type, date.
QMap<QString, QStringList> fileRows(QFileDialog& dialog)
{
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return {};
    const QAbstractItemModel* m = view->model();
    const QModelIndex root = view->rootIndex();
    QMap<QString, QStringList> rows;
    for (int r = 0; r < m->rowCount(root); ++r) {
        QStringList cells;
        for (int c = 1; c < 4; ++c)
            cells << m->index(r, c, root).data().toString();
        if (cells[1].isEmpty() || cells[2].isEmpty())
            return {};
        rows[m->index(r, 0, root).data().toString()] = cells;
    }
    // The folder and the report of the test are there.
    if (!rows.contains(QStringLiteral("Eski")) || !rows.contains(QStringLiteral("KARMA1.TXT")))
        return {};
    return rows;
}

// Runs `action`, which opens a dialog in a loop of its own; `look` is given
// each visible dialog other than `except` until it says it is done with it,
// and the dialog is closed then.
void whileOpen(const std::function<void()>& action, QWidget* except, const std::function<bool(QDialog&)>& look)
{
    bool done = false;
    QDeadlineTimer deadline(10000);
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (done)
            return;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<QDialog*>(top);
            if (!d || d == except || !d->isVisible())
                continue;
            if (look(*d) || deadline.hasExpired()) {
                done = true;
                d->reject();
            }
            return;
        }
    });
    watch.start();
    action();
    watch.stop();
    EXPECT_TRUE(done);
    EXPECT_FALSE(deadline.hasExpired());
}

class PadDialogsTest : public test::PadWindowTest {
protected:
    void SetUp() override
    {
        PadWindowTest::SetUp();
        ASSERT_TRUE(installQtTurkish());
        // The Data folder as the dialogs list it: a folder, and a report of
        // 6,534 bytes written on 11.12.2026 at 05:58.
        ASSERT_TRUE(QDir(data(QString())).mkdir(QStringLiteral("Eski")));
        report_ = data(QStringLiteral("KARMA1.TXT"));
        QByteArray bytes;
        while (bytes.size() < 6534)
            bytes += QByteArray("SATIR ").leftJustified(98, ' ') + "\r\n";
        writeBytes(report_, bytes.left(6534));
        QFile f(report_);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2026, 12, 11), QTime(5, 58)), QFileDevice::FileModificationTime));
        f.close();
        G().CREPORTFILE = report_;
        pads().REPORTPAD();
        ASSERT_NE(pads().activePad(), nullptr);
        pads().setDialogs(&seen_);
    }

    // What the dialogs show of the report and the folder.
    void expectTurkishRows(const QMap<QString, QStringList>& rows, const char* dialog)
    {
        EXPECT_EQ(rows.value(QStringLiteral("Eski")).value(1), QStringLiteral("Klasör")) << dialog;
        EXPECT_EQ(rows.value(QStringLiteral("KARMA1.TXT")).value(0), QStringLiteral("6,38 KiB")) << dialog;
        EXPECT_EQ(rows.value(QStringLiteral("KARMA1.TXT")).value(2), QStringLiteral("11.12.2026 05:58")) << dialog;
    }

    QString report_;
    SeenDialogs seen_;
    QMap<QString, QStringList> english_;  // per dialog
};

// The pad's "Farklı Kaydet": Delete on a folder, answered Yes, leaves it and
// what it holds.
TEST_F(PadDialogsTest, SaveAsDeletesNoFolder)
{
    writeBytes(data(QStringLiteral("Eski/not.txt")), "kalsin");
    test::FolderDeleteAttempt attempt;
    bool shown = false;
    seen_.look = [&](QDialog& d) {
        auto* files = qobject_cast<QFileDialog*>(&d);
        ASSERT_NE(files, nullptr);
        shown = true;
        attempt = test::tryToDeleteFolder(*files, data(QString()), QStringLiteral("Eski"));
    };
    padItem(5177);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(attempt.questions.isEmpty()) << attempt.questions.join('|').toStdString();
    EXPECT_FALSE(attempt.offered.contains(QStringLiteral("qt_delete_action")));
    QFile kept(data(QStringLiteral("Eski/not.txt")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("kalsin"));
}

TEST_F(PadDialogsTest, QtsDialogsThePadOpensSpeakTurkish)
{
    // "Farklı Kaydet", its folder read.
    seen_.look = [&](QDialog& d) {
        auto* files = qobject_cast<QFileDialog*>(&d);
        ASSERT_NE(files, nullptr);
        QMap<QString, QStringList> rows;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !(rows = fileRows(*files)).isEmpty(); }, 5000));
        expectTurkishRows(rows, "Farklı Kaydet");
        english_[d.windowTitle()] = test::englishTexts(test::shownTexts(d));
    };
    padItem(5177);
    EXPECT_TRUE(english_.contains(QStringLiteral("Farklı Kaydet")));

    // The font dialog: its effects and the styles of the pad's font; a style
    // chosen by its Turkish name is the font's own style.
    seen_.look = [&](QDialog& d) {
        auto* fonts = qobject_cast<QFontDialog*>(&d);
        ASSERT_NE(fonts, nullptr);
        QStringList texts = test::shownTexts(d);
        // Font families are names.
        const QStringList families = QFontDatabase::families();
        texts.removeIf([&families](const QString& t) { return families.contains(t); });
        english_[QStringLiteral("font")] = test::englishTexts(texts);
        EXPECT_TRUE(texts.contains(QStringLiteral("Üs&tü çizili")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Kalın İtalik"))) << texts.join('|').toStdString();
        // The style list: the one that shows "Kalın"; the user picks it.
        auto shown = [](QListView* list, int row) {
            auto* drawn = qobject_cast<QStyledItemDelegate*>(list->itemDelegate());
            const QVariant value = list->model()->index(row, 0).data();
            return drawn ? drawn->displayText(value, list->locale()) : value.toString();
        };
        bool picked = false;
        for (QListView* list : fonts->findChildren<QListView*>())
            for (int r = 0; list->model() && r < list->model()->rowCount() && !picked; ++r)
                if (shown(list, r) == QStringLiteral("Kalın")) {
                    list->setCurrentIndex(list->model()->index(r, 0));
                    picked = true;
                }
        ASSERT_TRUE(picked);
        EXPECT_TRUE(test::shownTexts(d).contains(QStringLiteral("Kalın")));
        EXPECT_TRUE(fonts->currentFont().bold());
        fonts->accept();
    };
    PADWIN* pad = pads().activePad();
    pad->ODCRICHEDIT->selectAll();
    padItem(5182);
    EXPECT_GE(pad->ODCRICHEDIT->currentCharFormat().fontWeight(), QFont::Bold);

    // The print dialog with its options, its printer properties and the file
    // browser behind its "...".
    seen_.look = [&](QDialog& d) {
        auto* print = qobject_cast<QPrintDialog*>(&d);
        ASSERT_NE(print, nullptr);
        // On a machine with print queues the dialog opens on one of them:
        // the print to a file is walked, as on a machine without any, and
        // the names the print system gives its queues are names.
        auto* printers = print->findChild<QComboBox*>(QStringLiteral("printers"));
        ASSERT_NE(printers, nullptr);
        printers->setCurrentIndex(printers->count() - 1);
        for (QPushButton* b : print->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("&Seçenekler >>"))
                b->click();
        QStringList texts = test::shownTexts(d);
        for (const QPrinterInfo& queue : QPrinterInfo::availablePrinters())
            for (const QString& name : {queue.printerName(), queue.description(), queue.makeAndModel(),
                                        queue.location()})
                texts.removeAll(name);
        english_[QStringLiteral("print")] = test::englishTexts(texts);

        auto* properties = print->findChild<QPushButton*>(QStringLiteral("properties"));
        ASSERT_NE(properties, nullptr);
        whileOpen([properties] { properties->click(); }, print, [&](QDialog& p) {
            english_[QStringLiteral("properties")] = test::englishTexts(test::shownTexts(p));
            return true;
        });

        auto* browse = print->findChild<QToolButton*>(QStringLiteral("fileBrowser"));
        ASSERT_NE(browse, nullptr);
        whileOpen([browse] { browse->click(); }, print, [&](QDialog& b) {
            auto* files = qobject_cast<QFileDialog*>(&b);
            if (!files)
                return false;
            const QMap<QString, QStringList> rows = fileRows(*files);
            if (rows.isEmpty())
                return false;
            expectTurkishRows(rows, "Dosyaya Yazdır");
            english_[QStringLiteral("print to file")] = test::englishTexts(test::shownTexts(b));
            return true;
        });
    };
    padItem(5179);

    // The printer set-up.
    seen_.look = [&](QDialog& d) { english_[QStringLiteral("setup")] = test::englishTexts(test::shownTexts(d)); };
    padItem(5180);

    EXPECT_EQ(english_.keys(), (QStringList{"Farklı Kaydet", "font", "print", "print to file", "properties", "setup"}));
    for (auto it = english_.cbegin(); it != english_.cend(); ++it)
        EXPECT_EQ(it.value(), QStringList()) << it.key().toStdString();
}

}  // namespace
}  // namespace zeva
