#pragma once
// The program's surroundings for a test of its windows: a settings store of
// the test's own, a fresh active problem that asks for no login, tip or
// logo, and the data folder given. The store and the problem are put back
// at the end.

#include "core/activeproblem.h"
#include "platform/settingsstore.h"

#include <QString>

#include <memory>

namespace zeva::test {

class ProgramEnvironment {
public:
    explicit ProgramEnvironment(const QString& dataPath = QString())
        : store_(std::make_shared<MemorySettingsStore>()), previous_(setSettingsStore(store_))
    {
        G().reset();
        G().CDATAPATH = dataPath;
        G().CREPORTFILE.clear();
        G().LLOGON = G().LSHOWTIPS = G().LSHOWLOGO = false;
    }
    ~ProgramEnvironment()
    {
        G().reset();
        G().CDATAPATH.clear();
        G().CREPORTFILE.clear();
        G().LLOGON = false;
        setSettingsStore(previous_);
    }
    ProgramEnvironment(const ProgramEnvironment&) = delete;
    ProgramEnvironment& operator=(const ProgramEnvironment&) = delete;

    MemorySettingsStore& store() { return *store_; }

private:
    std::shared_ptr<MemorySettingsStore> store_;
    std::shared_ptr<SettingsStore> previous_;
};

}  // namespace zeva::test
