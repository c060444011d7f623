#include "resources/entrymenus.h"

namespace zeva::res {

namespace {


using namespace build;

constexpr ToolbarButton kSeparator{0, 0, nullptr};

// ---------------------------------------------------------------- nutrients

constexpr MenuEntry kBmGirMenu[] = {
    popup(3774, "&Pencere", "WINDOW", "Mevcut pencereyi düzenle"),
    item(3775, "&Küçült", "WINDOWCASCADE", "BM giriş penceresini küçült", "WindowCascade"),
    item(3776, "&Diz...", "WINDOWTILE", "BM giriş penceresini dizili olarak düzenle", "WindowTile"),
    sep(),
    item(3778, "Ka&pat", "CLOSE", "BM giriş penceresini kapat"),
    end(),

    popup(3779, "Y&azım", "EDIT", "Yazım işlemi", "Edit"),
    item(3780, "&Kes\tCtrl+X", "CUT", "Sil ve panoya kopyala", "Cut"),
    item(3781, "Ko&pyala\tCtrl+C", "COPY", "Panoya kopyala", "Copy"),
    item(3782, "&Yapıştır\tCtrl+V", "PASTE", "Panodan yapıştır", "Paste"),
    item(3783, "&Temizle\tCtrl+T", "CLEAR", "Seçili girişi temizle", "Clear"),
    sep(),
    item(3785, "Besin Maddesi &Ekle\tF5", "APPEND", "Yeni bir besin maddesi satırı ekle", "Append"),
    item(3786, "Besin Maddesi S&il\tF6", "BMDELETE", "Seçili besin maddesi satırını sil", "Delete"),
    sep(),
    item(3788, "&Başa Git\tCtrl+Home", "GOTOP", "İlk kayda  konumlan", "GoTop"),
    item(3789, "&Öncekine Git", "SKIPPREVIOUS", "Bir önceki kayda konumlan", "SkipPrevious"),
    item(3790, "Son&rakine Git", "SKIPNEXT", "Bir sonraki kayda konumlan", "SkipNext"),
    item(3791, "&Sona Git\tCtrl+End", "GOBOTTOM", "Son kayda konumlan", "GoBottom"),
    end(),

    popup(3792, "&Yardım", "HELP", "Yardım"),
    item(3793, "&İndeks\tF1", "HELPINDEX", "Yardım indeksi"),
    item(3794, "İl&gili Yardım\tF2", "CONTEXTHELP", "İlgili yardımı çağır"),
    item(3795, "&Yardım Kullanımı\tF3", "HELPUSINGHELP", "Windows'un yardım nasıl alınır diyaloğunu çağır"),
    sep(),
    item(3797, "&Hakkında...\tF4", "ZVXHAKKINDA", "ZEVA 2.0 hakkında"),
    end(),
};

constexpr ToolbarButton kBmGirToolbar[] = {
    {3, 3778, "Pencereyi kapat"},
    kSeparator,
    {101, 3780, "Kes"},
    {31, 3781, "Kopyala"},
    {102, 3782, "Yapıştır"},
    {69, 3785, "Yeni besin maddesi gir"},
    {121, 3786, "Seçili besin maddesini sil"},
    kSeparator,
    {129, 3788, "Başa git"},
    {127, 3789, "Bir önceki kayda git"},
    {128, 3790, "Bir sonraki kayda git"},
    {130, 3791, "Son kayda git"},
    kSeparator,
    {120, 3793, "Yardım indeksi"},
};

constexpr AccelEntry kBmGirAccelerator[] = {
    {true, Qt::Key_X, 3780},     {true, Qt::Key_C, 3781},   {true, Qt::Key_V, 3782},
    {true, Qt::Key_T, 3783},     {false, Qt::Key_F5, 3785}, {false, Qt::Key_F6, 3786},
    {true, Qt::Key_Home, 3788},  {true, Qt::Key_End, 3791}, {false, Qt::Key_F1, 3793},
    {false, Qt::Key_F2, 3794},   {false, Qt::Key_F3, 3795}, {false, Qt::Key_F4, 3797},
};

constexpr MenuEntry kBmContMenu[] = {
    popup(3835, "&Yazım", "EDIT", "Besin maddesi verileri yazımı", "Edit"),
    item(3836, "&Başa Git\tCtrl+Home", "GOTOP", "İlk kayda  konumlan", "GoTop"),
    item(3837, "&Öncekine Git", "SKIPPREVIOUS", "Bir önceki kayda konumlan", "SkipPrevious"),
    item(3838, "Son&rakine Git", "SKIPNEXT", "Bir sonraki kayda konumlan", "SkipNext"),
    item(3839, "&Sona Git\tCtrl+End", "GOBOTTOM", "Son kayda konumlan", "GoBottom"),
    sep(),
    item(3841, "Besin Maddesi &Ekle\tF5", "APPEND", "Yeni bir besin maddesi satırı ekle", "Append"),
    item(3842, "Besin Maddesi S&il\tF6", "BMDELETE", "Seçili besin maddesi satırını sil", "Delete"),
    sep(),
    item(3844, "&Kapat...", "CLOSE", "BM giriş penceresini kapat", "Find"),
    end(),
};

constexpr AccelEntry kBmContAccelerator[] = {
    {false, Qt::Key_F5, 3841}, {false, Qt::Key_F6, 3842}, {true, Qt::Key_Home, 3836}, {true, Qt::Key_End, 3839},
};

// ---------------------------------------------------------------- feeds

constexpr MenuEntry kYmGirMenu[] = {
    popup(3980, "&Pencere", "WINDOW", "Alt pencereyi düzenle"),
    item(3981, "&Küçült", "WINDOWCASCADE", "Yem maddesi veri giriş penceresini küçült", "WindowCascade"),
    item(3982, "&Diz...", "WINDOWTILE", "Yem maddesi veri giriş penceresini dizili olarak düzenle", "WindowTile"),
    sep(),
    item(3984, "Ka&pat", "CLOSE", "Yem maddesi veri giriş penceresini kapat"),
    end(),

    popup(3985, "Y&azım", "EDIT", "Yazım işlemleri", "Edit"),
    item(3986, "&Kes\tCtrl+X", "CUT", "Panoya kopyala ve sil", "Cut"),
    item(3987, "Ko&pyala\tCtrl+C", "COPY", "Panoya kopyala", "Copy"),
    item(3988, "&Yapıştır\tCtrl+V", "PASTE", "Panodan yapıştır", "Paste"),
    item(3989, "&Temizle\tCtrl+T", "CLEAR", "Seçili girişi temizle"),
    sep(),
    item(3991, "Yem Maddesi &Ekle\tF5", "APPEND", "Yeni yem maddesi ekle", "Append"),
    item(3992, "Yem Maddesi S&il\tF6", "YMDELETE", "Seçili yem maddesini sil", "Delete"),
    sep(),
    item(3994, "&Başa Git\tCtrl+Home", "GOTOP", "İlk yem maddesine git", "GoTop"),
    item(3995, "&Öncekine Git ", "SKIPPREVIOUS", "Önceki yem madesine git", "SkipPrevious"),
    item(3996, "Son&rakine Git", "SKIPNEXT", "Sonraki yem maddesine git", "SkipNext"),
    item(3997, "&Sona Git\tCtrl+End", "GOBOTTOM", "Son yem maddesine git", "GoBottom"),
    end(),

    popup(3998, "&Yardım", "HELP", "Yardım"),
    item(3999, "&İndeks\tF1", "HELPINDEX", "Yardım indeksi"),
    item(4000, "İl&gili Yardım\tF2", "CONTEXTHELP", "İlgili yardım"),
    item(4001, "&Yardım Kullanımı\tF3", "HELPUSINGHELP", "Windows'un yardım nasıl alınır diyaloğunu çağır"),
    sep(),
    item(4003, "&Hakkında..\tF4", "ZVXHAKKINDA", "ZEVA 2.0 hakkında"),
    end(),
};

constexpr ToolbarButton kYmGirToolbar[] = {
    {3, 3984, "Pencereyi kapat"},
    kSeparator,
    {101, 3986, "Kes"},
    {31, 3987, "Kopyala"},
    {102, 3988, "Yapıştır"},
    {69, 3991, "Yeni yem maddesi ekle"},
    {121, 3992, "Seçili yem maddesini sil"},
    kSeparator,
    {129, 3994, "Başa git"},
    {127, 3995, "Bir önceki kayda git"},
    {128, 3996, "Bir sonraki kayda git"},
    {130, 3997, "Sona git"},
    kSeparator,
    {120, 3999, "Yardım indeksi"},
};

constexpr AccelEntry kYmGirAccelerator[] = {
    {true, Qt::Key_X, 3986},     {true, Qt::Key_C, 3987},   {true, Qt::Key_V, 3988},
    {true, Qt::Key_T, 3989},     {false, Qt::Key_F5, 3991}, {false, Qt::Key_F6, 3992},
    {true, Qt::Key_Home, 3994},  {true, Qt::Key_End, 3997}, {false, Qt::Key_F1, 3999},
    {false, Qt::Key_F2, 4000},   {false, Qt::Key_F3, 4001}, {false, Qt::Key_F4, 4003},
};

constexpr MenuEntry kYmConMenu[] = {
    popup(4038, "&Yazım", "EDIT", "Yem maddesi veri giriş penceresi içerik menüsü", "Edit"),
    item(4039, "&Başa Git\tCtrl+Home", "GOTOP", "İlk kayda konumlan", "GoTop"),
    item(4040, "&Öncekine Git", "SKIPPREVIOUS", "Önceki kayda konumlan", "GoTo"),
    item(4041, "Son&rakine Git", "SKIPNEXT", "Sonraki kayda konumlan", "SkipPrevious"),
    item(4042, "&Sona Git\tCtrl+End", "GOBOTTOM", "Son kayda konumlan", "GoBottom"),
    sep(),
    item(4044, "Yem Maddesi &Ekle\tF5", "APPEND", "Yeni yem maddesi ekle", "Append"),
    item(4045, "Yem Maddesi S&il\tF6", "YMDELETE", "Seçili yem maddesini sil", "Delete"),
    sep(),
    item(4047, "&Kapat...", "CLOSE", "Yem maddesi veri giriş penceresini kapat"),
    end(),
};

constexpr AccelEntry kYmConAccelerator[] = {
    {false, Qt::Key_F5, 4044}, {false, Qt::Key_F6, 4045}, {true, Qt::Key_Home, 4039}, {true, Qt::Key_End, 4042},
};

// ---------------------------------------------------------------- ratios

constexpr MenuEntry kBmoGirMenu[] = {
    popup(4110, "&Pencere", "WINDOW", "Alt pencereyi düzenle"),
    item(4111, "&Küçült", "WINDOWCASCADE", "BMO veri giriş penceresini küçült", "WindowCascade"),
    item(4112, "&Diz...", "WINDOWTILE", "BMO veri giriş penceresini  dizili olarak düzenle", "WindowTile"),
    sep(),
    item(4114, "Ka&pat", "CLOSE", "BMO veri giriş penceresini kapat"),
    end(),

    popup(4115, "Y&azım", "EDIT", "Yazım işlemleri", "Edit"),
    item(4116, "&Kes\tCtrl+X", "CUT", "Sil ve panoya kopyala", "Cut"),
    item(4117, "Ko&pyala\tCtrl+C", "COPY", "Panoya kopyala", "Copy"),
    item(4118, "&Yapıştır\tCtrl+V", "PASTE", "Panodan yapıştır", "Paste"),
    item(4119, "&Temizle\tCtrl+T", "CLEAR", "Seçili girişi temizle", "Clear"),
    sep(),
    item(4121, "Oran &Ekle\tF5", "APPEND", "Yeni oran ekle", "Append"),
    item(4122, "Oran S&il\tF6", "BMODELETE", "Seçili oranı sil", " "),
    item(4123, "&Oran Seç\tF7", "ORANSEC", "Mevcut besin maddelerinden yeni bir oran seç"),
    sep(),
    item(4125, "&Başa Git\tCtrl+Home", "GOTOP", "İlk kayda konumlan", "GoTop"),
    item(4126, "&Öncekine Git", "SKIPPREVIOUS", "Önceki kayda konumlan", "SkipPrevious"),
    item(4127, "Son&rakine Git", "SKIPNEXT", "Sonraki kayda konumlan", "SkipNext"),
    item(4128, "&Sona Git\tCtrl+End", "GOBOTTOM", "Son kayda konumlan", "GoBottom"),
    end(),

    popup(4129, "&Yardım", "HELP", "Yardım"),
    item(4130, "&İndeks\tF1", "HELPINDEX", "Yardın indeksi"),
    item(4131, "İl&gili Yardım\tF2", "CONTEXTHELP", "İlgili yardım"),
    item(4132, "&Yardım Kullanımı\tF3", "HELPUSINGHELP", "Yardım nasıl alınır"),
    sep(),
    item(4134, "&Hakkında...\tF4", "ZVXHAKKINDA", "ZEVA 2.0 hakkinda "),
    end(),
};

constexpr ToolbarButton kBmoGirToolbar[] = {
    {3, 4114, "Pencereyi kapat"},
    kSeparator,
    {101, 4116, "Kes"},
    {31, 4117, "Kopyala"},
    {102, 4118, "Yapıştır"},
    {69, 4121, "Oran ekle"},
    {121, 4122, "Seçili oranı sil"},
    {81, 4123, "Oran seç"},
    kSeparator,
    {129, 4125, "Başa git"},
    {127, 4126, "Önceki kayda konumlan"},
    {128, 4127, "Sonraki kayda konumlan"},
    {130, 4128, "Son kayda konumlan"},
    kSeparator,
    {120, 4130, "Yardım indeksi"},
};

constexpr AccelEntry kBmoGirAccelerator[] = {
    {true, Qt::Key_X, 4116},     {true, Qt::Key_C, 4117},   {true, Qt::Key_V, 4118},
    {true, Qt::Key_T, 4119},     {false, Qt::Key_F5, 4121}, {false, Qt::Key_F6, 4122},
    {false, Qt::Key_F7, 4123},   {true, Qt::Key_Home, 4125}, {true, Qt::Key_End, 4128},
    {false, Qt::Key_F1, 4130},   {false, Qt::Key_F2, 4131}, {false, Qt::Key_F3, 4132},
    {false, Qt::Key_F4, 4134},
};

constexpr MenuEntry kBmoContMenu[] = {
    popup(4169, "&Yazım", "EDIT", "Edit information", "Edit"),
    item(4170, "&Başa Git\tCtrl+Home", "GOTOP", "İlk kayda konumlan", "GoTop"),
    item(4171, "&Öncekine Git", "SKIPPREVIOUS", "Önceki kayda konumlan", "SkipPrevious"),
    item(4172, "Son&rakine Git", "SKIPNEXT", "Sonraki kayda konumlan", "SkipNext"),
    item(4173, "&Sona Git\tCtrl+End", "GOBOTTOM", "Son kayda konumlan", "GoBottom"),
    sep(),
    item(4175, "Oran &Ekle\tF5", "APPEND", "Yeni oran ekle", "Append"),
    item(4176, "Oran S&il\tF6", "BMODELETE", "Seçili oranı sil", "Delete"),
    item(4177, "&Oran Seç\tF7", "ORANSEC", "Mevcut besin maddelerinden yeni bir oran seç"),
    sep(),
    item(4179, "&Kapat...", "CLOSE", "BMO veri giriş penceresini kapat"),
    end(),
};

constexpr AccelEntry kBmoContAccelerator[] = {
    {false, Qt::Key_F5, 4175}, {false, Qt::Key_F6, 4176}, {false, Qt::Key_F7, 4177},
    {true, Qt::Key_Home, 4170}, {true, Qt::Key_End, 4173},
};

// ---------------------------------------------------------------- active matrix

constexpr MenuEntry kAmatGirMenu[] = {
    popup(4245, "&Pencere", "WINDOW", "Pencereyi düzenle"),
    item(4246, "&Küçült", "WINDOWCASCADE", "Pencereyi küçük olarak düzenle", "WindowCascade"),
    item(4247, "&Diz...", "WINDOWTILE", "Pencereyi dizili olarak düzenle", "WindowTile"),
    sep(),
    item(4249, "Ka&pat...", "CLOSE", "Matris yazım penceresini kapat"),
    end(),

    popup(4250, "Y&azım", "EDIT", "Yazım işlemleri", "Edit"),
    item(4251, "&Kes\tCtrl+X", "CUT", "Panoya kopyala ve sil", "Cut"),
    item(4252, "K&opyala\tCtrl+C", "COPY", "Panoya kopyala", "Copy"),
    item(4253, "Yapı&ştır\tCtrl+V", "PASTE", "Panodan yapıştır", "Paste"),
    item(4254, "&Temizle\tCtrl+T", "CLEAR", "Aktif girişi temizle", "Clear"),
    sep(),
    item(4256, "&Başa Git\tCtrl+Home", "GOTOP", "Başa git", "GoTop"),
    item(4257, "&Önceki", "SKIPPREVIOUS", "Önceki kayda git", "SkipPrevious"),
    item(4258, "Son&raki", "SKIPNEXT", "Soraki kayda git", "SkipNext"),
    item(4259, "&Sona Git\tCtrl+End", "GOBOTTOM", "Son kayda git", "GoBottom"),
    end(),

    popup(4260, "&Muhtelif", "_MUHTELIF", nullptr),
    item(4261, "Kolon &Dondur", "PBSPLIT", "Kolon dondur"),
    sep(),
    item(4263, "Besin Maddesi &Bağla", "BMBAGLA", "Besin maddesi bağla"),
    end(),

    popup(4264, "&Yardım", "HELP", "Yardım"),
    item(4265, "&İndeks\tF1", "HELPINDEX", "Yardım indeksi"),
    item(4266, "İl&gili Yardım\tF2", "CONTEXTHELP", "İlgili yardım"),
    item(4267, "Yardı&m Kullanımı\tF3", "HELPUSINGHELP", "Yardım nasıl alınır diyaloğunu çağır"),
    sep(),
    item(4269, "&Hakkında...\tF4", "ZVXHAKKINDA", "Program hakkında..."),
    end(),
};

constexpr ToolbarButton kAmatGirToolbar[] = {
    {3, 4249, "Pencereyi kapat"},
    kSeparator,
    {101, 4251, "Kes"},
    {31, 4252, "Kopyala"},
    {102, 4253, "Yapıştır"},
    kSeparator,
    {129, 4256, "Başa git"},
    {127, 4257, "Bir önceki kayda git"},
    {128, 4258, "Bir sonraki kayda git"},
    {130, 4259, "Son kayda git"},
    kSeparator,
    {107, 4261, "Kolon dondur"},
    {41, 4263, "Besin maddesi bağla"},
    kSeparator,
    {120, 4265, "Yardım indeksi"},
};

constexpr AccelEntry kAmatGirAccelerator[] = {
    {true, Qt::Key_X, 4251},    {true, Qt::Key_C, 4252},   {true, Qt::Key_V, 4253},
    {true, Qt::Key_T, 4254},    {true, Qt::Key_Home, 4256}, {true, Qt::Key_End, 4259},
    {false, Qt::Key_F1, 4265},  {false, Qt::Key_F2, 4266}, {false, Qt::Key_F3, 4267},
    {false, Qt::Key_F4, 4269},
};

constexpr MenuEntry kAmContMenu[] = {
    popup(4825, "&Yazım", "EDIT", "Aktif matris yazım işlemleri", "Edit"),
    item(4826, "&Başa Git\tCtrl+Home", "GOTOP", "Başa git", "GoTop"),
    item(4827, "&Önceki", "SKIPPREVIOUS", "Önceki kayda git", "SkipPrevious"),
    item(4828, "Son&raki", "SKIPNEXT", "Soraki kayda git", "SkipNext"),
    item(4829, "&Sona Git\tCtrl+End", "GOBOTTOM", "Son kayda git", "GoBottom"),
    sep(),
    item(4831, "Kolon &Dondur", "PBSPLIT", "Kolon dondur", "Append"),
    item(4832, "Besin Maddesi &Bağla", "BMBAGLA", "Besin maddesi bağla", "Delete"),
    sep(),
    item(4834, "&Kapat...", "CLOSE", "Matris yazım penceresini kapat", "Find"),
    end(),
};

constexpr AccelEntry kAmContAccelerator[] = {
    {true, Qt::Key_Home, 4826},
    {true, Qt::Key_End, 4829},
};

}  // namespace

const MenuTable& bmGirMenu()
{
    static const MenuTable table{"Bm_GirMenu", kBmGirMenu, kBmGirToolbar, kBmGirAccelerator, {}};
    return table;
}

const MenuTable& bmContMenu()
{
    static const MenuTable table{"BM_Cont_Menu", kBmContMenu, {}, kBmContAccelerator, {}};
    return table;
}

const MenuTable& ymGirMenu()
{
    static const MenuTable table{"Ym_GirMenu", kYmGirMenu, kYmGirToolbar, kYmGirAccelerator, {}};
    return table;
}

const MenuTable& ymConMenu()
{
    static const MenuTable table{"YM_Con_Menu", kYmConMenu, {}, kYmConAccelerator, {}};
    return table;
}

const MenuTable& bmoGirMenu()
{
    static const MenuTable table{"Bmo_GirMenu", kBmoGirMenu, kBmoGirToolbar, kBmoGirAccelerator, {}};
    return table;
}

const MenuTable& bmoContMenu()
{
    static const MenuTable table{"BMO_Cont_Menu", kBmoContMenu, {}, kBmoContAccelerator, {}};
    return table;
}

const MenuTable& amatGirMenu()
{
    static const MenuTable table{"AMat_GirMenu", kAmatGirMenu, kAmatGirToolbar, kAmatGirAccelerator, {}};
    return table;
}

const MenuTable& amContMenu()
{
    static const MenuTable table{"AM_Cont_Menu", kAmContMenu, {}, kAmContAccelerator, {}};
    return table;
}

}  // namespace zeva::res
