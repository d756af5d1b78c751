#pragma once

// The preferences file as QSettings splits it into lines and sections, so
// that a save can keep the sections it does not write byte for byte.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct IniLine {
    // From the end of the line before to the end of this one: the blanks
    // and comments before a line belong to it.
    QByteArray raw;
    // The line as QSettings reads it.
    QByteArray text;
    // The number of the file line it starts on.
    int first;
};

// A line ends at a line feed, a carriage return or a semicolon outside
// quotes; a backslash carries the character after it. A leading UTF-8 byte
// order mark is skipped.
std::vector<IniLine> ini_lines(const QByteArray& data);

// The first line that holds no setting QSettings can take as written: a
// section header left open, a quote left open, a line carried on, or
// control characters. 0 when there is none.
int first_unreadable_line(const std::vector<IniLine>& lines);

// Every line outside the groups and the groups below them, byte for byte;
// lines before any section header come under a [General] header.
QByteArray lines_outside_groups(const std::vector<IniLine>& lines, const QStringList& groups);

// The number of the file line that sets `key` ("group/name"), or 0.
int line_of_key(const std::vector<IniLine>& lines, const QString& key);
