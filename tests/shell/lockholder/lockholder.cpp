// Takes the single-instance lock named by the first argument and says what it
// got ("HELD" or "RUNNING") on one line. With the lock held it then waits until
// it is killed or its standard input closes.
#include "shell/singleinstance.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("ZEVA");
    const bool running = zeva::ISAPPRUNNING(name);
    std::printf("%s\n", running ? "RUNNING" : "HELD");
    std::fflush(stdout);
    if (running)
        return 1;
    // Hold the lock: block on standard input.
    while (std::fgetc(stdin) != EOF) {
    }
    return 0;
}
