#pragma once
// A CUPS print queue that prints to PDF files (Debian's cups with
// printer-driver-cups-pdf): which queue, where its files land, and the file
// a print through it made. Where the machine has none, the reason, for the
// test to skip with.
//
// The queue's files carry their text in fonts a text reader cannot map back
// to characters, so their pages are compared as pictures: the same page
// printed through the queue gives the same picture.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QList>
#include <QMap>
#include <QPrinterInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>

#include <optional>

#include <pwd.h>
#include <unistd.h>

namespace zeva::test {

struct PdfQueue {
    QString name;     // the queue, as the print dialog lists it
    QString folder;   // where it puts the PDF files of this user's jobs
    QString missing;  // why there is none; empty when there is

    // The PDF files in the folder now.
    QSet<QString> files() const
    {
        const QStringList names = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
        return QSet<QString>(names.begin(), names.end());
    }

    // Waits until the queue has no job left to print (a minute at most);
    // false when it still has one then, or cannot be asked.
    bool waitUntilIdle() const
    {
        QDeadlineTimer deadline(60000);
        for (;;) {
            const std::optional<QString> jobs = lpstat({QStringLiteral("-o"), name});
            if (!jobs)
                return false;
            if (jobs->trimmed().isEmpty())
                return true;
            if (deadline.hasExpired())
                return false;
            QThread::msleep(100);  // the scheduler has no wait of its own to offer
        }
    }

    // The one PDF file that is in the folder now and not in `before`; empty
    // when there is none or more than one.
    QString newFile(const QSet<QString>& before) const
    {
        QSet<QString> added = files();
        added.subtract(before);
        return added.size() == 1 ? QDir(folder).filePath(*added.begin()) : QString();
    }

    // lpstat's answer in the C locale; none when it fails.
    static std::optional<QString> lpstat(const QStringList& arguments)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("lpstat"));
        if (program.isEmpty())
            return std::nullopt;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        p.setProcessEnvironment(env);
        p.start(program, arguments);
        if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return std::nullopt;
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }
};

// The pages of `pdf` drawn in grey at 30 dots an inch by an independent
// renderer (poppler's pdftoppm, Debian's poppler-utils), in their order;
// the files go to `folder`. Empty when it cannot be drawn.
inline QList<QImage> pdfPageImages(const QString& pdf, const QString& folder)
{
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (renderer.isEmpty())
        return {};
    QDir(folder).mkpath(QStringLiteral("."));
    const QString prefix = QDir(folder).filePath(QStringLiteral("sayfa"));
    QProcess p;
    p.start(renderer, {QStringLiteral("-q"), QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("30"), pdf,
                       prefix});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    // sayfa-1.pgm, sayfa-2.pgm, ... (more digits for more pages)
    QMap<int, QString> numbered;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("sayfa-*.pgm")}, QDir::Files))
        numbered.insert(name.mid(6, name.size() - 10).toInt(), QDir(folder).filePath(name));
    QList<QImage> pages;
    for (const QString& file : std::as_const(numbered)) {
        pages << QImage(file);
        QFile::remove(file);
    }
    return pages;
}

// The first queue whose device is cups-pdf, with the folder cups-pdf.conf
// names for this user's files ("${HOME}/PDF" unless it says otherwise).
inline PdfQueue findPdfQueue()
{
    PdfQueue q;
    if (QStandardPaths::findExecutable(QStringLiteral("lpstat")).isEmpty()) {
        q.missing = QStringLiteral("no CUPS client (lpstat) on this machine");
        return q;
    }
    const std::optional<QString> devices = PdfQueue::lpstat({QStringLiteral("-v")});
    if (!devices) {
        q.missing = QStringLiteral("no CUPS scheduler answers");
        return q;
    }
    static const QRegularExpression device(QStringLiteral("^device for (\\S+): cups-pdf:"),
                                           QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = device.match(*devices);
    if (!m.hasMatch()) {
        q.missing = QStringLiteral("no CUPS queue prints to PDF files (printer-driver-cups-pdf)");
        return q;
    }

    const QString name = m.captured(1);
    if (!QPrinterInfo::availablePrinterNames().contains(name)) {
        q.missing = QStringLiteral("Qt's print support does not list the queue ") + name;
        return q;
    }
    const std::optional<QString> state = PdfQueue::lpstat({QStringLiteral("-p"), name});
    if (!state || state->contains(QStringLiteral("disabled"))) {
        q.missing = QStringLiteral("the queue ") + name + QStringLiteral(" does not print");
        return q;
    }

    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly | QIODevice::Text)) {
        static const QRegularExpression outLine(QStringLiteral("^\\s*Out\\s+(\\S.*?)\\s*$"));
        for (const QString& line : QString::fromLocal8Bit(conf.readAll()).split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch o = outLine.match(line);
            if (o.hasMatch())
                out = o.captured(1);
        }
    }
    // cups-pdf puts a job's file in the home its user has in the password
    // file, whatever HOME the test runs with.
    const passwd* user = ::getpwuid(::geteuid());
    if (!user) {
        q.missing = QStringLiteral("this user has no entry in the password file");
        return q;
    }
    out.replace(QStringLiteral("${HOME}"), QFile::decodeName(user->pw_dir));
    out.replace(QStringLiteral("${USER}"), QFile::decodeName(user->pw_name));
    q.name = name;
    q.folder = out;
    return q;
}

}  // namespace zeva::test
