#pragma once
// BITMAPLISTBOX: a list box whose items (nodes) each carry a text, a value and
// an image drawn at the item's left end. Each row holds only its node's id
// (Qt::UserRole); the node store keeps the rest.
//
// The active row is the row that is current and selected; while the list box
// has the focus it shows in the window colours with a focus rectangle, without
// the focus in the highlight colours. Down with no selection selects the first
// row and Up does nothing; Delete removes the active node (unless BONDELETE
// answers true); a double click hands the selected node's value to
// BONMOUSEDBLCLK.

#include "controls/listnodes.h"
#include "platform/ui/controls.h"

#include <QVariant>

#include <functional>

class QPainter;
class QStyleOptionViewItem;

namespace zeva {

class BITMAPLISTBOX : public VQLISTBOX {
    Q_OBJECT
public:
    using DeleteBlock = std::function<bool(BITMAPLISTBOX&)>;
    using DoubleClickBlock = std::function<void(BITMAPLISTBOX&, const QVariant& value)>;
    using Block = std::function<void(BITMAPLISTBOX&)>;

    // With a null `geometry` and a TemplateDialog owner that has a control
    // `id`, the list box takes that control's place.
    explicit BITMAPLISTBOX(QWidget* owner = nullptr, int id = 0, const QRect& geometry = QRect());
    ~BITMAPLISTBOX() override;

    int id() const { return id_; }

    bool EMPTY() const { return nodes_.empty(); }
    const std::vector<controls::ListNode>& ALISTBOX() const { return nodes_.nodes(); }

    // A new node shown at list position `pos` (appended when pos < 0); the
    // result is its id.
    int ADDNODE(const QString& text, const QVariant& value = QVariant(), const QVariant& image = QVariant(),
                int kind = controls::kImageNone, const QString& file = QString(), int pos = -1);
    // Removes the node with that id and its row; without an id the active
    // node. Nothing for an unknown id, or when BONDELETE answers true.
    void REMOVENODE();
    void REMOVENODE(int nodeId);
    // Drops every node and row; ids go on counting and no row is active.
    void LISTCLEAR();

    // The active row's node id; -1 when no row is active.
    int GETACTIVEID() const;
    // The active node's value; an empty text when there is none.
    QVariant GETACTIVEVALUE() const;
    void SETACTIVEVALUE(const QVariant& value);
    void SETACTIVETEXT(const QString& text);
    // The node id of row NDROPINDEX; -1 when there is no such row.
    int GETDROPPEDID() const;
    QVariant GETDROPPEDVALUE() const;

    // Redraws every row.
    void REFRESH();
    // Stops (false) and resumes (true) drawing.
    void REDRAW(bool redraw);
    // A text in the highlight colours (selected) or the window colours,
    // centred vertically on one line.
    void TEXTPRINT(QPainter& painter, bool selected, const QRect& rect, const QString& text) const;

    // Row height and image height, and image width; the text starts
    // NBITMAPWIDTH + 2 pixels right of the row's left edge.
    int NBITMAPHEIGHT() const { return bitmapHeight_; }
    void setNBITMAPHEIGHT(int height);
    int NBITMAPWIDTH() const { return bitmapWidth_; }
    void setNBITMAPWIDTH(int width);
    // Lines broken at ";" and centred as a block in the row.
    bool MULTILINE() const { return multiline_; }
    void setMULTILINE(bool multiline);

    // The active row; -1 when there is none.
    int NACTIVEINDEX() const { return activeIndex_; }
    // The row of the current selection; -1 when nothing is selected.
    int selection() const;

    int NDROPINDEX = 0;          // the drop target's row, kept for the user of the class
    bool LCANACTIVATE = true;    // kept for the user of the class
    bool LDRAGDROPON = true;     // kept for the user of the class
    DeleteBlock BONDELETE;       // true keeps the node
    DoubleClickBlock BONMOUSEDBLCLK;
    Block BONMOUSEDROP;          // kept for the user of the class
    Block BONMOVENODE;           // kept for the user of the class

    // A double click: the selected node's value to BONMOUSEDBLCLK.
    void MOUSEBUTTONDOUBLECLICK();

    // Paints one row (the delegate's work).
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int rowOfId(int nodeId) const;
    int idOfRow(int row) const;
    void syncActive();
    void makeActive(int row);

    int id_ = 0;
    controls::ListNodeStore nodes_;
    int activeIndex_ = -1;
    int bitmapHeight_ = 16;
    int bitmapWidth_ = 20;
    bool multiline_ = false;
    bool adjusting_ = false;
};

}  // namespace zeva
