#pragma once
// PADWIN: one report pad, a child window of the main window that shows one
// report file (plain or rich text) in an edit control under a drawn ruler,
// and carries out the pad menu's editing, formatting, printing and saving
// commands. The pad has no menu of its own: the main window carries the pad
// menu and sends its commands to the active pad first (reports/ui/reportpads.h).
//
// Saving reports its outcome: the changed flag is cleared, and a pad closes
// after "Yes" to its save question, only once the file was written. A write
// that fails says so and keeps the flag.
//
// A report file may be rewritten while its pad is open (a later solve, the
// command-line solve, another program): a save over the pad's own file first
// compares it with what the pad opened, and when it changed the user is told
// and chooses whether to write over it; not writing keeps the pad and its
// edits.

#include "platform/filefingerprint.h"
#include "platform/rtf.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialogtemplate.h"
#include "reports/padfiles.h"
#include "shell/menuowner.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QTextEdit>

#include <memory>

class QColor;
class QFont;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace zeva {

class PADWIN;
class ShellMenu;
class UserPort;

// The window dialogs of the pad: tests answer them from a script.
class PadDialogs {
public:
    virtual ~PadDialogs() = default;

    struct SaveAsAnswer {
        QString fileName;  // empty: cancelled
        int filter = 1;    // the filter chosen, from 1
    };
    // The save-as dialog ("Farklı Kaydet").
    virtual SaveAsAnswer askSaveAs(QWidget* owner, const QString& caption, const QString& folder,
                                   const QString& initialName, const QStringList& filters) = 0;
    // The font dialog on `font` and `color`; FALSE when cancelled.
    virtual bool askFont(QWidget* owner, QFont& font, QColor& color) = 0;
    // Runs a modal dialog (the margin dialog; in Qt's set also the font and
    // print dialogs, so a test can see them as they open); its result.
    virtual int run(QDialog& dialog) = 0;
    // What the print dialog offers beyond the printer's own settings: the
    // pages the text fills on the printer as it is set up, and whether there
    // is a selection to print.
    struct PrintOffer {
        int pages = 1;
        bool selection = false;
        QString file;  // the PDF file a print to a file goes to
    };
    // The print dialog on `printer`; FALSE when cancelled.
    virtual bool askPrint(QWidget* owner, QPrinter& printer, const PrintOffer& offer) = 0;
    // The printer set-up dialog on `printer`.
    virtual void printerSetup(QWidget* owner, QPrinter& printer) = 0;
};

// Qt's dialogs.
class QtPadDialogs : public PadDialogs {
public:
    SaveAsAnswer askSaveAs(QWidget* owner, const QString& caption, const QString& folder,
                           const QString& initialName, const QStringList& filters) override;
    bool askFont(QWidget* owner, QFont& font, QColor& color) override;
    int run(QDialog& dialog) override;
    bool askPrint(QWidget* owner, QPrinter& printer, const PrintOffer& offer) override;
    void printerSetup(QWidget* owner, QPrinter& printer) override;
};

// What a pad needs of the window that keeps the pads (the main window's
// pad manager). Commands the pad does not handle go on to it.
class PadHost : public MenuOwner {
public:
    virtual UserPort& padPort() = 0;
    virtual PadDialogs& padDialogs() = 0;
    // The printer the pads print on (its set-up stays for the run).
    virtual QPrinter& padPrinter() = 0;
    // The folder the save dialog starts in.
    virtual QString padFolder() const = 0;
    // The pad's changed flag changed.
    virtual void padChanged(PADWIN* pad) = 0;
    // The pad's close was accepted: it leaves the list of open pads.
    virtual void padClosed(PADWIN* pad) = 0;
    // "&Hepsini Kapat".
    virtual void closeAllPads() = 0;
};

// The edit control of a pad: rich text; Esc closes the pad; its context menu
// is ED_CONT_MENU, whose commands go to the pad.
class VQRICHEDIT : public PasteGuarded<QTextEdit> {
    Q_OBJECT
public:
    explicit VQRICHEDIT(PADWIN* owner);
    ~VQRICHEDIT() override;

    ShellMenu* contextMenu() const { return contextMenu_.get(); }

