// Feeds arbitrary bytes to the settings manager as its preferences file,
// saves every section and reads the file again: the second reading must
// give exactly the values of the first.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Kestrava_spaceWare.h"

namespace {
using Manager = SpaceWarePreferencesManager;

// Every value a manager holds, as text.
std::vector<std::string> values_of(const Manager& manager) {
    std::vector<std::string> values;
    for (int a = 0; a < Manager::navig_count; ++a) {
        const auto attribute = static_cast<NavigAttribute>(a);
        if (const StringSetting* text = manager.navig_string(attribute)) {
            values.push_back(text->get().c_str());
        } else {
            values.push_back(std::to_string(manager.navig_float(attribute)->get()));
        }
    }
    for (long n = 1; n <= manager.button_count(); ++n) {
        values.push_back(manager.button_value(n)->get().c_str());
    }
    for (FunctionNameIterator it = manager.function_name_iterator(); it.more(); it.next()) {
        values.push_back(std::string(it.key().c_str()) + "=" +
                         manager.get_function_definition(it.key()).c_str());
    }
    return values;
}

// Saves all three sections of the file from what the manager holds.
void save_everything(Manager& manager) {
    manager.save_navig_values();
    manager.save_button_values();
    for (FunctionNameIterator it = manager.function_name_iterator(); it.more(); it.next()) {
        if (manager.is_custom_function(it.key())) {
            manager.add_or_edit_custom_function(it.key(),
                                                manager.get_function_definition(it.key()));
            break;
        }
    }
}

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    static const int installed = (qInstallMessageHandler(quiet), 0);
    (void)installed;
    const QString file = folder.filePath(QStringLiteral("prefs.ini"));
    for (const QString& name : QDir(folder.path()).entryList(QDir::Files | QDir::Hidden)) {
        QFile::remove(folder.filePath(name));
    }
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly)) {
            std::abort();
        }
        out.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    std::vector<std::string> first;
    {
        Manager manager(file, 3);
        first = values_of(manager);
        save_everything(manager);
    }
    const Manager again(file, 3);
    const std::vector<std::string> second = values_of(again);
    if (second != first) {
        // Say which value came back changed, for whoever reads the crash.
        for (size_t i = 0; i < std::max(first.size(), second.size()); ++i) {
            const std::string before = i < first.size() ? first[i] : "(none)";
            const std::string after = i < second.size() ? second[i] : "(none)";
            if (before != after) {
                std::fprintf(stderr, "value %zu: \"%s\" became \"%s\"\n", i, before.c_str(),
                             after.c_str());
            }
        }
        std::abort();
    }
    return 0;
}
