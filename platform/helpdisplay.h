#pragma once
// The help display: the program's help file shown by the desktop's own viewer
// for its type. Help files carry topics ("HelpIndex", "HelpContents"), but a
// desktop handler is given only the file; the topic is passed on to launchers
// that can use it.

#include <QString>

#include <memory>

namespace zeva {

// Hands a file to whatever shows it. Tests give a recording fake.
class HelpLauncher {
public:
    virtual ~HelpLauncher() = default;
    // FALSE when nothing could show the file.
    virtual bool launch(const QString& file, const QString& topic) = 0;
};

class HelpDisplay {
public:
    enum class Shown {
        Opened,     // handed to the viewer
        Missing,    // the file does not exist
        NoViewer,   // the file exists, nothing could show it
    };

    HelpDisplay(const QString& file, std::shared_ptr<HelpLauncher> launcher);

    // The file as named; it may differ in letter case from the file on disk.
    QString fileName() const { return file_; }
    // The file on disk, found without regard to letter case; empty when none.
    QString existingFile() const;
    Shown show(const QString& topic) const;

private:
    QString file_;
    std::shared_ptr<HelpLauncher> launcher_;
};

}  // namespace zeva
