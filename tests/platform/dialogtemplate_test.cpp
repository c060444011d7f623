// The dialog-template builder, the control classes and the message boxes.
#include "platform/ui/controls.h"
#include "platform/ui/dialogtemplate.h"
#include "platform/ui/messagebox.h"
#include "platform/ui/programicons.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "support/typing.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace zeva;

namespace {

// The numbers of the single-choice dialog's template.
const DialogTemplate kChoiceLike{
    "AChoice", "DataDialog Caption", 0, 0, 148, 93, "MS Sans Serif", 8, DS_CAPTION | DS_SYSMENU,
    {
        {100, CtlKind::ListBox, 10, 9, 74, 77},
        {101, CtlKind::PushButton, 93, 30, 47, 13, "&Tamam", CS_DEFAULT},
        {102, CtlKind::PushButton, 93, 55, 47, 12, "&İptal"},
    }};

// One control of every kind and style.
const DialogTemplate kEverything{
    "Everything", "Hepsi", 10, 10, 200, 150, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {10, CtlKind::Label, 4, 4, 60, 10, "Kullanıcı:"},
        {11, CtlKind::Edit, 70, 4, 60, 12, "", CS_UPPERCASE, 20},
        {12, CtlKind::Edit, 70, 20, 60, 12, "", CS_PASSWORD, 8},
        {13, CtlKind::Edit, 70, 36, 60, 12, "sabit", CS_READONLY},
        {14, CtlKind::Edit, 4, 52, 120, 30, "", CS_MULTILINE},
        {15, CtlKind::GroupBox, 130, 4, 60, 50, "Tip"},
        {16, CtlKind::RadioButton, 134, 14, 50, 10, "Karma", CS_GROUP},
        {17, CtlKind::RadioButton, 134, 26, 50, 10, "Rasyon"},
        {18, CtlKind::CheckBox, 4, 90, 80, 10, "Göster"},
        {19, CtlKind::RadioButton, 134, 60, 50, 10, "Bir", CS_GROUP},
        {20, CtlKind::RadioButton, 134, 72, 50, 10, "İki"},
        {21, CtlKind::Icon, 4, 104, 20, 20, "ZVXTOD"},
        {22, CtlKind::PushButton, 100, 130, 40, 14, "&Tamam", CS_DEFAULT},
        {23, CtlKind::PushButton, 150, 130, 40, 14, "&İptal"},
        {24, CtlKind::Label, 60, 110, 60, 10, "Başlık", CS_NONE, 0, "Arial", 10, true},
    }};

class CountingDialog : public TemplateDialog {
public:
    using TemplateDialog::TemplateDialog;
    int cancels = 0;
    void PBIPTAL() override
    {
        ++cancels;
        TemplateDialog::PBIPTAL();
    }
};

}  // namespace

TEST(DialogTemplate, DialogUnitsFollowTheDialogFontAndDpi)
{
    struct Case {
        const char* face;
        int points;
        qreal dpi;
        int x, y;
    } cases[] = {
        {"MS Sans Serif", 8, 96, 6, 13},
        {"MS Shell Dlg", 8, 96, 6, 13},
        {"MS Shell Dlg", 8, 192, 12, 26},
        {"MS Shell Dlg", 8, 120, 8, 16},  // 7.5 and 16.25, rounded
    };
    for (const Case& c : cases) {
        const BaseUnits u = BaseUnits::forFont(QString::fromLatin1(c.face), c.points, c.dpi);
        EXPECT_EQ(u.x, c.x) << c.face << " " << c.dpi;
        EXPECT_EQ(u.y, c.y) << c.face << " " << c.dpi;
    }
    // Another font is measured: a larger size gives larger units.
    const BaseUnits small = BaseUnits::forFont(QStringLiteral("Arial"), 8, 96);
    const BaseUnits large = BaseUnits::forFont(QStringLiteral("Arial"), 16, 96);
    EXPECT_GT(large.x, small.x);
    EXPECT_GT(large.y, small.y);
}

