#include "utility/dllversion.h"

#include <QFile>

#include <dlfcn.h>

namespace zeva {

QString WINDLLVERSION::DLL(const QString& name)
{
    CDLLNAME = name;
    if (name.isEmpty())
        return name;
    // RTLD_NOLOAD: a handle only when the library is already in the process.
    void* handle = ::dlopen(QFile::encodeName(name).constData(), RTLD_LAZY | RTLD_NOLOAD);
    if (!handle)
        return name;
    using GetVersion = int (*)(DllVersionInfo*);
    if (auto get = reinterpret_cast<GetVersion>(::dlsym(handle, "DllGetVersion"))) {
        DllVersionInfo info;
        info.cbSize = sizeof info;
        if (get(&info) == 0) {
            MAJORVERSION = info.dwMajorVersion;
            MINORVERSION = info.dwMinorVersion;
            BUILD = info.dwBuildNumber;
            PLATFORMID = info.dwPlatformID;
        }
    }
    ::dlclose(handle);  // the reference NOLOAD took
    return name;
}

}  // namespace zeva
