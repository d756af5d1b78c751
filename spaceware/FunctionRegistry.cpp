#include "FunctionRegistry.h"

#include <QString>
#include <algorithm>
#include <set>

#include "StandardViews.h"

namespace {
// The functions that are not standard views; those come from their table.
struct BuiltinFunction {
    const char* name;
    const char* command;
    // For people, translated in function_title_context.
    const char* title;
};
const BuiltinFunction builtin_functions[] = {
    {"No_Action", "", QT_TRANSLATE_NOOP("Functions", "No Action")},
    {"Fit_All", "view fit all", QT_TRANSLATE_NOOP("Functions", "Fit All")},
    {"Fit_Selection", "view fit selection", QT_TRANSLATE_NOOP("Functions", "Fit Selection")},
    {"Reset_View", "view reset", QT_TRANSLATE_NOOP("Functions", "Reset View")},
    {"Toggle_Projection", "view projection toggle",
     QT_TRANSLATE_NOOP("Functions", "Toggle Projection")},
    {"Centre_On_Cursor", "view centre cursor", QT_TRANSLATE_NOOP("Functions", "Centre on Cursor")},
    {"Toggle_Rotations", "navigation rotations toggle",
     QT_TRANSLATE_NOOP("Functions", "Toggle Rotations")},
    {"Toggle_Translations", "navigation translations toggle",
     QT_TRANSLATE_NOOP("Functions", "Toggle Translations")},
    {"Toggle_Dominant_Axis", "navigation dominant toggle",
     QT_TRANSLATE_NOOP("Functions", "Toggle Dominant Axis")},
    {"Toggle_Lock_Horizon", "navigation horizon toggle",
     QT_TRANSLATE_NOOP("Functions", "Toggle Level Horizon")},
    {"Sensitivity_Up", "navigation sensitivity up",
     QT_TRANSLATE_NOOP("Functions", "Sensitivity Up")},
    {"Sensitivity_Down", "navigation sensitivity down",
     QT_TRANSLATE_NOOP("Functions", "Sensitivity Down")},
    {"Next_Profile", "profile next", QT_TRANSLATE_NOOP("Functions", "Next Profile")},
    {"Previous_Profile", "profile previous", QT_TRANSLATE_NOOP("Functions", "Previous Profile")},
};

// Runs a function's command when the device triggers it.
class FunctionAction : public Action {
public:
    FunctionAction(const FunctionRegistry* registry, const CString& name)
        : registry_(registry)
        , name_(name) {}
    void execute() override { registry_->run(name_); }

private:
    const FunctionRegistry* registry_;
    CopyCString name_;
};
} // namespace

FunctionRegistry::FunctionRegistry()
    : custom_names_(std::make_unique<StringSetting>(CString())) {
    for (const BuiltinFunction& function : builtin_functions) {
        add(function.name, function.command, false, function.title);
    }
    for (const StandardViewEntry& view : standard_views) {
        add(view.function, QStringLiteral("view %1").arg(view.word).toLatin1().constData(), false,
            view.title);
    }
}

FunctionRegistry::~FunctionRegistry() = default;

const CString& FunctionRegistry::no_action_name() {
    static const CString name(builtin_functions[0].name);
    return name;
}

bool FunctionRegistry::is_valid_name(const CString& name) {
    const QString text = qstring_of(name);
    return !text.isEmpty() &&
           std::none_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

void FunctionRegistry::add(const CString& name, const CString& definition, bool custom,
                           const char* title) {
    Function& function = functions_[name.c_str()];
    function.title = title;
    function.action = SmartResource<Action>(new FunctionAction(this, name));
    function.definition = std::make_unique<FunctionDefinition>(definition);
    function.custom = custom;
}

const char* FunctionRegistry::title(const CString& name) const {
    const auto found = functions_.find(name.c_str());
    return found == functions_.end() ? nullptr : found->second.title;
}

FunctionNameIterator FunctionRegistry::name_iterator() const {
    FunctionNameIterator names;
    for (const auto& [name, function] : functions_) {
        names.add(CopyCString(name.c_str()), {function.action, function.definition.get()});
    }
    return names;
}

CopyCString FunctionRegistry::definition(const CString& name) const {
    const auto found = functions_.find(name.c_str());
    return found == functions_.end() ? CopyCString() : found->second.definition->get();
}

bool FunctionRegistry::is_builtin(const CString& name) const {
    const auto found = functions_.find(name.c_str());
    return found != functions_.end() && !found->second.custom;
}

bool FunctionRegistry::is_custom(const CString& name) const {
    const auto found = functions_.find(name.c_str());
    return found != functions_.end() && found->second.custom;
}

FunctionRegistry::Stored FunctionRegistry::store_custom(const CString& name,
                                                        const CString& definition) {
    if (!is_valid_name(name)) {
        qWarning("Custom function name \"%s\" refused: it is empty or holds a blank", name.c_str());
        return Stored::refused;
    }
    if (is_builtin(name)) {
        qWarning("Custom function name \"%s\" refused: a built-in function has it", name.c_str());
        return Stored::refused;
    }
    if (definition.length() > SpaceWarePreferencesManager::longest_definition) {
        qWarning("Custom function \"%s\" refused: its definition is longer than %ld characters",
                 name.c_str(), SpaceWarePreferencesManager::longest_definition);
        return Stored::refused;
    }
    const auto found = functions_.find(name.c_str());
    if (found == functions_.end()) {
        add(name, definition, true);
        return Stored::added;
    }
    found->second.definition->set(definition);
    return Stored::changed;
}

bool FunctionRegistry::remove_custom(const CString& name) {
    if (!is_custom(name)) {
        return false;
    }
    functions_.erase(name.c_str());
    return true;
}

FunctionRegistry::Functions FunctionRegistry::custom_functions() const {
    Functions functions;
    for (const auto& [name, function] : functions_) {
        if (function.custom) {
            functions.emplace_back(name.c_str(), function.definition->get());
        }
    }
    return functions;
}

void FunctionRegistry::replace_custom(const Functions& functions) {
    std::set<std::string> kept;
    for (const auto& [name, definition] : functions) {
        kept.insert(name.c_str());
        const auto found = functions_.find(name.c_str());
        if (found == functions_.end()) {
            add(name, definition, true);
        } else if (found->second.custom) {
            found->second.definition->set(definition);
        }
    }
    std::erase_if(functions_, [&kept](const auto& entry) {
        return entry.second.custom && !kept.count(entry.first);
    });
}

void FunctionRegistry::publish_names() {
    std::string joined;
    for (const auto& [name, function] : functions_) {
        if (function.custom) {
            joined += (joined.empty() ? "" : " ") + name;
        }
    }
    custom_names_->set(CString(joined.c_str()));
}

void FunctionRegistry::run(const CString& name) const {
    const CopyCString command = definition(name);
    if (handler_ && !command.is_empty()) {
        handler_(command);
    }
}
