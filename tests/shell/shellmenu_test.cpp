// The two shell menus as built: structure, texts, keys, toolbar, start state,
// and what choosing an item or pressing its key sends where.
#include "support/menuoutline.h"
#include "shell/ui/shellmenu.h"

#include "resources/menus.h"
#include "shell/settings.h"
#include "shell/ui/toolbarimages.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zeva {
namespace {

// ---------------------------------------------------------------- helpers

// Records the symbols it receives; handles those in `handles` (all when empty).
class RecordingOwner : public MenuOwner {
public:
    explicit RecordingOwner(MenuOwner* parent = nullptr, QStringList handles = {})
        : parent_(parent), handles_(std::move(handles)) {}
    bool dispatch(const QString& symbol) override
    {
        if (!handles_.isEmpty() && !handles_.contains(symbol))
            return false;
        received << symbol;
        if (onDispatch)
            onDispatch(symbol);
        return true;
    }
    MenuOwner* menuOwnerParent() override { return parent_; }

    QStringList received;
    std::function<void(const QString&)> onDispatch;

private:
    MenuOwner* parent_;
    QStringList handles_;
};

using test::expectSameLines;
using test::lines;
using test::liveKeys;
using test::outline;
using test::toolbarOutline;

// ---------------------------------------------------------------- tables

const char* const kEmptyShellOutline = R"(3526|&Dosya|FILE|Dosya işlemleri|
  3527|&Yeni...	Ctrl+Y|YENIDOSYAGIR|Yeni bir veri dosyası açılır|
  -
  3529|&Aç...	Ctrl+A|FILEOPEN|Mevcut bir veri dosysı güncelleştirmek üzere açılır|
  3530|Ka&pat...	Ctrl+P|FILECLOSE|Açık veri dosyası kapatılır|
  -
  3532|&Kaydet...	Ctrl+K|KAYDET|Değişiklikler, açık veri dosyasına kaydedilir|
  3533|&Farklı Kaydet	Ctrl+F|FKAYDET|Açık veri dosyası istenilen dizine veya araca kaydedilir|
  -
  3535|&Çıkış...	Ctrl+X|FILEEXIT|Program sonlandırılır|
3536|Aktif Problem &Girişleri|_AKTIF_PROBLEM_GIRIŞLERI|Aktif problem verileri girilir|
  3537|Yem Maddesi &Verileri	Ctrl+V|YM_GIRIS|Yem maddesi adı, fiyat  ve sınırlıkları girilir|
  3538|&Besin Maddesi Verileri	Ctrl+B|BM_GIRIS|Besin maddesi adı, birim ve sınırlıkları girilir|
  3539|Aktif &Matris Yazımı	Ctrl+M|AMAT_GIRIS|Aktif problem matrisi yazımı yapılır|
  3540|Besin Maddesi &Oranları	Ctrl+O|BMO_GIRIS|Besin maddeleri arasında oranlar belirlenir|
  -
  3542|&Referans Matristen Al|AKTIF_PROBLEM_GIRIŞLERI_REFERANS_MATRISTEN_AL|İlgili referans matristen yararlanma|
    3543|Seçerek &Oluştur|AMAT_OLUSTUR|Referans matristen, BM & YM seçerek, aktiktif matris oluşturulur|
    -
    3545|&Yem Maddesi Ekle|AMAT_YMEKLE|Aktif  probleme, referans matristen yem maddesi eklenir|
    3546|&Besin Maddesi Ekle|AMAT_BMEKLE|Aktif probleme, referans matristen besin maddesi eklenir|
  -
  3548|Süt Sığırı BM İhtiyaçları &Girişi	Ctrl+G|NRESTOFDC1|NRC eşitlikleriyle süt sığırları BM ihtiyacı tahmini yapılır|
3549|&Rapor Hazırla|_RAPOR_HAZıRLA|Program raporları hazırlanır|
  3550|Yem &Formülü|COZUM|Çözüm iterasyonları başlatılır ve sonuç raporu hazırlanır|
  -
  3552|&Aktif Matris|AMATREPORT|Aktif matris raporu hazırlanır|
  3553|&Referans Matrisler|TMATYAZDIR|Referans matris raporları hazırlanır|
    3554|&Havada Kuru |HKMREPORT|Havada kuru referans matris raporu hazırlanır|
    -
    3556|&Kuru Madde Esaslı|KMMREPORT|Kuru madde esaslı referans matris raporu hazırlanır|
  -
  3558|&Ham Madde Fiyat Listesi|HMFIATLIST|Yem maddelerine ait fiyat listesi raporu hazırlanır|
  -
  3560|&Süt Sığırı BM İhtiyaçları Raporu|NRESTOFDC2|NRC eşitlikleri ile sığır besin maddesi ihtiyaçları raporu|
3561|&Sonuçlar|_SONUÇLAR|Sonuç gözlemi|
  3562|Rapor &Editörü	Ctrl+E|REPORTPAD|Sonuçları ZEVA rapor editörününde gözle ve yazdır|
  -
  3564|&KM Esaslı Matrise Ekle|BUCOZ_EKLE|Mevcut çözümün BM özelliklerini KM matrise yem olarak ekle|
3565|Referans &Matrisler|_REFERANS_MATRISLER|Referans matris işlemleri|
  3566|Bir Matris &Seç|REFERANS_MATRISLER_BIR_MATRIS_SEÇ|İşlemler için bir matris seçimi yapılr|
    3567|&Havada Kuru|RMSEC_HK|İşlemler için Havada Kuru matris seçilir|
    -
    3569|&Kuru Madde Esaslı|RMSEC_KME|İşlemler için Kuru Madde Esaslı matris seçilir |
  -
  3571|Matris &İşlemleri|REFERANS_MATRISLER_MATRIS_İŞLEMLERI|Referans matrislerle ilgili işlemler yürütülür|
    3572|&Matris Yazımı|RM_YAZIM|Seçili referans matrisin yazımına geçilir|
    3573|Besin Maddesi &Ekle-Sil|RM_BMEKLESIL|Seçili referans matrise BM ekleme ve silme yapılır|
    -
    3575|RM Dosyası (dBF) &Yedekle|RM_YEDEKLE|Seçili referans matris dosyaları yedeklenir|
3576|&Yardım|HELP||
  3577|&İndeks	F1|HELPINDEX|Yardım indeksi çağrılır| 
  3578|İ&çindekiler	F2|HELPCONTENTS|İçindekiler listesi çağrılır|
  3579|Yardım &Kullanımı	F3|HELPUSINGHELP|Windows'un yardım nasıl alınır diyaloğu çağrılır|
  -
  3581|&Başlarken|YARDıM_BAŞLARKEN|Program başlatıldığında çağrılabilecek rutinler|
    3582|&Tüyo Göster|TUYOGOSTER|Program başlarken 'Tüyo Göster' diyaloğunu çağır|
    3583|&Logo Göster|LOGOGOSTER|Program başlarken 'program logosu' ekranını çağır|
    -
    3585|Ad ve &Parola Sor|ADPAROLASOR|Program başlarken 'ad ve parola sor'  diyaloğunu çağır|
  -
  3587|Yeni Kullanıcı &Ekle|ADDNEWUSER|Yeni bir ZEVA kullanıcısı ekle|
  3588|Ad ve &Parola Değiştir|CHANGEUANDP|Aktif kullanıcı ad ve parolasını değiştir|
  -
  3592|&Hakkında...	F4|OHAKKINDA|ZEVA 2.0 hakkında genel bilgi...|
)";

