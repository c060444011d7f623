#pragma once
// Any line rate, also one without a termios constant (14400, 56000, ...),
// through the kernel's second termios interface. Kept apart from <termios.h>,
// whose structure of the same name clashes with the kernel's.

#include <QtGlobal>

namespace zeva::serialrate {

// 0 on success, else the error number.
int setRate(int fd, quint32 rate);
int readRate(int fd, quint32* rate);

}  // namespace zeva::serialrate
