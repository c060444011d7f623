#pragma once
// VQDATACOLUMN: one column of a grid browser. Its name binds it to the
// server field of that name; it has a caption and a width in characters, and
// makes the cell editor of its cells.

#include <QModelIndex>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace zeva {

class CellEditor;
class OABS_BROWSER;

class VQDATACOLUMN : public QObject {
    Q_OBJECT
public:
    explicit VQDATACOLUMN(int nWidth, QObject* parent = nullptr);

    int Width() const { return width_; }
    void SetWidth(int nWidth) { width_ = nWidth; }
    // The field name this column shows (the hyperlabel's name) and its caption.
    void SetHyperLabel(const QString& name, const QString& caption = QString());
    QString NameSym() const { return name_; }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }

    // The editor for `index`: a frameless single-line edit in the browser's
    // colours and font, limited to the field's width, taking no minus sign
    // in a numeric column, holding the cell's value without its padding,
    // unmodified. Parent: the browser's viewport.
    CellEditor* GETEDITOBJECT(OABS_BROWSER* oOwner, QWidget* parent, const QModelIndex& index) const;

    // The column's width in pixels in its browser (0 when not in one).
    int PXLWIDTH() const;

private:
    friend class OABS_BROWSER;
    int width_;
    QString name_;
    QString caption_;
    QPointer<OABS_BROWSER> browser_;  // set when added to a browser
    int position_ = -1;               // its place in that browser, from 0
};

}  // namespace zeva
