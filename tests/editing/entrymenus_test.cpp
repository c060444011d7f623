// The menus of the entry windows as built from their tables: items, texts,
// symbols, prompts, help contexts, toolbar order and tips, live keys.
#include "support/menuoutline.h"
#include "resources/entrymenus.h"

#include "gridtestutil.h"
#include "shell/menuowner.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/toolbarimages.h"

#include <QAction>
#include <QMap>
#include <QMenu>
#include <QToolBar>

#include <gtest/gtest.h>

namespace zeva {
namespace {

class NullOwner : public MenuOwner {
public:
    bool dispatch(const QString&) override { return true; }
};

using test::expectSameLines;
using test::lines;
using test::liveKeys;
using test::outline;
using test::toolbarOutline;

struct MenuCase {
    const char* name;
    const res::MenuTable& (*table)();
    const char* outline;
    const char* toolbar;  // null: a context menu, no buttons
    QMap<int, QString> keys;
};

const char* const kBmGir = R"(3774|&Pencere|WINDOW|Mevcut pencereyi düzenle|
  3775|&Küçült|WINDOWCASCADE|BM giriş penceresini küçült|WindowCascade
  3776|&Diz...|WINDOWTILE|BM giriş penceresini dizili olarak düzenle|WindowTile
  -
  3778|Ka&pat|CLOSE|BM giriş penceresini kapat|
3779|Y&azım|EDIT|Yazım işlemi|Edit
  3780|&Kes	Ctrl+X|CUT|Sil ve panoya kopyala|Cut
  3781|Ko&pyala	Ctrl+C|COPY|Panoya kopyala|Copy
  3782|&Yapıştır	Ctrl+V|PASTE|Panodan yapıştır|Paste
  3783|&Temizle	Ctrl+T|CLEAR|Seçili girişi temizle|Clear
  -
  3785|Besin Maddesi &Ekle	F5|APPEND|Yeni bir besin maddesi satırı ekle|Append
  3786|Besin Maddesi S&il	F6|BMDELETE|Seçili besin maddesi satırını sil|Delete
  -
  3788|&Başa Git	Ctrl+Home|GOTOP|İlk kayda  konumlan|GoTop
  3789|&Öncekine Git|SKIPPREVIOUS|Bir önceki kayda konumlan|SkipPrevious
  3790|Son&rakine Git|SKIPNEXT|Bir sonraki kayda konumlan|SkipNext
  3791|&Sona Git	Ctrl+End|GOBOTTOM|Son kayda konumlan|GoBottom
3792|&Yardım|HELP|Yardım|
  3793|&İndeks	F1|HELPINDEX|Yardım indeksi|
  3794|İl&gili Yardım	F2|CONTEXTHELP|İlgili yardımı çağır|
  3795|&Yardım Kullanımı	F3|HELPUSINGHELP|Windows'un yardım nasıl alınır diyaloğunu çağır|
  -
  3797|&Hakkında...	F4|ZVXHAKKINDA|ZEVA 2.0 hakkında|
)";

const char* const kBmGirToolbar = R"(3 3778 Pencereyi kapat
-
101 3780 Kes
31 3781 Kopyala
102 3782 Yapıştır
69 3785 Yeni besin maddesi gir
121 3786 Seçili besin maddesini sil
-
129 3788 Başa git
127 3789 Bir önceki kayda git
128 3790 Bir sonraki kayda git
130 3791 Son kayda git
-
120 3793 Yardım indeksi
)";

const char* const kYmGir = R"(3980|&Pencere|WINDOW|Alt pencereyi düzenle|
  3981|&Küçült|WINDOWCASCADE|Yem maddesi veri giriş penceresini küçült|WindowCascade
  3982|&Diz...|WINDOWTILE|Yem maddesi veri giriş penceresini dizili olarak düzenle|WindowTile
  -
  3984|Ka&pat|CLOSE|Yem maddesi veri giriş penceresini kapat|
3985|Y&azım|EDIT|Yazım işlemleri|Edit
  3986|&Kes	Ctrl+X|CUT|Panoya kopyala ve sil|Cut
  3987|Ko&pyala	Ctrl+C|COPY|Panoya kopyala|Copy
  3988|&Yapıştır	Ctrl+V|PASTE|Panodan yapıştır|Paste
  3989|&Temizle	Ctrl+T|CLEAR|Seçili girişi temizle|
  -
  3991|Yem Maddesi &Ekle	F5|APPEND|Yeni yem maddesi ekle|Append
  3992|Yem Maddesi S&il	F6|YMDELETE|Seçili yem maddesini sil|Delete
  -
  3994|&Başa Git	Ctrl+Home|GOTOP|İlk yem maddesine git|GoTop
  3995|&Öncekine Git |SKIPPREVIOUS|Önceki yem madesine git|SkipPrevious
  3996|Son&rakine Git|SKIPNEXT|Sonraki yem maddesine git|SkipNext
  3997|&Sona Git	Ctrl+End|GOBOTTOM|Son yem maddesine git|GoBottom
