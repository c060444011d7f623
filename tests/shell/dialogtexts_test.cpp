// Every dialog the program builds, shown as the user sees it: each text in
// each label, button and box shows whole, in a font that holds every letter
// of it, and each dialog has the dialog frame (title and close box only) and
// a fixed size.
#include "core/ui/choicedialogs.h"
#include "core/ui/matchdialog.h"
#include "controls/ui/calendardialog.h"
#include "controls/ui/rightsle.h"
#include "core/ui/paramdialogs.h"
#include "platform/ui/dialogtemplate.h"
#include "refmatrix/ui/backupdialog.h"
#include "reports/ui/padwin.h"
#include "requirements/ui/requirementdialogs.h"
#include "shell/tipofday.h"
#include "shell/ui/colonmathsdialog.h"
#include "shell/ui/newproblemdialog.h"
#include "shell/ui/nutrientcolumndialog.h"
#include "shell/ui/smallforms.h"
#include "shell/ui/splashabout.h"
#include "shell/ui/tipofdaydialog.h"
#include "shell/ui/userdialogs.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zeva {
namespace {

// The characters of `text` (line breaks aside) that `font` itself lacks: a
// missing one would be drawn from some other font.
QString missingGlyphs(const QFont& font, const QString& text)
{
    const QRawFont raw = QRawFont::fromFont(font);
    QString missing;
    for (QChar c : text)
        if (c != QLatin1Char('\n') && !c.isSpace() && !raw.supportsCharacter(c) && !missing.contains(c))
            missing += c;
    return missing;
}

// The room a button's style leaves for its caption.
QRect captionRoom(QAbstractButton* button)
{
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = button->text();
    opt.icon = button->icon();
    opt.iconSize = button->iconSize();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(button))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton*>(button))
        element = QStyle::SE_RadioButtonContents;
    else if (auto* push = qobject_cast<QPushButton*>(button); push && push->isDefault())
        opt.features |= QStyleOptionButton::DefaultButton;
    return button->style()->subElementRect(element, &opt, button);
}

// Checks every text of the dialog as it is on the screen now.
void expectTextsShowWhole(QDialog& dialog, const QString& where)
{
    const std::string at = where.toStdString();
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisible())
            continue;
        const std::string id = at + " " + label->objectName().toStdString() + " \"" + label->text().toStdString() + "\"";
        EXPECT_TRUE(labelTextFits(label)) << id;
        EXPECT_EQ(missingGlyphs(label->font(), label->text()), QString()) << id;
    }
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || !button->isVisible())
            continue;
        const QString caption = shownCaption(button->text());
        const std::string id = at + " " + button->objectName().toStdString() + " \"" + caption.toStdString() + "\"";
        const QRect room = captionRoom(button);
        const QRect need = button->fontMetrics().boundingRect(caption);
        EXPECT_LE(need.width(), room.width()) << id;
        EXPECT_LE(button->fontMetrics().height(), room.height()) << id;
        EXPECT_EQ(missingGlyphs(button->font(), caption), QString()) << id;
    }
    for (QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
        const std::string id = at + " " + box->objectName().toStdString();
        EXPECT_LE(box->fontMetrics().horizontalAdvance(box->title()) + 2 * box->fontMetrics().averageCharWidth(),
                  box->width())
            << id;
        EXPECT_EQ(missingGlyphs(box->font(), box->title()), QString()) << id;
    }
    for (QPlainTextEdit* edit : dialog.findChildren<QPlainTextEdit*>())
        EXPECT_EQ(missingGlyphs(edit->font(), edit->toPlainText()), QString()) << at << " " << edit->objectName().toStdString();
    EXPECT_EQ(missingGlyphs(dialog.font(), dialog.windowTitle()), QString()) << at << " title";
}

// The dialog frame: a title bar with the close box only (or the title alone,
// or no frame at all for the splash) and a size the user cannot change.
void expectDialogFrame(QDialog& dialog, const QString& where)
{
    const std::string at = where.toStdString();
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint) << at;
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint) << at;
    EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint) << at;
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint || flags & Qt::FramelessWindowHint) << at;
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << at;
    EXPECT_EQ(dialog.size(), dialog.minimumSize()) << at;
}

