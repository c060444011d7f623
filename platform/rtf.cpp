#include "platform/rtf.h"

#include "platform/codec.h"

#include <QHash>
#include <QStringDecoder>

#include <array>
#include <limits>
#include <memory>
#include <optional>

namespace zeva::rtf {

namespace {

// Deeper nesting than this is not a document but an attack on the stack.
constexpr int kMaxDepth = 400;
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxIndent = 1000000;

// ---------------------------------------------------------------- code pages

// One byte of a single-byte code page as Unicode.
using ByteTable = std::array<char16_t, 256>;

ByteTable tableOf1254()
{
    ByteTable t{};
    for (int b = 0; b < 256; ++b)
        t[b] = cp1254::decode(QByteArray(1, static_cast<char>(b))).at(0).unicode();
    return t;
}

ByteTable tableOf1252()
{
    ByteTable t = tableOf1254();
    t[0x8E] = 0x017D;
    t[0x9E] = 0x017E;
    t[0xD0] = 0x00D0;
    t[0xDD] = 0x00DD;
    t[0xDE] = 0x00DE;
    t[0xF0] = 0x00F0;
    t[0xFD] = 0x00FD;
    t[0xFE] = 0x00FE;
    return t;
}

const ByteTable& codePage(int cp)
{
    static const ByteTable t1254 = tableOf1254();
    static const ByteTable t1252 = tableOf1252();
    static QHash<int, std::shared_ptr<ByteTable>> others;
    if (cp == 1254)
        return t1254;
    if (cp == 1252 || cp <= 0)
        return t1252;
    if (auto it = others.constFind(cp); it != others.constEnd())
        return it.value() ? *it.value() : t1252;
    // Other single-byte Windows code pages through Qt's converters, when it
    // has them; otherwise 1252.
    std::shared_ptr<ByteTable> table;
    QStringDecoder probe(QByteArray("windows-") + QByteArray::number(cp));
    if (probe.isValid() && cp >= 874 && cp <= 1258) {
        table = std::make_shared<ByteTable>();
        for (int b = 0; b < 256; ++b) {
            QStringDecoder dec(QByteArray("windows-") + QByteArray::number(cp));
            const QString s = dec(QByteArray(1, static_cast<char>(b)));
            (*table)[b] = s.size() == 1 ? s.at(0).unicode() : t1252[b];
        }
    }
    others.insert(cp, table);
    return table ? *table : t1252;
}

int codePageOfCharset(int charset, int documentCp)
{
    switch (charset) {
    case 0: return 1252;
    case 162: return 1254;
    case 238: return 1250;
    case 204: return 1251;
    case 161: return 1253;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 163: return 1258;
    case 222: return 874;
    default: return documentCp;
    }
}

// Characters the text of a document cannot hold as they are: the paragraph
// and frame separators of the editor become line breaks or go.
void appendSafe(QString& out, QChar c)
{
    const char16_t u = c.unicode();
    if (u == '\r' || u == '\n' || u == 0x2029) {
        out.append(QChar(0x2028));
        return;
    }
    if (u == 0xFDD0 || u == 0xFDD1 || u == 0xFFFC)
        return;
    out.append(c);
}

// A font name as the document keeps it: without white space around it.
QString familyName(const QString& s)
{
    return s.trimmed();
}

// ---------------------------------------------------------------- reader

enum class Dest {
    Text,       // shown text
    Skip,       // left out
    FontTable,  // \fonttbl
    ColorTable, // \colortbl
};

struct Font {
    QString name;
    int charset = -1;
    bool named = false;  // the ';' that ends the name was seen
};

struct State {
    Dest dest = Dest::Text;
    CharFormat fmt;
    int fontNumber = -1;  // -1: the default font
    Align align = Align::Left;
    int left = 0;
    int right = 0;
    int first = 0;
    int uc = 1;
    bool ignorable = false;  // \* seen at the start of this group
};

// Destinations that are skipped: the first set held content the user saw in
// the program that wrote the file, the second is bookkeeping.
bool isContentDestination(const QByteArray& w)
{
    static const QList<QByteArray> words = {
        "pict",    "object",  "shp",     "shppict", "header",  "headerl",  "headerr",   "headerf",
        "footer",  "footerl", "footerr", "footerf", "footnote", "annotation", "fldinst", "txe",
        "xe",      "tc",
    };
    return words.contains(w);
}

bool isQuietDestination(const QByteArray& w)
{
    static const QList<QByteArray> words = {
        "stylesheet",     "info",       "listtable",   "listoverridetable", "revtbl",
        "rsidtbl",        "generator",  "xmlnsdecls",  "themedata",         "colorschememapping",
        "latentstyles",   "datastore",  "pgdsctbl",    "nonshppict",        "falt",
        "panose",         "filetbl",    "mmathPr",     "wgrffmtfilter",     "pn",
        "author",         "operator",   "title",       "subject",           "keywords",
        "comment",        "doccomm",    "company",     "category",          "bkmkstart",
        "bkmkend",        "template",   "userprops",   "ftnsep",            "ftnsepc",
        "aftnsep",        "aftnsepc",   "ftncn",       "aftncn",            "fldtype",
    };
    return words.contains(w);
}

class Reader {
public:
    Reader(const QByteArray& bytes, Document* doc, ReadInfo* info) : in_(bytes), doc_(doc), info_(info) {}