3998|&Yardım|HELP|Yardım|
  3999|&İndeks	F1|HELPINDEX|Yardım indeksi|
  4000|İl&gili Yardım	F2|CONTEXTHELP|İlgili yardım|
  4001|&Yardım Kullanımı	F3|HELPUSINGHELP|Windows'un yardım nasıl alınır diyaloğunu çağır|
  -
  4003|&Hakkında..	F4|ZVXHAKKINDA|ZEVA 2.0 hakkında|
)";

const char* const kYmGirToolbar = R"(3 3984 Pencereyi kapat
-
101 3986 Kes
31 3987 Kopyala
102 3988 Yapıştır
69 3991 Yeni yem maddesi ekle
121 3992 Seçili yem maddesini sil
-
129 3994 Başa git
127 3995 Bir önceki kayda git
128 3996 Bir sonraki kayda git
130 3997 Sona git
-
120 3999 Yardım indeksi
)";

const char* const kBmoGir = R"(4110|&Pencere|WINDOW|Alt pencereyi düzenle|
  4111|&Küçült|WINDOWCASCADE|BMO veri giriş penceresini küçült|WindowCascade
  4112|&Diz...|WINDOWTILE|BMO veri giriş penceresini  dizili olarak düzenle|WindowTile
  -
  4114|Ka&pat|CLOSE|BMO veri giriş penceresini kapat|
4115|Y&azım|EDIT|Yazım işlemleri|Edit
  4116|&Kes	Ctrl+X|CUT|Sil ve panoya kopyala|Cut
  4117|Ko&pyala	Ctrl+C|COPY|Panoya kopyala|Copy
  4118|&Yapıştır	Ctrl+V|PASTE|Panodan yapıştır|Paste
  4119|&Temizle	Ctrl+T|CLEAR|Seçili girişi temizle|Clear
  -
  4121|Oran &Ekle	F5|APPEND|Yeni oran ekle|Append
  4122|Oran S&il	F6|BMODELETE|Seçili oranı sil| 
  4123|&Oran Seç	F7|ORANSEC|Mevcut besin maddelerinden yeni bir oran seç|
  -
  4125|&Başa Git	Ctrl+Home|GOTOP|İlk kayda konumlan|GoTop
  4126|&Öncekine Git|SKIPPREVIOUS|Önceki kayda konumlan|SkipPrevious
  4127|Son&rakine Git|SKIPNEXT|Sonraki kayda konumlan|SkipNext
  4128|&Sona Git	Ctrl+End|GOBOTTOM|Son kayda konumlan|GoBottom
4129|&Yardım|HELP|Yardım|
  4130|&İndeks	F1|HELPINDEX|Yardın indeksi|
  4131|İl&gili Yardım	F2|CONTEXTHELP|İlgili yardım|
  4132|&Yardım Kullanımı	F3|HELPUSINGHELP|Yardım nasıl alınır|
  -
  4134|&Hakkında...	F4|ZVXHAKKINDA|ZEVA 2.0 hakkinda |
)";

const char* const kBmoGirToolbar = R"(3 4114 Pencereyi kapat
-
101 4116 Kes
31 4117 Kopyala
102 4118 Yapıştır
69 4121 Oran ekle
121 4122 Seçili oranı sil
81 4123 Oran seç
-
129 4125 Başa git
127 4126 Önceki kayda konumlan
128 4127 Sonraki kayda konumlan
130 4128 Son kayda konumlan
-
120 4130 Yardım indeksi
)";

const char* const kBmCont = R"(3835|&Yazım|EDIT|Besin maddesi verileri yazımı|Edit
  3836|&Başa Git	Ctrl+Home|GOTOP|İlk kayda  konumlan|GoTop
  3837|&Öncekine Git|SKIPPREVIOUS|Bir önceki kayda konumlan|SkipPrevious
  3838|Son&rakine Git|SKIPNEXT|Bir sonraki kayda konumlan|SkipNext
  3839|&Sona Git	Ctrl+End|GOBOTTOM|Son kayda konumlan|GoBottom
  -
  3841|Besin Maddesi &Ekle	F5|APPEND|Yeni bir besin maddesi satırı ekle|Append
  3842|Besin Maddesi S&il	F6|BMDELETE|Seçili besin maddesi satırını sil|Delete
  -
  3844|&Kapat...|CLOSE|BM giriş penceresini kapat|Find
)";

