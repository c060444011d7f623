#pragma once
// A named file that is opened or created and then read and written through the
// runtime's low-level file functions, with the outcome of the last operation
// kept on the object (ERROR, ERRORCODE, ERRSTRING).

#include "platform/lowfile.h"

#include <QString>

namespace zeva {

class FILEOBJECT : public FILESPEC {
public:
    explicit FILEOBJECT(const QString& fullPath);
    ~FILEOBJECT();
    FILEOBJECT(const FILEOBJECT&) = delete;
    FILEOBJECT& operator=(const FILEOBJECT&) = delete;

    FILESPEC& fileSpec() { return *this; }

    // Closes the handle; the object holds none afterwards.
    int CLOSE();
    int COMMIT();
    // EOF is a C macro.
    bool Eof() const;
    bool ERROR() const { return error_; }
    int ERRORCODE() const { return errorCode_; }
    QString ERRSTRING() const;
    bool EXISTS() const { return FIND(); }
    int FILEHANDLE() const { return handle_; }
    QString GETS(int maxLength = kDefaultLineLength);
    qint64 GOBOTTOM();
    qint64 GOTOP();
    // The number of lines from the start; stops at the first read error.
    qint64 LINECOUNT();
    // Opens the file (an open handle is closed first); the handle, -1 on failure.
    int OPEN(int mode = fo::Read);
    qint64 POSITION() const { return TELL(); }
    qint64 PUTS(const QString& line);
    // Reads up to `count` bytes (the buffer's length when missing) into the
    // caller's buffer.
    qint64 READ(QString& buffer, qint64 count = -1);
    QString READSTR(qint64 count);
    qint64 READTEXT(QString& buffer, qint64 count);
    FILEOBJECT& REWIND();
    qint64 SEEK(qint64 offset, int origin = fo::FromStart);
    qint64 TELL() const;
    int UPDATEERR();
    qint64 WRITE(const QString& data, qint64 count = -1);
    qint64 WRITELINE(const QString& line, qint64 count = -1);
    qint64 WRITETEXT(const QString& data, qint64 count = -1);
    // Creates the file anew (an open handle is closed first).
    int CREATE(int attribute = fo::Normal);

private:
    int handle_ = -1;
    int errorCode_ = 0;
    bool error_ = false;
};

}  // namespace zeva
