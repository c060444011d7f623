#include "utility/serialrate.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace zeva::serialrate {

int setRate(int fd, quint32 rate)
{
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return errno;
    t.c_cflag &= ~tcflag_t(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = rate;
    t.c_ospeed = rate;
    if (ioctl(fd, TCSETS2, &t) != 0)
        return errno;
    return 0;
}

int readRate(int fd, quint32* rate)
{
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return errno;
    *rate = t.c_ospeed;
    return 0;
}

}  // namespace zeva::serialrate
