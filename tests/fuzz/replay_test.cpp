// Every stored fuzz input, seeds and the inputs that once broke something,
// through the same checks the fuzz targets run.
#include "fuzz/checks.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

using Check = std::function<QString(const QByteArray&)>;

struct Target {
    const char* folder;
    Check check;
};

void PrintTo(const Target& target, std::ostream* os) { *os << target.folder; }

class FuzzCorpus : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzCorpus, EveryStoredInputKeepsThePromises)
{
    const QDir dir(QStringLiteral(ZEVA_TEST_DATA "/fuzz/") + QLatin1String(GetParam().folder));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << dir.path().toStdString();
    for (const QString& name : files) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(GetParam().check(file.readAll()).toStdString(), "") << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus,
                         ::testing::Values(Target{"dbf", zeva::fuzz::checkDbf},
                                           Target{"problemfile", zeva::fuzz::checkProblemFile},
                                           Target{"numeric", zeva::fuzz::checkNumeric},
                                           Target{"ini", zeva::fuzz::checkIni},
                                           Target{"arrayimport", zeva::fuzz::checkArrayImport},
                                           Target{"rtf", zeva::fuzz::checkRtf}),
                         [](const auto& info) { return std::string(info.param.folder); });

}  // namespace
