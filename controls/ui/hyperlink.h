#pragma once
// A label that opens its LINK (or, when LINK is empty, its caption) with the
// desktop's handler when clicked, and shows the hand cursor while the pointer
// is over it. The hand comes from the hover protocol of the program's dialog
// windows, which call MOUSEENTER and MOUSEEXIT.
//
// What a target names: with a scheme ("https:", "mailto:") it is opened as it
// stands; otherwise it is a file, relative to the working folder unless
// absolute, opened when it exists; otherwise a name beginning with "www." is
// an http address; anything else opens nothing.

#include <QLabel>
#include <QUrl>

#include <functional>
#include <optional>

namespace zeva {

class FIXEDTEXTHYPERLINK : public QLabel {
    Q_OBJECT
public:
    using LinkOpener = std::function<bool(const QUrl&)>;

    FIXEDTEXTHYPERLINK(QWidget* owner, int id = 0, const QString& text = {});

    QString LINK;

    // What opens the target; the desktop's handler unless set (tests).
    void setLinkOpener(LinkOpener opener) { opener_ = std::move(opener); }
    // The address a click opens; an empty one when the target names nothing
    // that can be opened.
    QUrl target() const;
    int controlId() const { return id_; }

    Q_INVOKABLE void MOUSEENTER();
    Q_INVOKABLE void MOUSEEXIT();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    int id_;
    LinkOpener opener_;
    // The label's own cursor before the pointer came in; none when it had none.
    std::optional<QCursor> saved_;
    bool entered_ = false;
};

}  // namespace zeva
