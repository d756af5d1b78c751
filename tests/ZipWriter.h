#pragma once

// A zip archive of stored entries, as small as a 3MF package can be: the
// tests write the XML of each package by hand, hostile ones too.

#include <QByteArray>
#include <QtEndian>
#include <utility>
#include <vector>

namespace zip_detail {
inline quint32 crc32_of(const QByteArray& data) {
    quint32 crc = 0xffffffff;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
        }
    }
    return ~crc;
}

template <typename T>
void put(QByteArray& out, T value) {
    const T little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// The fields the local and the central header share, from "version needed".
inline void put_common(QByteArray& out, const QByteArray& name, const QByteArray& data) {
    put<quint16>(out, 20);       // version needed
    put<quint16>(out, 0);        // flags
    put<quint16>(out, 0);        // stored
    put<quint32>(out, 0x210000); // 1980-01-01 00:00
    put<quint32>(out, crc32_of(data));
    put<quint32>(out, quint32(data.size()));
    put<quint32>(out, quint32(data.size()));
    put<quint16>(out, quint16(name.size()));
    put<quint16>(out, 0); // no extra field
}
} // namespace zip_detail

using ZipEntries = std::vector<std::pair<QByteArray, QByteArray>>;

inline QByteArray zip_of(const ZipEntries& entries) {
    using namespace zip_detail;
    QByteArray archive, directory;
    for (const auto& [name, data] : entries) {
        const auto offset = quint32(archive.size());
        put<quint32>(archive, 0x04034b50);
        put_common(archive, name, data);
        archive += name + data;
        put<quint32>(directory, 0x02014b50);
        put<quint16>(directory, 20); // made by
        put_common(directory, name, data);
        put<quint16>(directory, 0); // comment
        put<quint16>(directory, 0); // disk
        put<quint16>(directory, 0); // internal attributes
        put<quint32>(directory, 0); // external attributes
        put<quint32>(directory, offset);
        directory += name;
    }
    const auto directory_offset = quint32(archive.size());
    archive += directory;
    put<quint32>(archive, 0x06054b50);
    put<quint32>(archive, 0); // disks
    put<quint16>(archive, quint16(entries.size()));
    put<quint16>(archive, quint16(entries.size()));
    put<quint32>(archive, quint32(directory.size()));
    put<quint32>(archive, directory_offset);
    put<quint16>(archive, 0); // comment
    return archive;
}
