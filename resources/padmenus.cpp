#include "resources/padmenus.h"

namespace zeva::res {

namespace {

using namespace build;

// ----------------------------------------------------------- StandardPadMenu

constexpr MenuEntry kStandardPadMenu[] = {
    popup(5168, "&Dosya", "FILE", nullptr, "File"),
    item(5169, "&Yeni...", "RE_FILENEW", "Yeni bir dosya oluştur", "File_New"),
    sep(),
    item(5171, "&Aç...", "RE_FILEOPEN", "Bir dosya aç", "File_Open"),
    sep(),
    item(5173, "Ka&pat", "CLOSE", "Açık dosyayı kapat"),
    item(5174, "&Hepsini Kapat", "CLOSEALL", "Tüm alt pencereleri kapat"),
    sep(),
    item(5176, "&Kaydet", "RTFSAVE", "Açık dosyadaki değişiklikleri kaydet", "File_Save"),
    item(5177, "&Farklı Kaydet", "RTFSAVEAS", "Farklı kaydet diyaloğunu çağır", "File_Save_As"),
    sep(),
    item(5179, "Ya&zdır...", "FILEPRINT", "Mevcut metni yazdır", "File_Print"),
    item(5180, "Yazıcı &Ayarı", "FILEPRINTERSETUP", "Yazıcı ayarları diyaloğunu çağır", "File_Printer_Setup"),
    end(),

    popup(5181, "&Yazım", "EDIT", "Yazım işlemleri", "Edit"),
    item(5182, "&Font", "SETFONT", "Font diyaloğunu çağır", "SetFont"),
    sep(),
    item(5184, "&Marjlar", "SETMARGINS", "Sayfa maj ayarı diyaloğunu çağır"),
    popup(5185, "&Düzenle", "YAZıM_DÜZENLE", nullptr),
    item(5186, "&Sol", "YAZıM_DÜZENLE_SOL", nullptr),
    item(5187, "&Orta", "YAZıM_DÜZENLE_ORTA", "Ortala"),
    item(5188, "Sa&ğ", "YAZıM_DÜZENLE_SAĞ", "Sağa daya"),
    end(),
    sep(),
    item(5190, "&Kes\tCtrl+X", "CUT", "Panoya kopyala ve sil", "Cut"),
    item(5191, "Ko&pyala\tCtrl+C", "COPY", "Panoya kopyala", "Copy"),
    item(5192, "&Yapıştır\tCtrl+V", "PASTE", "Panodan yapıştır", "Paste"),
    sep(),
    item(5194, "&Tümünü Seç", "SELECTALL", "Rapor editöründeki metnin tamamını seç..."),
    end(),

    popup(5195, "&Pencere", "WINDOW", "Alt pencereleri düzenle"),
    item(5196, "&Küçült", "WINDOWCASCADE", "Alt pencereyi küçült", "WindowCascade"),
    sep(),
    item(5198, "&Diz...", "WINDOWTILE", "Alt pencereleri dizili olarak düzenle", "WindowTile"),
    end(),

    popup(5199, "&Yardım", "HELP", nullptr),
    item(5200, "&İndeks\tF1", "HELPINDEX", "Yardım indeksini çağır"),
    item(5201, "İ&lgili Yardım\tF2", "RE_CONTEXTHELP", "İlgili yardımı çağır"),
    item(5202, "Yardım &Kullanımı\tF3", "HELPUSINGHELP", "Yardım nasıl alınır diyaloğunu çağır"),
    sep(),
    item(5204, "&Hakkında...\tF4", "OHAKKINDA", "ZEVA 2.0 Hakkında..."),
    end(),
};

constexpr ToolbarButton kStandardPadToolbar[] = {
    {100, 5169, "Yeni dosya aç"},
    {2, 5171, "Bir dosya aç"},
    {3, 5173, "Kapat"},
    {4, 5176, "Kaydet"},
    {5, 5179, "Yazdır"},
    {0, 0, nullptr},
    {12, 5182, "Font ayarı"},
    {101, 5190, "Kes"},
    {31, 5191, "Kopyala"},
    {102, 5192, "Yapıştır"},
    {0, 0, nullptr},
    {21, 5186, "Sola daya"},
    {22, 5187, "Ortala"},
    {23, 5188, "Sağa daya"},
    {0, 0, nullptr},
    {120, 5200, "Yardım indeksi"},
};

constexpr AccelEntry kStandardPadAccelerator[] = {
    {true, Qt::Key_X, 5190}, {true, Qt::Key_C, 5191}, {true, Qt::Key_V, 5192}, {false, Qt::Key_F1, 5200},
    {false, Qt::Key_F2, 5201}, {false, Qt::Key_F3, 5202}, {false, Qt::Key_F4, 5204},
};

constexpr int kStandardPadStartGreyed[] = {5176};

// ---------------------------------------------------------------- ED_Cont_Menu

constexpr MenuEntry kEdContMenu[] = {
    popup(1223, "&Yazım", "EDIT", "Yazım ", "Edit"),
    item(1224, "&Font...", "SETFONT", "Font diyaloğunu çağır", "Undo"),
    sep(),
    item(1226, "&Marjlar", "SETMARGINS", "Sayfa maj ayarı diyaloğunu çağır"),
    popup(1227, "&Düzenle", "YAZıM_DÜZENLE", nullptr),
    item(1228, "&Sol", "YAZıM_DÜZENLE_SOL", "Sola daya"),
    item(1229, "&Orta", "YAZıM_DÜZENLE_ORTA", "Ortala"),
    item(1230, "Sa&ğ", "YAZıM_DÜZENLE_SAĞ", "Sağa daya"),
    end(),
    sep(),
    item(1232, "&Kes\tCtrl+X", "CUT", "Panoya kopyala ve sil", "Cut"),
    item(1233, "Ko&pyala\tCtrl+C", "COPY", "Panoya kopyala", "Copy"),
    item(1234, "&Yapıştır\tCtrl+V", "PASTE", "Panodan yapıştır", "Paste"),
    sep(),
    item(1236, "&Tümünü Seç", "SELECTALL", "Rapor editöründeki metnin tamamını seç...", "Append"),
    sep(),
    item(1238, "Ka&pat...", "CLOSE", "Açık dosyayı kapat"),
    end(),
};

constexpr AccelEntry kEdContAccelerator[] = {
    {true, Qt::Key_X, 1232},
    {true, Qt::Key_C, 1233},
    {true, Qt::Key_V, 1234},
};

}  // namespace

const MenuTable& standardPadMenu()
{
    static const MenuTable table{"StandardPadMenu", kStandardPadMenu, kStandardPadToolbar, kStandardPadAccelerator,
                                 kStandardPadStartGreyed};
    return table;
}

const MenuTable& edContMenu()
{
    static const MenuTable table{"ED_Cont_Menu", kEdContMenu, {}, kEdContAccelerator, {}};
    return table;
}

}  // namespace zeva::res