// A clipboard that holds nothing (a fresh desktop session, or the program
// that copied has ended) pastes nothing into the edits the templates build,
// whether the paste comes from the keys or a menu command.
TEST(DialogTemplate, EditsPasteNothingFromAnEmptyClipboard)
{
    TemplateDialog dlg(kEverything, nullptr, 96);
    dlg.show();
    QClipboard* clipboard = QGuiApplication::clipboard();
    const struct {
        const char* clipboard;
        std::function<void()> empty;
    } states[] = {
        // No owner: the desktop hands out data without any format.
        {"no formats", [&] { clipboard->setMimeData(new QMimeData); }},
        {"cleared", [&] { clipboard->clear(); }},
    };
    for (int id : {11, 14}) {
        QWidget* edit = dlg.control(id);
        ASSERT_NE(edit, nullptr);
        auto text = [edit] {
            if (auto* line = qobject_cast<QLineEdit*>(edit))
                return line->text();
            return qobject_cast<QPlainTextEdit*>(edit)->toPlainText();
        };
        auto paste = [edit] {
            if (auto* line = qobject_cast<QLineEdit*>(edit))
                line->paste();
            else
                qobject_cast<QPlainTextEdit*>(edit)->paste();
        };
        test::typeText(edit, QStringLiteral("ESKI"));
        for (const auto& state : states) {
            SCOPED_TRACE(std::to_string(id) + ", " + state.clipboard);
            state.empty();
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
            paste();
            EXPECT_EQ(text(), QStringLiteral("ESKI"));
        }
        clipboard->setText(QStringLiteral("YENI"));
        paste();
        EXPECT_EQ(text(), QStringLiteral("ESKIYENI"));
    }
    clipboard->clear();
}

TEST(DialogTemplate, ChoiceTemplateGeometryAt96Dpi)
{
    TemplateDialog dlg(kChoiceLike, nullptr, 96);
    EXPECT_EQ(dlg.clientSize(), QSize(222, 151));
    EXPECT_EQ(dlg.size(), QSize(222, 151));
    EXPECT_EQ(dlg.control(100)->geometry(), QRect(15, 15, 111, 125));
    EXPECT_EQ(dlg.control(101)->geometry(), QRect(140, 49, 71, 21));   // 139.5 -> 140, 48.75 -> 49
    EXPECT_EQ(dlg.control(102)->geometry(), QRect(140, 89, 71, 20));   // 89.375, 19.5
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("DataDialog Caption"));
    EXPECT_EQ(dlg.control(999), nullptr);

    TemplateDialog twice(kChoiceLike, nullptr, 192);
    EXPECT_EQ(twice.clientSize(), QSize(444, 302));
}