// The names of the dialog templates the program's windows are built from.
QSet<QString> templatesInTheSource()
{
    QSet<QString> names;
    static const QRegularExpression definition(QStringLiteral("DialogTemplate \\w+\\s*\\{\\s*\"([^\"]+)\""));
    for (const char* folder : {"platform", "core", "shell", "editing", "refmatrix", "reports", "requirements",
                               "utility", "controls"}) {
        QDirIterator it(QStringLiteral(ZEVA_SOURCE_DIR "/") + QLatin1String(folder), {QStringLiteral("*.cpp")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QString source = QString::fromUtf8(f.readAll());
            for (auto m = definition.globalMatch(source); m.hasNext();)
                names.insert(m.next().captured(1));
        }
    }
    return names;
}

class DialogTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = G().CDATAPATH;
        G().CDATAPATH = tmp_.path();
    }
    void TearDown() override { G().CDATAPATH = previous_; }

    // Shows the dialog as the program would (without its modal loop), checks
    // it, and notes its template.
    void check(QDialog& dialog, const QString& where)
    {
        dialog.show();
        QApplication::processEvents();
        expectTextsShowWhole(dialog, where);
        expectDialogFrame(dialog, where);
        if (auto* t = qobject_cast<TemplateDialog*>(&dialog))
            seen_.insert(QString::fromUtf8(t->dialogTemplate().name));
        dialog.hide();
    }

    test::TempDir tmp_;
    test::FakePort port_;
    QString previous_;
    QSet<QString> seen_;
};