    // Toggles one character effect of the selection: 1 bold, 2 italic,
    // 4 underline. Set when the start of the selection lacks it, cleared
    // when it has it.
    void SETEFFECT(int effect);
    void SETBOLD() { SETEFFECT(1); }
    void SETITALIC() { SETEFFECT(2); }
    void SETUNDERLINE() { SETEFFECT(4); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    PADWIN* owner_;
    std::unique_ptr<ShellMenu> contextMenu_;
};

// The ruler across the top of a pad: white page up to NWIDTH, grey beyond,
// a mark and its number every inch.
class PadRuler : public QWidget {
    Q_OBJECT
public:
    explicit PadRuler(PADWIN* pad);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PADWIN* pad_;
};

// "Sayfa Marjı": the left and right margin in inches.
class MARGINDIALOG : public TemplateDialog {
    Q_OBJECT
public:
    // `owner` (may be null) gets the margins in twips; `port` (may be null)
    // shows why margins were refused.
    MARGINDIALOG(PADWIN* owner, UserPort* port);

    QLineEdit* ODCSLELM() const { return sleLM_; }
    QLineEdit* ODCSLERM() const { return sleRM_; }
    QPushButton* pbOK() const { return pbOK_; }
    QPushButton* pbCancel() const { return pbCancel_; }

    // Whole inches of a margin text (0 when there is no number in it).
    static int inches(const QString& text);

public slots:
    // Takes the margins when 0 <= left < right <= 10 (the line is 10 inches
    // wide); otherwise says so and stays open.
    void PBOK();
    void PBCANCEL();
    void PBIPTAL() override { PBCANCEL(); }

private:
    PADWIN* owner_;
    UserPort* port_;
    QLineEdit* sleLM_ = nullptr;
    QLineEdit* sleRM_ = nullptr;
    QPushButton* pbOK_ = nullptr;
    QPushButton* pbCancel_ = nullptr;
};

class PADWIN : public QMdiSubWindow, public MenuOwner {
    Q_OBJECT
public:
    // An empty pad named `name` (a file name, or "Adsız" and a number); the
    // manager loads the file with load().
    PADWIN(PadHost& host, const QString& name, QWidget* parent = nullptr);
    ~PADWIN() override;

    // ---- fields
    int NWIDTH = 960;           // page width on the ruler, pixels (10 inches)
    QString CFNAME;             // the file, or "Adsız" and a number
    int NLEFTMARGIN = 0;        // twips
    int NRIGHTMARGIN = 14400;   // twips from the left end of the 10-inch line
    VQRICHEDIT* ODCRICHEDIT = nullptr;

    bool LCHANGE() const { return LCHANGED_; }
    void setLCHANGE(bool changed);

    // Reads CFNAME by its kind (nothing for an untitled pad or another
    // extension). FALSE when a text file cannot be read or is empty, or a
    // rich-text file cannot be read or is not rich text.
    bool load();

    // ---- commands
    bool dispatch(const QString& symbol) override;
    MenuOwner* menuOwnerParent() override { return &host_; }

    // TRUE when the pad may close: unchanged, "No", or "Yes" and saved.
    bool QUERYCLOSE();
    // Closes the pad (through QUERYCLOSE).
    void CLOSE();
    void CLOSEALL();
    // Saves under the pad's name (an untitled pad asks for one). TRUE when
    // the file was written.
    bool RTFSAVE();
    // Asks for a new name and saves there. TRUE when the file was written.
    bool RTFSAVEAS();
    void SETFONT();
    void SETMARGINS();
    void CUT();
    void COPY();
    void PASTE();
    void SELECTALL();
    // Prints the text, or its selection, as the print dialog asks.
    void FILEPRINT();
    // Paragraph alignment: 1 left, 2 right, 3 centre.
    void RTFALIGN(int code);

    // The parts of a rich-text file that the pad could not show and a save
    // would drop ("pict", "header", ...); empty once a save has dropped them.
    QStringList skippedContent() const { return skipped_; }

signals:
    void changedFlag(bool changed);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Format { Plain, Rich };
    bool writeFile(const QString& path, Format format);
    // The file a print to a file offers for this pad: the pad's name with
    // ".pdf", in the folder of `previous` (the last file printed to) if any.
    QString printFileName(const QString& previous) const;
    void textEdited();

    PadHost& host_;
    bool LCHANGED_ = false;
    bool loading_ = false;
    QString newline_ = QStringLiteral("\r\n");
    QStringList skipped_;
    FileFingerprint fingerprint_;  // the pad's file as opened or last saved
    PadRuler* ruler_ = nullptr;
};

// The pad's icon.
QIcon IDI_COCPADICON();

}  // namespace zeva
