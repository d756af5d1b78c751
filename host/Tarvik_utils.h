#pragma once

// The host's base library: 8-bit strings, reference-counted resources,
// run-time type identification, factories and library initialisation.

#include <QString>
#include <map>
#include <string>
#include <vector>

#include "List.h"
#include "tarvik_utils_export.h"

// An 8-bit, NUL-terminated string. A null `const char*` gives the empty string.
class TARVIK_UTILS_EXPORT CString {
public:
    CString();
    CString(const char* text);
    CString(const CString& other);
    virtual ~CString();
    CString& operator=(const CString& other);

    const char* c_str() const { return text_.c_str(); }
    long length() const { return static_cast<long>(text_.size()); }
    bool is_empty() const { return text_.empty(); }

    virtual bool operator==(const CString& other) const;
    virtual bool operator!=(const CString& other) const;

    // Appends to `pieces` the non-empty pieces between the characters of `separators`.
    void split(const char* separators, List<CString>& pieces) const;

private:
    std::string text_;
};

// Made once, in this library, for every library that lists host strings.
extern template class List<CString>;

// A CString that owns its text; the form handed out to be filled.
class TARVIK_UTILS_EXPORT CopyCString : public CString {
public:
    CopyCString() = default;
    CopyCString(const CString& other)
        : CString(other) {}
    CopyCString(const char* text)
        : CString(text) {}
};

// Host strings are 8-bit Latin-1 text.
TARVIK_UTILS_EXPORT QString qstring_of(const CString& text);
// False, leaving `host` as it was, when `text` holds a character that Latin-1
// cannot (or a NUL, which would end the host string early).
TARVIK_UTILS_EXPORT bool host_string_of(const QString& text, CopyCString& host);

// Reference-counted base. A new resource has no reference; every holder takes
// one with ref() and gives it back with unref(); the last unref destroys it.
class TARVIK_UTILS_EXPORT Resource {
public:
    Resource(const Resource&) = delete;
    Resource& operator=(const Resource&) = delete;

    virtual void ref() const;
    virtual void unref() const;
    // Gives a reference back, but a resource left without one is destroyed
    // only at the next delete_deferred(), not inside the caller's frame.
    virtual void unref_deferred() const;
    // Called once just before the resource is destroyed.
    virtual void cleanup();

    static void ref(const Resource* resource);
    static void unref(const Resource* resource);
    static void delete_deferred();

    int reference_count() const { return references_; }

protected:
    Resource() = default;
    virtual ~Resource();

private:
    void destroy() const;

    mutable int references_ = 0;
};

class TARVIK_UTILS_EXPORT TypeInfo {
public:
    using Upcast = const void* const* (*)(const void* object);

    // `upcast` maps an object of this type to a table holding, per parent, the
    // address of the object's part of that parent type.
    TypeInfo(const char* name, const TypeInfo** parents, int parent_count, Upcast upcast);

    const char* name() const { return name_; }
    int parent_count() const { return parent_count_; }
    const TypeInfo* parent(int i) const { return parents_[i]; }
    const void* const* upcast(const void* object) const { return upcast_(object); }

private:
    const char* name_;
    const TypeInfo** parents_;
    int parent_count_;
    Upcast upcast_;
};

class TARVIK_UTILS_EXPORT TypeId {
public:
    explicit TypeId(const TypeInfo* info)
        : info_(info) {}

    const TypeInfo* info() const { return info_; }
    const char* name() const { return info_->name(); }
    bool operator==(const TypeId& other) const { return info_ == other.info_; }

    // True when this type is `other` or, unless `exact`, derives from it.
    bool is_a(const TypeId& other, bool exact) const;
    // The address of `object`'s part of type `target`, or null if it has none.
    void* ptr_cast(const void* object, const TypeId& target) const;

private:
    const TypeInfo* info_;
};

// The upcast of a class with one base: the base part's address in a one-entry table.
template <class Derived, class Base>
const void* const* single_base_upcast(const void* object) {
    static const void* slot;
    slot = static_cast<const Base*>(static_cast<const Derived*>(object));
    return &slot;
}

// The type record of a class with one base, built once.
template <class Derived, class Base>
const TypeInfo* single_base_type_info(const char* name) {
    static const TypeInfo* parents[1] = {Base::static_type_info_()};
    static const TypeInfo info(name, parents, 1, single_base_upcast<Derived, Base>);
    return &info;
}

// Host factories. create() returns a new object, as a pointer to the kind of
// product its registry hands out (the class's `FactoryProduct`).
class TARVIK_UTILS_EXPORT AbstractFactory : public Resource {
public:
    virtual void* create() = 0;

protected:
    AbstractFactory() = default;
};

