// libFuzzer entry: see checks.h. A QGuiApplication on the offscreen platform
// lets the check take each document through a QTextDocument too.
#include "fuzz/checks.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString broken = zeva::fuzz::checkRtf(bytes);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "broken promise: %s\n", broken.toUtf8().constData());
        std::abort();
    }
    return 0;
}
