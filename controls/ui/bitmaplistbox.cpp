#include "controls/ui/bitmaplistbox.h"

#include "platform/ui/dialogtemplate.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <cmath>

namespace zeva {

namespace {

const QColor kLightGrey(192, 192, 192);

class BitmapListDelegate : public QStyledItemDelegate {
public:
    explicit BitmapListDelegate(BITMAPLISTBOX* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        list_->drawRow(painter, option, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return QSize(std::max(1, option.rect.width()), std::max(1, list_->NBITMAPHEIGHT()));
    }

private:
    BITMAPLISTBOX* list_;
};

QPixmap toPixmap(const QVariant& image)
{
    if (image.canConvert<QPixmap>() && image.typeId() == QMetaType::QPixmap)
        return image.value<QPixmap>();
    if (image.typeId() == QMetaType::QImage)
        return QPixmap::fromImage(image.value<QImage>());
    if (image.typeId() == QMetaType::QIcon) {
        const QIcon icon = image.value<QIcon>();
        return icon.pixmap(icon.availableSizes().value(0, QSize(32, 32)));
    }
    return QPixmap();
}

QIcon toIcon(const QVariant& image)
{
    if (image.typeId() == QMetaType::QIcon)
        return image.value<QIcon>();
    const QPixmap pixmap = toPixmap(image);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

}  // namespace

BITMAPLISTBOX::BITMAPLISTBOX(QWidget* owner, int id, const QRect& geometry) : VQLISTBOX(owner), id_(id)
{
    setItemDelegate(new BitmapListDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Only the list's own viewport is grey; its rows paint themselves.
    QPalette grey = viewport()->palette();
    grey.setColor(QPalette::Base, kLightGrey);
    viewport()->setPalette(grey);
    viewport()->setAutoFillBackground(true);

    placeControl(this, owner, id, geometry);

    connect(this, &QListWidget::currentRowChanged, this, [this] { syncActive(); });
    connect(this, &QListWidget::itemSelectionChanged, this, [this] { syncActive(); });
}

BITMAPLISTBOX::~BITMAPLISTBOX() = default;

int BITMAPLISTBOX::idOfRow(int row) const
{
    const QListWidgetItem* it = item(row);
    return it ? it->data(Qt::UserRole).toInt() : -1;
}

int BITMAPLISTBOX::rowOfId(int nodeId) const
{
    for (int row = 0; row < count(); ++row)
        if (item(row)->data(Qt::UserRole).toInt() == nodeId)
            return row;
    return -1;
}

int BITMAPLISTBOX::selection() const
{
    const int row = currentRow();
    if (row >= 0 && item(row)->isSelected())
        return row;
    const QList<QListWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? -1 : this->row(chosen.first());
}

void BITMAPLISTBOX::syncActive()
{
    if (adjusting_)
        return;
    const int row = currentRow();
    if (row >= 0 && item(row)->isSelected() && row != activeIndex_) {
        activeIndex_ = row;
        viewport()->update();
    }
}

void BITMAPLISTBOX::makeActive(int row)
{
    activeIndex_ = row;
    if (row >= 0) {
        setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    } else {
        clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    viewport()->update();
}

int BITMAPLISTBOX::ADDNODE(const QString& text, const QVariant& value, const QVariant& image, int kind,
                           const QString& file, int pos)
{
    const int nodeId = nodes_.add(text, value, image, kind, file);
    auto* row = new QListWidgetItem;
    row->setData(Qt::UserRole, nodeId);
    if (pos >= 0) {
        adjusting_ = true;
        insertItem(pos, row);
        adjusting_ = false;
        // A row put in above the active one moves it down.
        const int inserted = this->row(row);
        if (activeIndex_ >= 0 && inserted <= activeIndex_)
            ++activeIndex_;
    } else {
        addItem(row);
    }
    return nodeId;
}

void BITMAPLISTBOX::REMOVENODE()
{
    const int nodeId = GETACTIVEID();
    if (nodeId >= 0)
        REMOVENODE(nodeId);
}

void BITMAPLISTBOX::REMOVENODE(int nodeId)
{
    if (nodes_.empty() || rowOfId(nodeId) < 0 || !nodes_.find(nodeId))
        return;
    if (BONDELETE && BONDELETE(*this))
        return;
    // The block may have changed the list.
    const int row = rowOfId(nodeId);
    if (row < 0)
        return;
    adjusting_ = true;
    delete takeItem(row);
    nodes_.remove(nodeId);
    adjusting_ = false;
    int active = activeIndex_;
    if (active > row)
        --active;  // the same node, one row up
    else if (active == row)
        active = std::min(active, count() - 1);  // the row that took its place
    makeActive(active);
}

void BITMAPLISTBOX::LISTCLEAR()
{
    adjusting_ = true;
    clear();
    nodes_.clear();
    adjusting_ = false;
    activeIndex_ = -1;
}

int BITMAPLISTBOX::GETACTIVEID() const
{
    return activeIndex_ >= 0 ? idOfRow(activeIndex_) : -1;
}

QVariant BITMAPLISTBOX::GETACTIVEVALUE() const
{
    const controls::ListNode* node = nodes_.find(GETACTIVEID());
    return node ? node->value : QVariant(QString());
}

void BITMAPLISTBOX::SETACTIVEVALUE(const QVariant& value)
{
    if (controls::ListNode* node = nodes_.find(GETACTIVEID()))
        node->value = value;
}

void BITMAPLISTBOX::SETACTIVETEXT(const QString& text)
{
    if (controls::ListNode* node = nodes_.find(GETACTIVEID()))
        node->text = text;
}

int BITMAPLISTBOX::GETDROPPEDID() const
{
    return idOfRow(NDROPINDEX);
}

QVariant BITMAPLISTBOX::GETDROPPEDVALUE() const
{
    const controls::ListNode* node = nodes_.find(GETDROPPEDID());
    return node ? node->value : QVariant(QString());
}

void BITMAPLISTBOX::REFRESH()
{
    viewport()->update();
}

void BITMAPLISTBOX::REDRAW(bool redraw)
{
    setUpdatesEnabled(redraw);
}

void BITMAPLISTBOX::setNBITMAPHEIGHT(int height)
{
    bitmapHeight_ = std::max(1, height);
    doItemsLayout();
    viewport()->update();
}

void BITMAPLISTBOX::setNBITMAPWIDTH(int width)
{
    bitmapWidth_ = std::max(0, width);
    viewport()->update();
}

void BITMAPLISTBOX::setMULTILINE(bool multiline)
{
    multiline_ = multiline;
    viewport()->update();
}

void BITMAPLISTBOX::TEXTPRINT(QPainter& painter, bool selected, const QRect& rect, const QString& text) const
{
    const QPalette& pal = palette();
    painter.save();
    painter.fillRect(rect, pal.color(selected ? QPalette::Highlight : QPalette::Base));
    painter.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter.restore();
}

void BITMAPLISTBOX::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const controls::ListNode* node = nodes_.find(index.data(Qt::UserRole).toInt());
    if (!node)
        return;
    const QRect rect = option.rect;
    const bool active = index.row() == activeIndex_;
    const bool focused = hasFocus();
    const bool selected = active && !focused;
    const QPalette& pal = option.palette;

    painter->save();
    painter->setClipRect(rect, Qt::IntersectClip);
    painter->fillRect(rect, pal.color(selected ? QPalette::Highlight : QPalette::Base));
    painter->setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(font());

    QRect textRect = rect.adjusted(bitmapWidth_ + 2, 0, 0, 0);
    if (multiline_) {
        // The lines as one block, left-aligned and centred in the row.
        QString text = node->text;
        text.replace(QLatin1Char(';'), QLatin1Char('\n'));
        const QRect need = QFontMetrics(font()).boundingRect(textRect, Qt::AlignLeft | Qt::AlignTop, text);
        const int shift = static_cast<int>(std::floor((rect.height() - need.height()) / 2.0));
        textRect.moveTop(rect.top() + shift);
        textRect.setHeight(std::max(rect.height(), need.height()));
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop, text);
    } else {
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, node->text);
    }