const char* const kYmCon = R"(4038|&Yazım|EDIT|Yem maddesi veri giriş penceresi içerik menüsü|Edit
  4039|&Başa Git	Ctrl+Home|GOTOP|İlk kayda konumlan|GoTop
  4040|&Öncekine Git|SKIPPREVIOUS|Önceki kayda konumlan|GoTo
  4041|Son&rakine Git|SKIPNEXT|Sonraki kayda konumlan|SkipPrevious
  4042|&Sona Git	Ctrl+End|GOBOTTOM|Son kayda konumlan|GoBottom
  -
  4044|Yem Maddesi &Ekle	F5|APPEND|Yeni yem maddesi ekle|Append
  4045|Yem Maddesi S&il	F6|YMDELETE|Seçili yem maddesini sil|Delete
  -
  4047|&Kapat...|CLOSE|Yem maddesi veri giriş penceresini kapat|
)";

const char* const kBmoCont = R"(4169|&Yazım|EDIT|Edit information|Edit
  4170|&Başa Git	Ctrl+Home|GOTOP|İlk kayda konumlan|GoTop
  4171|&Öncekine Git|SKIPPREVIOUS|Önceki kayda konumlan|SkipPrevious
  4172|Son&rakine Git|SKIPNEXT|Sonraki kayda konumlan|SkipNext
  4173|&Sona Git	Ctrl+End|GOBOTTOM|Son kayda konumlan|GoBottom
  -
  4175|Oran &Ekle	F5|APPEND|Yeni oran ekle|Append
  4176|Oran S&il	F6|BMODELETE|Seçili oranı sil|Delete
  4177|&Oran Seç	F7|ORANSEC|Mevcut besin maddelerinden yeni bir oran seç|
  -
  4179|&Kapat...|CLOSE|BMO veri giriş penceresini kapat|
)";

const char* const kAmatGir = R"(4245|&Pencere|WINDOW|Pencereyi düzenle|
  4246|&Küçült|WINDOWCASCADE|Pencereyi küçük olarak düzenle|WindowCascade
  4247|&Diz...|WINDOWTILE|Pencereyi dizili olarak düzenle|WindowTile
  -
  4249|Ka&pat...|CLOSE|Matris yazım penceresini kapat|
4250|Y&azım|EDIT|Yazım işlemleri|Edit
  4251|&Kes	Ctrl+X|CUT|Panoya kopyala ve sil|Cut
  4252|K&opyala	Ctrl+C|COPY|Panoya kopyala|Copy
  4253|Yapı&ştır	Ctrl+V|PASTE|Panodan yapıştır|Paste
  4254|&Temizle	Ctrl+T|CLEAR|Aktif girişi temizle|Clear
  -
  4256|&Başa Git	Ctrl+Home|GOTOP|Başa git|GoTop
  4257|&Önceki|SKIPPREVIOUS|Önceki kayda git|SkipPrevious
  4258|Son&raki|SKIPNEXT|Soraki kayda git|SkipNext
  4259|&Sona Git	Ctrl+End|GOBOTTOM|Son kayda git|GoBottom
4260|&Muhtelif|_MUHTELIF||
  4261|Kolon &Dondur|PBSPLIT|Kolon dondur|
  -
  4263|Besin Maddesi &Bağla|BMBAGLA|Besin maddesi bağla|
4264|&Yardım|HELP|Yardım|
  4265|&İndeks	F1|HELPINDEX|Yardım indeksi|
  4266|İl&gili Yardım	F2|CONTEXTHELP|İlgili yardım|
  4267|Yardı&m Kullanımı	F3|HELPUSINGHELP|Yardım nasıl alınır diyaloğunu çağır|
  -
  4269|&Hakkında...	F4|ZVXHAKKINDA|Program hakkında...|
)";

const char* const kAmatGirToolbar = R"(3 4249 Pencereyi kapat
-
101 4251 Kes
31 4252 Kopyala
102 4253 Yapıştır
-
129 4256 Başa git
127 4257 Bir önceki kayda git
128 4258 Bir sonraki kayda git
130 4259 Son kayda git
-
107 4261 Kolon dondur
41 4263 Besin maddesi bağla
-
120 4265 Yardım indeksi
)";

