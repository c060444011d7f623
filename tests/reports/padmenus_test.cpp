// The report pad's menus as built: structure, texts, keys, toolbar, start state.
#include "resources/padmenus.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/toolbarimages.h"
#include "support/menuoutline.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace zeva {
namespace {

using test::expectSameLines;
using test::lines;

class NoOwner : public MenuOwner {
public:
    bool dispatch(const QString&) override { return false; }
};

const char* const kPadMenuOutline = R"(5168|&Dosya|FILE||File
  5169|&Yeni...|RE_FILENEW|Yeni bir dosya oluştur|File_New
  -
  5171|&Aç...|RE_FILEOPEN|Bir dosya aç|File_Open
  -
  5173|Ka&pat|CLOSE|Açık dosyayı kapat|
  5174|&Hepsini Kapat|CLOSEALL|Tüm alt pencereleri kapat|
  -
  5176|&Kaydet|RTFSAVE|Açık dosyadaki değişiklikleri kaydet|File_Save
  5177|&Farklı Kaydet|RTFSAVEAS|Farklı kaydet diyaloğunu çağır|File_Save_As
  -
  5179|Ya&zdır...|FILEPRINT|Mevcut metni yazdır|File_Print
  5180|Yazıcı &Ayarı|FILEPRINTERSETUP|Yazıcı ayarları diyaloğunu çağır|File_Printer_Setup
5181|&Yazım|EDIT|Yazım işlemleri|Edit
  5182|&Font|SETFONT|Font diyaloğunu çağır|SetFont
  -
  5184|&Marjlar|SETMARGINS|Sayfa maj ayarı diyaloğunu çağır|
  5185|&Düzenle|YAZıM_DÜZENLE||
    5186|&Sol|YAZıM_DÜZENLE_SOL||
    5187|&Orta|YAZıM_DÜZENLE_ORTA|Ortala|
    5188|Sa&ğ|YAZıM_DÜZENLE_SAĞ|Sağa daya|
  -
  5190|&Kes	Ctrl+X|CUT|Panoya kopyala ve sil|Cut
  5191|Ko&pyala	Ctrl+C|COPY|Panoya kopyala|Copy
  5192|&Yapıştır	Ctrl+V|PASTE|Panodan yapıştır|Paste
  -
  5194|&Tümünü Seç|SELECTALL|Rapor editöründeki metnin tamamını seç...|
5195|&Pencere|WINDOW|Alt pencereleri düzenle|
  5196|&Küçült|WINDOWCASCADE|Alt pencereyi küçült|WindowCascade
  -
  5198|&Diz...|WINDOWTILE|Alt pencereleri dizili olarak düzenle|WindowTile
5199|&Yardım|HELP||
  5200|&İndeks	F1|HELPINDEX|Yardım indeksini çağır|
  5201|İ&lgili Yardım	F2|RE_CONTEXTHELP|İlgili yardımı çağır|
  5202|Yardım &Kullanımı	F3|HELPUSINGHELP|Yardım nasıl alınır diyaloğunu çağır|
  -
  5204|&Hakkında...	F4|OHAKKINDA|ZEVA 2.0 Hakkında...|
)";

const char* const kPadToolbar = R"(100 5169 Yeni dosya aç
2 5171 Bir dosya aç
3 5173 Kapat
4 5176 Kaydet
5 5179 Yazdır
-
12 5182 Font ayarı
101 5190 Kes
31 5191 Kopyala
102 5192 Yapıştır
-
21 5186 Sola daya
22 5187 Ortala
23 5188 Sağa daya
-
120 5200 Yardım indeksi
)";

const char* const kContextOutline = R"(1223|&Yazım|EDIT|Yazım |Edit
  1224|&Font...|SETFONT|Font diyaloğunu çağır|Undo
  -
  1226|&Marjlar|SETMARGINS|Sayfa maj ayarı diyaloğunu çağır|
  1227|&Düzenle|YAZıM_DÜZENLE||
    1228|&Sol|YAZıM_DÜZENLE_SOL|Sola daya|
    1229|&Orta|YAZıM_DÜZENLE_ORTA|Ortala|
    1230|Sa&ğ|YAZıM_DÜZENLE_SAĞ|Sağa daya|
  -
  1232|&Kes	Ctrl+X|CUT|Panoya kopyala ve sil|Cut
  1233|Ko&pyala	Ctrl+C|COPY|Panoya kopyala|Copy
  1234|&Yapıştır	Ctrl+V|PASTE|Panodan yapıştır|Paste
  -
  1236|&Tümünü Seç|SELECTALL|Rapor editöründeki metnin tamamını seç...|Append
  -
  1238|Ka&pat...|CLOSE|Açık dosyayı kapat|
)";

TEST(PadMenus, StandardPadMenuAsBuilt)
{
    NoOwner owner;
    ShellMenu m(res::standardPadMenu(), &owner);
    EXPECT_EQ(m.name(), QStringLiteral("StandardPadMenu"));
    expectSameLines(test::outline(m), lines(kPadMenuOutline));
    expectSameLines(test::toolbarOutline(m), lines(kPadToolbar));
    const QMap<int, QString> keys{{5190, "Ctrl+X"}, {5191, "Ctrl+C"}, {5192, "Ctrl+V"},
                                  {5200, "F1"},     {5201, "F2"},     {5202, "F3"}, {5204, "F4"}};
    EXPECT_EQ(test::liveKeys(m), keys);
    for (auto it = m.actions().begin(); it != m.actions().end(); ++it)
        EXPECT_EQ(it.value()->isEnabled(), it.key() != 5176) << it.key();

    // Popups at their places: the bar, and "&Düzenle" fourth in "&Yazım".
    QStringList top;
    for (QMenu* menu : m.topMenus())
        top << QString::number(menu->menuAction()->data().toInt());
    EXPECT_EQ(top, (QStringList{"5168", "5181", "5195", "5199"}));
    EXPECT_EQ(m.action(5181)->menu()->actions().indexOf(m.action(5185)), 3);

    for (const res::ToolbarButton& b : res::standardPadMenu().toolbar) {
        if (b.image == 0)
            continue;
        EXPECT_TRUE(hasToolbarImage(b.image)) << b.image;
        const QImage img = toolbarImage(b.image).pixmap(16, 16).toImage();
        bool inked = false;
        for (int y = 0; y < img.height() && !inked; ++y)
            for (int x = 0; x < img.width() && !inked; ++x)
                inked = qAlpha(img.pixel(x, y)) > 0;
        EXPECT_TRUE(inked) << b.image;
    }
}

TEST(PadMenus, ContextMenuAsBuilt)
{
    NoOwner owner;
    ShellMenu m(res::edContMenu(), &owner);
    EXPECT_EQ(m.name(), QStringLiteral("ED_Cont_Menu"));
    expectSameLines(test::outline(m), lines(kContextOutline));
    const QMap<int, QString> keys{{1232, "Ctrl+X"}, {1233, "Ctrl+C"}, {1234, "Ctrl+V"}};
    EXPECT_EQ(test::liveKeys(m), keys);
    EXPECT_TRUE(m.toolBar()->actions().isEmpty());
    for (QAction* a : m.actions())
        EXPECT_TRUE(a->isEnabled());
}

}  // namespace
}  // namespace zeva
