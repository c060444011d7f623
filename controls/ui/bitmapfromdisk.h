#pragma once
// A bitmap read from a bitmap (.BMP) file instead of the program's resources.
// A missing file, or one that is not a bitmap, gives a null picture and no
// message.

#include <QPixmap>
#include <QString>

namespace zeva {

class VOBITMAPFROMDISK {
public:
    explicit VOBITMAPFROMDISK(const QString& fileName);

    bool isNull() const { return pixmap_.isNull(); }
    QSize size() const { return pixmap_.size(); }
    const QPixmap& pixmap() const { return pixmap_; }

private:
    QPixmap pixmap_;
};

}  // namespace zeva
