#include "reports/ui/padwin.h"

#include "core/helpers.h"
#include "core/messages.h"
#include "core/userport.h"
#include "platform/atomicfile.h"
#include "platform/runtime.h"
#include "platform/ui/richtext.h"
#include "platform/ui/turkishdialogs.h"
#include "resources/padmenus.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/toolbarimages.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QVBoxLayout>

namespace zeva {

namespace {

const QString kWarning = QStringLiteral("Uyarı...");
constexpr int kRulerHeight = 25;
// The line of the pad is 10 inches wide.
constexpr int kLineInches = 10;

const DialogTemplate kMarginDialogTemplate{
    "MarginDialog", "Sayfa Marjı", 0, 0, 142, 44, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::Label, 8, 7, 34, 12, "Sol marj...:"},
        {101, CtlKind::Label, 8, 25, 34, 11, "Sağ marj..:"},
        {102, CtlKind::Edit, 44, 7, 36, 11, ""},
        {103, CtlKind::Edit, 44, 25, 36, 11, ""},
        {104, CtlKind::PushButton, 88, 7, 46, 12, "&Tamam", CS_DEFAULT},
        {105, CtlKind::PushButton, 88, 25, 46, 13, "&İptal"},
    }};

// CREATEFONT(12, 12): "Courier New" (Liberation Mono on this system), 12
// pixels high, fixed pitch.
QFont CREATEFONT(int /*width*/, int height)
{
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(height);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

QIcon IDI_COCPADICON()
{
    return toolbarImage(6);
}

// ---------------------------------------------------------------- Qt dialogs

PadDialogs::SaveAsAnswer QtPadDialogs::askSaveAs(QWidget* owner, const QString& caption, const QString& folder,
                                                 const QString& initialName, const QStringList& filters)
{
    QFileDialog dialog(owner, caption, folder);
    setUpTurkishFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    // The pad asks before it writes over a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(QFileInfo(initialName).fileName());
    if (run(dialog) != QDialog::Accepted)
        return {};
    return {dialog.selectedFiles().value(0), int(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

bool QtPadDialogs::askFont(QWidget* owner, QFont& font, QColor& /*color*/)
{
    // Qt's font dialog has no colour: the colour stays as it is.
    QFontDialog dialog(owner);
    setUpTurkishFontDialog(dialog);
    dialog.setCurrentFont(font);
    if (run(dialog) != QDialog::Accepted)
        return false;
    font = dialog.selectedFont();
    return true;
}

int QtPadDialogs::run(QDialog& dialog)
{
    return dialog.exec();
}

bool QtPadDialogs::askPrint(QWidget* owner, QPrinter& printer, const PrintOffer& offer)
{
    QPrintDialog dialog(&printer, owner);
    // Only what the printing does: the pages the text fills, its selection
    // when it has one; a pad has no current page of its own to print.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, offer.selection);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, qMax(1, offer.pages));
    // The dialog opens on a print queue (the system's default, or the one
    // printed to last) with Qt's own file name in its file field; a print to
    // a file is offered the report's name all the same.
    if (printer.outputFormat() != QPrinter::PdfFormat && !offer.file.isEmpty())
        if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
            file->setText(QDir::toNativeSeparators(offer.file));
    return run(dialog) == QDialog::Accepted;
}

void QtPadDialogs::printerSetup(QWidget* owner, QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, owner);
    run(dialog);
}

// ---------------------------------------------------------------- VQRICHEDIT

VQRICHEDIT::VQRICHEDIT(PADWIN* owner) : PasteGuarded<QTextEdit>(owner), owner_(owner)
{
    setObjectName(QStringLiteral("RICHEDIT"));
    setAcceptRichText(true);
    contextMenu_ = std::make_unique<ShellMenu>(res::edContMenu(), owner);
}

VQRICHEDIT::~VQRICHEDIT() = default;

void VQRICHEDIT::SETEFFECT(int effect)
{
    const QTextCharFormat now = currentCharFormat();
    QTextCharFormat change;
    switch (effect) {
    case 1:
        change.setFontWeight(now.fontWeight() >= QFont::DemiBold ? QFont::Normal : QFont::Bold);
        break;
    case 2:
        change.setFontItalic(!now.fontItalic());
        break;
    case 4:
        change.setFontUnderline(!now.fontUnderline());
        break;
    default:
        return;
    }
    mergeCurrentCharFormat(change);
}

void VQRICHEDIT::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        owner_->CLOSE();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void VQRICHEDIT::contextMenuEvent(QContextMenuEvent* event)
{
    if (QMenu* menu = contextMenu_->topMenus().value(0))
        menu->exec(event->globalPos());
}

// ---------------------------------------------------------------- ruler

PadRuler::PadRuler(PADWIN* pad) : pad_(pad)
{
    setObjectName(QStringLiteral("PadRuler"));
    setFixedHeight(kRulerHeight);
}

void PadRuler::paintEvent(QPaintEvent*)
{
    // Drawn in the program's ruler coordinates: origin at the bottom of the
    // band, y up; T is the band's bottom.
    QPainter p(this);
    const int W = width();
    const int H = kRulerHeight;
    const int N = pad_->NWIDTH;
    auto y = [H](int up) { return H - up; };
    const QColor grey(127, 127, 127);
    const QColor light(191, 191, 191);

    p.setPen(Qt::white);
    p.drawLine(1, y(1), W - 13, y(1));
    p.setPen(grey);
    p.setBrush(Qt::white);
    p.drawRect(1, y(2 + 20), W, 20);
    p.setPen(Qt::black);
    p.drawLine(2, y(21), N, y(21));
    p.setPen(light);
    p.setBrush(light);
    p.drawRect(N + 1, y(3 + 18), W - N - 2, 18);
    p.setPen(Qt::white);
    p.drawLine(N + 1, y(21), W, y(21));
    p.setPen(grey);
    p.drawLine(N + 1, y(20), N + 1, y(2));

    // A number at every inch, a tick at every half inch before it.
    const int inch = qMax(1, N / kLineInches);
    const int half = inch / 2;
    p.setPen(palette().color(QPalette::WindowText));
    const int descent = p.fontMetrics().descent();
    for (int x = inch; x - half < W; x += inch) {
        p.drawText(QPoint(x, y(4) - descent), QString::number(x / inch));
        p.drawText(QPoint(x - half, y(5) - descent), QStringLiteral("|"));
    }
}

// ---------------------------------------------------------------- MARGINDIALOG

MARGINDIALOG::MARGINDIALOG(PADWIN* owner, UserPort* port)
    : TemplateDialog(kMarginDialogTemplate, owner), owner_(owner), port_(port)
{
    setObjectName(QStringLiteral("MARGINDIALOG"));
    setIcons(IDI_COCPADICON());
    sleLM_ = control<QLineEdit>(102);
    sleRM_ = control<QLineEdit>(103);
    pbOK_ = control<QPushButton>(104);
    pbCancel_ = control<QPushButton>(105);
    connect(pbOK_, &QPushButton::clicked, this, &MARGINDIALOG::PBOK);
    connect(pbCancel_, &QPushButton::clicked, this, &MARGINDIALOG::PBCANCEL);
    // POSTINIT
    sleLM_->setText(QStringLiteral("0"));
    sleRM_->setText(QStringLiteral("7"));
}

int MARGINDIALOG::inches(const QString& text)
{
    const double v = Val(text);
    return static_cast<int>(qBound(-1000.0, v, 1000.0));
}

void MARGINDIALOG::PBOK()
{
    const int left = inches(sleLM_->text());
    const int right = inches(sleRM_->text());
    if (left < 0 || left >= right || right > kLineInches) {
        if (port_)
            port_->messageBox(kWarning,
                              QStringLiteral("Marjlar 0 ile 10 inç arasında olmalı; sol marj sağ marjdan küçük "
                                             "olmalı..."),
                              BOX_WARNING);
        (right > kLineInches || left < right ? sleRM_ : sleLM_)->setFocus();
        return;
    }
    if (owner_) {
        owner_->NLEFTMARGIN = static_cast<int>(Val(sleLM_->text()) * 1440);
        owner_->NRIGHTMARGIN = static_cast<int>(Val(sleRM_->text()) * 1440);
    }
    done(1);
}

void MARGINDIALOG::PBCANCEL()
{
    done(0);
}

// ---------------------------------------------------------------- PADWIN

PADWIN::PADWIN(PadHost& host, const QString& name, QWidget* parent) : QMdiSubWindow(parent), host_(host)
{
    installFontSubstitutions();
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("PADWIN"));
    setWindowIcon(IDI_COCPADICON());

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ruler_ = new PadRuler(this);
    ODCRICHEDIT = new VQRICHEDIT(this);
    layout->addWidget(ruler_);
    layout->addWidget(ODCRICHEDIT);
    setWidget(body);
    // The focus of the pad is its edit control's (when the pad gains it).
    body->setFocusProxy(ODCRICHEDIT);
    setFocusProxy(ODCRICHEDIT);

    // The 10-inch line: text wraps there and the ruler's page ends there.
    NWIDTH = kLineInches * qMax(1, logicalDpiX());
    ODCRICHEDIT->setLineWrapMode(QTextEdit::FixedPixelWidth);
    ODCRICHEDIT->setLineWrapColumnOrWidth(NWIDTH);
    ODCRICHEDIT->document()->setDefaultFont(CREATEFONT(12, 12));
    ODCRICHEDIT->document()->setModified(false);

    CFNAME = name;
    setWindowTitle(name);
    connect(ODCRICHEDIT, &QTextEdit::textChanged, this, &PADWIN::textEdited);
}

PADWIN::~PADWIN() = default;

void PADWIN::setLCHANGE(bool changed)
{
    LCHANGED_ = changed;
    host_.padChanged(this);
    emit changedFlag(changed);
}

void PADWIN::textEdited()
{
    if (!loading_)
        setLCHANGE(true);
}

bool PADWIN::load()
{
    QTextDocument* doc = ODCRICHEDIT->document();
    const PadFileKind kind = padFileKind(CFNAME);
    bool ok = true;
    loading_ = true;
    doc->setUndoRedoEnabled(false);
    // The text shown is parsed from the very bytes the pad's fingerprint of
    // its file is taken of; a file of another kind shows nothing, but a save
    // still knows what stood there.
    QByteArray bytes;
    const bool read = kind != PadFileKind::Untitled && FileFingerprint::read(CFNAME, &bytes, &fingerprint_);
    if (kind == PadFileKind::RichText) {
        rtf::Document model;
        rtf::ReadInfo info;
        ok = read && rtf::read(bytes, &model, &info);
        if (ok) {
            setRichText(*doc, model);
            skipped_ = info.skipped;
        }
    } else if (kind == PadFileKind::PlainText) {
        PadText text;
        ok = read && padTextFromBytes(bytes, &text);
        if (ok) {
            newline_ = text.newline;
            setPlainLines(*doc, text.text);
        }
    }
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    loading_ = false;
    // A report is read from its heading: the caret at the start, the first
    // line at the top.
    ODCRICHEDIT->moveCursor(QTextCursor::Start);
    ODCRICHEDIT->horizontalScrollBar()->setValue(0);
    ODCRICHEDIT->verticalScrollBar()->setValue(0);
    return ok;
}

bool PADWIN::dispatch(const QString& symbol)
{
    using Method = void (PADWIN::*)();
    static const QHash<QString, Method> methods = {
        {QStringLiteral("CLOSE"), &PADWIN::CLOSE},
        {QStringLiteral("CLOSEALL"), &PADWIN::CLOSEALL},
        {QStringLiteral("SETFONT"), &PADWIN::SETFONT},
        {QStringLiteral("SETMARGINS"), &PADWIN::SETMARGINS},
        {QStringLiteral("CUT"), &PADWIN::CUT},
        {QStringLiteral("COPY"), &PADWIN::COPY},
        {QStringLiteral("PASTE"), &PADWIN::PASTE},
        {QStringLiteral("SELECTALL"), &PADWIN::SELECTALL},
        {QStringLiteral("FILEPRINT"), &PADWIN::FILEPRINT},
    };
    if (const auto it = methods.constFind(symbol); it != methods.constEnd()) {
        (this->*it.value())();
        return true;
    }
    if (symbol == QLatin1String("RTFSAVE")) {
        RTFSAVE();
        return true;
    }
    if (symbol == QLatin1String("RTFSAVEAS")) {
        RTFSAVEAS();
        return true;
    }
    static const QHash<QString, int> alignments = {
        {QStringLiteral("YAZıM_DÜZENLE_SOL"), 1},
        {QStringLiteral("YAZıM_DÜZENLE_SAĞ"), 2},
        {QStringLiteral("YAZıM_DÜZENLE_ORTA"), 3},
    };
    if (const auto it = alignments.constFind(symbol); it != alignments.constEnd()) {
        RTFALIGN(it.value());
        return true;
    }
    return false;
}

bool PADWIN::QUERYCLOSE()
{
    if (!LCHANGE())
        return true;
    const QString text = windowTitle() + QStringLiteral(" Dosyasındaki metin değişmiş.\n\n")
                         + QStringLiteral("Değişiklikleri kaydetmek istiyor musunuz?");
    switch (host_.padPort().messageBox(kWarning, text, BOX_YESNOCANCEL_QUESTION)) {
    case REPLY_YES:
        // The pad closes only when its text is safe in the file.
        return RTFSAVE();
    case REPLY_NO:
        return true;
    default:
        return false;
    }
}

void PADWIN::closeEvent(QCloseEvent* event)
{
    if (!QUERYCLOSE()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        host_.padClosed(this);
}

void PADWIN::CLOSE()
{
    close();
}

void PADWIN::CLOSEALL()
{
    host_.closeAllPads();
}

bool PADWIN::writeFile(const QString& path, Format format)
{
    UserPort& port = host_.padPort();
    // Each question before the write: Evet goes on, Hayır writes nothing.
    auto agreed = [&port](const QString& question) {
        return port.messageBox(kWarning, question, BOX_YESNO_EXCLAMATION) == REPLY_YES;
    };
    QTextDocument* doc = ODCRICHEDIT->document();
    QByteArray bytes;
    if (format == Format::Rich) {
        bytes = rtf::write(richTextOf(*doc));
    } else {
        PadText text{plainLines(*doc), newline_};
        const QString lost = unencodableCharacters(text.text);
        if (!lost.isEmpty()
            && !agreed(QStringLiteral("Metindeki şu karakterler metin dosyasına yazılamaz: ") + lost
                       + QStringLiteral("\n\nYerlerine \"?\" yazılacak. Yine de kaydetmek istiyor musunuz?")))
            return false;
        bytes = padTextBytes(text);
    }
    if (!skipped_.isEmpty() && QFileInfo(path) == QFileInfo(CFNAME)
        && !agreed(CFNAME
                   + QStringLiteral(" dosyasında rapor editörünün gösteremediği kısımlar var (resim, nesne, üst ve alt "
                                    "bilgi gibi).\n\nKaydederseniz bu kısımlar dosyadan silinecek. Kaydetmek "
                                    "istiyor musunuz?")))
        return false;
    // The pad's own file, rewritten since the pad opened it, is written over
    // only when the user says so.
    if (!fingerprint_.path().isEmpty() && QFileInfo(path) == QFileInfo(fingerprint_.path())
        && !mayWriteOver(port, fingerprint_,
                         path + QStringLiteral(" Dosyası rapor editöründe açıldıktan sonra diskte değiştirilmiş.")))
        return false;
    if (!writeFileAtomically(path, bytes)) {
        port.messageBox(QStringLiteral("Hata..."), path + QStringLiteral(" dosyası kaydedilemedi..."), BOX_ERROR);
        return false;
    }
    fingerprint_ = FileFingerprint::of(path, bytes);
    skipped_.clear();
    port.statusText(QStringLiteral("Dosya başarıyla kaydedildi!"));
    return true;
}

bool PADWIN::RTFSAVE()
{
    const PadFileKind kind = padFileKind(CFNAME);
    if (kind == PadFileKind::Untitled)
        return RTFSAVEAS();
    if (!writeFile(CFNAME, kind == PadFileKind::RichText ? Format::Rich : Format::Plain))
        return false;
    setLCHANGE(false);
    return true;
}

bool PADWIN::RTFSAVEAS()
{
    const QStringList filters = {QStringLiteral("*.TXT"), QStringLiteral("*.RTF")};
    const PadDialogs::SaveAsAnswer answer = host_.padDialogs().askSaveAs(
        this, QStringLiteral("Farklı Kaydet"), host_.padFolder(), CFNAME, filters);
    if (answer.fileName.isEmpty())
        return false;
    QString name = answer.fileName;
    QString ext = SFILEEXT(name);
    if (ext.isEmpty()) {
        ext = answer.filter == 2 ? QStringLiteral(".RTF") : QStringLiteral(".TXT");
        name += ext;
    }
    if (QFileInfo::exists(name)) {
        const QString question = name + QStringLiteral(" Dosyası mevcut.\n\nÜzerine yazılmasını istiyor musunuz?");
        if (host_.padPort().messageBox(kWarning, question, BOX_YESNO_QUESTION) != REPLY_YES)
            return false;
    }
    const Format format = ext.compare(QLatin1String(".RTF"), Qt::CaseInsensitive) == 0 ? Format::Rich : Format::Plain;
    if (!writeFile(name, format))
        return false;
    setLCHANGE(false);
    CFNAME = name;
    setWindowTitle(name);
    return true;
}

void PADWIN::SETFONT()
{
    // The dialog opens on the font the text is drawn in: the family the
    // system really uses for it, its size in points (a size in pixels counts
    // 96 to the inch), its style and colour.
    const QTextCharFormat now = ODCRICHEDIT->currentCharFormat();
    const QFont set = now.font().resolve(ODCRICHEDIT->document()->defaultFont());
    QFont drawn(QFontInfo(set).family());
    drawn.setPointSizeF(set.pointSizeF() > 0 ? set.pointSizeF() : qMax(1, set.pixelSize()) * 72.0 / 96.0);
    drawn.setWeight(set.weight());
    drawn.setItalic(set.italic());
    drawn.setUnderline(set.underline());
    drawn.setStrikeOut(set.strikeOut());
    const QColor color = ODCRICHEDIT->textColor();

    QFont chosen = drawn;
    QColor chosenColor = color;
    if (!host_.padDialogs().askFont(this, chosen, chosenColor))
        return;
    // Only what the user changed changes; OK alone changes nothing.
    QTextCharFormat change;
    if (chosen.family().compare(drawn.family(), Qt::CaseInsensitive) != 0)
        change.setFontFamilies(QStringList{chosen.family()});
    if (chosen.pointSizeF() > 0 && !qFuzzyCompare(chosen.pointSizeF(), drawn.pointSizeF()))
        change.setFontPointSize(chosen.pointSizeF());
    if (chosen.weight() != drawn.weight())
        change.setFontWeight(chosen.weight());
    if (chosen.italic() != drawn.italic())
        change.setFontItalic(chosen.italic());
    if (chosen.underline() != drawn.underline())
        change.setFontUnderline(chosen.underline());
    if (chosen.strikeOut() != drawn.strikeOut())
        change.setFontStrikeOut(chosen.strikeOut());
    if (chosenColor.isValid() && chosenColor != color)
        change.setForeground(chosenColor);
    if (change.propertyCount() > 0)
        ODCRICHEDIT->mergeCurrentCharFormat(change);
}

void PADWIN::SETMARGINS()
{
    MARGINDIALOG dialog(this, &host_.padPort());
    if (host_.padDialogs().run(dialog) == 0)
        return;
    const int left = MARGINDIALOG::inches(dialog.ODCSLELM()->text());
    const int right = MARGINDIALOG::inches(dialog.ODCSLERM()->text());
    // Margin(L x 1440, (10 - R) x 1440) in twips, shown in pixels; the margins
    // belong to the view, not to the text, which stays unchanged.
    const double perInch = NWIDTH / double(kLineInches);
    QTextDocument* doc = ODCRICHEDIT->document();
    QTextFrameFormat frame = doc->rootFrame()->frameFormat();
    frame.setLeftMargin(left * perInch);
    frame.setRightMargin((kLineInches - right) * perInch);
    const QSignalBlocker quiet(ODCRICHEDIT);
    const bool modified = doc->isModified();
    doc->rootFrame()->setFrameFormat(frame);
    doc->setModified(modified);
}

void PADWIN::CUT()
{
    ODCRICHEDIT->cut();
}

void PADWIN::COPY()
{
    ODCRICHEDIT->copy();
}

void PADWIN::PASTE()
{
    ODCRICHEDIT->paste();
}

void PADWIN::SELECTALL()
{
    ODCRICHEDIT->selectAll();
}

QString PADWIN::printFileName(const QString& previous) const
{
    // In the folder of the last file printed to, else beside the report.
    QString folder;
    if (!previous.isEmpty())
        folder = QFileInfo(previous).absolutePath();
    else if (padFileKind(CFNAME) == PadFileKind::Untitled)
        folder = host_.padFolder();
    else
        folder = QFileInfo(CFNAME).absolutePath();
    return QDir(folder).filePath(QFileInfo(CFNAME).completeBaseName() + QStringLiteral(".pdf"));
}

namespace {

// The selected part of the document, with the document's own settings; the
// first paragraph keeps its own format.
std::unique_ptr<QTextDocument> selectedPart(const QTextDocument& doc, const QTextCursor& selection)
{
    std::unique_ptr<QTextDocument> part(doc.clone());
    const int start = selection.selectionStart();
    const QTextBlockFormat first = part->findBlock(start).blockFormat();
    QTextCursor tail(part.get());
    tail.setPosition(selection.selectionEnd());
    tail.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    tail.removeSelectedText();
    QTextCursor head(part.get());
    head.setPosition(start, QTextCursor::KeepAnchor);
    head.removeSelectedText();
    head.setBlockFormat(first);
    return part;
}

}  // namespace

void PADWIN::FILEPRINT()
{
    QPrinter& printer = host_.padPrinter();
    const QTextDocument& doc = *ODCRICHEDIT->document();
    // The line runs between the margins last confirmed in the margin dialog.
    const double left = NLEFTMARGIN / 1440.0;
    const double right = NRIGHTMARGIN / 1440.0;
    // The print job, and the file the print dialog offers, are named after
    // the report being printed.
    printer.setDocName(QFileInfo(CFNAME).fileName());
    const QString offered = printFileName(printer.outputFileName());
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setOutputFileName(offered);
    // Each print starts from the whole text, one copy, first page first: a
    // range or copies asked for one text are not left for the next.
    const int pages = printedPageCount(doc, &printer, left, right);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, pages);
    printer.setCopyCount(1);
    printer.setPageOrder(QPrinter::FirstPageFirst);
    const QTextCursor selection = ODCRICHEDIT->textCursor();
    if (!host_.padDialogs().askPrint(this, printer, {pages, selection.hasSelection(), offered}))
        return;

    // The pages, their copies and their order are all made here, so the
    // printer is told to print what it gets once, as it comes: a print queue
    // handed the copies may leave them to a printer that cannot make them
    // (uncollated copies through a queue that writes PDF files came out
    // once), and one handed the order may turn it again.
    PrintJob job;
    if (printer.printRange() == QPrinter::PageRange)
        job.pages = printer.pageRanges();
    job.copies = printer.copyCount();
    job.collate = printer.collateCopies();
    job.lastPageFirst = printer.pageOrder() == QPrinter::LastPageFirst;
    printer.setCopyCount(1);
    printer.setPageOrder(QPrinter::FirstPageFirst);
    std::unique_ptr<QTextDocument> part;
    if (printer.printRange() == QPrinter::Selection && selection.hasSelection())
        part = selectedPart(doc, selection);
    int filled = 0;
    switch (printDocument(part ? *part : doc, &printer, left, right, job, &filled)) {
    case PrintOutcome::Printed:
        return;
    case PrintOutcome::NoPages:
        host_.padPort().messageBox(kWarning,
                                   QStringLiteral("Seçilen sayfalar metinde yok: metin %1 sayfa. Hiçbir şey "
                                                  "yazdırılmadı...")
                                       .arg(filled),
                                   BOX_WARNING);
        return;
    case PrintOutcome::Failed:
        break;
    }
    QString text = QStringLiteral("Metin yazdırılamıyor...");
    if (!printer.outputFileName().isEmpty())
        text = printer.outputFileName() + QStringLiteral(" dosyasına yazdırılamıyor...");
    else if (!printer.printerName().isEmpty())
        text = printer.printerName() + QStringLiteral(" yazıcısına yazdırılamıyor...");
    host_.padPort().messageBox(QStringLiteral("Hata..."), text, BOX_ERROR);
}

void PADWIN::RTFALIGN(int code)
{
    switch (code) {
    case 1:
        ODCRICHEDIT->setAlignment(Qt::AlignLeft);
        break;
    case 2:
        ODCRICHEDIT->setAlignment(Qt::AlignRight);
        break;
    case 3:
        ODCRICHEDIT->setAlignment(Qt::AlignHCenter);
        break;
    default:
        break;
    }
}

}  // namespace zeva
