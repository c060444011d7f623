#pragma once
// STDDATAWINDOW: the reference matrix window, a child of the main window's
// MDI area in which the user edits one reference table: a grid of all its
// records (table view) or one record at a time (form view). It edits an
// in-memory copy of the table (refmatrix/refmatrixedit.h) and writes it back
// whole only on Yes at closing; while it is open it is the table's one
// writer (ReferenceWindowRegistry).
//
// Its menu and toolbar are STANDARDSHELLMENU, shown in the frame while it is
// the active child; the grid's context menu is DW_CONT_MENU. Commands it does
// not handle go on to its owner, the main window.

#include "refmatrix/refmatrixedit.h"
#include "shell/menuowner.h"
#include "shell/ui/menuhost.h"
#include "shell/ui/shellmenu.h"

#include <QMdiSubWindow>

#include <memory>

class QLineEdit;
class QScrollArea;
class QStackedWidget;
class QValidator;

namespace zeva {

class OABS_BROWSER;
class UserPort;

class STDDATAWINDOW : public QMdiSubWindow, public MenuHostClient, public MenuOwner {
    Q_OBJECT
public:
    // Opens the table at cFile (the error box and null when it cannot be
    // read); the window is not shown.
    static STDDATAWINDOW* create(MenuOwner* owner, UserPort& port, const QString& cFile, const QString& cCaption);
    ~STDDATAWINDOW() override;

    ReferenceMatrixEdit& edit() { return *edit_; }
    QString CRMFILE() const { return edit_->CRMFILE(); }
    bool LRMCHANGED() const { return edit_->LRMCHANGED; }
    OABS_BROWSER* browser() const { return browser_; }
    ShellMenu* windowMenu() const { return menu_.get(); }
    ShellMenu* contextMenu() const { return context_.get(); }
    bool isFormView() const { return formView_; }
    // The form view's edit of field n (from 1).
    QLineEdit* formEdit(int n) const { return formEdits_.value(n - 1); }

    // MenuHostClient
    ShellMenu* childMenu() override { return menu_.get(); }
    // MenuOwner
    bool dispatch(const QString& symbol) override;
    MenuOwner* menuOwnerParent() override { return owner_; }

    void VIEWFORM();
    void VIEWTABLE();
    void PBSPLIT();
    void APPEND();
    void RMDELETE();
    void COLMATHBM();
    void BMBAGLA();
    void CLOSE();
    // "İl&gili Yardım" (F2): the help topic of the table shown.
    void CONTEXTHELP();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    STDDATAWINDOW(MenuOwner* owner, UserPort& port, std::unique_ptr<ReferenceMatrixEdit> edit,
                  const QString& cCaption);
    void buildForm();
    void refreshForm();
    // Writes every form field typed into, by the cell rules.
    void commitFormEdits();
    void showContextMenu(const QPoint& pos);
    void popupContextMenu(const QPoint& globalPos);
    void setViewItems(bool form);

    UserPort& port_;
    MenuOwner* owner_;
    std::unique_ptr<ReferenceMatrixEdit> edit_;
    std::unique_ptr<ShellMenu> menu_;
    std::unique_ptr<ShellMenu> context_;
    QStackedWidget* stack_ = nullptr;
    QWidget* canvas_ = nullptr;
    OABS_BROWSER* browser_ = nullptr;
    QScrollArea* form_ = nullptr;
    QList<QLineEdit*> formEdits_;
    QList<QValidator*> formTextRules_;    // per field: the code page's characters
    QList<QValidator*> formNumberRules_;  // per field: the same, no minus sign
    bool formView_ = false;
    bool closed_ = false;
};

}  // namespace zeva
