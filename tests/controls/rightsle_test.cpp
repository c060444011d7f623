// The right-aligned edits and their buttons, driven through Qt's key and
// mouse events.
#include "controls/ui/rightsle.h"
#include "controls/ui/wmbitmapbutton.h"
#include "platform/runtime.h"
#include "platform/ui/dialogtemplate.h"
#include "support/filedialogdelete.h"
#include "support/files.h"
#include "support/tempdir.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace zeva;
using controls::FieldSpec;

namespace {

// A window with a numeric edit 10 characters wide and 2 decimals, showing
// 0.00 all selected as Tab leaves it, and a second edit to take the focus.
struct NumericWindow {
    QWidget window;
    RIGHTSLE* edit = nullptr;
    QLineEdit* other = nullptr;

    explicit NumericWindow(int decimals = 2)
    {
        edit = new RIGHTSLE(&window, 100, QRect(10, 10, 200, 22));
        edit->setFIELDSPEC(FieldSpec::number(10, decimals));
        edit->setVALUE(0);
        other = new QLineEdit(&window);
        other->setGeometry(10, 40, 100, 22);
        window.resize(300, 100);
        window.show();
        QApplication::setActiveWindow(&window);
        edit->setFocus();
        edit->selectAll();
    }
};

void typeKeys(QWidget* w, const char* keys)
{
    for (const char* k = keys; *k; ++k)
        QTest::keyClick(w, *k);
}

}  // namespace

TEST(RightSle, NumericEntryThroughKeys)
{
    NumericWindow w;
    RIGHTSLE* e = w.edit;
    ASSERT_EQ(e->text(), QStringLiteral("      0.00"));
    EXPECT_FALSE(e->isModified());
    struct Step {
        const char* keys;  // typed characters, or "\b" for Backspace
        const char* text;
        int caret;
        double value;
    };
    const Step steps[] = {
        {"5", "      5.00", 7, 5},       {"3", "     53.00", 7, 53},    {".", "     53.00", 8, 53},
        {"72", "     53.72", 10, 53.72}, {"9", "     53.72", 10, 53.72}, {"\b", "     53.70", 9, 53.7},
        {"\b", "     53.00", 8, 53},     {"\b", "     53.00", 7, 53},    {"\b", "      5.00", 7, 5},
        {"\b", "      0.00", 7, 0},
    };
    for (const Step& s : steps) {
        if (s.keys[0] == '\b')
            QTest::keyClick(e, Qt::Key_Backspace);
        else
            typeKeys(e, s.keys);
        EXPECT_EQ(e->text(), QString::fromLatin1(s.text)) << s.keys;
        EXPECT_EQ(e->cursorPosition(), s.caret) << s.keys;
        EXPECT_DOUBLE_EQ(e->VALUE().toDouble(), s.value) << s.keys;
        EXPECT_TRUE(e->isModified()) << s.keys;
    }
}

TEST(RightSle, NumericKeysOfAFreshEditAndTheSign)
{
    {
        NumericWindow w;
        QTest::keyClick(w.edit, Qt::Key_Right);
        EXPECT_EQ(w.edit->cursorPosition(), 8);
        EXPECT_EQ(w.edit->text(), QStringLiteral("      0.00"));
    }
    {
        NumericWindow w;
        typeKeys(w.edit, "-5");
        EXPECT_EQ(w.edit->text(), QStringLiteral("     -5.00"));
        EXPECT_DOUBLE_EQ(w.edit->VALUE().toDouble(), -5);
    }
    {
        NumericWindow w;
        QTest::keyClick(w.edit, Qt::Key_Delete);
        EXPECT_EQ(w.edit->cursorPosition(), 8);
    }
    {
        // The keypad's "-" is the sign key of a numeric edit; Delete at the
        // end removes the last decimal.
        NumericWindow w;
        typeKeys(w.edit, "53.72");
        QTest::keyClick(w.edit, Qt::Key_Minus, Qt::KeypadModifier);
        EXPECT_EQ(w.edit->text(), QStringLiteral("    -53.72"));
        QTest::keyClick(w.edit, Qt::Key_Plus, Qt::KeypadModifier);
        EXPECT_EQ(w.edit->text(), QStringLiteral("     53.72"));
        QTest::keyClick(w.edit, Qt::Key_End);
        QTest::keyClick(w.edit, Qt::Key_Delete);
        EXPECT_EQ(w.edit->text(), QStringLiteral("     53.70"));
        EXPECT_EQ(w.edit->cursorPosition(), 9);
    }
    {
        NumericWindow w(0);
        typeKeys(w.edit, "4");
        EXPECT_EQ(w.edit->text(), QStringLiteral("         4"));
        EXPECT_EQ(w.edit->cursorPosition(), 10);
    }
}