TEST(DialogTemplate, BuildsEveryKindWithItsStyle)
{
    TemplateDialog dlg(kEverything, nullptr, 96);
    EXPECT_EQ(dlg.font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(dlg.font().pointSize(), 8);

    auto* label = dlg.control<QLabel>(10);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), QStringLiteral("Kullanıcı:"));
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);

    auto* upper = dlg.control<VQSLE>(11);
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->maxLength(), 20);
    test::typeText(upper, QStringLiteral("ali şen"));
    EXPECT_EQ(upper->text(), QStringLiteral("ALI ŞEN"));

    auto* password = dlg.control<VQSLE>(12);
    ASSERT_TRUE(password);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    QTest::keyClicks(password, QStringLiteral("abcdefghijk"));
    EXPECT_EQ(password->text(), QStringLiteral("abcdefgh"));

    auto* readOnly = dlg.control<VQSLE>(13);
    ASSERT_TRUE(readOnly);
    EXPECT_TRUE(readOnly->isReadOnly());
    EXPECT_EQ(readOnly->text(), QStringLiteral("sabit"));

    EXPECT_TRUE(dlg.control<QPlainTextEdit>(14));

    // Two runs of radio buttons: a choice in one does not clear the other.
    auto* r16 = dlg.control<QRadioButton>(16);
    auto* r17 = dlg.control<QRadioButton>(17);
    auto* r19 = dlg.control<QRadioButton>(19);
    auto* r20 = dlg.control<QRadioButton>(20);
    ASSERT_TRUE(r16 && r17 && r19 && r20);
    r16->click();
    r19->click();
    r17->click();
    EXPECT_FALSE(r16->isChecked());
    EXPECT_TRUE(r17->isChecked());
    EXPECT_TRUE(r19->isChecked());
    r20->click();
    EXPECT_FALSE(r19->isChecked());
    EXPECT_TRUE(r17->isChecked());

    EXPECT_TRUE(dlg.control<QCheckBox>(18));
    auto* icon = dlg.control<QLabel>(21);
    ASSERT_TRUE(icon);
    EXPECT_FALSE(icon->pixmap().isNull());

    auto* ok = dlg.control<QPushButton>(22);
    auto* cancel = dlg.control<QPushButton>(23);
    ASSERT_TRUE(ok && cancel);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(cancel->isDefault());

    auto* own = dlg.control<QLabel>(24);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(own->font().pointSize(), 10);
    EXPECT_TRUE(own->font().bold());

    // Tab order follows the template among the controls that take the focus.
    QList<QWidget*> order;
    QWidget* w = upper;
    for (int i = 0; i < 11; ++i) {
        order << w;
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !dlg.isAncestorOf(w))
            w = w->nextInFocusChain();
    }
    const QList<QWidget*> expected{upper, password, readOnly, dlg.control(14), r16, r17, dlg.control(18),
                                   r19, r20, ok, cancel};
    EXPECT_EQ(order, expected);

    dlg.removeControl(23);
    EXPECT_EQ(dlg.control(23), nullptr);
    EXPECT_EQ(dlg.findChildren<QPushButton*>().size(), 1);
}

TEST(DialogTemplate, ReplaceControlTakesPlaceFontAndTabPosition)
{
    TemplateDialog dlg(kChoiceLike, nullptr, 96);
    QWidget* list = dlg.control(100);
    const QRect place = list->geometry();
    ASSERT_TRUE(list->hasFocus() || dlg.focusWidget() == list);

    auto* edit = new QLineEdit(&dlg);
    ASSERT_TRUE(dlg.replaceControl(100, edit));
    EXPECT_EQ(dlg.control(100), edit);
    EXPECT_EQ(dlg.findChildren<QListWidget*>().size(), 0);
    EXPECT_EQ(edit->geometry(), place);
    EXPECT_EQ(edit->font(), dlg.font());
    EXPECT_EQ(edit->objectName(), QStringLiteral("ctl100"));
    EXPECT_EQ(dlg.focusWidget(), edit);
    // In the tab chain the new control stands where the old one stood.
    QWidget* next = edit->nextInFocusChain();
    while (next && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    EXPECT_EQ(next, dlg.control(101));
    dlg.show();
    EXPECT_TRUE(edit->isVisible());

    auto* spare = new QLineEdit(&dlg);
    EXPECT_FALSE(dlg.replaceControl(999, spare));
    EXPECT_EQ(dlg.control(999), nullptr);
}

TEST(DialogTemplate, FontSubstitutions)
{
    const struct {
        const char* face;
        const char* family;
    } table[] = {
        {"MS Shell Dlg", "Liberation Sans"}, {"MS Sans Serif", "Liberation Sans"}, {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},  {"Garamond", "EB Garamond"},          {"DejaVu Sans", "DejaVu Sans"},
    };
    for (const auto& row : table)
        EXPECT_EQ(substituteFamily(QString::fromLatin1(row.face)), QString::fromLatin1(row.family)) << row.face;
    // The substitutes are installed on the machine.
    for (const char* face : {"Arial", "Courier New", "Garamond"}) {
        const QFontInfo info(templateFont(QString::fromLatin1(face), 10));
        EXPECT_EQ(info.family(), substituteFamily(QString::fromLatin1(face))) << face;
    }
    // Each substitute draws the Turkish letters itself, bold or not (Debian's
    // EB Garamond bold lacks them: its upright face is drawn bold instead).
    for (const char* face : {"MS Shell Dlg", "MS Sans Serif", "Arial", "Courier New", "Garamond"})
        for (bool bold : {false, true}) {
            const QFont font = templateFont(QString::fromLatin1(face), 14, bold);
            const QRawFont raw = QRawFont::fromFont(font);
            EXPECT_EQ(QFontInfo(font).family(), substituteFamily(QString::fromLatin1(face))) << face;
            EXPECT_EQ(QFontInfo(font).bold(), bold) << face;
            for (QChar c : QStringLiteral("ÇĞİÖŞÜçğıöşüâîû"))
                EXPECT_TRUE(raw.supportsCharacter(c)) << face << " " << bold << " " << QString(c).toStdString();
        }
}

TEST(Controls, EscInAnEditOrAListCallsTheOwnersCancelOnce)
{
    CountingDialog dlg(kEverything, nullptr, 96);
    dlg.open();
    QTest::keyClick(dlg.control(11), Qt::Key_Escape);
    EXPECT_EQ(dlg.cancels, 1);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);

    CountingDialog list(kChoiceLike, nullptr, 96);
    list.open();
    QTest::keyClick(list.control(100), Qt::Key_Escape);
    EXPECT_EQ(list.cancels, 1);

    // Other keys are the edit's own.
    CountingDialog again(kEverything, nullptr, 96);
    again.open();
    QTest::keyClick(again.control(11), Qt::Key_A);
    QTest::keyClick(again.control(11), Qt::Key_Backspace);
    EXPECT_EQ(again.cancels, 0);
    EXPECT_TRUE(again.isVisible());

    // A plain edit outside any dialog with a cancel handler leaves Esc alone.
    QWidget plain;
    auto* edit = new VQSLE(&plain);
    edit->setText(QStringLiteral("x"));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->text(), QStringLiteral("x"));
}