const char* const kStandardShellOutline = R"(3524|&Pencere|WINDOW|Alt pencereyi düzenle|
  3525|&Küçült|WINDOWCASCADE|Referans matris yazım penceresini küçült|WindowCascade
  3526|&Diz...|WINDOWTILE|Referans matris yazım penceresini dizili olarak düzenle|WindowTile
  -
  3528|Ka&pat|CLOSE|Referans matris penceresini kapat|
3529|Y&azım|EDIT|Yazım işlemleri|Edit
  3530|&Kes	Ctrl+X|CUT|Panoya kopyala ve sil|Cut
  3531|Ko&pyala	Ctrl+C|COPY|Panoya kopyala|Copy
  3532|&Yapıştır	Ctrl+V|PASTE|Panodan yapıştır|Paste
  3533|&Temizle	Ctrl+T|CLEAR|Seçili girişi temizle, sil|
  -
  3535|Yem Maddesi  &Ekle	F5|APPEND|Yeni yem maddesi ekle|Append
  3536|Yem Maddesi S&il	F6|RMDELETE|Seçili yem maddesini sil|Delete
  -
  3538|&Başa Git	Ctrl+Home|GOTOP|İlk yem maddesine git|GoTop
  3539|&Öncekine Git |SKIPPREVIOUS|Bir önceki yem maddesi ne git|SkipPrevious
  3540|Son&rakine Git|SKIPNEXT|Bir sonraki yem maddesine git|SkipNext
  3541|&Sona Git	Ctrl+End|GOBOTTOM|Son yem maddesine git|
