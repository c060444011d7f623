#include "refmatrix/ui/stddatawindow.h"

#include "editing/browserrules.h"
#include "editing/ui/celleditor.h"
#include "editing/ui/oabsbrowser.h"
#include "editing/ui/vqdatacolumn.h"
#include "platform/ui/programicons.h"
#include "platform/ui/controls.h"
#include "refmatrix/refcolumncommands.h"
#include "refmatrix/reftables.h"
#include "resources/menus.h"
#include "resources/refmenus.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPersistentModelIndex>
#include <QResizeEvent>
#include <QScrollArea>
#include <QStackedWidget>

namespace zeva {

namespace {

constexpr int kBrowserMargin = 4;
constexpr int kNameColumnWidth = 20;

// Window menu ids.
constexpr int ITEM_PBSPLIT = 3543;
constexpr int ITEM_COLMATHBM = 3544;
constexpr int ITEM_BMBAGLA = 3546;
constexpr int ITEM_VIEWFORM = 3548;
constexpr int ITEM_VIEWTABLE = 3550;

}  // namespace

STDDATAWINDOW* STDDATAWINDOW::create(MenuOwner* owner, UserPort& port, const QString& cFile,
                                     const QString& cCaption)
{
    auto edit = ReferenceMatrixEdit::open(cFile, port);
    if (!edit)
        return nullptr;
    return new STDDATAWINDOW(owner, port, std::move(edit), cCaption);
}

STDDATAWINDOW::STDDATAWINDOW(MenuOwner* owner, UserPort& port, std::unique_ptr<ReferenceMatrixEdit> edit,
                             const QString& cCaption)
    : port_(port), owner_(owner), edit_(std::move(edit))
{
    setObjectName(QStringLiteral("STDDATAWINDOW"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(cCaption);
    setWindowIcon(ZVXTOD());

    menu_ = std::make_unique<ShellMenu>(res::standardShellMenu(), this);
    context_ = std::make_unique<ShellMenu>(res::dwContMenu(), this);
    // The context menu's keys are the window menu's, live while the window
    // is active; here they are only shown.
    for (QAction* a : context_->actions())
        a->setShortcut(QKeySequence());
    // The context menu greys what the window menu greys: each of its items
    // follows the window menu's item that sends the same command.
    for (auto c = context_->actions().cbegin(); c != context_->actions().cend(); ++c) {
        if (c.value()->menu())
            continue;
        for (auto m = menu_->actions().cbegin(); m != menu_->actions().cend(); ++m) {
            if (m.value()->menu() || menu_->symbol(m.key()) != context_->symbol(c.key()))
                continue;
            QAction* item = c.value();
            item->setEnabled(m.value()->isEnabled());
            connect(m.value(), &QAction::enabledChanged, item, &QAction::setEnabled);
            break;
        }
    }

    stack_ = new QStackedWidget;
    setWidget(stack_);
    canvas_ = new QWidget;
    canvas_->installEventFilter(this);
    stack_->addWidget(canvas_);

    browser_ = new OABS_BROWSER(canvas_);
    browser_->setCloseTarget(this);
    browser_->move(0, 0);
    browser_->setRules(std::make_unique<ORMAT_BROWSER>());
    BARRAYSERVER& server = edit_->server();
    for (int n = 1; n <= server.FCount(); ++n) {
        const FieldSpec f = server.fieldSpec(n);
        const int width = n == 1 ? kNameColumnWidth : f.length;
        auto* column = new VQDATACOLUMN(width);
        column->SetWidth(width);
        column->SetHyperLabel(f.name, f.name);
        column->SetCaption(f.name);
        browser_->ADDCOLUMN(column);
    }
    browser_->Use(&server);
    browser_->ENABLECELLCURSOR(true);
    browser_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(browser_, &QWidget::customContextMenuRequested, this, &STDDATAWINDOW::showContextMenu);
    browser_->show();

    buildForm();
    connect(&server, &BARRAYSERVER::notice, this, [this](int, int, int) {
        if (formView_)
            refreshForm();
    });

    setViewItems(false);
    ReferenceWindowRegistry::instance().hold(edit_->CRMFILE(), this);
}

STDDATAWINDOW::~STDDATAWINDOW() = default;

void STDDATAWINDOW::buildForm()
{
    form_ = new QScrollArea;
    form_->setWidgetResizable(true);
    auto* page = new QWidget;
    auto* layout = new QFormLayout(page);
    BARRAYSERVER& server = edit_->server();
    // The context menu is the grid's, wherever the form is clicked.
    auto menuOn = [this](QWidget* w) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& pos) { popupContextMenu(w->mapToGlobal(pos)); });
    };
    menuOn(page);
    for (int n = 1; n <= server.FCount(); ++n) {
        auto* e = new QLineEdit;
        // The cell editor's rules: the field's width, the code page's
        // characters, and no minus sign where the cell holds a number.
        e->setMaxLength(server.fieldSpec(n).length);
        e->setObjectName(server.FieldName(n));
        formTextRules_.append(new Cp1254Validator(false, e));
        formNumberRules_.append(new NumericTextValidator(e));
        auto* label = new QLabel(server.FieldName(n));
        layout->addRow(label, e);
        menuOn(label);
        menuOn(e);
        connect(e, &QLineEdit::editingFinished, this, [this] { commitFormEdits(); });
        formEdits_.append(e);
    }
    form_->setWidget(page);
    stack_->addWidget(form_);
}

