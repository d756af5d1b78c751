#pragma once

// The functions a device button can run: the built-in ones and the user's
// own, each a name and a definition of host commands. Running one hands
// its definition to the command handler that the host installs.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "Kestrava_spaceWare.h"

class FunctionRegistry {
public:
    using CommandHandler = SpaceWarePreferencesManager::CommandHandler;
    using Functions = SpaceWarePreferencesManager::FunctionValues;
    enum class Stored { refused, added, changed };

    // Holds the built-in functions.
    FunctionRegistry();
    ~FunctionRegistry();
    FunctionRegistry(const FunctionRegistry&) = delete;
    FunctionRegistry& operator=(const FunctionRegistry&) = delete;

    static const CString& no_action_name();
    static bool is_valid_name(const CString& name);

    FunctionNameIterator name_iterator() const;
    // Empty for an unknown name.
    CopyCString definition(const CString& name) const;
    bool is_builtin(const CString& name) const;
    // A built-in function's name for people, untranslated; null for others.
    const char* title(const CString& name) const;
    bool is_custom(const CString& name) const;

    // Stores a user's function; a name that is not valid, or that a built-in
    // function holds, is refused with a warning.
    Stored store_custom(const CString& name, const CString& definition);
    // False when no user's function has the name.
    bool remove_custom(const CString& name);
    // The user's functions, in name order.
    Functions custom_functions() const;
    // Makes the user's functions these: another program saved them.
    void replace_custom(const Functions& functions);

    // The user's function names, in character-code order, joined by single
    // blanks; publish_names() brings it up to date and tells its observers.
    StringSetting* custom_names() const { return custom_names_.get(); }
    void publish_names();

    void set_command_handler(CommandHandler handler) { handler_ = std::move(handler); }
    // Hands the function's definition to the handler, unless it is empty.
    void run(const CString& name) const;

private:
    struct Function {
        SmartResource<Action> action;
        std::unique_ptr<FunctionDefinition> definition;
        bool custom;
        const char* title = nullptr;
    };

    void add(const CString& name, const CString& definition, bool custom,
             const char* title = nullptr);

    std::map<std::string, Function> functions_;
    std::unique_ptr<StringSetting> custom_names_;
    CommandHandler handler_;
};
