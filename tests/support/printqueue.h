#pragma once
// A print system of the test's own: a CUPS scheduler (Debian's cups-daemon)
// started in a temporary folder with a configuration of its own, listening
// on a Unix socket there and on no network port, with one queue, the default,
// that writes each job to a PDF file after the print filters (cups-filters'
// pdftopdf) have made the copies, the collation and the page order the job
// asks for, as a printer would. This process and the programs it starts talk
// to it (CUPS_SERVER) while it runs; the machine's own print system, if any,
// is left alone.
//
// Where the programs it needs are missing, or the scheduler does not come
// up, `missing` says why, for the test to skip with; where the environment
// names ZEVA_PRINT_QUEUE_REQUIRED (the test command does), it is a failure.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace zeva::test {

class LocalPrintQueue {
public:
    LocalPrintQueue();
    ~LocalPrintQueue();
    LocalPrintQueue(const LocalPrintQueue&) = delete;
    LocalPrintQueue& operator=(const LocalPrintQueue&) = delete;

    QString missing;  // why there is no queue; empty when there is

    // The queue, as the print dialog lists it.
    static QString name();
    // The file the queue writes its last job to.
    QString output() const;
    // Forgets the last job's file, so that the next job's file is its own.
    void clearOutput() const;
    // Waits until the queue has no job left (a minute at most); false when
    // it still has one then, or cannot be asked.
    bool waitUntilIdle() const;
    // The scheduler's error log, for a failure message.
    QString errorLog() const;

    // Whether the test run asks that the queue test runs rather than skips.
    static bool required();

private:
    QString start();
    void pointAt(const QByteArray& server);

    std::unique_ptr<QTemporaryDir> dir_;
    QProcess scheduler_;
    QByteArray previousServer_;
    bool hadServer_ = false;
    bool pointed_ = false;
};

}  // namespace zeva::test
