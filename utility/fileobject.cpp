#include "utility/fileobject.h"

namespace zeva {

namespace {
qint64 lengthOr(qint64 count, qsizetype length) { return count < 0 ? length : count; }
}  // namespace

FILEOBJECT::FILEOBJECT(const QString& fullPath) : FILESPEC(fullPath) {}

FILEOBJECT::~FILEOBJECT()
{
    if (handle_ >= 0)
        FClose(handle_);
}

int FILEOBJECT::CLOSE()
{
    FClose(handle_);
    // A closed descriptor number may be reused by the next open anywhere in
    // the program: the object must never write through it again.
    handle_ = -1;
    return UPDATEERR();
}

int FILEOBJECT::COMMIT()
{
    FCommit(handle_);
    return UPDATEERR();
}

bool FILEOBJECT::Eof() const { return FEof(handle_); }

QString FILEOBJECT::ERRSTRING() const
{
    if (errorCode_ == kDiskFull)
        return QStringLiteral("Disk Full");
    if (errorCode_ == kReadAtEof)
        return QStringLiteral("EOF was already reached when a read was tried");
    return DosErrString(errorCode_);
}

QString FILEOBJECT::GETS(int maxLength)
{
    const QString line = FGetS(handle_, maxLength);
    UPDATEERR();
    return line;
}

qint64 FILEOBJECT::GOBOTTOM() { return SEEK(0, fo::FromEnd); }

qint64 FILEOBJECT::GOTOP() { return SEEK(0); }

qint64 FILEOBJECT::LINECOUNT()
{
    if (handle_ < 0)
        return 0;
    GOTOP();
    qint64 count = 0;
    while (!Eof()) {
        GETS();
        if (error_)
            break;
        ++count;
    }
    return count;
}

int FILEOBJECT::OPEN(int mode)
{
    if (handle_ >= 0)
        FClose(handle_);
    handle_ = FOpen(FULLPATH(), mode);
    UPDATEERR();
    return handle_;
}

qint64 FILEOBJECT::PUTS(const QString& line)
{
    const qint64 n = FPutS(handle_, line);
    UPDATEERR();
    return n;
}

qint64 FILEOBJECT::READ(QString& buffer, qint64 count)
{
    const qint64 n = FRead(handle_, buffer, lengthOr(count, buffer.size()));
    UPDATEERR();
    return n;
}

QString FILEOBJECT::READSTR(qint64 count)
{
    const QString text = FReadStr(handle_, count);
    UPDATEERR();
    return text;
}

qint64 FILEOBJECT::READTEXT(QString& buffer, qint64 count)
{
    const qint64 n = FReadText(handle_, buffer, count);
    UPDATEERR();
    return n;
}

FILEOBJECT& FILEOBJECT::REWIND()
{
    FRewind(handle_);
    UPDATEERR();
    return *this;
}

qint64 FILEOBJECT::SEEK(qint64 offset, int origin)
{
    const qint64 pos = FSeek(handle_, offset, origin);
    UPDATEERR();
    return pos;
}

qint64 FILEOBJECT::TELL() const { return FTell(handle_); }

int FILEOBJECT::UPDATEERR()
{
    errorCode_ = FError();
    error_ = errorCode_ != 0;
    return errorCode_;
}

qint64 FILEOBJECT::WRITE(const QString& data, qint64 count)
{
    const qint64 n = FWrite(handle_, data, lengthOr(count, data.size()));
    UPDATEERR();
    return n;
}

qint64 FILEOBJECT::WRITELINE(const QString& line, qint64 count)
{
    const qint64 n = FPutS(handle_, line, lengthOr(count, line.size()));
    UPDATEERR();
    return n;
}

qint64 FILEOBJECT::WRITETEXT(const QString& data, qint64 count)
{
    const qint64 n = FWriteText(handle_, data, lengthOr(count, data.size()));
    UPDATEERR();
    return n;
}

int FILEOBJECT::CREATE(int attribute)
{
    if (handle_ >= 0)
        FClose(handle_);
    handle_ = FCreate(FULLPATH(), attribute);
    UPDATEERR();
    return handle_;
}

}  // namespace zeva