// The factories of a registry, by key. It holds one reference to each and
// releases a factory that another replaces under the same key.
template <class Key>
class FactoryTable {
public:
    void put(const Key& key, AbstractFactory* factory) {
        Resource::ref(factory);
        AbstractFactory*& slot = factories_[key];
        Resource::unref(slot);
        slot = factory;
    }
    // The factory under `key`, or null.
    AbstractFactory* find(const Key& key) const {
        const auto found = factories_.find(key);
        return found == factories_.end() ? nullptr : found->second;
    }

private:
    std::map<Key, AbstractFactory*> factories_;
};

template <class T>
class ConcreteFactory : public AbstractFactory {
public:
    void* create() override { return static_cast<typename T::FactoryProduct*>(new T); }
};

// Holds one reference to a resource for as long as it lives.
template <class T>
class SmartResource {
public:
    SmartResource(T* resource = nullptr)
        : resource_(resource) {
        Resource::ref(resource_);
    }
    SmartResource(const SmartResource& other)
        : SmartResource(other.resource_) {}
    SmartResource& operator=(const SmartResource& other) {
        Resource::ref(other.resource_); // first: other may hold the last reference to ours
        Resource::unref(resource_);
        resource_ = other.resource_;
        return *this;
    }
    ~SmartResource() { Resource::unref(resource_); }

    T* get() const { return resource_; }
    T* operator->() const { return resource_; }
    explicit operator bool() const { return resource_ != nullptr; }

private:
    T* resource_;
};

// Something the host can run on request, such as a device button's function.
class TARVIK_UTILS_EXPORT Action : public Resource {
public:
    virtual void execute() = 0;
};

template <class A, class B>
struct Pair2 {
    A first;
    B second;
};

// Visits the keys of a table, in the table's order, with their values. It
// holds its own copy of them, so changing the table does not disturb a visit.
template <class K, class V>
class TableKeyItr {
public:
    void add(const K& key, const V& value) { entries_.push_back({key, value}); }

    bool more() const { return position_ < entries_.size(); }
    void next() { ++position_; }
    const K& key() const { return entries_[position_].first; }
    const V& value() const { return entries_[position_].second; }

private:
    std::vector<Pair2<K, V>> entries_;
    typename std::vector<Pair2<K, V>>::size_type position_ = 0;
};

// Library initialisation: every library has a `<library>_init` class whose
// constructor counts up and sets the library up at the first count.
namespace tarvik_init {
TARVIK_UTILS_EXPORT void count_up(int& count, const char* name, void (*first_setup)());
TARVIK_UTILS_EXPORT void count_down(int& count, const char* name);

// Hears, in order, of every initialisation object made ("name") and gone
// ("~name") and of every factory a registry takes ("register WORKFLOW",
// "register WORKFLOW BUILDER"). Nothing listens unless a test installs an
// observer, before it loads a module; null removes it.
using Observer = void (*)(const std::string& event);
TARVIK_UTILS_EXPORT void set_observer(Observer observer);
// Tells the observer, if there is one, the words joined by blanks.
TARVIK_UTILS_EXPORT void tell(const char* first, const char* second = nullptr,
                              const char* third = nullptr);
} // namespace tarvik_init

#define TARVIK_DECLARE_LIBRARY_INIT(EXPORT, NAME)                                                  \
    class EXPORT NAME {                                                                            \
    public:                                                                                        \
        NAME();                                                                                    \
        ~NAME();                                                                                   \
        NAME& operator=(const NAME&) { return *this; }                                             \
        static void initialize();                                                                  \
        static void terminate();                                                                   \
        static int count() { return count_; }                                                      \
                                                                                                   \
    private:                                                                                       \
        static int count_;                                                                         \
    }

#define TARVIK_DEFINE_LIBRARY_INIT(NAME, FIRST_SETUP)                                              \
    int NAME::count_ = 0;                                                                          \
    NAME::NAME() {                                                                                 \
        initialize();                                                                              \
    }                                                                                              \
    NAME::~NAME() {                                                                                \
        terminate();                                                                               \
    }                                                                                              \
    void NAME::initialize() {                                                                      \
        tarvik_init::count_up(count_, #NAME, FIRST_SETUP);                                         \
    }                                                                                              \
    void NAME::terminate() {                                                                       \
        tarvik_init::count_down(count_, #NAME);                                                    \
    }

TARVIK_DECLARE_LIBRARY_INIT(TARVIK_UTILS_EXPORT, Tarvikutils_init);
