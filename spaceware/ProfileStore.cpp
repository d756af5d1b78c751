#include "ProfileStore.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

namespace {
// Every character a file name could not hold, and the percent sign,
// encoded: a name is any text, its file is one file of the folder.
QString file_name_of(const QString& name) {
    return QString::fromLatin1(QUrl::toPercentEncoding(name, " ()+,-_", "."));
}
} // namespace

ProfileStore::ProfileStore(const QString& preferences_file)
    : folder_(QFileInfo(preferences_file).absolutePath() + QStringLiteral("/profiles")) {}

QString ProfileStore::file_of(const QString& name) const {
    return folder_ + '/' + file_name_of(name) + QLatin1String(suffix);
}

QStringList ProfileStore::names() const {
    QStringList found;
    const QDir folder(folder_);
    for (const QString& file :
         folder.entryList({QStringLiteral("*") + QLatin1String(suffix)}, QDir::Files)) {
        const QString name =
            QUrl::fromPercentEncoding(file.chopped(int(strlen(suffix))).toLatin1());
        // A file renamed by hand is not the profile it names.
        if (SpaceWarePreferencesManager::is_valid_profile_name(name) &&
            file_name_of(name) + QLatin1String(suffix) == file) {
            found << name;
        }
    }
    sort(found);
    return found;
}

void ProfileStore::sort(QStringList& names) {
    QCollator order;
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), order);
}

bool ProfileStore::has_file(const QString& name) const {
    return QFileInfo(file_of(name)).isFile();
}

void ProfileStore::read(const QString& name, Contents& contents) const {
    PreferencesFile file(file_of(name));
    file.read(contents, [](const CString&) { return true; });
    contents.profile = name;
}

bool ProfileStore::write(const QString& name, const std::vector<PreferencesSection>& sections,
                         const Contents& contents) {
    PreferencesFile file(file_of(name));
    Contents own = contents;
    own.profile = name;
    std::vector<PreferencesSection> with_name = sections;
    with_name.push_back(PreferencesSection::profile);
    const bool written = file.write(with_name, own);
    error_ = file.error();
    return written;
}

bool ProfileStore::remove(const QString& name) {
    if (!has_file(name) || QFile::remove(file_of(name))) {
        return true;
    }
    error_ = QStringLiteral("%1 cannot be removed").arg(file_of(name));
    return false;
}
