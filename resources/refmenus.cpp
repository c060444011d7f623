#include "resources/refmenus.h"

namespace zeva::res {

namespace {

using namespace build;

constexpr MenuEntry kDwContMenu[] = {
    popup(5850, "&Yazım", "EDIT", "Yem maddelerinin besin maddesi muhtevaları yazımı", "Edit"),
    item(5851, "&Başa Git\tCtrl+Home", "GOTOP", "İlk kayda konumlan", "GoTop"),
    item(5852, "&Öncekine Git", "SKIPPREVIOUS", "Önceki kayda konumlan", "SkipPrevious"),
    item(5853, "Son&rakine Git", "SKIPNEXT", "Sonraki kayda konumlan", "SkipNext"),
    item(5854, "&Sona Git\tCtrl+End", "GOBOTTOM", "Son kayda konumlan", "GoBottom"),
    sep(),
    item(5856, "Yem Maddesi &Ekle\tF5", "APPEND", "Yeni yem maddesi ekle", "Append"),
    item(5857, "Yem Maddesi  S&il\tF6", "RMDELETE", "Seçili yem maddesini sil", "Delete"),
    sep(),
    item(5859, "Kolon &Dondur", "PBSPLIT", "Kolon dondur"),
    item(5860, "Kolon &Aritmetiği", "COLMATHBM", "Seçili kolona dörtişlem uygula"),
    item(5861, "Besin Maddesi &Bağla", "BMBAGLA",
         "Bir satır boyunca bir BM'ye bağlı olarak muhtevaları değiştir"),
    sep(),
    item(5863, "&Kapat", "CLOSE", "Referans matris penceresini kapat"),
    end(),
};

constexpr AccelEntry kDwContMenuAccelerator[] = {
    {true, Qt::Key_Home, 5851},
    {true, Qt::Key_End, 5854},
    {false, Qt::Key_F5, 5856},
    {false, Qt::Key_F6, 5857},
};

}  // namespace

const MenuTable& dwContMenu()
{
    static const MenuTable table{"DW_CONT_MENU", kDwContMenu, {}, kDwContMenuAccelerator, {}};
    return table;
}

}  // namespace zeva::res
