#include "Tarvik_utils.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// ---------------------------------------------------------------- CString

CString::CString() = default;

CString::CString(const char* text)
    : text_(text ? text : "") {}

CString::CString(const CString& other) = default;

CString::~CString() = default;

CString& CString::operator=(const CString& other) = default;

bool CString::operator==(const CString& other) const {
    return text_ == other.text_;
}

bool CString::operator!=(const CString& other) const {
    return text_ != other.text_;
}

void CString::split(const char* separators, List<CString>& pieces) const {
    const std::string seps = separators ? separators : "";
    std::string::size_type start = 0;
    while (start < text_.size()) {
        const auto end = text_.find_first_of(seps, start);
        const auto stop = end == std::string::npos ? text_.size() : end;
        if (stop > start) {
            pieces.append(CString(text_.substr(start, stop - start).c_str()));
        }
        start = stop + 1;
    }
}

template class List<CString>;

QString qstring_of(const CString& text) {
    return QString::fromLatin1(text.c_str());
}

bool host_string_of(const QString& text, CopyCString& host) {
    for (const QChar c : text) {
        if (c.unicode() > 0xff || c.isNull()) {
            return false;
        }
    }
    host = CString(text.toLatin1().constData());
    return true;
}

// ---------------------------------------------------------------- Resource

namespace {
std::vector<const Resource*>& deferred_resources() {
    // Never destroyed: resources may be released while other libraries unload.
    static auto* pending = new std::vector<const Resource*>;
    return *pending;
}
} // namespace

Resource::~Resource() = default;

void Resource::ref() const {
    ++references_;
}

void Resource::unref() const {
    if (--references_ <= 0) {
        destroy();
    }
}

void Resource::unref_deferred() const {
    if (--references_ <= 0) {
        deferred_resources().push_back(this);
    }
}

void Resource::cleanup() {}

void Resource::destroy() const {
    auto* self = const_cast<Resource*>(this);
    self->cleanup();
    delete self;
}

void Resource::ref(const Resource* resource) {
    if (resource) {
        resource->ref();
    }
}

void Resource::unref(const Resource* resource) {
    if (resource) {
        resource->unref();
    }
}

void Resource::delete_deferred() {
    std::vector<const Resource*> due;
    due.swap(deferred_resources());
    for (const Resource* resource : due) {
        // A resource taken up again since its release stays alive.
        if (resource->references_ <= 0) {
            resource->destroy();
        }
    }
}

// ---------------------------------------------------------------- types

TypeInfo::TypeInfo(const char* name, const TypeInfo** parents, int parent_count, Upcast upcast)
    : name_(name)
    , parents_(parents)
    , parent_count_(parent_count)
    , upcast_(upcast) {}

bool TypeId::is_a(const TypeId& other, bool exact) const {
    if (info_ == other.info_) {
        return true;
    }
    if (exact) {
        return false;
    }
    for (int i = 0; i < info_->parent_count(); ++i) {
        if (TypeId(info_->parent(i)).is_a(other, false)) {
            return true;
        }
    }
    return false;
}

void* TypeId::ptr_cast(const void* object, const TypeId& target) const {
    if (!object) {
        return nullptr;
    }
    if (info_ == target.info_) {
        return const_cast<void*>(object);
    }
    for (int i = 0; i < info_->parent_count(); ++i) {
        // Read the entry before recursing: each upcast table is rewritten per call.
        const void* part = info_->upcast(object)[i];
        if (void* found = TypeId(info_->parent(i)).ptr_cast(part, target)) {
            return found;
        }
    }
    return nullptr;
}

// ---------------------------------------------------------------- lists

namespace {
long default_best_new_count(long requested, unsigned int element_size) {
    if (requested <= 0 || element_size == 0) {
        return 0;
    }
    const long most = static_cast<long>(PTRDIFF_MAX / element_size);
    if (requested > most) {
        return 0;
    }
    // Doubling keeps a run of appends at a constant cost per element.
    long capacity = 8;
    while (capacity < requested && capacity <= most / 2) {
        capacity *= 2;
    }
    return capacity < requested ? requested : capacity;
}

ListImpl::GrowthPolicy growth_policy = default_best_new_count;
} // namespace

long ListImpl::best_new_count(long requested, unsigned int element_size) {
    return growth_policy(requested, element_size);
}

void ListImpl::set_growth_policy(GrowthPolicy policy) {
    growth_policy = policy ? policy : default_best_new_count;
}

// ---------------------------------------------------------------- initialisation

namespace tarvik_init {
namespace {
Observer observer = nullptr;
} // namespace

void set_observer(Observer replacement) {
    observer = replacement;
}

void tell(const char* first, const char* second, const char* third) {
    if (!observer) {
        return;
    }
    std::string event(first);
    for (const char* word : {second, third}) {
        if (word) {
            event.append(1, ' ').append(word);
        }
    }
    observer(event);
}

void count_up(int& count, const char* name, void (*first_setup)()) {
    tell(name);
    if (++count == 1 && first_setup) {
        first_setup();
    }
}

void count_down(int& count, const char* name) {
    if (observer) {
        observer(std::string("~") + name);
    }
    --count;
}
} // namespace tarvik_init

TARVIK_DEFINE_LIBRARY_INIT(Tarvikutils_init, nullptr)
