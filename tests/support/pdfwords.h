#pragma once
// The words of a PDF file with their boxes, as an independent reader
// (poppler's pdftotext -bbox, Debian's poppler-utils) finds them, in the
// order they were drawn.

#include <QFile>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace zeva::test {

struct PdfWord {
    QString text;
    QRectF box;  // points, from the top left corner of the page
};

struct PdfPage {
    QSizeF size;  // points
    QList<PdfWord> words;

    QStringList texts() const
    {
        QStringList list;
        for (const PdfWord& w : words)
            list << w.text;
        return list;
    }
};

// The pages of `pdf`; empty (and a test failure) when the reader is missing
// or cannot read the file.
inline QList<PdfPage> pdfWords(const QString& pdf)
{
    const QString reader = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (reader.isEmpty()) {
        ADD_FAILURE() << "pdftotext is missing: bash scripts/install-deps.sh installs it (poppler-utils)";
        return {};
    }
    QProcess p;
    // In the order they were drawn, not in columns.
    p.start(reader, {QStringLiteral("-bbox"), QStringLiteral("-raw"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                     QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    QList<PdfPage> pages;
    QXmlStreamReader xml(p.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        auto number = [&a](const char* name) { return a.value(QLatin1String(name)).toDouble(); };
        if (xml.name() == QLatin1String("page")) {
            pages.append(PdfPage{QSizeF(number("width"), number("height")), {}});
        } else if (xml.name() == QLatin1String("word") && !pages.isEmpty()) {
            const QRectF box(QPointF(number("xMin"), number("yMin")), QPointF(number("xMax"), number("yMax")));
            pages.last().words.append(PdfWord{xml.readElementText(), box});
        }
    }
    if (xml.hasError())
        ADD_FAILURE() << "pdftotext output: " << xml.errorString().toStdString();
    return pages;
}

}  // namespace zeva::test