TEST(Controls, EscOnAButtonAComboBoxAndTheCloseBoxReachCancel)
{
    const DialogTemplate withCombo{
        "Combo", "Combo", 0, 0, 100, 60, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU,
        {
            {100, CtlKind::ComboBox, 4, 4, 60, 40, "", CS_EDITABLE},
            {101, CtlKind::PushButton, 4, 44, 40, 12, "&İptal"},
        }};
    CountingDialog combo(withCombo, nullptr, 96);
    auto* box = combo.control<VQCOMBOBOX>(100);
    ASSERT_TRUE(box);
    box->addItems({QStringLiteral("YM_ADI"), QStringLiteral("KM")});
    combo.open();
    QTest::keyClick(box->lineEdit(), Qt::Key_Escape);
    EXPECT_EQ(combo.cancels, 1);


    CountingDialog dlg(kEverything, nullptr, 96);
    dlg.open();
    QTest::keyClick(dlg.control(22), Qt::Key_Escape);
    EXPECT_EQ(dlg.cancels, 1);

    CountingDialog closed(kEverything, nullptr, 96);
    closed.open();
    closed.close();
    EXPECT_EQ(closed.cancels, 1);
    EXPECT_EQ(closed.result(), QDialog::Rejected);
}

TEST(Controls, EditsRefuseCharactersOutsideWindows1254)
{
    Cp1254Validator plain;
    Cp1254Validator upper(true);
    int pos = 0;
    QString turkish = QStringLiteral("ğüşıöç İĞ €");
    EXPECT_EQ(plain.validate(turkish, pos), QValidator::Acceptable);
    QString greek = QStringLiteral("aΩ");
    EXPECT_EQ(plain.validate(greek, pos), QValidator::Invalid);
    QString lower = QStringLiteral("çağrı");
    EXPECT_EQ(upper.validate(lower, pos), QValidator::Acceptable);
    EXPECT_EQ(lower, QStringLiteral("ÇAĞRI"));

    TemplateDialog dlg(kEverything, nullptr, 96);
    auto* edit = dlg.control<VQSLE>(12);
    test::typeText(edit, QStringLiteral("aΩb"));
    EXPECT_EQ(edit->text(), QStringLiteral("ab"));
}