3542|&Muhtelif|_MUHTELIF|Muhtelif kolon ve satır işlemleri |
  3543|Kolon &Dondur|PBSPLIT|Kolon dondur|
  3544|Kolon &Aritmetiği|COLMATHBM|Seçili kolona dörtişlem uygula|
  -
  3546|Besin Maddesi &Bağla|BMBAGLA|Bir satır boyunca bir BM'ye bağlı olarak muhtevaları değiştir|
3547|&Görünüş|VIEW|Görünüş|
  3548|&Form	Ctrl+F|VIEWFORM|Bir kaydı form olarak göster|
  -
  3550|&Tablo	Ctrl+T|VIEWTABLE|Kayıtları tablo şeklinde göster| 
3551|&Yardım|HELP|Yardım|
  3552|&İndeks	F1|HELPINDEX|Yardım indeksi diyaloğunu çağır|Help_Index
  3553|İl&gili Yardım	F2|CONTEXTHELP|İlgili yardımı çağır|Help_ContextHelp
  3554|Yardım &Kullanımı	F3|HELPUSINGHELP|Yardım nasıl alınır diyaloğunu çağır|Help_UsingHelp
  -
  3556|&Hakkında...	F4|ZVXHAKKINDA|ZEVA Hakkında |
)";

const char* const kEmptyShellToolbar = R"(1 3527 Yeni veri dosyası
-
2 3529 Mevcut bir veri dosyasını aç
3 3530 Açık veri dosyasını kapat
4 3532 Değişiklikleri kaydet
-
90 3550 Çözüm
6 3562 Rapor editörü
-
120 3577 Yardım indeksi
)";

const char* const kStandardShellToolbar = R"(3 3528 Kapat
-
101 3530 Kes
31 3531 Kopyala
102 3532 Yapıştır
69 3535 Yem Maddesi ekle
121 3536 Yem Maddesi sil
-
129 3538 Başa git
127 3539 Bir önceki kayda git
128 3540 Sonraki kayda git
130 3541 Sona git
-
107 3543 Kolon dondur
89 3544 Kolon aritmetiği
-
132 3548 Form görünüş
131 3550 Tablo
-
120 3552 Yardım indeksi
)";

// ---------------------------------------------------------------- structure

