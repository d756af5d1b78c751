#pragma once

// A process's memory as the benchmarks count it: its proportional set
// size, so that a page it shares with others counts by its share.

#include <QByteArray>
#include <QFile>
#include <QString>

// In kB, of "self" or of a process number; 0 for a process gone.
inline long pss_kb(const QString& process) {
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(process));
    if (rollup.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : rollup.readAll().split('\n')) {
            if (line.startsWith("Pss:")) {
                return line.mid(4).trimmed().split(' ').value(0).toLong();
            }
        }
    }
    return 0;
}
