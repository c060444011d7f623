#include "reports/padfiles.h"

#include "platform/codec.h"
#include "platform/runtime.h"


namespace zeva {

namespace {
const QString kUntitled = QStringLiteral("Adsız");
}

QString untitledPadName(int counter)
{
    // Two places while they suffice; beyond 99 the whole number.
    const QString number = counter < 100 ? AllTrim(Str(counter, 2)) : QString::number(counter);
    return kUntitled + number;
}

bool isUntitledPadName(const QString& name)
{
    return name.left(5) == kUntitled;
}

bool isReportFileName(const QString& name)
{
    if (name.size() < 4)
        return false;
    const QString ext = name.right(4).toUpper();
    return ext == QLatin1String(".RTF") || ext == QLatin1String(".TXT");
}

PadFileKind padFileKind(const QString& name)
{
    if (isUntitledPadName(name))
        return PadFileKind::Untitled;
    const QString ext = name.right(3).toUpper();
    if (ext == QLatin1String("RTF"))
        return PadFileKind::RichText;
    if (ext == QLatin1String("TXT"))
        return PadFileKind::PlainText;
    return PadFileKind::Other;
}

bool padTextFromBytes(const QByteArray& bytes, PadText* out)
{
    if (bytes.isEmpty())
        return false;
    QString text = cp1254::decode(bytes);
    if (bytes.contains("\r\n")) {
        out->newline = QStringLiteral("\r\n");
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    } else {
        out->newline = bytes.contains('\n') ? QStringLiteral("\n") : QStringLiteral("\r\n");
    }
    out->text = text;
    return true;
}

QByteArray padTextBytes(const PadText& text, bool* lossless)
{
    QString s = text.text;
    if (text.newline != QLatin1String("\n"))
        s.replace(QLatin1Char('\n'), text.newline);
    return cp1254::encode(s, '?', lossless);
}

QString unencodableCharacters(const QString& text)
{
    QString out;
    for (QChar c : text)
        if (!cp1254::canEncode(c) && !out.contains(c))
            out.append(c);
    return out;
}

}  // namespace zeva