void STDDATAWINDOW::refreshForm()
{
    const BARRAYSERVER& server = edit_->server();
    const int rec = server.Eof() ? 0 : server.RecNo();
    for (int n = 1; n <= formEdits_.size(); ++n) {
        QLineEdit* e = formEdits_.at(n - 1);
        const bool numeric = rec > 0 && browser_->rules()->numericCell(rec, n);
        e->setValidator(numeric ? formNumberRules_.at(n - 1) : formTextRules_.at(n - 1));
        // The field shows the cell without the blanks that pad it, so there
        // is room to type.
        const QString v = rec > 0 ? CellEditor::openingText(server.FieldGet(n)) : QString();
        if (e->text() != v) {
            const QSignalBlocker block(e);
            e->setText(v);
        }
        e->setModified(false);
    }
}

void STDDATAWINDOW::commitFormEdits()
{
    // Every field typed into is taken before anything else happens; the
    // texts are read first, as a write refreshes the form.
    QList<QPair<int, QString>> typed;
    for (int n = 1; n <= formEdits_.size(); ++n) {
        QLineEdit* e = formEdits_.at(n - 1);
        if (e->isModified())
            typed.append({n, e->text()});
        e->setModified(false);
    }
    for (const auto& [n, text] : typed)
        edit_->formCellEdited(n, text);
    if (!typed.isEmpty())
        refreshForm();
}

void STDDATAWINDOW::setViewItems(bool form)
{
    menu_->setChecked(ITEM_VIEWFORM, form);
    menu_->setChecked(ITEM_VIEWTABLE, !form);
    for (int id : {ITEM_PBSPLIT, ITEM_COLMATHBM, ITEM_BMBAGLA})
        menu_->setEnabled(id, !form);
}

bool STDDATAWINDOW::dispatch(const QString& symbol)
{
    // A field typed into in the form is kept whichever command comes next
    // (a toolbar button or a key takes no focus from it).
    if (formView_)
        commitFormEdits();
    using Handler = void (STDDATAWINDOW::*)();
    static const QList<QPair<QLatin1String, Handler>> handlers = {
        {QLatin1String("CLOSE"), &STDDATAWINDOW::CLOSE},
        {QLatin1String("APPEND"), &STDDATAWINDOW::APPEND},
        {QLatin1String("RMDELETE"), &STDDATAWINDOW::RMDELETE},
        {QLatin1String("PBSPLIT"), &STDDATAWINDOW::PBSPLIT},
        {QLatin1String("COLMATHBM"), &STDDATAWINDOW::COLMATHBM},
        {QLatin1String("BMBAGLA"), &STDDATAWINDOW::BMBAGLA},
        {QLatin1String("VIEWFORM"), &STDDATAWINDOW::VIEWFORM},
        {QLatin1String("VIEWTABLE"), &STDDATAWINDOW::VIEWTABLE},
        {QLatin1String("CONTEXTHELP"), &STDDATAWINDOW::CONTEXTHELP},
    };
    for (const auto& [name, handler] : handlers)
        if (symbol == name) {
            (this->*handler)();
            return true;
        }
    return browser_->windowCommand(this, symbol);
}

