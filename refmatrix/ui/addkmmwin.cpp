#include "refmatrix/ui/addkmmwin.h"

#include "core/activeproblem.h"
#include "core/problemfile.h"
#include "editing/barrayserver.h"
#include "editing/ui/celleditor.h"
#include "editing/ui/oabsbrowser.h"
#include "editing/ui/vqdatacolumn.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialogtemplate.h"
#include "platform/ui/programicons.h"
#include "shell/ui/standardshellwindow.h"
#include "shell/ui/toolbarimages.h"

#include <QAction>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace zeva {

namespace {

const char* const kFields[] = {"SLE_NAME1", "SLE_UNIT1", "SLE_VALUE1", "SLE_NAME2", "SLE_UNIT2", "SLE_VALUE2"};
const int kWidths[] = {10, 11, 11, 10, 11, 11};
const char* const kCaptions[] = {"BM_Adı (Çözüm)", "Mevcut Birimi", "Çözüm Değeri",
                                 "BM_Adı (KMM)",   "Dönüşüm Birimi", "Dönüşüm Değeri"};

// Every column of the grid shows whole, its caption and its widest value,
// with the vertical scroll bar that a long formula brings: the columns share
// the grid's width, and when even their needs do not fit (the substitute
// font is wider than the one the window was laid out for) the grid's font
// gets a little smaller.
void fitColumns(OABS_BROWSER* grid)
{
    QAbstractItemModel* model = grid->model();
    if (!model)
        return;
    const int columns = model->columnCount();
    QFont font = grid->font();
    const int start = QFontInfo(font).pixelSize();
    for (int px = start; px >= std::max(6, start * 2 / 3); --px) {
        font.setPixelSize(px);
        grid->setFont(font);
        grid->horizontalHeader()->setFont(font);
        grid->verticalHeader()->setFont(font);
        const QFontMetrics fm(font);
        QList<int> need;
        int total = 0;
        for (int c = 0; c < columns; ++c) {
            int cell = fm.horizontalAdvance(QString(kWidths[c], QLatin1Char('0')));
            for (int r = 0; r < model->rowCount(); ++r)
                cell = std::max(cell, fm.horizontalAdvance(model->index(r, c).data().toString().trimmed()));
            need << std::max(grid->horizontalHeader()->sectionSizeHint(c), cell + 8);
            total += need.last();
        }
        // Room is kept for the scroll bar and for row numbers of two more
        // digits (the grid's cells may be edited, rows added).
        const int room = grid->width() - 2 * grid->frameWidth() - grid->verticalHeader()->sizeHint().width() -
                         fm.horizontalAdvance(QStringLiteral("00")) -
                         grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid) - 2;
        if (total <= room || px == std::max(6, start * 2 / 3)) {
            const int extra = columns > 0 ? std::max(0, room - total) / columns : 0;
            for (int c = 0; c < columns; ++c)
                grid->setColumnWidth(c, need.at(c) + extra);
            return;
        }
    }
}

Table toTable(const ConvRows& rows)
{
    Table t;
    for (const ConvRow& r : rows)
        t << Row{r.SLE_NAME1, r.SLE_UNIT1, r.SLE_VALUE1, r.SLE_NAME2, r.SLE_UNIT2, r.SLE_VALUE2};
    return t;
}

}  // namespace