TEST(ShellMenuTables, EmptyShellMenuAsBuilt)
{
    RecordingOwner owner;
    ShellMenu m(res::emptyShellMenu(), &owner);
    EXPECT_EQ(m.name(), QStringLiteral("EmptyShellMenu"));
    expectSameLines(outline(m), lines(kEmptyShellOutline));
    expectSameLines(toolbarOutline(m), lines(kEmptyShellToolbar));

    const QMap<int, QString> keys{{3527, "Ctrl+Y"}, {3529, "Ctrl+A"}, {3530, "Ctrl+P"}, {3532, "Ctrl+K"},
                                  {3533, "Ctrl+F"}, {3535, "Ctrl+X"}, {3537, "Ctrl+V"}, {3538, "Ctrl+B"},
                                  {3539, "Ctrl+M"}, {3540, "Ctrl+O"}, {3548, "Ctrl+G"}, {3562, "Ctrl+E"},
                                  {3577, "F1"},     {3578, "F2"},     {3579, "F3"},     {3592, "F4"}};
    EXPECT_EQ(liveKeys(m), keys);

    // Greyed at start: these 17, nothing else (3565 and its selection items stay usable).
    const QSet<int> greyed{3530, 3575, 3573, 3572, 3564, 3552, 3550, 3548, 3546,
                           3545, 3543, 3540, 3539, 3538, 3537, 3533, 3532};
    QSet<int> disabled;
    for (auto it = m.actions().begin(); it != m.actions().end(); ++it)
        if (!it.value()->isEnabled())
            disabled.insert(it.key());
    EXPECT_EQ(disabled, greyed);
    EXPECT_EQ(greyed.size(), 17);
    for (int id : {3565, 3566, 3567, 3569})
        EXPECT_TRUE(m.isEnabled(id)) << id;
    // No item starts ticked.
    for (QAction* a : m.actions())
        EXPECT_FALSE(a->isChecked());
}

TEST(ShellMenuTables, StandardShellMenuAsBuilt)
{
    RecordingOwner owner;
    ShellMenu m(res::standardShellMenu(), &owner);
    expectSameLines(outline(m), lines(kStandardShellOutline));
    expectSameLines(toolbarOutline(m), lines(kStandardShellToolbar));
    // Ctrl+T is live on "&Temizle" only; "&Tablo" shows it as text.
    const QMap<int, QString> keys{{3530, "Ctrl+X"}, {3531, "Ctrl+C"}, {3532, "Ctrl+V"}, {3533, "Ctrl+T"},
                                  {3535, "F5"},     {3536, "F6"},     {3538, "Ctrl+Home"}, {3541, "Ctrl+End"},
                                  {3548, "Ctrl+F"}, {3552, "F1"},     {3553, "F2"},     {3554, "F3"},
                                  {3556, "F4"}};
    EXPECT_EQ(liveKeys(m), keys);
    for (QAction* a : m.actions())
        EXPECT_TRUE(a->isEnabled()) << a->data().toInt();
}

TEST(ShellMenuTables, PopupsSitAtTheirPositions)
{
    RecordingOwner owner;
    ShellMenu m(res::emptyShellMenu(), &owner);
    struct Place {
        int id, parent, position;  // parent 0: the menu bar
    };
    const Place places[] = {{3526, 0, 0},    {3536, 0, 1},    {3542, 3536, 5}, {3549, 0, 2},
                            {3553, 3549, 3}, {3561, 0, 3},    {3565, 0, 4},    {3566, 3565, 0},
                            {3571, 3565, 2}, {3576, 0, 5},    {3581, 3576, 4}};
    for (const Place& p : places) {
        QAction* a = m.action(p.id);
        ASSERT_NE(a, nullptr) << p.id;
        const QList<QAction*> siblings = p.parent == 0 ? [&] {
            QList<QAction*> top;
            for (QMenu* menu : m.topMenus())
                top << menu->menuAction();
            return top;
        }()
                                                       : m.action(p.parent)->menu()->actions();
        EXPECT_EQ(siblings.indexOf(a), p.position) << p.id;
    }
}