TEST(RightSle, NumericRefusalsAndMends)
{
    NumericWindow w;
    RIGHTSLE* e = w.edit;
    typeKeys(e, "1234567");
    const int before = controlBeepCount();
    typeKeys(e, "8");
    EXPECT_EQ(controlBeepCount(), before + 1);
    typeKeys(e, ".89");
    EXPECT_EQ(e->text(), QStringLiteral("1234567.89"));
    typeKeys(e, "-");  // would not fit
    EXPECT_EQ(controlBeepCount(), before + 2);
    EXPECT_EQ(e->text(), QStringLiteral("1234567.89"));

    e->setVALUE(53.72);
    e->setSelection(5, 2);  // "53"
    QTest::keyClick(e, Qt::Key_Backspace);
    EXPECT_EQ(e->text(), QStringLiteral("      0.72"));
    EXPECT_EQ(e->cursorPosition(), 7);
}

TEST(RightSle, NumericTextChangesOnlyThroughTheEntry)
{
    NumericWindow w;
    RIGHTSLE* e = w.edit;
    typeKeys(e, "53.72");
    QApplication::clipboard()->setText(QStringLiteral("999"));

    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(e, Qt::Key_Backspace, Qt::ControlModifier);
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(e->text(), QStringLiteral("     53.72"));

    QTest::keyClick(e, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("     53.72"));
    EXPECT_EQ(e->text(), QStringLiteral("     53.72"));
    EXPECT_DOUBLE_EQ(e->VALUE().toDouble(), 53.72);

    QMimeData mime;
    mime.setText(QStringLiteral("777"));
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(e, &drop);
    QInputMethodEvent compose;
    compose.setCommitString(QStringLiteral("4"));
    QApplication::sendEvent(e, &compose);
    QTest::mouseClick(e, Qt::MiddleButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(e->text(), QStringLiteral("     53.72"));

    std::unique_ptr<QMenu> menu(e->createNumericContextMenu());
    for (QAction* a : menu->actions()) {
        const QString name = a->objectName();
        if (name == QLatin1String("edit-paste") || name == QLatin1String("edit-cut")
            || name == QLatin1String("edit-undo") || name == QLatin1String("edit-delete")) {
            EXPECT_FALSE(a->isEnabled()) << name.toStdString();
        }
        if (name == QLatin1String("edit-copy")) {
            EXPECT_TRUE(a->isEnabled());
        }
    }
}

TEST(RightSle, NumericEditInADialogAndReadOnly)
{
    const DialogTemplate tpl{"Num", "Sayı", 0, 0, 120, 60, "MS Shell Dlg", 8, DS_CAPTION,
                             {{100, CtlKind::Edit, 5, 5, 80, 12},
                              {101, CtlKind::PushButton, 5, 30, 40, 14, "&Tamam", CS_DEFAULT},
                              {102, CtlKind::PushButton, 60, 30, 40, 14, "&İptal"}}};
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        TemplateDialog dialog(tpl);
        auto* edit = new RIGHTSLE(&dialog, 100);
        edit->setFIELDSPEC(FieldSpec::number(10, 2));
        edit->setVALUE(1);
        QObject::connect(dialog.control<QPushButton>(101), &QPushButton::clicked, &dialog, &QDialog::accept);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        edit->setFocus();
        QTest::keyClick(edit, key);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
    }

    NumericWindow w;
    RIGHTSLE* e = w.edit;
    typeKeys(e, "53.72");
    e->setReadOnly(true);
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClick(e, Qt::Key_Delete);
    typeKeys(e, "9-");
    EXPECT_EQ(e->text(), QStringLiteral("     53.72"));
    QTest::keyClick(e, Qt::Key_Left);
    EXPECT_EQ(e->cursorPosition(), 9);
    QTest::keyClick(e, Qt::Key_Home);
    EXPECT_EQ(e->cursorPosition(), 0);

    // A double click selects all, and the next digit replaces the value.
    e->setReadOnly(false);
    QTest::mouseDClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
    EXPECT_EQ(e->selectedText(), QStringLiteral("     53.72"));
    typeKeys(e, "4");
    EXPECT_EQ(e->text(), QStringLiteral("      4.00"));
}

