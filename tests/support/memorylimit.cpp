#include "memorylimit.h"

#include <QFile>

namespace {

// The process's data size now, from the kernel's own count (kB in /proc/self/status).
rlim_t dataSize()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/status");
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmData:"))
            return line.mid(7).trimmed().split(' ').first().toULongLong() * 1024;
    }
    qFatal("no VmData line in /proc/self/status");
}

} // namespace

MemoryLimit::MemoryLimit(rlim_t bytes)
{
    getrlimit(RLIMIT_DATA, &m_previous);
    const rlimit limit{dataSize() + bytes, m_previous.rlim_max};
    setrlimit(RLIMIT_DATA, &limit);
}

MemoryLimit::~MemoryLimit()
{
    setrlimit(RLIMIT_DATA, &m_previous);
}