    bool run()
    {
        qsizetype p = 0;
        while (p < in_.size() && (in_[p] == ' ' || in_[p] == '\t' || in_[p] == '\r' || in_[p] == '\n'))
            ++p;
        if (!in_.mid(p, 5).startsWith("{\\rtf"))
            return fail(QStringLiteral("not RTF"));
        pos_ = p;
        stack_.reserve(64);
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                if (stack_.size() >= kMaxDepth)
                    return fail(QStringLiteral("groups nested too deeply"));
                stack_.append(state_);
                state_.ignorable = false;
                pendingSkip_ = 0;
                groupStart_ = true;
                continue;
            }
            if (c == '}') {
                endGroup();
                if (stack_.size() == 1)
                    break;  // the document's own group closed
                state_ = stack_.takeLast();
                pendingSkip_ = 0;
                groupStart_ = false;
                continue;
            }
            if (c == '\\') {
                controlWord();
                // "{\*" still stands at the start of its group.
                if (keepGroupStart_)
                    keepGroupStart_ = false;
                else
                    groupStart_ = false;
                continue;
            }
            groupStart_ = false;
            if (c == '\r' || c == '\n' || c == '\0')
                continue;
            if (c == '\t') {
                text(QChar(u'\t'));
                continue;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                continue;
            byte(static_cast<unsigned char>(c));
        }
        finishParagraph();
        return true;
    }

private:
    bool fail(const QString& why)
    {
        if (info_)
            info_->error = why;
        *doc_ = Document();
        return false;
    }

    int currentCodePage() const
    {
        const int number = state_.fontNumber < 0 ? deff_ : state_.fontNumber;
        const auto it = fonts_.constFind(number);
        if (it != fonts_.constEnd() && it->charset >= 0)
            return codePageOfCharset(it->charset, ansicpg_);
        return ansicpg_;
    }

    void byte(unsigned char b)
    {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        const int cp = state_.dest == Dest::FontTable ? codePageOfCharset(fonts_.value(state_.fontNumber).charset,
                                                                          ansicpg_)
                                                      : currentCodePage();
        character(QChar(codePage(cp)[b]), b == ';');
    }

    void text(QChar c)
    {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        character(c, false);
    }

    // One character of text; `literalSemicolon` is a ';' written as such,
    // which ends entries of the tables.
    void character(QChar c, bool literalSemicolon)
    {
        switch (state_.dest) {
        case Dest::Skip:
            return;
        case Dest::FontTable: {
            Font& f = fonts_[state_.fontNumber];
            if (f.named)
                return;
            if (literalSemicolon)
                f.named = true;
            else
                f.name.append(c);
            return;
        }
        case Dest::ColorTable:
            if (literalSemicolon)
                endColor();
            return;
        case Dest::Text:
            break;
        }
        appendText(c);
    }

    void appendText(QChar c)
    {
        CharFormat fmt = state_.fmt;
        fmt.family = familyOf(state_.fontNumber);
        if (runs_.isEmpty() || !(runs_.last().format == fmt))
            runs_.append(Run{QString(), fmt});
        appendSafe(runs_.last().text, c);
        if (runs_.last().text.isEmpty())
            runs_.removeLast();
    }

    QString familyOf(int number) const
    {
        auto name = [this](int n) {
            const auto it = fonts_.constFind(n);
            return it == fonts_.constEnd() ? QString() : familyName(it->name);
        };
        QString family = name(number < 0 ? deff_ : number);
        if (family.isEmpty())
            family = name(deff_);
        if (family.isEmpty())
            family = QString::fromLatin1(kDefaultFamily);
        return family;
    }