ADD_KMM_WIN::ADD_KMM_WIN(STANDARDSHELLWINDOW* shell, const ConvRows& rows) : shell_(shell)
{
    setObjectName(QStringLiteral("ADD_KMM_WIN"));
    setWindowTitle(QStringLiteral("Kuru Madde Esaslı Matrise Ekle"));
    setWindowIcon(ZVXTOD());
    const QFont font = templateFont(QStringLiteral("MS Sans Serif"), 8);
    setFont(font);
    const BaseUnits du = BaseUnits::forFont(QStringLiteral("MS Sans Serif"), 8, logicalDpiY());

    // RME_MENU.
    RME_MENU = new QMenuBar(this);
    QMenu* window = RME_MENU->addMenu(QStringLiteral("&Pencere"));
    QAction* cascade = window->addAction(QStringLiteral("&Küçült"));
    cascade->setStatusTip(QStringLiteral("Seçili alt pencereyi küçültülmüş olarak düzenle"));
    connect(cascade, &QAction::triggered, this, [this] { if (shell_) shell_->WINDOWCASCADE(); });
    QAction* tile = window->addAction(QStringLiteral("&Diz..."));
    tile->setStatusTip(QStringLiteral("Alt pencereyi(leri) dizili olarak düzenle"));
    connect(tile, &QAction::triggered, this, [this] { if (shell_) shell_->WINDOWTILE(); });
    window->addSeparator();
    addItem(window, 6129, QStringLiteral("Ka&pat"), QStringLiteral("KM Matrise ekle panceresini kapat"),
            &ADD_KMM_WIN::PBIPTAL);
    QMenu* work = RME_MENU->addMenu(QStringLiteral("&İşlemler"));
    const QString hesapTip = QStringLiteral("Mevcut çözümü KM esasına göre, birimi dikkate  alarak, hesapla");
    const QString ekleTip = QStringLiteral("Hesaplama sonuçları KM Matrise onaylı olarak eklenir");
    addItem(work, 6131, QStringLiteral("&Hesapla"), hesapTip, &ADD_KMM_WIN::PBHESAP);
    work->addSeparator();
    addItem(work, 6133, QStringLiteral("&Ekle"), ekleTip, &ADD_KMM_WIN::PBEKLE)->setEnabled(false);
    QMenu* help = RME_MENU->addMenu(QStringLiteral("&Yardım"));
    QAction* index = help->addAction(QStringLiteral("&İndeks\tF1"));
    index->setStatusTip(QStringLiteral("Index of help"));
    connect(index, &QAction::triggered, this, [this] { if (shell_) shell_->HELPINDEX(); });
    addItem(help, 6136, QStringLiteral("İl&gili Yardım\tF2"), QStringLiteral("İlgili yardımı çağır"),
            &ADD_KMM_WIN::CONTEXTHELP);
    QAction* usingHelp = help->addAction(QStringLiteral("&Yardım Kullanımı\tF3"));
    usingHelp->setStatusTip(QStringLiteral("Windows yardımı nasıl alınır diyaloğunu çağır"));
    connect(usingHelp, &QAction::triggered, this, [this] { if (shell_) shell_->HELPUSINGHELP(); });
    help->addSeparator();
    QAction* about = help->addAction(QStringLiteral("&Hakkında...\tF4"));
    about->setStatusTip(QStringLiteral("Zeva 2.0 hakkında bilgiler"));
    connect(about, &QAction::triggered, this, [this] { if (shell_) shell_->OHAKKINDA(); });
    for (auto [a, key] : {std::pair{index, Qt::Key_F1}, std::pair{action(6136), Qt::Key_F2},
                          std::pair{usingHelp, Qt::Key_F3}, std::pair{about, Qt::Key_F4}}) {
        a->setShortcut(QKeySequence(key));
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
    }

    // The toolbar: close, calculate, help index.
    auto* toolbar = new QToolBar(this);
    toolbar->setIconSize(QSize(16, 16));
    toolbar->setMovable(false);
    for (auto [image, a, tip] : {std::tuple{3, action(6129), "Kapat"}, std::tuple{89, action(6131), "Hesapları yürüt"},
                                 std::tuple{120, index, "Yardım"}}) {
        if (image != 3)
            toolbar->addSeparator();
        QAction* b = toolbar->addAction(toolbarImage(image), QString());
        b->setToolTip(QString::fromUtf8(tip));
        b->setStatusTip(a->statusTip());
        connect(b, &QAction::triggered, a, &QAction::trigger);
    }

    // The dialog area below the menu.
    auto* area = new QWidget(this);
    area->setFixedSize(du.toPixelsX(494), du.toPixelsY(211));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(RME_MENU);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(area);

    FIXEDTEXT1 = new QLabel(area);
    FIXEDTEXT1->setGeometry(du.toPixels(6, 10, 70, 10));
    setLabelText(FIXEDTEXT1, QStringLiteral("Eklenecek Yem Adı:"));
    SLE_YEM = new VQSLE(area);
    SLE_YEM->setObjectName(QStringLiteral("SLE_YEM"));
    SLE_YEM->setGeometry(du.toPixels(80, 8, 150, 12));
    SLE_YEM->installEventFilter(this);
    // The name goes into YM_ADI whole: no longer than the field, no character
    // the table's code page cannot hold.
    SLE_YEM->setMaxLength(25);
    SLE_YEM->setValidator(new Cp1254Validator(false, SLE_YEM));
    pbIptal = new QPushButton(area);
    pbHesap = new QPushButton(area);
    pbEkle = new QPushButton(area);
    pbIptal->setGeometry(du.toPixels(432, 30, 56, 14));
    pbHesap->setGeometry(du.toPixels(432, 50, 56, 14));
    pbEkle->setGeometry(du.toPixels(432, 70, 56, 14));
    setButtonText(pbIptal, QStringLiteral("&İptal"));
    setButtonText(pbHesap, QStringLiteral("&Hesapla"));
    setButtonText(pbEkle, QStringLiteral("&Ekle"));
    pbEkle->setEnabled(false);
    connect(pbIptal, &QPushButton::clicked, this, &ADD_KMM_WIN::PBIPTAL);
    connect(pbHesap, &QPushButton::clicked, this, &ADD_KMM_WIN::PBHESAP);
    connect(pbEkle, &QPushButton::clicked, this, &ADD_KMM_WIN::PBEKLE);

    // SUB_FORM1: the grid over the rows.
    FieldSpecs fieldList;
    for (int i = 0; i < 6; ++i)
        fieldList << FieldSpec{QString::fromLatin1(kFields[i]), QStringLiteral("C"), kWidths[i], 0};
    server_ = new BARRAYSERVER(fieldList, toTable(rows), 0, 1, this);
    browser_ = new CONVBROWSER(area, this);
    browser_->setObjectName(QStringLiteral("SUB_FORM1"));
    browser_->setGeometry(du.toPixels(6, 30, 420, 180));
    for (int i = 0; i < 6; ++i) {
        auto* column = new VQDATACOLUMN(17);
        column->SetHyperLabel(QString::fromLatin1(kFields[i]), QString::fromUtf8(kCaptions[i]));
        browser_->ADDCOLUMN(column);
    }
    browser_->Use(server_);
    fitColumns(browser_);
    browser_->ENABLECELLCURSOR(true);
    server_->GoTop();

    AKMM_CON_MENU = new QMenu(QStringLiteral("&İşlemler"), this);
    addItem(AKMM_CON_MENU, 6170, QStringLiteral("&Hesapla"), hesapTip, &ADD_KMM_WIN::PBHESAP);
    // Gated like the button: "&Ekle" appends only calculated values.
    addItem(AKMM_CON_MENU, 6171, QStringLiteral("&Ekle"), ekleTip, &ADD_KMM_WIN::PBEKLE)->setEnabled(false);
    AKMM_CON_MENU->addSeparator();
    addItem(AKMM_CON_MENU, 6173, QStringLiteral("&Kapat"), QStringLiteral("KM Matrise ekle panceresini kapat"),
            &ADD_KMM_WIN::PBIPTAL);
    browser_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(browser_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { AKMM_CON_MENU->popup(browser_->viewport()->mapToGlobal(p)); });

    // POSTINIT: the problem file's name to start with.
    const ActiveProblem& p = G();
    if (p.OPROBSERVER)
        SLE_YEM->setText(QFileInfo(p.OPROBSERVER->path()).completeBaseName());
}