void STDDATAWINDOW::VIEWFORM()
{
    browser_->commitOpenEditor();
    formView_ = true;
    setViewItems(true);
    refreshForm();
    stack_->setCurrentWidget(form_);
    setFocus();
}

void STDDATAWINDOW::VIEWTABLE()
{
    // A field being typed in the form is taken before the switch.
    commitFormEdits();
    formView_ = false;
    setViewItems(false);
    stack_->setCurrentWidget(canvas_);
    browser_->setFocus();
}

void STDDATAWINDOW::PBSPLIT()
{
    if (formView_)
        return;
    browser_->commitOpenEditor();
    browser_->EnableVerticalSplit(!browser_->isVerticalSplit());
}

void STDDATAWINDOW::APPEND()
{
    browser_->commitOpenEditor();
    edit_->server().Append();
}

void STDDATAWINDOW::RMDELETE()
{
    browser_->commitOpenEditor();
    browser_->SuspendUpdate();
    edit_->RMDELETE(port_);
    browser_->RestoreUpdate();
}

void STDDATAWINDOW::COLMATHBM()
{
    if (formView_)
        return;
    browser_->commitOpenEditor();
    // The command walks the column; the grid stays on the cell it stood on.
    const QPersistentModelIndex at = browser_->currentIndex();
    browser_->SuspendUpdate();
    zeva::COLMATHBM(*edit_, browser_->ColPos(), port_);
    if (at.isValid() && browser_->currentIndex() != at)
        browser_->setCurrentIndex(at);
    browser_->RestoreUpdate();
}

void STDDATAWINDOW::BMBAGLA()
{
    if (formView_)
        return;
    browser_->commitOpenEditor();
    browser_->SuspendUpdate();
    zeva::BMBAGLA(*edit_, port_);
    browser_->RestoreUpdate();
}

void STDDATAWINDOW::CLOSE()
{
    close();
}

void STDDATAWINDOW::CONTEXTHELP()
{
    // The topic follows the table the window shows.
    const bool asFed = QFileInfo(edit_->CRMFILE()).fileName().compare(kAsFedTable, Qt::CaseInsensitive) == 0;
    if (auto* shell = dynamic_cast<STANDARDSHELLWINDOW*>(owner_))
        shell->showHelp(asFed ? QStringLiteral("Havada Kuru Matris") : QStringLiteral("Kuru Madde Esaslı Matris"));
}

void STDDATAWINDOW::showContextMenu(const QPoint& pos)
{
    popupContextMenu(browser_->viewport()->mapToGlobal(pos));
}

void STDDATAWINDOW::popupContextMenu(const QPoint& globalPos)
{
    const QList<QMenu*> menus = context_->topMenus();
    if (!menus.isEmpty())
        menus.first()->popup(globalPos);
}

void STDDATAWINDOW::closeEvent(QCloseEvent* event)
{
    if (closed_) {
        event->accept();
        return;
    }
    browser_->commitOpenEditor();
    if (formView_)
        commitFormEdits();
    if (!edit_->QUERYCLOSE(port_)) {
        // The write failed: the copy and the window stay.
        event->ignore();
        return;
    }
    closed_ = true;
    ReferenceWindowRegistry::instance().release(edit_->CRMFILE());
    QMdiSubWindow::closeEvent(event);
    event->accept();
}

bool STDDATAWINDOW::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == canvas_ && event->type() == QEvent::Resize) {
        const QSize size = static_cast<QResizeEvent*>(event)->size();
        browser_->resize(qMax(0, size.width() - kBrowserMargin), qMax(0, size.height() - kBrowserMargin));
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

}  // namespace zeva
