#include "editing/ui/barraymodel.h"

namespace zeva {

BArrayModel::BArrayModel(BARRAYSERVER* server, QObject* parent)
    : QAbstractTableModel(parent), server_(server)
{
    if (!server_)
        return;
    rows_ = server_->isClosed() ? 0 : server_->LastRec();
    for (int f = 1; f <= server_->FCount(); ++f) {
        fields_ << f;
        captions_ << server_->FieldName(f);
    }
    connect(server_, &BARRAYSERVER::notice, this, &BArrayModel::onNotice);
    connect(server_, &QObject::destroyed, this, &BArrayModel::onServerGone);
}

void BArrayModel::setColumns(const QList<int>& fields, const QStringList& captions)
{
    beginResetModel();
    fields_.clear();
    captions_.clear();
    if (fields.isEmpty() && server_) {
        for (int f = 1; f <= server_->FCount(); ++f) {
            fields_ << f;
            captions_ << server_->FieldName(f);
        }
    } else {
        fields_ = fields;
        for (int i = 0; i < fields.size(); ++i)
            captions_ << captions.value(i);
    }
    endResetModel();
}

int BArrayModel::fieldOf(int column) const
{
    return fields_.value(column, 0);
}

bool BArrayModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < rows_ &&
           index.column() < fields_.size();
}

int BArrayModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int BArrayModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

QVariant BArrayModel::data(const QModelIndex& index, int role) const
{
    if (!server_ || !isCell(index))
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return server_->cellAt(index.row() + 1, fieldOf(index.column()));
    return QVariant();
}

QVariant BArrayModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return captions_.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags BArrayModel::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (server_ && !server_->isClosed() && fieldOf(index.column()) > 0)
        f |= Qt::ItemIsEditable;
    return f;
}

void BArrayModel::onNotice(int code, int rec, int field)
{
    switch (code) {
    case kNoticeFieldWritten:
        if (rec >= 1 && rec <= rows_)
            for (int c = 0; c < fields_.size(); ++c)
                if (fields_.at(c) == field)
                    emit dataChanged(index(rec - 1, c), index(rec - 1, c),
                                     {Qt::DisplayRole, Qt::EditRole});
        break;
    case kNoticeDeleted:
        if (rec >= 1 && rec <= rows_ && !fields_.isEmpty())
            emit dataChanged(index(rec - 1, 0), index(rec - 1, columnCount() - 1));
        break;
    case kNoticeAppended: {
        const int last = server_->LastRec();
        if (last > rows_) {
            beginInsertRows(QModelIndex(), rows_, last - 1);
            rows_ = last;
            endInsertRows();
        }
        break;
    }
    case kNoticeTableChanged:
        beginResetModel();
        rows_ = server_->LastRec();
        endResetModel();
        break;
    case kNoticeClosed:
        beginResetModel();
        rows_ = 0;
        endResetModel();
        break;
    default:  // moves change nothing the grid shows
        break;
    }
}

void BArrayModel::onServerGone()
{
    beginResetModel();
    rows_ = 0;
    endResetModel();
}

}  // namespace zeva