    if (active && focused) {
        QPen dotted(pal.color(QPalette::Text));
        dotted.setStyle(Qt::DotLine);
        dotted.setWidth(0);
        painter->setPen(dotted);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
    }

    // The image fills the image area from the row's top-left corner.
    const QRect imageArea(rect.topLeft(), QSize(bitmapWidth_, bitmapHeight_));
    painter->setClipRect(imageArea.intersected(rect), Qt::IntersectClip);
    switch (node->kind) {
    case controls::kImageBitmap: {
        const QPixmap pixmap = toPixmap(node->image);
        if (!pixmap.isNull())
            painter->drawPixmap(imageArea.topLeft(), pixmap, QRect(QPoint(0, 0), imageArea.size()));
        break;
    }
    case controls::kImageIcon: {
        const QIcon icon = toIcon(node->image);
        if (!icon.isNull())
            icon.paint(painter, imageArea);
        break;
    }
    case controls::kImageFile: {
        // Read again at every drawing; a file that does not load draws nothing.
        const QPixmap pixmap(node->file);
        if (!pixmap.isNull())
            painter->drawPixmap(imageArea.topLeft(), pixmap, QRect(QPoint(0, 0), imageArea.size()));
        break;
    }
    default:
        break;
    }
    painter->restore();
}

void BITMAPLISTBOX::MOUSEBUTTONDOUBLECLICK()
{
    const int row = selection();
    if (row < 0)
        return;
    const controls::ListNode* node = nodes_.find(idOfRow(row));
    if (!node || !BONMOUSEDBLCLK)
        return;
    const QVariant value = node->value;  // the block may change the list
    BONMOUSEDBLCLK(*this, value);
}

void BITMAPLISTBOX::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Down: {
        const int next = selection() + 1;
        if (next < count())
            setCurrentRow(next, QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    case Qt::Key_Up: {
        const int current = selection();
        if (current > 0)
            setCurrentRow(current - 1, QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    case Qt::Key_Delete:
        REMOVENODE();
        event->accept();
        return;
    default:
        VQLISTBOX::keyPressEvent(event);
    }
}

void BITMAPLISTBOX::mouseDoubleClickEvent(QMouseEvent* event)
{
    VQLISTBOX::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        MOUSEBUTTONDOUBLECLICK();
}

void BITMAPLISTBOX::focusInEvent(QFocusEvent* event)
{
    VQLISTBOX::focusInEvent(event);
    viewport()->update();
}

void BITMAPLISTBOX::focusOutEvent(QFocusEvent* event)
{
    VQLISTBOX::focusOutEvent(event);
    viewport()->update();
}

}  // namespace zeva
