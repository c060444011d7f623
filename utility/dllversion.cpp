#include "utility/dllversion.h"

#include <QFile>

#include <dlfcn.h>
#include <link.h>

namespace zeva {

namespace {

// The export `symbol` of the library behind `handle` itself. A lookup through
// a handle also searches the libraries that one depends on; a symbol found in
// one of those is not this library's.
void* ownExport(void* handle, const char* symbol)
{
    void* address = ::dlsym(handle, symbol);
    if (!address)
        return nullptr;
    link_map* library = nullptr;
    link_map* holder = nullptr;
    Dl_info info;
    if (::dlinfo(handle, RTLD_DI_LINKMAP, &library) != 0
        || ::dladdr1(address, &info, reinterpret_cast<void**>(&holder), RTLD_DL_LINKMAP) == 0)
        return nullptr;
    return library && library == holder ? address : nullptr;
}

}  // namespace

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
    if (auto get = reinterpret_cast<GetVersion>(ownExport(handle, "DllGetVersion"))) {
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
