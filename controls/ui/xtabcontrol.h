#pragma once
// A tab widget whose tabs can be blocked: a click on a blocked tab does not
// select it, and the keyboard, the wheel and mnemonics never change the tab.
// Esc and Enter still reach the dialog.

#include <QList>
#include <QTabBar>
#include <QTabWidget>

namespace zeva {

class XTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit XTabBar(QWidget* parent = nullptr) : QTabBar(parent) {}

    // The allowed list, one entry per appended tab.
    QList<bool> allowed;
    bool isAllowed(int index) const { return index < 0 || index >= allowed.size() || allowed.at(index); }

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

class XTABCONTROL : public QTabWidget {
    Q_OBJECT
public:
    explicit XTABCONTROL(QWidget* owner = nullptr, int id = 0);

    // Appends an allowed tab; the index of the new tab.
    int APPENDTAB(const QString& name, const QString& caption, QWidget* page, int image = -1);
    XTABCONTROL& ALLOWSELECTION(int tab);
    XTABCONTROL& PREVENTSELECTION(int tab);
    bool isAllowed(int tab) const { return bar_->isAllowed(tab); }
    XTabBar* xTabBar() const { return bar_; }
    int controlId() const { return id_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    XTabBar* bar_;
    int id_;
};

}  // namespace zeva
