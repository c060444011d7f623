#include "resources/menus.h"

namespace zeva::res {

namespace {


using namespace build;

// ------------------------------------------------------------ EmptyShellMenu

constexpr MenuEntry kEmptyShellMenu[] = {
    popup(3526, "&Dosya", "FILE", "Dosya işlemleri"),
    item(3527, "&Yeni...\tCtrl+Y", "YENIDOSYAGIR", "Yeni bir veri dosyası açılır"),
    sep(),
    item(3529, "&Aç...\tCtrl+A", "FILEOPEN", "Mevcut bir veri dosysı güncelleştirmek üzere açılır"),
    item(3530, "Ka&pat...\tCtrl+P", "FILECLOSE", "Açık veri dosyası kapatılır"),
    sep(),
    item(3532, "&Kaydet...\tCtrl+K", "KAYDET", "Değişiklikler, açık veri dosyasına kaydedilir"),
    item(3533, "&Farklı Kaydet\tCtrl+F", "FKAYDET", "Açık veri dosyası istenilen dizine veya araca kaydedilir"),
    sep(),
    item(3535, "&Çıkış...\tCtrl+X", "FILEEXIT", "Program sonlandırılır"),
    end(),

    popup(3536, "Aktif Problem &Girişleri", "_AKTIF_PROBLEM_GIRIŞLERI", "Aktif problem verileri girilir"),
    item(3537, "Yem Maddesi &Verileri\tCtrl+V", "YM_GIRIS", "Yem maddesi adı, fiyat  ve sınırlıkları girilir"),
    item(3538, "&Besin Maddesi Verileri\tCtrl+B", "BM_GIRIS", "Besin maddesi adı, birim ve sınırlıkları girilir"),
    item(3539, "Aktif &Matris Yazımı\tCtrl+M", "AMAT_GIRIS", "Aktif problem matrisi yazımı yapılır"),
    item(3540, "Besin Maddesi &Oranları\tCtrl+O", "BMO_GIRIS", "Besin maddeleri arasında oranlar belirlenir"),
    sep(),
    popup(3542, "&Referans Matristen Al", "AKTIF_PROBLEM_GIRIŞLERI_REFERANS_MATRISTEN_AL",
          "İlgili referans matristen yararlanma"),
    item(3543, "Seçerek &Oluştur", "AMAT_OLUSTUR",
         "Referans matristen, BM & YM seçerek, aktiktif matris oluşturulur"),
    sep(),
    item(3545, "&Yem Maddesi Ekle", "AMAT_YMEKLE", "Aktif  probleme, referans matristen yem maddesi eklenir"),
    item(3546, "&Besin Maddesi Ekle", "AMAT_BMEKLE", "Aktif probleme, referans matristen besin maddesi eklenir"),
    end(),
    sep(),
    item(3548, "Süt Sığırı BM İhtiyaçları &Girişi\tCtrl+G", "NRESTOFDC1",
         "NRC eşitlikleriyle süt sığırları BM ihtiyacı tahmini yapılır"),
    end(),

    popup(3549, "&Rapor Hazırla", "_RAPOR_HAZıRLA", "Program raporları hazırlanır"),
    item(3550, "Yem &Formülü", "COZUM", "Çözüm iterasyonları başlatılır ve sonuç raporu hazırlanır"),
    sep(),
    item(3552, "&Aktif Matris", "AMATREPORT", "Aktif matris raporu hazırlanır"),
    popup(3553, "&Referans Matrisler", "TMATYAZDIR", "Referans matris raporları hazırlanır"),
    item(3554, "&Havada Kuru ", "HKMREPORT", "Havada kuru referans matris raporu hazırlanır"),
    sep(),
    item(3556, "&Kuru Madde Esaslı", "KMMREPORT", "Kuru madde esaslı referans matris raporu hazırlanır"),
    end(),
    sep(),
    item(3558, "&Ham Madde Fiyat Listesi", "HMFIATLIST", "Yem maddelerine ait fiyat listesi raporu hazırlanır"),
    sep(),
    item(3560, "&Süt Sığırı BM İhtiyaçları Raporu", "NRESTOFDC2",
         "NRC eşitlikleri ile sığır besin maddesi ihtiyaçları raporu"),
    end(),

    popup(3561, "&Sonuçlar", "_SONUÇLAR", "Sonuç gözlemi"),
    item(3562, "Rapor &Editörü\tCtrl+E", "REPORTPAD", "Sonuçları ZEVA rapor editörününde gözle ve yazdır"),
    sep(),
    item(3564, "&KM Esaslı Matrise Ekle", "BUCOZ_EKLE", "Mevcut çözümün BM özelliklerini KM matrise yem olarak ekle"),
    end(),

    popup(3565, "Referans &Matrisler", "_REFERANS_MATRISLER", "Referans matris işlemleri"),
    popup(3566, "Bir Matris &Seç", "REFERANS_MATRISLER_BIR_MATRIS_SEÇ", "İşlemler için bir matris seçimi yapılr"),
    item(3567, "&Havada Kuru", "RMSEC_HK", "İşlemler için Havada Kuru matris seçilir"),
    sep(),
    item(3569, "&Kuru Madde Esaslı", "RMSEC_KME", "İşlemler için Kuru Madde Esaslı matris seçilir "),
    end(),
    sep(),
    popup(3571, "Matris &İşlemleri", "REFERANS_MATRISLER_MATRIS_İŞLEMLERI",
          "Referans matrislerle ilgili işlemler yürütülür"),
    item(3572, "&Matris Yazımı", "RM_YAZIM", "Seçili referans matrisin yazımına geçilir"),
    item(3573, "Besin Maddesi &Ekle-Sil", "RM_BMEKLESIL", "Seçili referans matrise BM ekleme ve silme yapılır"),
    sep(),
    item(3575, "RM Dosyası (dBF) &Yedekle", "RM_YEDEKLE", "Seçili referans matris dosyaları yedeklenir"),
    end(),
    end(),

    popup(3576, "&Yardım", "HELP", nullptr),
    item(3577, "&İndeks\tF1", "HELPINDEX", "Yardım indeksi çağrılır", " "),
    item(3578, "İ&çindekiler\tF2", "HELPCONTENTS", "İçindekiler listesi çağrılır"),
    item(3579, "Yardım &Kullanımı\tF3", "HELPUSINGHELP", "Windows'un yardım nasıl alınır diyaloğu çağrılır"),
    sep(),
    popup(3581, "&Başlarken", "YARDıM_BAŞLARKEN", "Program başlatıldığında çağrılabilecek rutinler"),
    item(3582, "&Tüyo Göster", "TUYOGOSTER", "Program başlarken 'Tüyo Göster' diyaloğunu çağır"),
    item(3583, "&Logo Göster", "LOGOGOSTER", "Program başlarken 'program logosu' ekranını çağır"),
    sep(),
    item(3585, "Ad ve &Parola Sor", "ADPAROLASOR", "Program başlarken 'ad ve parola sor'  diyaloğunu çağır"),
    end(),
    sep(),
    item(3587, "Yeni Kullanıcı &Ekle", "ADDNEWUSER", "Yeni bir ZEVA kullanıcısı ekle"),
    item(3588, "Ad ve &Parola Değiştir", "CHANGEUANDP", "Aktif kullanıcı ad ve parolasını değiştir"),
    sep(),
    item(3592, "&Hakkında...\tF4", "OHAKKINDA", "ZEVA 2.0 hakkında genel bilgi..."),
    end(),
};

constexpr ToolbarButton kEmptyShellToolbar[] = {
    {1, 3527, "Yeni veri dosyası"},
    {0, 0, nullptr},
    {2, 3529, "Mevcut bir veri dosyasını aç"},
    {3, 3530, "Açık veri dosyasını kapat"},
    {4, 3532, "Değişiklikleri kaydet"},
    {0, 0, nullptr},
    {90, 3550, "Çözüm"},
    {6, 3562, "Rapor editörü"},
    {0, 0, nullptr},
    {120, 3577, "Yardım indeksi"},
};

constexpr AccelEntry kEmptyShellAccelerator[] = {
    {true, Qt::Key_Y, 3527}, {true, Qt::Key_A, 3529}, {true, Qt::Key_P, 3530}, {true, Qt::Key_K, 3532},
    {true, Qt::Key_F, 3533}, {true, Qt::Key_X, 3535}, {true, Qt::Key_V, 3537}, {true, Qt::Key_B, 3538},
    {true, Qt::Key_M, 3539}, {true, Qt::Key_O, 3540}, {true, Qt::Key_G, 3548}, {true, Qt::Key_E, 3562},
    {false, Qt::Key_F1, 3577}, {false, Qt::Key_F2, 3578}, {false, Qt::Key_F3, 3579}, {false, Qt::Key_F4, 3592},
};

// The popup "Referans &Matrisler" (3565) stays available: the matrix selection
// under it must be reachable from the start.
constexpr int kEmptyShellStartGreyed[] = {
    3530, 3575, 3573, 3572, 3564, 3552, 3550, 3548, 3546, 3545, 3543, 3540, 3539, 3538, 3537, 3533, 3532,
};

// --------------------------------------------------------- StandardShellMenu

constexpr MenuEntry kStandardShellMenu[] = {
    popup(3524, "&Pencere", "WINDOW", "Alt pencereyi düzenle"),
    item(3525, "&Küçült", "WINDOWCASCADE", "Referans matris yazım penceresini küçült", "WindowCascade"),
    item(3526, "&Diz...", "WINDOWTILE", "Referans matris yazım penceresini dizili olarak düzenle", "WindowTile"),
    sep(),
    item(3528, "Ka&pat", "CLOSE", "Referans matris penceresini kapat"),
    end(),

    popup(3529, "Y&azım", "EDIT", "Yazım işlemleri", "Edit"),
    item(3530, "&Kes\tCtrl+X", "CUT", "Panoya kopyala ve sil", "Cut"),
    item(3531, "Ko&pyala\tCtrl+C", "COPY", "Panoya kopyala", "Copy"),
    item(3532, "&Yapıştır\tCtrl+V", "PASTE", "Panodan yapıştır", "Paste"),
    item(3533, "&Temizle\tCtrl+T", "CLEAR", "Seçili girişi temizle, sil"),
    sep(),
    item(3535, "Yem Maddesi  &Ekle\tF5", "APPEND", "Yeni yem maddesi ekle", "Append"),
    item(3536, "Yem Maddesi S&il\tF6", "RMDELETE", "Seçili yem maddesini sil", "Delete"),
    sep(),
    item(3538, "&Başa Git\tCtrl+Home", "GOTOP", "İlk yem maddesine git", "GoTop"),
    item(3539, "&Öncekine Git ", "SKIPPREVIOUS", "Bir önceki yem maddesi ne git", "SkipPrevious"),
    item(3540, "Son&rakine Git", "SKIPNEXT", "Bir sonraki yem maddesine git", "SkipNext"),
    item(3541, "&Sona Git\tCtrl+End", "GOBOTTOM", "Son yem maddesine git"),
    end(),

    popup(3542, "&Muhtelif", "_MUHTELIF", "Muhtelif kolon ve satır işlemleri "),
    item(3543, "Kolon &Dondur", "PBSPLIT", "Kolon dondur"),
    item(3544, "Kolon &Aritmetiği", "COLMATHBM", "Seçili kolona dörtişlem uygula"),
    sep(),
    item(3546, "Besin Maddesi &Bağla", "BMBAGLA", "Bir satır boyunca bir BM'ye bağlı olarak muhtevaları değiştir"),
    end(),

    popup(3547, "&Görünüş", "VIEW", "Görünüş"),
    item(3548, "&Form\tCtrl+F", "VIEWFORM", "Bir kaydı form olarak göster"),
    sep(),
    item(3550, "&Tablo\tCtrl+T", "VIEWTABLE", "Kayıtları tablo şeklinde göster", " "),
    end(),

    popup(3551, "&Yardım", "HELP", "Yardım"),
    item(3552, "&İndeks\tF1", "HELPINDEX", "Yardım indeksi diyaloğunu çağır", "Help_Index"),
    item(3553, "İl&gili Yardım\tF2", "CONTEXTHELP", "İlgili yardımı çağır", "Help_ContextHelp"),
    item(3554, "Yardım &Kullanımı\tF3", "HELPUSINGHELP", "Yardım nasıl alınır diyaloğunu çağır", "Help_UsingHelp"),
    sep(),
    item(3556, "&Hakkında...\tF4", "ZVXHAKKINDA", "ZEVA Hakkında "),
    end(),
};

constexpr ToolbarButton kStandardShellToolbar[] = {
    {3, 3528, "Kapat"},
    {0, 0, nullptr},
    {101, 3530, "Kes"},
    {31, 3531, "Kopyala"},
    {102, 3532, "Yapıştır"},
    {69, 3535, "Yem Maddesi ekle"},
    {121, 3536, "Yem Maddesi sil"},
    {0, 0, nullptr},
    {129, 3538, "Başa git"},
    {127, 3539, "Bir önceki kayda git"},
    {128, 3540, "Sonraki kayda git"},
    {130, 3541, "Sona git"},
    {0, 0, nullptr},
    {107, 3543, "Kolon dondur"},
    {89, 3544, "Kolon aritmetiği"},
    {0, 0, nullptr},
    {132, 3548, "Form görünüş"},
    {131, 3550, "Tablo"},
    {0, 0, nullptr},
    {120, 3552, "Yardım indeksi"},
};

// Ctrl+T stands twice: the first entry (clear) takes the key.
constexpr AccelEntry kStandardShellAccelerator[] = {
    {true, Qt::Key_X, 3530}, {true, Qt::Key_C, 3531}, {true, Qt::Key_V, 3532}, {true, Qt::Key_T, 3533},
    {false, Qt::Key_F5, 3535}, {false, Qt::Key_F6, 3536}, {true, Qt::Key_Home, 3538}, {true, Qt::Key_End, 3541},
    {true, Qt::Key_F, 3548}, {true, Qt::Key_T, 3550}, {false, Qt::Key_F1, 3552}, {false, Qt::Key_F2, 3553},
    {false, Qt::Key_F3, 3554}, {false, Qt::Key_F4, 3556},
};

}  // namespace

const MenuTable& emptyShellMenu()
{
    static const MenuTable table{"EmptyShellMenu", kEmptyShellMenu, kEmptyShellToolbar, kEmptyShellAccelerator,
                                 kEmptyShellStartGreyed};
    return table;
}

const MenuTable& standardShellMenu()
{
    static const MenuTable table{"StandardShellMenu", kStandardShellMenu, kStandardShellToolbar,
                                 kStandardShellAccelerator, {}};
    return table;
}

}  // namespace zeva::res
