#pragma once
// The benchmarks' measure of memory: the peak resident set of this process.

#include <QByteArray>
#include <QFile>

// In KiB; -1 where the system does not tell.
inline long peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}