    void finishParagraph()
    {
        Paragraph p;
        p.align = state_.align;
        p.leftIndent = state_.left;
        p.rightIndent = state_.right;
        p.firstIndent = state_.first;
        p.runs = std::move(runs_);
        runs_.clear();
        doc_->paragraphs.append(std::move(p));
    }

    void endColor()
    {
        colors_.append(colorPending_ ? std::optional<quint32>(color_) : std::nullopt);
        colorPending_ = false;
        color_ = 0;
    }

    void endGroup()
    {
        // A colour table without the final ';' keeps its last entry.
        if (state_.dest == Dest::ColorTable && colorPending_ && (stack_.isEmpty() || stack_.last().dest != Dest::ColorTable))
            endColor();
    }


    void startDestination(const QByteArray& word)
    {
        if (word == "fonttbl") {
            state_.dest = Dest::FontTable;
            return;
        }
        if (word == "colortbl") {
            state_.dest = Dest::ColorTable;
            return;
        }
        if (state_.dest == Dest::Skip)
            return;
        state_.dest = Dest::Skip;
        const QString name = QString::fromLatin1(word);
        if (isContentDestination(word) && !info_->skipped.contains(name))
            info_->skipped.append(name);
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static int hexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    void controlWord()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        QByteArray word;
        while (pos_ < in_.size() && isLetter(in_[pos_])) {
            if (word.size() < 32)
                word.append(in_[pos_]);
            ++pos_;
        }
        bool hasParam = false;
        bool negative = false;
        qint64 param = 0;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && isDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            hasParam = true;
            if (param < 100000000000LL)
                param = param * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        if (negative)
            param = -param;
        const int n = static_cast<int>(qBound(qint64(std::numeric_limits<int>::min()), param,
                                              qint64(std::numeric_limits<int>::max())));
        keyword(word, hasParam, n);
    }