TEST(Controls, ToolbarIsFlatAndFixed)
{
    VQTOOLBAR bar;
    EXPECT_FALSE(bar.isMovable());
    EXPECT_FALSE(bar.isFloatable());
    EXPECT_EQ(bar.toolButtonStyle(), Qt::ToolButtonIconOnly);
}

TEST(MessageBoxes, TypesGiveButtonsIconsAndReplies)
{
    const struct {
        int type;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        int escapeReply;  // 0: Esc and the close box do nothing
    } table[] = {
        {16, QMessageBox::Critical, QMessageBox::Ok, 1},
        {48, QMessageBox::Warning, QMessageBox::Ok, 1},
        {64, QMessageBox::Information, QMessageBox::Ok, 1},
        {36, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, 0},
        {20, QMessageBox::Critical, QMessageBox::Yes | QMessageBox::No, 0},
        {52, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, 0},
        {35, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, 1},
    };
    for (const auto& row : table) {
        std::unique_ptr<QMessageBox> box(makeMessageBox(nullptr, QStringLiteral("Başlık"), QStringLiteral("Metin"), row.type));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Başlık"));
        EXPECT_EQ(box->text(), QStringLiteral("Metin"));
        EXPECT_EQ(box->icon(), row.icon) << row.type;
        EXPECT_EQ(box->standardButtons(), row.buttons) << row.type;
        box->open();
        QTest::keyClick(box.get(), Qt::Key_Escape);
        if (row.escapeReply) {
            EXPECT_FALSE(box->isVisible()) << row.type;
            EXPECT_EQ(messageBoxReply(*box), row.escapeReply) << row.type;
            continue;
        }
        // A question without Cancel waits for Evet or Hayır, with the
        // focus on either button.
        box->button(QMessageBox::No)->setFocus();
        QTest::keyClick(box->button(QMessageBox::No), Qt::Key_Escape);
        EXPECT_TRUE(box->isVisible()) << row.type;
        EXPECT_FALSE(box->close()) << row.type;
        EXPECT_TRUE(box->isVisible()) << row.type;
        EXPECT_EQ(box->clickedButton(), nullptr) << row.type;
        box->button(QMessageBox::Yes)->click();
        EXPECT_FALSE(box->isVisible()) << row.type;
        EXPECT_EQ(messageBoxReply(*box), 6) << row.type;
    }
    // Carriage returns break the line as line feeds do.
    const struct {
        const char* text;
        const char* shown;
    } breaks[] = {
        {"Rapor dosyası oluşturmada hata!\r\rSonra tekrar deneyiniz..",
         "Rapor dosyası oluşturmada hata!\n\nSonra tekrar deneyiniz.."},
        {"bir\r\niki\nüç", "bir\niki\nüç"},
    };
    for (const auto& row : breaks) {
        std::unique_ptr<QMessageBox> box(makeMessageBox(nullptr, QString(), QString::fromUtf8(row.text), 16));
        EXPECT_EQ(box->text(), QString::fromUtf8(row.shown));
    }
    const struct {
        int type;
        QMessageBox::StandardButton press;
        int reply;
    } presses[] = {
        {36, QMessageBox::Yes, 6}, {36, QMessageBox::No, 3}, {35, QMessageBox::Yes, 6},
        {35, QMessageBox::No, 3},  {35, QMessageBox::Cancel, 1}, {16, QMessageBox::Ok, 1},
    };
    for (const auto& row : presses) {
        std::unique_ptr<QMessageBox> box(makeMessageBox(nullptr, QString(), QStringLiteral("?"), row.type));
        box->open();
        box->button(row.press)->click();
        EXPECT_EQ(messageBoxReply(*box), row.reply) << row.type << " " << row.press;
    }
}

