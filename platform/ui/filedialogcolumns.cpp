#include "platform/ui/filedialogcolumns.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace zeva {

namespace {

// Size, type and date as the dialog shows them. The file types themselves
// come from the desktop's type names, in the language of the default locale.
class TurkishFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
        switch (source.column()) {
        case 1:
            if (!files->isDir(source))
                return turkish.formattedDataSize(files->size(source));
            break;
        case 2:
            if (files->isDir(source))
                return QStringLiteral("Klasör");
            break;
        case 3:
            return turkish.toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            break;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

}  // namespace

void showTurkishFileColumns(QFileDialog& dialog)
{
    dialog.setProxyModel(new TurkishFileColumns(&dialog));
}

}  // namespace zeva
