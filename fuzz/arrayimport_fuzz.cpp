// libFuzzer entry: see checks.h.
#include "fuzz/checks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString broken = zeva::fuzz::checkArrayImport(bytes);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "broken promise: %s\n", broken.toUtf8().constData());
        std::abort();
    }
    return 0;
}
