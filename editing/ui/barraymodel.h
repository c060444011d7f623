#pragma once
// The grid's view of an array server: one row per record, one column per
// bound field. Cells are read at random without moving the server's cursor;
// the model follows the server's notices (a written field, a marked,
// appended or packed table). Writing goes through the browser's commit
// rules, never through setData.

#include "editing/barrayserver.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QStringList>

namespace zeva {

class BArrayModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit BArrayModel(BARRAYSERVER* server, QObject* parent = nullptr);

    BARRAYSERVER* server() const { return server_; }

    // The server field (from 1; 0 for none) and the title of every grid
    // column. With none given every field is shown under its name.
    void setColumns(const QList<int>& fields, const QStringList& captions);
    int fieldOf(int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool isCell(const QModelIndex& index) const;
    void onNotice(int code, int rec, int field);
    void onServerGone();

    QPointer<BARRAYSERVER> server_;
    QList<int> fields_;
    QStringList captions_;
    int rows_ = 0;  // the row count the views know of
};

}  // namespace zeva
