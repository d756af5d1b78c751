#include "IniLines.h"

#include <QSettings>
#include <QTemporaryFile>
#include <algorithm>
#include <optional>

namespace {
bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool is_line_end(char c) {
    return c == '\n' || c == '\r';
}

// Where the line that starts at `start` ends; `start` moves past the
// comments before it.
qsizetype end_of_line(const QByteArray& data, qsizetype& start) {
    const qsizetype size = data.size();
    bool in_quotes = false;
    qsizetype i = start;
    while (i < size) {
        const char c = data[i++];
        if (is_line_end(c)) {
            if (i == start + 1) {
                ++start;
            } else if (!in_quotes) {
                return i - 1;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char escaped = data[i++];
                // Either pair of line feed and carriage return ends a line.
                if (i < size && is_line_end(escaped) && is_line_end(data[i]) &&
                    escaped != data[i]) {
                    ++i;
                }
            }
        } else if (c == '"') {
            in_quotes = !in_quotes;
        } else if (c == ';') {
            if (i == start + 1) {
                while (i < size && !is_line_end(data[i])) {
                    ++i;
                }
                while (i < size && is_blank(data[i])) {
                    ++i;
                }
                start = i;
            } else if (!in_quotes) {
                return i - 1;
            }
        }
    }
    return i;
}

bool is_header(const IniLine& line) {
    return line.text.startsWith('[');
}

// The group each header opens, as QSettings decodes it, or nothing for a
// header whose quote runs to the end of the file. QSettings itself says:
// each header goes before a key of its own in a scratch file, and the group
// it reads that key under is the header's.
std::vector<std::optional<QString>> groups_of(const std::vector<QByteArray>& headers) {
    std::vector<std::optional<QString>> groups(headers.size());
    QTemporaryFile scratch;
    if (headers.empty() || !scratch.open()) {
        return groups;
    }
    for (size_t n = 0; n < headers.size(); ++n) {
        scratch.write(headers[n] + "\nk" + QByteArray::number(qulonglong(n)) + "=1\n");
    }
    scratch.close();
    const QSettings read(scratch.fileName(), QSettings::IniFormat);
    for (const QString& key : read.allKeys()) {
        const qsizetype slash = key.lastIndexOf('/');
        bool ok = false;
        const size_t n = key.mid(slash + 2).toULongLong(&ok);
        if (ok && n < headers.size()) {
            groups[n] = slash < 0 ? QString() : key.left(slash);
        }
    }
    return groups;
}

// The group of each section header of the file, in order.
std::vector<std::optional<QString>> header_groups(const std::vector<IniLine>& lines) {
    std::vector<QByteArray> headers;
    for (const IniLine& line : lines) {
        if (is_header(line)) {
            headers.push_back(line.text);
        }
    }
    return groups_of(headers);
}

bool is_in_group(const std::optional<QString>& inner, const QString& group) {
    return inner && (*inner == group || inner->startsWith(group + '/'));
}
} // namespace

std::vector<IniLine> ini_lines(const QByteArray& file) {
    const QByteArray data = file.startsWith("\xef\xbb\xbf") ? file.mid(3) : file;
    std::vector<IniLine> lines;
    qsizetype from = 0;
    int line_feeds = 0;
    for (;;) {
        qsizetype start = from;
        while (start < data.size() && is_blank(data[start])) {
            ++start;
        }
        const qsizetype end = end_of_line(data, start);
        if (end == start) {
            break;
        }
        line_feeds += int(std::count(data.begin() + from, data.begin() + start, '\n'));
        lines.push_back({data.mid(from, end - from), data.mid(start, end - start), line_feeds + 1});
        line_feeds += int(std::count(data.begin() + start, data.begin() + end, '\n'));
        from = end;
    }
    // Blanks and comments after the last line stay with it.
    if (!lines.empty()) {
        lines.back().raw += data.mid(from);
    }
    return lines;
}

int first_unreadable_line(const std::vector<IniLine>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const QByteArray& text = lines[i].text;
        const bool has_control = std::any_of(text.begin(), text.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 && c != '\t' && !is_line_end(c);
        });
        const bool carried_on = text.contains('\n') || text.contains('\r');
        const bool quote_left_open = i + 1 == lines.size() && text.count('"') % 2 != 0;
        if (has_control || carried_on || quote_left_open ||
            (is_header(lines[i]) && !text.contains(']'))) {
            return lines[i].first;
        }
    }
    return 0;
}

QByteArray lines_outside_groups(const std::vector<IniLine>& lines, const QStringList& groups) {
    const std::vector<std::optional<QString>> groups_of_headers = header_groups(lines);
    QByteArray general, sections;
    size_t header = 0;
    bool in_section = false;
    bool in_group = false;
    for (const IniLine& line : lines) {
        if (is_header(line)) {
            in_section = true;
            const std::optional<QString>& group = groups_of_headers[header++];
            in_group = std::any_of(groups.begin(), groups.end(), [&](const QString& written) {
                return is_in_group(group, written);
            });
        }
        if (!in_section) {
            general += line.raw;
        } else if (!in_group) {
            sections += line.raw;
        }
    }
    return (general.trimmed().isEmpty() ? QByteArray() : "[General]\n" + general) + sections;
}

int line_of_key(const std::vector<IniLine>& lines, const QString& key) {
    const std::vector<std::optional<QString>> groups = header_groups(lines);
    QString group;
    size_t header = 0;
    for (const IniLine& line : lines) {
        if (is_header(line)) {
            group = groups[header++].value_or(QString());
            continue;
        }
        const QString name =
            QString::fromUtf8(line.text.left(line.text.indexOf('='))).trimmed().replace('\\', '/');
        if ((group.isEmpty() ? name : group + '/' + name) == key) {
            return line.first;
        }
    }
    return 0;
}