TEST_F(DialogTexts, EveryDialogShowsItsWholeTextInAFontThatHoldsIt)
{
    const QStringList nutrients{QStringLiteral("KURU MADDE"), QStringLiteral("HAM PROTEİN"),
                                QStringLiteral("METABOLİK ENERJİ"), QStringLiteral("KALSİYUM"),
                                QStringLiteral("FOSFOR (YARAR.)"), QStringLiteral("LİZİN")};
    {
        ACHOICE d(nullptr, QStringLiteral("Makro Besin Maddesi Seçimi"), nutrients);
        check(d, QStringLiteral("ACHOICE"));
    }
    {
        MARKTOPBOT d(nullptr, QStringLiteral("Bağlı Besin Maddeleri Seçimi"), nutrients, true);
        check(d, QStringLiteral("MARKTOPBOT"));
    }
    {
        KYPARMGIR_WIN d(nullptr, QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg"));
        check(d, QStringLiteral("KYPARMGIR_WIN"));
    }
    {
        GRPARMGIR_WIN d(nullptr, QStringLiteral("10.75"), QStringLiteral("TL"), QStringLiteral("Kg"));
        check(d, QStringLiteral("GRPARMGIR_WIN"));
    }
    {
        COLONMATHS d(nullptr, nutrients);
        check(d, QStringLiteral("COLONMATHS"));
    }
    {
        LOGONDIALOG d(nullptr, tmp_.path(), &port_);
        check(d, QStringLiteral("LOGONDIALOG"));
    }
    for (bool addUser : {false, true}) {
        NEWPASSWORDDIALOG d(nullptr, addUser ? QStringLiteral("Yeni Kullanıcı Ekle") : QStringLiteral("Ad ve Parola Değiştir"),
                            addUser, G(), &port_);
        check(d, QStringLiteral("NEWPASSWORDDIALOG %1").arg(addUser));
    }
    {
        ACTALERT d(nullptr);
        check(d, QStringLiteral("ACTALERT"));
    }
    {
        // The longest prompt the matrix window asks with.
        MBM_WIND d(nullptr, QStringLiteral("MISIR GLUTEN Ü.->METABOLİK ENERJİ Değerini Giriniz:"),
                   QStringLiteral("  3250.0000"));
        check(d, QStringLiteral("MBM_WIND"));
    }
    {
        YENIDOSYAWINDOW d(nullptr);
        check(d, QStringLiteral("YENIDOSYAWINDOW"));
    }
    {
        WTIPOFDAY d(nullptr, &port_);
        d.TIP = CREATETIPARRAY();
        for (int n = 1; n <= d.TIP.size(); ++n) {
            d.LASTTIP = n;
            d.LOADTIP();
            check(d, QStringLiteral("WTIPOFDAY tip %1").arg(n));
        }
    }
    {
        SPLASHSCREEN d(nullptr, [] { return qint64(0); }, [](int) {});
        check(d, QStringLiteral("SPLASHSCREEN"));
    }
    {
        ZVXHAKKINDA d(nullptr);
        check(d, QStringLiteral("ZVXHAKKINDA"));
    }
    {
        CB_HSEC d(nullptr, QStringLiteral("FOSFOR (YARARLI)"),
                  {QStringLiteral("KURU MADDE"), QStringLiteral("FFOSFOR"), QStringLiteral("METİONİN+SİSTİN")});
        check(d, QStringLiteral("CB_HSEC"));
    }
    {
        VQFOLDERDIALOGWINDOW d(nullptr, QStringLiteral("Matkumad.Dbf"));
        d.SLEYEDDIZ->setText(QStringLiteral("/home/kullanıcı/Yedekler/Matkumad.Dbf"));
        check(d, QStringLiteral("VQFOLDERDIALOGWINDOW"));
    }
    for (int destination : {1, 2}) {
        STIPISECW d(nullptr, destination);
        check(d, QStringLiteral("STIPISECW %1").arg(destination));
    }
    {
        GROWCATLEDW d(nullptr);
        check(d, QStringLiteral("GROWCATLEDW"));
    }
    {
        LACTCATLEDW d(nullptr, port_);
        check(d, QStringLiteral("LACTCATLEDW"));
    }
    {
        MATBULDW d(nullptr);
        check(d, QStringLiteral("MATBULDW"));
    }
    {
        MARGINDIALOG d(nullptr, &port_);
        check(d, QStringLiteral("MARGINDIALOG"));
    }
    {
        QWidget holder;
        auto* edit = new RIGHTSLE(&holder, 1, QRect(10, 10, 120, 20));
        edit->setText(QStringLiteral("31.12.2008"));
        DLGPECALENDAR d(&holder, edit);
        check(d, QStringLiteral("DLGPECALENDAR"));
    }
    {
        BM_MAN_WIN_DIALOG d(nullptr, QStringLiteral("Kuru Madde Esaslı RM: Besin maddesi ekle-sil"),
                            {QStringLiteral("YM_ADI"), QStringLiteral("FIATI"), QStringLiteral("KMO"),
                             QStringLiteral("HP"), QStringLiteral("METİONİN")},
                            [](const NutrientColumnAnswer&) { return QString(); }, [](const QString&) {});
        check(d, QStringLiteral("BM_MAN_WIN"));
    }
    // No dialog of the program is left out of this walk.
    for (const QString& name : templatesInTheSource())
        EXPECT_TRUE(seen_.contains(name)) << "dialog template \"" << name.toStdString() << "\" is not checked here";
}

// The about box's terms of use: three whole lines inside their group box.
TEST_F(DialogTexts, AboutBoxShowsAllThreeLinesOfItsTerms)
{
    ZVXHAKKINDA d(nullptr);
    d.show();
    QApplication::processEvents();
    const QStringList lines = d.termsText->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("Bu sebepten,")));
    EXPECT_TRUE(labelTextFits(d.termsText));
    EXPECT_TRUE(d.terms->geometry().contains(d.termsText->geometry()));
}

// The splash title's capitals come from the substitute's own face, bold.
TEST_F(DialogTexts, SplashTitleIsBoldInAFaceWithTheTurkishCapitals)
{
    SPLASHSCREEN d(nullptr, [] { return qint64(0); }, [](int) {});
    const QFont font = d.description->font();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("EB Garamond"));
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(missingGlyphs(font, QStringLiteral("ÜŞİĞÇÖüşığçö")), QString());
}

}  // namespace
}  // namespace zeva