const char* const kAmCont = R"(4825|&Yazım|EDIT|Aktif matris yazım işlemleri|Edit
  4826|&Başa Git	Ctrl+Home|GOTOP|Başa git|GoTop
  4827|&Önceki|SKIPPREVIOUS|Önceki kayda git|SkipPrevious
  4828|Son&raki|SKIPNEXT|Soraki kayda git|SkipNext
  4829|&Sona Git	Ctrl+End|GOBOTTOM|Son kayda git|GoBottom
  -
  4831|Kolon &Dondur|PBSPLIT|Kolon dondur|Append
  4832|Besin Maddesi &Bağla|BMBAGLA|Besin maddesi bağla|Delete
  -
  4834|&Kapat...|CLOSE|Matris yazım penceresini kapat|Find
)";

// The window menus' live keys, in the order X C V T F5 F6 [F7] Home End F1-F4.
QMap<int, QString> windowKeys(const QList<int>& ids, bool f7)
{
    QStringList names = {"Ctrl+X", "Ctrl+C", "Ctrl+V", "Ctrl+T", "F5", "F6"};
    if (f7)
        names << "F7";
    names << QStringList{"Ctrl+Home", "Ctrl+End", "F1", "F2", "F3", "F4"};
    QMap<int, QString> keys;
    for (int i = 0; i < ids.size(); ++i)
        keys.insert(ids.at(i), names.at(i));
    return keys;
}

TEST(EntryMenuTables, MenusAsBuilt)
{
    const MenuCase cases[] = {
        {"Bm_GirMenu", res::bmGirMenu, kBmGir, kBmGirToolbar,
         windowKeys({3780, 3781, 3782, 3783, 3785, 3786, 3788, 3791, 3793, 3794, 3795, 3797}, false)},
        {"Ym_GirMenu", res::ymGirMenu, kYmGir, kYmGirToolbar,
         windowKeys({3986, 3987, 3988, 3989, 3991, 3992, 3994, 3997, 3999, 4000, 4001, 4003}, false)},
        {"Bmo_GirMenu", res::bmoGirMenu, kBmoGir, kBmoGirToolbar,
         windowKeys({4116, 4117, 4118, 4119, 4121, 4122, 4123, 4125, 4128, 4130, 4131, 4132, 4134}, true)},
        {"AMat_GirMenu", res::amatGirMenu, kAmatGir, kAmatGirToolbar,
         {{4251, "Ctrl+X"}, {4252, "Ctrl+C"}, {4253, "Ctrl+V"}, {4254, "Ctrl+T"}, {4256, "Ctrl+Home"},
          {4259, "Ctrl+End"}, {4265, "F1"}, {4266, "F2"}, {4267, "F3"}, {4269, "F4"}}},
        {"BM_Cont_Menu", res::bmContMenu, kBmCont, nullptr,
         {{3836, "Ctrl+Home"}, {3839, "Ctrl+End"}, {3841, "F5"}, {3842, "F6"}}},
        {"YM_Con_Menu", res::ymConMenu, kYmCon, nullptr,
         {{4039, "Ctrl+Home"}, {4042, "Ctrl+End"}, {4044, "F5"}, {4045, "F6"}}},
        {"BMO_Cont_Menu", res::bmoContMenu, kBmoCont, nullptr,
         {{4170, "Ctrl+Home"}, {4173, "Ctrl+End"}, {4175, "F5"}, {4176, "F6"}, {4177, "F7"}}},
        {"AM_Cont_Menu", res::amContMenu, kAmCont, nullptr, {{4826, "Ctrl+Home"}, {4829, "Ctrl+End"}}},
    };
    NullOwner owner;
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.name);
        ShellMenu m(c.table(), &owner);
        EXPECT_EQ(m.name(), QString::fromLatin1(c.name));
        expectSameLines(outline(m), lines(c.outline));
        if (c.toolbar) {
            expectSameLines(toolbarOutline(m), lines(c.toolbar));
        } else {
            EXPECT_TRUE(m.toolBar()->actions().isEmpty());
        }
        // Built alone, each table's keys are its own; the entry windows take
        // the context menus' keys back (see the window tests).
        EXPECT_EQ(liveKeys(m), c.keys);
        for (QAction* a : m.actions())
            EXPECT_TRUE(a->isEnabled()) << a->data().toInt();
        for (const res::ToolbarButton& b : c.table().toolbar) {
            if (b.image != 0) {
                EXPECT_TRUE(hasToolbarImage(b.image)) << b.image;
            }
        }
    }
}

}  // namespace
}  // namespace zeva
