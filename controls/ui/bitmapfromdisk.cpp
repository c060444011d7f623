#include "controls/ui/bitmapfromdisk.h"

namespace zeva {

VOBITMAPFROMDISK::VOBITMAPFROMDISK(const QString& fileName)
{
    // Bitmaps only: a picture in another format is no bitmap.
    pixmap_.load(fileName, "BMP");
}

}  // namespace zeva
