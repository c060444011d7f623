#include "utility/wildseek.h"

#include "platform/dbserver.h"

namespace zeva {

qsizetype WILDPOS(const QString& pattern)
{
    for (qsizetype i = 0; i < pattern.size(); ++i)
        if (pattern.at(i) == QLatin1Char('*') || pattern.at(i) == QLatin1Char('?'))
            return i + 1;
    return 0;
}

bool WILDMATCH(const QString& text, const QString& pattern)
{
    // Walks both once; on a mismatch after a star, the star takes one more
    // character and the rest is tried again from there. This gives the
    // answers of trying every run for every star, in time proportional to
    // text times pattern and without recursion.
    const QChar star = QLatin1Char('*');
    const QChar any = QLatin1Char('?');
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;   // pattern position after the last star seen
    qsizetype starText = 0;  // text position that star's run ends at
    while (t < text.size()) {
        if (p < pattern.size() && pattern.at(p) == star) {
            while (p < pattern.size() && pattern.at(p) == star)
                ++p;
            if (p == pattern.size())
                return true;
            starAt = p;
            starText = t;
        } else if (p < pattern.size() && (pattern.at(p) == any || pattern.at(p) == text.at(t))) {
            ++p;
            ++t;
        } else if (starAt >= 0) {
            p = starAt;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == star)
        ++p;
    return p == pattern.size();
}

namespace {

// Resumes a server's notices however the seek is left.
struct Resume {
    DBSERVER& server;
    ~Resume() { server.RESETNOTIFICATION(); }
};

}  // namespace

bool WILDSEEK(DBSERVER& server, const QVariant& pattern)
{
    server.NOTIFY(kDataIntentToMove);  // announced; the answer is not asked
    server.SUSPENDNOTIFICATION();
    bool found = false;
    {
        Resume resume{server};
        const QString text = pattern.toString();
        const qsizetype p = isTextValue(pattern) ? WILDPOS(text) : 0;
        if (p > 0) {
            const QString prefix = text.left(p - 1);
            found = p == 1 ? server.GOTOP() : server.SEEK(prefix);
            if (found) {
                found = false;
                QString key = server.ORDERKEYVAL().toString();
                while (!server.Eof()) {
                    found = WILDMATCH(key, text);
                    if (found || !key.startsWith(prefix))
                        break;
                    if (!server.SKIP(1))
                        break;  // a move that cannot be made ends the search
                    key = server.ORDERKEYVAL().toString();
                }
            }
        } else {
            found = server.SEEK(pattern);
        }
        server.NOTIFY(kDataRecordChange);
    }
    server.REFRESH();
    return found;
}

}  // namespace zeva
