#include "fuzz/checks.h"

#include "utility/inifile.h"

namespace zeva::fuzz {

namespace {

const QString kKey = QStringLiteral("zz fuzz key");

// The lines before the change appear in the same order after it, each with
// its bytes (a last line without a line end may have gained one).
QString keptInOrder(const QList<ini::Line>& before, const QList<ini::Line>& after)
{
    qsizetype j = 0;
    for (const ini::Line& line : before) {
        if (line.kind == ini::Line::Entry && line.name.compare(kKey, Qt::CaseInsensitive) == 0)
            continue;
        while (j < after.size() && after[j].raw != line.raw && after[j].raw != line.raw + "\r\n" &&
               after[j].raw != line.raw + "\n")
            ++j;
        if (j == after.size())
            return QStringLiteral("line lost: %1").arg(QString::fromLatin1(line.raw.toHex()));
        ++j;
    }
    return {};
}

QString checkSection(const QList<ini::Line>& lines, const QString& section)
{
    QList<ini::Line> changed = lines;
    if (!ini::apply(changed, section, kKey, QStringLiteral(" değer ")))
        return {};  // a section name the writer refuses: nothing to check
    if (ini::value(changed, section, kKey) != QStringLiteral("değer"))
        return QStringLiteral("set value does not read back in [%1]").arg(section);
    const QString r = keptInOrder(lines, changed);
    if (!r.isEmpty())
        return r;
    const QList<ini::Line> reread = ini::parse(ini::join(changed));
    if (ini::value(reread, section, kKey) != QStringLiteral("değer"))
        return QStringLiteral("set value does not survive a re-read in [%1]").arg(section);
    if (!ini::apply(changed, section, kKey, std::nullopt) || ini::value(changed, section, kKey))
        return QStringLiteral("deleted entry still reads in [%1]").arg(section);
    auto sectionsNamed = [&section](const QList<ini::Line>& ls) {
        qsizetype n = 0;
        for (const ini::Line& l : ls)
            n += l.kind == ini::Line::Section && l.name.compare(section, Qt::CaseInsensitive) == 0;
        return n;
    };
    const qsizetype sections = sectionsNamed(changed);
    if (!ini::apply(changed, section, std::nullopt, std::nullopt))
        return QStringLiteral("section delete refused");
    if (sectionsNamed(ini::parse(ini::join(changed))) != sections - 1)
        return QStringLiteral("section delete did not remove one section [%1]").arg(section);
    return {};
}

}  // namespace

QString checkIni(const QByteArray& bytes)
{
    const QList<ini::Line> lines = ini::parse(bytes);
    if (ini::join(lines) != bytes)
        return QStringLiteral("lines do not join back into the bytes");
    for (const ini::Line& line : lines) {
        if (line.kind == ini::Line::Entry)
            (void)ini::toInt(line.value);
    }
    for (const ini::Line& line : lines) {
        if (line.kind == ini::Line::Section) {
            const QString r = checkSection(lines, line.name);
            if (!r.isEmpty())
                return r;
            break;
        }
    }
    return checkSection(lines, QStringLiteral("yeni bölüm"));
}

}  // namespace zeva::fuzz