TEST(ShellMenuTables, EveryToolbarImageIsOurOwnDrawing)
{
    for (const res::MenuTable* t : {&res::emptyShellMenu(), &res::standardShellMenu()}) {
        for (const res::ToolbarButton& b : t->toolbar) {
            if (b.image == 0)
                continue;
            EXPECT_TRUE(hasToolbarImage(b.image)) << b.image;
            const QPixmap pm = toolbarImage(b.image).pixmap(16, 16);
            ASSERT_FALSE(pm.isNull());
            // Something is drawn on it.
            const QImage img = pm.toImage();
            bool inked = false;
            for (int y = 0; y < img.height() && !inked; ++y)
                for (int x = 0; x < img.width() && !inked; ++x)
                    inked = qAlpha(img.pixel(x, y)) > 0;
            EXPECT_TRUE(inked) << b.image;
        }
    }
}

// ---------------------------------------------------------------- behaviour

TEST(ShellMenuState, GreyingAnIdGreysItsButtonAndAppliesToTheMap)
{
    RecordingOwner owner;
    ShellMenu m(res::emptyShellMenu(), &owner);
    QWidget* button = m.toolBar()->widgetForAction(m.action(3530));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(m.toolBar()->widgetForAction(m.action(3529))->isEnabled());

    // A problem file opened with a 2 by 2 daily ration, then closed.
    MenuStateChange opened;
    opened.enable = {{3530, true}, {3550, true}, {3548, true}, {3564, true}};
    QWidget window;
    applyMenuState(opened, m.actions(), &window);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(m.toolBar()->widgetForAction(m.action(3550))->isEnabled());
    EXPECT_TRUE(window.windowTitle().isEmpty());

    ActiveProblem none;
    m.apply(MI_ENADISABLE(none), &window);
    EXPECT_FALSE(button->isEnabled());
    for (int id : {3548, 3550, 3564})
        EXPECT_FALSE(m.isEnabled(id)) << id;
    EXPECT_EQ(window.windowTitle(), kProgramTitle);
}

TEST(ShellMenuState, OptionTicksReappliedOnARebuiltMenu)
{
    ActiveProblem p;
    p.LSHOWTIPS = true;
    p.LLOGON = false;
    StartupOptionTicks ticks;
    ticks.setFromSettings(p);
    RecordingOwner owner;
    {
        ShellMenu first(res::emptyShellMenu(), &owner);
        first.apply(optionMenuState(ticks, p.LLOGON));
        EXPECT_TRUE(first.ISCHECKED(3582));
        EXPECT_FALSE(first.ISCHECKED(3583));
        EXPECT_FALSE(first.ISCHECKED(3585));
        EXPECT_FALSE(first.isEnabled(3587));
        EXPECT_FALSE(first.isEnabled(3588));
    }
    ShellMenu rebuilt(res::emptyShellMenu(), &owner);
    EXPECT_FALSE(rebuilt.ISCHECKED(3582));  // a new menu has no ticks of its own
    rebuilt.apply(optionMenuState(ticks, p.LLOGON));
    EXPECT_TRUE(rebuilt.ISCHECKED(3582));
}

TEST(ShellMenuDispatch, CommandsGoToTheOwnerThenUp)
{
    RecordingOwner mainWindow;
    RecordingOwner matrixWindow(&mainWindow, {QStringLiteral("CUT"), QStringLiteral("CLOSE")});
    ShellMenu m(res::standardShellMenu(), &matrixWindow);
    QList<QPair<QString, bool>> sent;
    QObject::connect(&m, &ShellMenu::commandSent,
                     [&sent](const QString& s, bool handled) { sent.append({s, handled}); });

    m.action(3530)->trigger();  // Cut: the matrix window's own
    m.action(3525)->trigger();  // cascade: not the matrix window's, so the main window's
    m.action(3528)->trigger();
    m.action(3548)->setEnabled(false);
    m.action(3548)->trigger();  // greyed: nothing
    EXPECT_EQ(matrixWindow.received, (QStringList{QStringLiteral("CUT"), QStringLiteral("CLOSE")}));
    EXPECT_EQ(mainWindow.received, QStringList{QStringLiteral("WINDOWCASCADE")});
    ASSERT_EQ(sent.size(), 3);
    EXPECT_EQ(sent[1], qMakePair(QStringLiteral("WINDOWCASCADE"), true));

    // Nobody handles it: dropped, and said so.
    RecordingOwner picky(nullptr, {QStringLiteral("CUT")});
    m.setOwner(&picky);
    m.action(3550)->trigger();
    EXPECT_EQ(sent.last(), qMakePair(QStringLiteral("VIEWTABLE"), false));
}