    void controlSymbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            byte(static_cast<unsigned char>(c));
            return;
        case '~':
            text(QChar(0x00A0));
            return;
        case '_':
            text(QChar(0x2011));
            return;
        case '*':
            if (groupStart_) {
                state_.ignorable = true;
                keepGroupStart_ = true;
            }
            return;
        case '\'': {
            if (pos_ + 1 < in_.size()) {
                const int hi = hexValue(in_[pos_]);
                const int lo = hexValue(in_[pos_ + 1]);
                if (hi >= 0 && lo >= 0) {
                    pos_ += 2;
                    const unsigned char b = static_cast<unsigned char>(hi * 16 + lo);
                    // An escaped ';' is a character of a name, never its end.
                    if (pendingSkip_ > 0) {
                        --pendingSkip_;
                        return;
                    }
                    const int cp = state_.dest == Dest::FontTable
                                       ? codePageOfCharset(fonts_.value(state_.fontNumber).charset, ansicpg_)
                                       : currentCodePage();
                    character(QChar(codePage(cp)[b]), false);
                }
            }
            return;
        }
        case '\r':
        case '\n':
            keyword("par", false, 0);
            return;
        default:
            return;
        }
    }

    void keyword(const QByteArray& w, bool hasParam, int n)
    {
        const bool destinationStart = groupStart_;
        groupStart_ = false;

        // The \* marked group whose keyword we do not know is left out whole.
        if (destinationStart && state_.ignorable && w != "fonttbl" && w != "colortbl") {
            startDestination(w);
            return;
        }
        if (destinationStart && (w == "fonttbl" || w == "colortbl")) {
            startDestination(w);
            return;
        }
        if (isContentDestination(w) || isQuietDestination(w)) {
            startDestination(w);
            return;
        }
        if (w == "bin") {
            // Binary data: skipped by count, whatever it holds.
            const qint64 count = hasParam && n > 0 ? n : 0;
            pos_ += static_cast<qsizetype>(qMin<qint64>(count, in_.size() - pos_));
            if (state_.dest == Dest::Text && count > 0 && !info_->skipped.contains(QStringLiteral("bin")))
                info_->skipped.append(QStringLiteral("bin"));
            return;
        }

        if (w == "uc") {
            state_.uc = qBound(0, n, 10);
            return;
        }

        if (w == "u") {
            if (state_.dest == Dest::Skip)
                return;
            const int u = n < 0 ? n + 65536 : n;
            pendingSkip_ = 0;
            character(QChar(static_cast<char16_t>(u & 0xFFFF)), false);
            pendingSkip_ = state_.uc;
            return;
        }

        if (state_.dest == Dest::FontTable) {
            if (w == "f") {
                state_.fontNumber = n;
                fonts_[n];
            } else if (w == "fcharset") {
                fonts_[state_.fontNumber].charset = n;
            }
            return;
        }
        if (state_.dest == Dest::ColorTable) {
            const quint32 v = static_cast<quint32>(qBound(0, n, 255));
            if (w == "red") {
                color_ = (color_ & 0x00FFFF) | (v << 16);
                colorPending_ = true;
            } else if (w == "green") {
                color_ = (color_ & 0xFF00FF) | (v << 8);
                colorPending_ = true;
            } else if (w == "blue") {
                color_ = (color_ & 0xFFFF00) | v;
                colorPending_ = true;
            }
            return;
        }

        // Document settings.
        if (w == "ansicpg") {
            if (hasParam)
                ansicpg_ = n;
            return;
        }
        if (w == "ansi") {
            return;
        }
        if (w == "mac" || w == "pc" || w == "pca") {
            return;
        }
        if (w == "deff") {
            deff_ = n;
            return;
        }

        // Any other control word ends a fallback that is still being skipped.
        pendingSkip_ = 0;

        if (state_.dest != Dest::Text) {
            if (state_.dest == Dest::Skip)
                return;
        }

        if (w == "par" || w == "sect" || w == "row") {
            finishParagraph();
        } else if (w == "line") {
            appendText(QChar(0x2028));
        } else if (w == "tab" || w == "cell") {
            appendText(QChar(u'\t'));
        } else if (w == "page") {
            appendText(QChar(u'\f'));
        } else if (w == "emdash") {
            appendText(QChar(0x2014));
        } else if (w == "endash") {
            appendText(QChar(0x2013));
        } else if (w == "bullet") {
            appendText(QChar(0x2022));
        } else if (w == "lquote") {
            appendText(QChar(0x2018));
        } else if (w == "rquote") {
            appendText(QChar(0x2019));
        } else if (w == "ldblquote") {
            appendText(QChar(0x201C));
        } else if (w == "rdblquote") {
            appendText(QChar(0x201D));
        } else if (w == "emspace" || w == "enspace" || w == "qmspace") {
            appendText(QChar(u' '));
        } else if (w == "pard") {
            state_.align = Align::Left;
            state_.left = state_.right = state_.first = 0;
        } else if (w == "ql") {
            state_.align = Align::Left;
        } else if (w == "qr") {
            state_.align = Align::Right;
        } else if (w == "qc") {
            state_.align = Align::Center;
        } else if (w == "qj") {
            state_.align = Align::Justify;
        } else if (w == "li") {
            state_.left = qBound(-kMaxIndent, n, kMaxIndent);
        } else if (w == "ri") {
            state_.right = qBound(-kMaxIndent, n, kMaxIndent);
        } else if (w == "fi") {
            state_.first = qBound(-kMaxIndent, n, kMaxIndent);
        } else if (w == "plain") {
            state_.fmt = CharFormat();
            state_.fontNumber = -1;
        } else if (w == "f") {
            state_.fontNumber = n;
        } else if (w == "fs") {
            state_.fmt.halfPoints = hasParam ? qBound(1, n, kMaxHalfPoints) : 24;
        } else if (w == "cf") {
            const std::optional<quint32> c = n > 0 && n < colors_.size() ? colors_[n] : std::nullopt;
            state_.fmt.hasColor = c.has_value();
            state_.fmt.rgb = c.value_or(0);
        } else if (w == "b") {
            state_.fmt.bold = !hasParam || n != 0;
        } else if (w == "i") {
            state_.fmt.italic = !hasParam || n != 0;
        } else if (w == "ulnone") {
            state_.fmt.underline = false;
        } else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "uldash" || w == "ulth"
                   || w == "ulwave") {
            state_.fmt.underline = !hasParam || n != 0;
        }
    }

    const QByteArray& in_;
    Document* doc_;
    ReadInfo* info_;
    qsizetype pos_ = 0;
    QList<State> stack_;
    State state_;
    bool groupStart_ = false;
    int pendingSkip_ = 0;
    // Without \\ansicpg the program's own code page, as its Turkish systems had.
    int ansicpg_ = 1254;
    int deff_ = 0;
    QHash<int, Font> fonts_;
    QList<std::optional<quint32>> colors_;
    quint32 color_ = 0;
    bool colorPending_ = false;
    QList<Run> runs_;
    bool keepGroupStart_ = false;
};