TEST(ProgramIcons, AllFourAreThereInTheirSizes)
{
    const struct {
        QIcon icon;
        int size;
    } icons[] = {{ZVXTOD(), 32}, {ZVXMAIN(), 32}, {ZVXICON(), 48}, {PSWICO(), 32}};
    for (const auto& row : icons) {
        ASSERT_FALSE(row.icon.isNull());
        EXPECT_EQ(row.icon.availableSizes().value(0), QSize(row.size, row.size));
    }
    EXPECT_TRUE(programIcon(QStringLiteral("NOSUCHICON")).isNull());
}

// The substitute font is wider than the one the templates were laid out for: a
// label whose text would wrap past the bottom of its box gets a smaller font,
// so no line of it is lost; a label that fits keeps the dialog's font.
TEST(DialogTemplate, LabelsShowTheirWholeText)
{
    const DialogTemplate labels{
        "Labels", "Etiketler", 0, 0, 160, 60, "MS Shell Dlg", 8, DS_CAPTION,
        {
            {100, CtlKind::Label, 8, 7, 48, 12, "Hayvan sayısı:"},
            {101, CtlKind::Label, 8, 25, 48, 13, "Para birimi......:"},
            {102, CtlKind::Label, 8, 40, 140, 11, "Kısa"},
        }};
    TemplateDialog dialog(labels, nullptr, 96);
    for (int id : {100, 101, 102}) {
        auto* label = qobject_cast<QLabel*>(dialog.control(id));
        ASSERT_NE(label, nullptr);
        const QRect box(QPoint(0, 0), label->size());
        const QRect need = label->fontMetrics().boundingRect(
            box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
        EXPECT_LE(need.height(), box.height()) << id;
    }
    EXPECT_EQ(qobject_cast<QLabel*>(dialog.control(102))->font(), dialog.font());
}

// Texts joined with a bare CR or with CR LF break their lines in a label and
// in a message box, whatever the style; the text keeps its other characters.
TEST(DialogTemplate, CarriageReturnsBreakLinesInLabelsAndBoxes)
{
    const struct {
        const char* in;
        const char* out;
    } table[] = {
        {"bir\riki", "bir\niki"},
        {"bir\r\niki", "bir\niki"},
        {"bir\r\riki", "bir\n\niki"},
        {"bir\r\n\r\niki\r", "bir\n\niki\n"},
        {"bir\niki", "bir\niki"},
        {"Daha  Fazla  bilgi", "Daha  Fazla  bilgi"},
    };
    for (const auto& row : table)
        EXPECT_EQ(withLineFeeds(QString::fromUtf8(row.in)), QString::fromUtf8(row.out)) << row.in;

    const DialogTemplate tpl{
        "Lines", "Satırlar", 0, 0, 160, 80, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU,
        {
            {100, CtlKind::Label, 8, 8, 140, 30, "Program tam kurulu değil!\r\rÖnce kurunuz."},
            {101, CtlKind::Label, 8, 40, 140, 30, ""},
        }};
    TemplateDialog dialog(tpl, nullptr, 96);
    EXPECT_EQ(dialog.control<QLabel>(100)->text(), QStringLiteral("Program tam kurulu değil!\n\nÖnce kurunuz."));
    setLabelText(dialog.control<QLabel>(101), QStringLiteral("bir\r\niki\rüç"));
    EXPECT_EQ(dialog.control<QLabel>(101)->text(), QStringLiteral("bir\niki\nüç"));

    std::unique_ptr<QMessageBox> box(
        makeMessageBox(nullptr, QStringLiteral("Daha Fazla Bilgi"), QStringLiteral("bir\riki\r\nüç"), 64));
    EXPECT_EQ(box->text(), QStringLiteral("bir\niki\nüç"));
    box->show();
    QApplication::processEvents();
    auto* shown = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), QStringLiteral("bir\niki\nüç"));
    // Three lines high: the breaks are drawn, not swallowed.
    EXPECT_GE(shown->height(), 3 * shown->fontMetrics().lineSpacing());
}

