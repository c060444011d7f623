#include "core/feedlimit.h"

#include "core/activeproblem.h"
#include "core/problemfile.h"

namespace zeva {

namespace {
constexpr int kStandardMatrixWidth = 1020;
}  // namespace

int maxFeedsOfOpenFile()
{
    int width = kStandardMatrixWidth;
    if (const auto& server = G().OPROBSERVER) {
        const DbfTable& table = server->table();
        const int col = table.fieldIndex(QStringLiteral("YMBMAT"));
        if (col >= 0)
            width = table.fields().at(col).length;
    }
    return maxFeedsFor(width);
}

QString tooManyFeedsText(int maxFeeds)
{
    return QStringLiteral("Problem dosyasına en çok %1 yem maddesi kaydedilebilir!").arg(maxFeeds);
}

}  // namespace zeva