// ---------------------------------------------------------------- writer

void appendHex(QByteArray& out, int b)
{
    static const char digits[] = "0123456789abcdef";
    out.append("\\'");
    out.append(digits[(b >> 4) & 15]);
    out.append(digits[b & 15]);
}

// `name`: a font name, where ';' ends the entry and control words are not
// read.
void appendEscaped(QByteArray& out, const QString& text, bool name)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out.append('\\');
            out.append(static_cast<char>(u));
        } else if (!name && u == '\t') {
            out.append("\\tab ");
        } else if (!name && u == 0x2028) {
            out.append("\\line ");
        } else if (!name && u == '\f') {
            out.append("\\page ");
        } else if (u < 0x20 || u == 0x7F || (name && u == ';')) {
            appendHex(out, u);
        } else if (u < 0x80) {
            out.append(static_cast<char>(u));
        } else if (cp1254::canEncode(c)) {
            appendHex(out, static_cast<unsigned char>(cp1254::encode(QString(c)).at(0)));
        } else {
            out.append("\\u");
            out.append(QByteArray::number(static_cast<int>(static_cast<qint16>(u))));
            out.append('?');
        }
    }
}

}  // namespace

bool read(const QByteArray& bytes, Document* doc, ReadInfo* info)
{
    ReadInfo scratch;
    ReadInfo* i = info ? info : &scratch;
    *i = ReadInfo();
    *doc = Document();
    Reader reader(bytes, doc, i);
    return reader.run();
}

QByteArray write(const Document& doc)
{
    QStringList fonts;
    QList<quint32> colors;
    for (const Paragraph& p : doc.paragraphs)
        for (const Run& r : p.runs) {
            if (!fonts.contains(r.format.family))
                fonts.append(r.format.family);
            if (r.format.hasColor && !colors.contains(r.format.rgb))
                colors.append(r.format.rgb);
        }
    if (fonts.isEmpty())
        fonts.append(QString::fromLatin1(kDefaultFamily));

    QByteArray out;
    out.append("{\\rtf1\\ansi\\ansicpg1254\\deff0{\\fonttbl");
    for (int i = 0; i < fonts.size(); ++i) {
        out.append("{\\f" + QByteArray::number(i) + "\\fnil\\fcharset162 ");
        appendEscaped(out, fonts[i], true);
        out.append(";}");
    }
    out.append("}\n{\\colortbl ;");
    for (quint32 c : colors)
        out.append("\\red" + QByteArray::number((c >> 16) & 0xFF) + "\\green" + QByteArray::number((c >> 8) & 0xFF)
                   + "\\blue" + QByteArray::number(c & 0xFF) + ";");
    out.append("}\n\\viewkind4\\uc1\n");

    for (int pi = 0; pi < doc.paragraphs.size(); ++pi) {
        const Paragraph& p = doc.paragraphs[pi];
        if (pi > 0)
            out.append("\\par\n");
        out.append("\\pard");
        switch (p.align) {
        case Align::Left: out.append("\\ql"); break;
        case Align::Right: out.append("\\qr"); break;
        case Align::Center: out.append("\\qc"); break;
        case Align::Justify: out.append("\\qj"); break;
        }
        if (p.leftIndent)
            out.append("\\li" + QByteArray::number(p.leftIndent));
        if (p.rightIndent)
            out.append("\\ri" + QByteArray::number(p.rightIndent));
        if (p.firstIndent)
            out.append("\\fi" + QByteArray::number(p.firstIndent));
        for (const Run& r : p.runs) {
            const CharFormat& f = r.format;
            out.append("\\plain\\f" + QByteArray::number(fonts.indexOf(f.family)) + "\\fs"
                       + QByteArray::number(f.halfPoints));
            if (f.bold)
                out.append("\\b");
            if (f.italic)
                out.append("\\i");
            if (f.underline)
                out.append("\\ul");
            if (f.hasColor)
                out.append("\\cf" + QByteArray::number(colors.indexOf(f.rgb) + 1));
            out.append(' ');
            appendEscaped(out, r.text, false);
        }
        if (p.runs.isEmpty())
            out.append(' ');
    }
    out.append("\n}\n");
    return out;
}

}  // namespace zeva::rtf