ADD_KMM_WIN::~ADD_KMM_WIN() = default;

QAction* ADD_KMM_WIN::addItem(QMenu* menu, int id, const QString& caption, const QString& tip,
                              void (ADD_KMM_WIN::*slot)())
{
    QAction* a = menu->addAction(caption);
    a->setStatusTip(tip);
    connect(a, &QAction::triggered, this, slot);
    actions_.insert(id, a);
    return a;
}

QAction* ADD_KMM_WIN::action(int id) const
{
    return actions_.value(id);
}

ConvRows ADD_KMM_WIN::rows() const
{
    ConvRows out;
    for (const Row& r : server_->Data())
        out << ConvRow{r.value(0), r.value(1), r.value(2), r.value(3), r.value(4), r.value(5)};
    return out;
}

bool ADD_KMM_WIN::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SLE_YEM && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            PBIPTAL();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ADD_KMM_WIN::EndWindow()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void ADD_KMM_WIN::PBIPTAL()
{
    EndWindow();
}

void ADD_KMM_WIN::PBHESAP()
{
    if (!shell_)
        return;
    setCursor(Qt::BusyCursor);
    browser_->SuspendUpdate();
    ConvRows current = rows();
    const bool ok = zeva::PBHESAP(shell_->port(), current);
    if (ok) {
        const int rec = server_->RecNo();
        for (int i = 0; i < current.size(); ++i) {
            server_->GoTo(i + 1);
            server_->FieldPut(QStringLiteral("SLE_VALUE2"), current.at(i).SLE_VALUE2);
        }
        server_->GoTo(rec);
        server_->GoTop();
        calculated_ = true;
        pbEkle->setEnabled(true);
        action(6133)->setEnabled(true);
        action(6171)->setEnabled(true);
    }
    browser_->RestoreUpdate();
    unsetCursor();
}

void ADD_KMM_WIN::PBEKLE()
{
    if (!shell_)
        return;
    switch (appendFormula(shell_->port(), SLE_YEM->text(), rows(), calculated_)) {
    case AppendOutcome::NoName:
        SLE_YEM->setFocus();
        break;
    case AppendOutcome::Declined:
    case AppendOutcome::OpenFailed:
    case AppendOutcome::Appended:
        EndWindow();
        break;
    case AppendOutcome::Refused:
    case AppendOutcome::WriteFailed:
        break;
    }
}

void ADD_KMM_WIN::CONTEXTHELP()
{
    if (shell_)
        shell_->showHelp(QStringLiteral("Kuru Madde Esaslı Matrise Ekle"));
}

ADD_KMM_WIN* BUCOZ_EKLE(STANDARDSHELLWINDOW& w)
{
    const ConvRows rows = GET_DON_DIZ(w.port());
    if (rows.isEmpty())
        return nullptr;
    auto* win = new ADD_KMM_WIN(&w, rows);
    QMdiSubWindow* sub = w.addChildWindow(win);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(win->windowTitle());
    sub->setWindowIcon(win->windowIcon());
    sub->show();
    return win;
}

}  // namespace zeva