// A label's text set after the dialog was built is fitted then, or at the
// latest when the dialog is shown; a shorter text later gets the label's own
// font back, and a font the dialog sets itself is where fitting starts.
TEST(DialogTemplate, LabelsAreFittedWheneverTheirTextIsSet)
{
    const DialogTemplate tpl{
        "Later", "Sonra", 0, 0, 250, 80, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU,
        {
            {100, CtlKind::Label, 8, 8, 221, 25, ""},
            {101, CtlKind::Label, 8, 40, 221, 25, ""},
            {102, CtlKind::CheckBox, 8, 66, 60, 10, ""},
        }};
    const QString terms = QStringLiteral(
        "Bu programda; çok sayıda değişken bulunmakta, girdilerin seçimi ve \n"
        "sonuçların yorumlanması ise temel bilgi gerektirmektedir. Bu sebepten,\n"
        "her kullanıcı kendi riskini taşır. Yazar hiç bir sorumluluk kabul etmez.");
    TemplateDialog dialog(tpl, nullptr, 96);
    auto* label = dialog.control<QLabel>(100);
    const QFont own = label->font();
    label->setWordWrap(false);
    setLabelText(label, terms);
    EXPECT_TRUE(labelTextFits(label));
    EXPECT_LT(QFontInfo(label->font()).pixelSize(), QFontInfo(own).pixelSize());
    setLabelText(label, QStringLiteral("Kısa"));
    EXPECT_EQ(label->font(), own);

    // Set straight on the label: fitted when the dialog shows.
    auto* direct = dialog.control<QLabel>(101);
    direct->setFont(templateFont(QStringLiteral("Arial"), 10, true));
    direct->setWordWrap(false);
    direct->setText(terms);
    EXPECT_FALSE(labelTextFits(direct));
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(labelTextFits(direct));
    EXPECT_TRUE(direct->font().bold());

    // A check box whose caption is a little too wide for its box.
    auto* check = dialog.control<QCheckBox>(102);
    setButtonText(check, QStringLiteral("Başlarken göster"));
    QStyleOptionButton opt;
    opt.initFrom(check);
    opt.text = check->text();
    const QRect room = check->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, check);
    EXPECT_LE(check->fontMetrics().horizontalAdvance(check->text()), room.width());
}

// The width a title needs in the frame: its text in the title-bar font,
// drawn bold, and the room of the frame's icon and buttons on both sides of
// it, each at least a title bar's height.
TEST(DialogTemplate, TitleBarWidthCountsTheTextAndTheFramesButtons)
{
    TemplateDialog dialog(kChoiceLike, nullptr, 96);
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics fm(font);
    const int bar = dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &dialog);
    int previous = 0;
    for (const char* title : {"x", "Bölen Seçimi", "Besin Maddesi Seçimi", "Bağlı Besin Maddeleri Seçimi"}) {
        const QString text = QString::fromUtf8(title);
        SCOPED_TRACE(title);
        const int width = titleBarWidth(&dialog, text);
        EXPECT_GE(width, fm.horizontalAdvance(text) + 2 * bar);
        EXPECT_GT(width, previous);
        previous = width;
    }
}

// Every dialog has the dialog frame: title and close box, no minimise or
// maximise button, a size of its own; the message boxes too.
TEST(DialogTemplate, DialogsHaveOnlyATitleAndACloseBox)
{
    TemplateDialog dialog(kChoiceLike, nullptr, 96);
    std::unique_ptr<QMessageBox> box(makeMessageBox(nullptr, QStringLiteral("Uyarı..."), QStringLiteral("Soru?"), 36));
    for (QWidget* w : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(box.get())}) {
        w->show();
        QApplication::processEvents();
        const Qt::WindowFlags flags = w->windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                              | Qt::WindowContextHelpButtonHint));
        EXPECT_EQ(w->minimumSize(), w->maximumSize());
    }
    // A template without the system menu: the title alone.
    DialogTemplate titleOnly = kChoiceLike;
    titleOnly.style = DS_CAPTION;
    TemplateDialog bare(titleOnly, nullptr, 96);
    EXPECT_FALSE(bare.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(bare.windowFlags() & Qt::WindowTitleHint);
}
