#pragma once
// A fresh temporary folder per test, removed afterwards.

#include <QDir>
#include <QTemporaryDir>

namespace zeva::test {

class TempDir {
public:
    TempDir() : dir_(QDir::tempPath() + QStringLiteral("/zeva-test-XXXXXX")) {}
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    bool valid() const { return dir_.isValid(); }

private:
    QTemporaryDir dir_;
};

}  // namespace zeva::test