TEST(RightSle, DateEdit)
{
    QWidget window;
    auto* e = new RIGHTSLE(&window, 100, QRect(10, 10, 120, 22));
    e->setFIELDSPEC(FieldSpec::date());
    auto* other = new QLineEdit(&window);
    other->setGeometry(10, 40, 100, 22);
    window.show();
    QApplication::setActiveWindow(&window);
    int picks = 0;
    QDate answer(2024, 6, 15);
    e->setCalendarPickerOverride([&](RIGHTSLE&) {
        ++picks;
        return answer;
    });

    e->setVALUE(QDate(2023, 12, 31));
    QTest::keyClick(e, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(e->text(), QStringLiteral("01.01.2024"));
    QTest::keyClick(e, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(e->text(), QStringLiteral("31.12.2023"));
    EXPECT_EQ(e->VALUE().toDate(), QDate(2023, 12, 31));

    e->setText(QString());
    const int before = controlBeepCount();
    QTest::keyClick(e, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(controlBeepCount(), before);
    QTest::keyClick(e, '+');
    EXPECT_EQ(controlBeepCount(), before + 1);
    EXPECT_TRUE(e->text().isEmpty());

    e->command(RIGHTSLE::kCmdToday);
    EXPECT_EQ(e->text(), DateText(QDate::currentDate()));

    other->setFocus();
    e->command(RIGHTSLE::kCmdCalendar);
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(e->text(), QStringLiteral("15.06.2024"));
    EXPECT_TRUE(e->hasFocus());
    QTest::mouseDClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(picks, 2);
    answer = QDate();  // nothing picked
    e->command(RIGHTSLE::kCmdCalendar);
    EXPECT_EQ(picks, 3);
    EXPECT_EQ(e->text(), QStringLiteral("15.06.2024"));

    e->setReadOnly(true);
    QTest::keyClick(e, Qt::Key_Plus, Qt::KeypadModifier);
    e->command(RIGHTSLE::kCmdToday);
    e->command(RIGHTSLE::kCmdCalendar);
    QTest::mouseDClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    e->deselect();
    QTest::keyClick(e, '+');
    QTest::keyClick(e, '-');
    EXPECT_EQ(picks, 3);
    EXPECT_EQ(e->text(), QStringLiteral("15.06.2024"));
}

TEST(RightSle, OtherTypesTypePlainly)
{
    QWidget window;
    auto* plain = new RIGHTSLE(&window);
    auto* chars = new RIGHTSLE(&window);
    chars->setFIELDSPEC(FieldSpec::character(10));
    window.show();
    for (RIGHTSLE* e : {plain, chars}) {
        typeKeys(e, "a+-5.");
        QTest::keyClick(e, Qt::Key_Backspace);
        EXPECT_EQ(e->text(), QStringLiteral("a+-5"));
    }
    plain->setText(QStringLiteral("    42"));
    EXPECT_EQ(plain->ZEROPAD(), QStringLiteral("000042"));
}

TEST(AttachedButtons, PlacementAndPainting)
{
    QWidget window;
    window.resize(300, 100);
    auto* date = new DATESLE(&window, 100, QRect(10, 30, 200, 20));
    EXPECT_EQ(date->geometry(), QRect(10, 30, 170, 20));
    auto* button = qobject_cast<DATEPB*>(date->attachedButton());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->geometry(), QRect(182, 30, 30, 21));
    EXPECT_EQ(button->parentWidget(), &window);
    EXPECT_EQ(date->FIRSTDAYOFTHEWEEK, 1u);
    EXPECT_EQ(date->text(), DateText(QDate()));
    window.show();
    QApplication::setActiveWindow(&window);

    int picks = 0;
    date->setCalendarPickerOverride([&](RIGHTSLE&) {
        ++picks;
        return QDate(2024, 6, 15);
    });

    // Held down, the button shows the pressed bitmap as it is.
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(button->LDOWN);
    const QImage shot = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage down = controlBitmap(QStringLiteral("IBM_CALDN")).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(down.size(), QSize(26, 21));
    bool same = true;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 26; ++x)
            same = same && shot.pixel(x, y) == down.pixel(x, y);
    EXPECT_TRUE(same);
    EXPECT_EQ(QColor(shot.pixel(27, 10)), button->palette().color(QPalette::Button));
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(button->LDOWN);
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(date->text(), QStringLiteral("15.06.2024"));

    // Space on the focused button is a click.
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(picks, 2);

    // A read-only or disabled edit opens nothing.
    date->setReadOnly(true);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    date->setReadOnly(false);
    date->DISABLE();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(picks, 2);
    EXPECT_TRUE(button->isEnabled());
    date->ENABLE();
    EXPECT_FALSE(date->isReadOnly());

    // The button hides and shows with its edit.
    date->hide();
    EXPECT_FALSE(button->isVisible());
    date->SHOW();
    EXPECT_TRUE(button->isVisible());
}

TEST(AttachedButtons, OneAndTwoStates)
{
    QWidget window;
    auto* button = new WMBITMAPBUTTON(&window, 5, QRect(0, 0, 30, 21));
    window.show();
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(button->LDOWN);
    // Leaving the button with the mouse held lifts it, coming back presses it.
    QMouseEvent away(QEvent::MouseMove, QPointF(100, 100), button->mapToGlobal(QPointF(100, 100)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &away);
    EXPECT_FALSE(button->LDOWN);
    QMouseEvent back(QEvent::MouseMove, QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &back);
    EXPECT_TRUE(button->LDOWN);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(button->LDOWN);

    button->LTWOSTATE = true;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(button->LDOWN);
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(button->LDOWN);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(button->LDOWN);

    button->HBITMAPUP = controlBitmap(QStringLiteral("IBM_MAGNIFUP"));
    EXPECT_EQ(button->HBITMAPUP.size(), QSize(22, 21));
    button->DESTROY();
    EXPECT_TRUE(button->HBITMAPUP.isNull());
    EXPECT_TRUE(button->HBITMAPDOWN.isNull());
}

namespace {

// Records what the file edits ask and answers from a preset.
class RecordingChooser : public FileChooser {
public:
    QString answer;
    QStringList calls;  // "open", "save", "folder"
    QString caption;
    QString initialName;
    QStringList filters;

    QString openFileName(QWidget*, const QString& initial, const QStringList& f) override
    {
        calls << QStringLiteral("open");
        initialName = initial;
        filters = f;
        return answer;
    }
    QString saveFileName(QWidget*, const QString& initial, const QStringList& f) override
    {
        calls << QStringLiteral("save");
        initialName = initial;
        filters = f;
        return answer;
    }
    QString folderName(QWidget*, const QString& c) override
    {
        calls << QStringLiteral("folder");
        caption = c;
        return answer;
    }
};

class CountingDialog : public TemplateDialog {
public:
    using TemplateDialog::TemplateDialog;
    int cancels = 0;
    void PBIPTAL() override { ++cancels; }
};

const DialogTemplate kFolderLike{
    "FolderLike", "Yedekle", 0, 0, 265, 44, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU,
    {
        {103, CtlKind::Label, 6, 8, 44, 9, "Dizin girişi:"},
        {100, CtlKind::Edit, 52, 6, 206, 12},
        {101, CtlKind::PushButton, 152, 24, 50, 14, "&Tamam", CS_DEFAULT},
        {102, CtlKind::PushButton, 208, 24, 50, 14, "&İptal"},
    }};

}  // namespace

TEST(FileEdits, FolderEditOnADialogTemplate)
{
    CountingDialog dialog(kFolderLike);
    const QRect place = dialog.control(100)->geometry();
    auto* edit = new PBFILESLE(&dialog, 100);
    EXPECT_EQ(dialog.control(100), edit);
    EXPECT_EQ(edit->geometry(), QRect(place.topLeft(), QSize(place.width() - 30, place.height())));
    auto* button = qobject_cast<FILEPB*>(edit->attachedButton());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->geometry(), attachedButtonGeometry(place));
    EXPECT_EQ(edit->font(), dialog.font());

    RecordingChooser chooser;
    edit->setFileChooser(&chooser);
    edit->NDIALOGTYPE = 2;
    edit->SFDIALOGCAPTION = QStringLiteral("RM Dosyasını Yedeklemek İstediğiniz Dizini Seçiniz:");
    edit->SDBFNAME = QStringLiteral("Matnrc.Dbf");
    dialog.show();
    QApplication::setActiveWindow(&dialog);

    struct Case {
        const char* folder;
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {"/media/yedek", "Matnrc.Dbf", "/media/yedek/Matnrc.Dbf"},
        {"/media/yedek/", "Matnrc.Dbf", "/media/yedek/Matnrc.Dbf"},
        {"/", "Matnrc.Dbf", "/Matnrc.Dbf"},
        {"/media/yedek", "", "/media/yedek/"},
    };
    for (const Case& c : cases) {
        chooser.calls.clear();
        chooser.answer = QString::fromUtf8(c.folder);
        edit->SDBFNAME = QString::fromUtf8(c.name);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        EXPECT_EQ(chooser.calls, QStringList{QStringLiteral("folder")});
        EXPECT_EQ(chooser.caption, QStringLiteral("RM Dosyasını Yedeklemek İstediğiniz Dizini Seçiniz:"));
        EXPECT_EQ(edit->TEXTVALUE(), QString::fromUtf8(c.text));
        EXPECT_FALSE(button->LDOWN);
    }

    // A double-click does the same; a cancelled dialog keeps the text.
    chooser.calls.clear();
    chooser.answer.clear();
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(chooser.calls.size(), 1);
    EXPECT_EQ(edit->TEXTVALUE(), QStringLiteral("/media/yedek/"));

    // Read-only: nothing is asked, and the button does not stay down.
    chooser.calls.clear();
    edit->setReadOnly(true);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(chooser.calls.isEmpty());
    EXPECT_FALSE(button->LDOWN);
    EXPECT_FALSE(button->isDown());

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(dialog.cancels, 1);
}

TEST(FileEdits, FileDialogsAndFilters)
{
    QWidget window;
    auto* edit = new FILESLE(&window, 0, QRect(0, 0, 200, 20));
    RecordingChooser chooser;
    edit->setFileChooser(&chooser);
    window.show();
    edit->setText(QStringLiteral("/tmp/eski.txt"));

    for (int type : {0, 3}) {
        chooser.calls.clear();
        chooser.answer.clear();
        edit->NDIALOGTYPE = type;
        QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        EXPECT_EQ(chooser.calls, QStringList{QStringLiteral("save")}) << type;
        EXPECT_EQ(chooser.initialName, QStringLiteral("/tmp/eski.txt"));
        EXPECT_EQ(edit->text(), QStringLiteral("/tmp/eski.txt"));
    }

    chooser.calls.clear();
    chooser.answer = QStringLiteral("/tmp/yeni.dbf");
    edit->NDIALOGTYPE = 1;
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(chooser.calls, QStringList{QStringLiteral("open")});
    EXPECT_EQ(chooser.filters, QStringList{QStringLiteral("All FIles (*)")});
    EXPECT_EQ(edit->text(), QStringLiteral("/tmp/yeni.dbf"));

    edit->XFILTER = QStringList{QStringLiteral("*.dbf"), QStringLiteral("*.txt;*.prn")};
    edit->XFILTERDESC = QStringList{QStringLiteral("Tablolar"), QStringLiteral("Metinler")};
    EXPECT_EQ(edit->filters(),
              (QStringList{QStringLiteral("Tablolar (*.dbf)"), QStringLiteral("Metinler (*.txt *.prn)")}));
}

namespace {

class SearchOwner : public QWidget {
    Q_OBJECT
public:
    QStringList searched;
    QStringList found;
    QWidget* lastEdit = nullptr;

    Q_INVOKABLE void sleSearch(QWidget* edit, const QString& text)
    {
        lastEdit = edit;
        searched << text;
    }
    Q_INVOKABLE void findIt(QWidget*, const QString& text) { found << text; }
};

}  // namespace

TEST(SearchEdit, AsksTheOwner)
{
    SearchOwner owner;
    auto* edit = new SEARCHSLE(&owner, 0, QRect(0, 0, 200, 20));
    auto* button = qobject_cast<SEARCHPB*>(edit->attachedButton());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->focusPolicy(), Qt::ClickFocus);
    owner.show();
    edit->setText(QStringLiteral("arpa kepeği"));

    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(owner.searched, QStringList{QStringLiteral("arpa kepeği")});
    EXPECT_EQ(owner.lastEdit, edit);
    EXPECT_TRUE(edit->selectedText().isEmpty());
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(owner.searched.size(), 2);

    edit->setReadOnly(true);
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(owner.searched.size(), 3);
    edit->setReadOnly(false);

    edit->SYMMETHOD = "findIt";
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(owner.found, QStringList{QStringLiteral("arpa kepeği")});
    EXPECT_EQ(owner.searched.size(), 3);

    // An owner without the method: nothing happens, no word is selected.
    QWidget plainOwner;
    auto* lonely = new SEARCHSLE(&plainOwner, 0, QRect(0, 0, 200, 20));
    plainOwner.show();
    lonely->setText(QStringLiteral("arpa kepeği"));
    lonely->deselect();
    QTest::mouseDClick(lonely, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(lonely->selectedText().isEmpty());
}

namespace {

class FakeClock : public TimerClock {
public:
    double now = 1000;
    QTime time = QTime(23, 59, 55);
    double seconds() const override { return now; }
    QTime timeOfDay() const override { return time; }
    void advance(double s)
    {
        now += s;
        time = time.addSecs(static_cast<int>(s));
    }
};

}  // namespace

TEST(TimerEdit, CountsWithAFakeClock)
{
    FakeClock clock;
    TIMERSLE edit;
    edit.setClock(&clock);
    edit.START();
    EXPECT_TRUE(edit.isRunning());
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
    clock.advance(10);  // across midnight
    edit.TIMER();
    EXPECT_EQ(edit.text(), QStringLiteral("10"));
    edit.STOP();
    clock.advance(5);
    edit.START();
    clock.advance(3);
    edit.TIMER();
    EXPECT_EQ(edit.text(), QStringLiteral("13"));
    edit.START();
    edit.TIMER();
    EXPECT_EQ(edit.text(), QStringLiteral("13"));
    edit.RESET();
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
    EXPECT_FALSE(edit.isRunning());

    edit.setSTYLE(2);
    edit.START();
    clock.advance(119);
    edit.TIMER();
    EXPECT_EQ(edit.text(), QStringLiteral("1"));
    edit.RESET();
    edit.setSTYLE(3);
    edit.START();
    clock.advance(90);
    edit.TIMER();
    EXPECT_EQ(edit.text(), QStringLiteral("1.5"));
    edit.setSTYLE(0);
    edit.TIMER();
    EXPECT_EQ(edit.text(), clock.time.toString(QStringLiteral("hh:mm:ss")));
}

TEST(TimerEdit, TheWindowTimerRefreshes)
{
    FakeClock clock;
    TIMERSLE edit;
    edit.setClock(&clock);
    edit.setINTERVAL(5);
    edit.START();
    clock.advance(42);
    QElapsedTimer waited;
    waited.start();
    while (edit.text() != QLatin1String("42") && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(edit.text(), QStringLiteral("42"));
    edit.STOP();
}

// The file edits' own dialogs (open, save, folder): Delete on a folder,
// answered Yes, leaves it and what it holds; the open dialog changes nothing
// on disk at all.
TEST(FileDialogs, TheEditsDialogsDeleteNoFolder)
{
    test::TempDir tmp;
    const QString folder = tmp.file(QStringLiteral("eski"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/ic")));
    test::writeAll(folder + QStringLiteral("/ic/not.txt"), "kalsin");
    const QString start = tmp.file(QStringLiteral("yok.txt"));
    const QStringList all{QStringLiteral("Tüm Dosyalar (*)")};
    const QStringList keeps{QStringLiteral("qt_rename_action"), QStringLiteral("qt_new_folder_action")};
    const struct {
        const char* which;
        std::function<void()> open;
        QStringList offered;
    } cases[] = {
        {"open", [&] { defaultFileChooser().openFileName(nullptr, start, all); }, {}},
        {"save", [&] { defaultFileChooser().saveFileName(nullptr, start, all); }, keeps},
        {"folder", [&] { defaultFileChooser().folderName(nullptr, QStringLiteral("Dizini Seçiniz:")); }, keeps},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.which);
        test::FolderDeleteAttempt attempt;
        test::NextFileDialog next(
            [&](QFileDialog& fd) { attempt = test::tryToDeleteFolder(fd, tmp.path(), QStringLiteral("eski")); });
        c.open();
        EXPECT_TRUE(next.seen());
        EXPECT_TRUE(attempt.questions.isEmpty()) << attempt.questions.join('|').toStdString();
        EXPECT_EQ(attempt.offered, c.offered);
        EXPECT_EQ(test::readAll(folder + QStringLiteral("/ic/not.txt")), QByteArray("kalsin"));
    }
}

#include "rightsle_test.moc"