TEST(ShellMenuDispatch, ACommandSeesTheTickAsItWasBeforeTheChoice)
{
    RecordingOwner owner;
    ShellMenu m(res::emptyShellMenu(), &owner);
    m.setChecked(3583, true);
    bool seen = false;
    owner.onDispatch = [&](const QString&) { seen = m.ISCHECKED(3583); };
    m.action(3583)->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(m.ISCHECKED(3583));  // only the command changes it
    owner.onDispatch = [&](const QString&) { m.setChecked(3583, !m.ISCHECKED(3583)); };
    m.action(3583)->trigger();
    EXPECT_FALSE(m.ISCHECKED(3583));
}

// ---------------------------------------------------------------- keys

QStringList* gMessages = nullptr;

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    if (gMessages)
        gMessages->append(text);
}

// A shown, active main window carrying one menu; every Qt message is recorded.
class ShellMenuKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        gMessages = &messages_;
        previous_ = qInstallMessageHandler(recordMessage);
    }
    void TearDown() override
    {
        qInstallMessageHandler(previous_);
        gMessages = nullptr;
        for (const QString& m : messages_)
            EXPECT_FALSE(m.contains(QStringLiteral("Ambiguous shortcut"))) << m.toStdString();
    }
    void show(ShellMenu& m)
    {
        m.install(window_.menuBar());
        window_.addToolBar(m.toolBar());
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    QMainWindow window_;
    QStringList messages_;
    QtMessageHandler previous_ = nullptr;
};

TEST_F(ShellMenuKeys, EveryMainMenuKeyReachesItsCommand)
{
    RecordingOwner owner;
    ShellMenu m(res::emptyShellMenu(), &owner);
    show(m);

    // At start: Ctrl+P (close) is greyed and does nothing; Ctrl+X exits, it does not cut.
    QTest::keyClick(&window_, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(&window_, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(owner.received, QStringList{QStringLiteral("FILEEXIT")});

    for (QAction* a : m.actions())
        a->setEnabled(true);
    for (const res::AccelEntry& k : res::emptyShellMenu().accelerators) {
        owner.received.clear();
        QTest::keyClick(&window_, k.key, k.ctrl ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(owner.received, QStringList{m.symbol(k.id)}) << k.id;
    }
}

TEST_F(ShellMenuKeys, ReferenceMatrixMenuCtrlTClears)
{
    RecordingOwner owner;
    ShellMenu m(res::standardShellMenu(), &owner);
    show(m);
    QTest::keyClick(&window_, Qt::Key_T, Qt::ControlModifier);
    QTest::keyClick(&window_, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(&window_, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&window_, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(owner.received, (QStringList{QStringLiteral("CLEAR"), QStringLiteral("CUT"), QStringLiteral("GOTOP"),
                                           QStringLiteral("VIEWFORM")}));
    // "&Tablo" is still reached by its item and its button.
    m.action(3550)->trigger();
    EXPECT_EQ(owner.received.last(), QStringLiteral("VIEWTABLE"));
}

// The watch above would see a clash if there were one.
TEST_F(ShellMenuKeys, AClashingKeyIsCaught)
{
    RecordingOwner owner;
    ShellMenu m(res::standardShellMenu(), &owner);
    show(m);
    m.action(3550)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    QTest::keyClick(&window_, Qt::Key_T, Qt::ControlModifier);
    bool clash = false;
    for (const QString& msg : messages_)
        clash = clash || msg.contains(QStringLiteral("Ambiguous shortcut"));
    EXPECT_TRUE(clash);
    EXPECT_TRUE(owner.received.isEmpty());
    messages_.clear();
}

}  // namespace
}  // namespace zeva
