#include "regularfile.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFileInfo>
#endif

namespace qor {

namespace {

Status notRegular(QStringView what)
{
    return Status::failure(StatusCode::Unreadable, u"The path names " + what + u", not a regular file; only regular files are read.");
}

#ifdef Q_OS_UNIX

QString kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    return QStringLiteral("a device");
}

Status openError()
{
    return Status::failure(StatusCode::Unreadable, qt_error_string(errno) + u'.');
}

// Closes what was opened and gives the reason it is not used.
Status refuse(int descriptor, Status reason)
{
    ::close(descriptor);
    return reason;
}

} // namespace

// The type is looked at before the open, since opening a device may already act on it, and again
// on what was opened, in case something else took the name in between. O_NONBLOCK keeps the open of
// a FIFO from waiting for its writer; reads of the regular file then block as usual.
Status openRegularFile(QFile& file, QIODevice::OpenMode mode)
{
    const QByteArray path = QFile::encodeName(file.fileName());
    struct stat facts {};
    if (::stat(path.constData(), &facts) == 0 && !S_ISREG(facts.st_mode))
        return notRegular(kindOf(facts.st_mode));
    const int descriptor = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return openError();
    if (::fstat(descriptor, &facts) != 0)
        return refuse(descriptor, openError());
    if (!S_ISREG(facts.st_mode))
        return refuse(descriptor, notRegular(kindOf(facts.st_mode)));
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags == -1 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == -1)
        return refuse(descriptor, openError());
    if (!file.open(descriptor, mode, QFileDevice::AutoCloseHandle))
        return refuse(descriptor, Status::failure(StatusCode::Unreadable, file.errorString() + u'.'));
    return {};
}

#else

} // namespace

Status openRegularFile(QFile& file, QIODevice::OpenMode mode)
{
    const QFileInfo facts(file.fileName());
    if (facts.exists() && !facts.isFile())
        return notRegular(facts.isDir() ? QStringView(u"a folder") : QStringView(u"a device"));
    if (!file.open(mode))
        return Status::failure(StatusCode::Unreadable, file.errorString() + u'.');
    return {};
}

#endif

} // namespace qor
