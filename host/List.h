#pragma once

// The host's list templates: gap buffers whose free storage form one gap that
// follows the place of the last insertion or removal, so runs of edits at or
// near one position move few elements.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>

#include "tarvik_utils_export.h"

// The list templates are visible from every library, so that a library's
// explicit instantiation (the module's List<void*>, Tarvik_utils' List<CString>)
// is the one every other library uses.
#if defined(__GNUC__)
#define TARVIK_LIST_VISIBLE __attribute__((visibility("default")))
#else
#define TARVIK_LIST_VISIBLE
#endif

// Marks a constructor argument that must be spelled out at the call site.
template <class T>
class Explicit {
public:
    Explicit(T value)
        : value_(value) {}
    operator T() const { return value_; }

private:
    T value_;
};

class TARVIK_UTILS_EXPORT ListImpl {
public:
    using GrowthPolicy = long (*)(long requested, unsigned int element_size);

    // The capacity to allocate for `requested` elements: at least `requested`,
    // or 0 when nothing is to be allocated.
    static long best_new_count(long requested, unsigned int element_size);

    // Replaces the growth policy (null restores the default); for tests that
    // must reach the lists' failure paths.
    static void set_growth_policy(GrowthPolicy policy);
};

template <class T>
class TARVIK_LIST_VISIBLE List {
public:
    List();
    List(Explicit<long> n);
    List(const List& other) { copy(other); }
    ~List() { delete[] items_; }
    List& operator=(const List& other);

    long count() const { return count_; }
    const T& item(long i) const { return items_[slot_of(i)]; }
    T& item_ref(long i) const { return items_[slot_of(i)]; }

    bool insert(long pos, const T& element) {
        // The common case stays inline: room left, a position inside.
        if (count_ < capacity_ && pos >= 0 && pos <= count_) {
            place(pos, element);
            return true;
        }
        return insert_growing(pos, element);
    }
    bool insert(long pos, const List& other);
    bool prepend(const T& element) { return insert(0, element); }
    bool prepend(const List& other) { return insert(0, other); }
    bool append(const T& element) { return insert(count_, element); }
    bool append(const List& other) { return insert(count_, other); }
    void remove(long i);
    void remove_all();
    unsigned int memory_used() const;

protected:
    void copy(const List& other);
    bool resize(long n);

    T* items_ = nullptr;
    long capacity_ = 0;
    long count_ = 0;
    long gap_ = 0;

private:
    long back_start() const { return capacity_ - count_; }
    long slot_of(long i) const { return i < gap_ ? i : back_start() + i; }
    static T* allocate(long n);
    // Appends and runs of edits at one place leave the gap where it is:
    // that check stays inline, the moves do not.
    void move_gap_to(long pos) {
        if (pos != gap_) {
            shift_gap_to(pos);
        }
    }
    void shift_gap_to(long pos);
    void place(long pos, const T& element) {
        move_gap_to(pos);
        items_[pos] = element;
        ++count_;
        gap_ = pos + 1;
    }
    bool insert_growing(long pos, const T& element);
    void copy_elements_to(T* destination) const;
};

// A typed face of List<void*>: same fields, same layout. The list never owns
// the objects it points to.
template <class T>
class TARVIK_LIST_VISIBLE PtrList : public List<void*> {
public:
    PtrList() = default;
    PtrList(const PtrList& other)
        : List<void*>(other) {}
    ~PtrList();
    PtrList& operator=(const PtrList& other);

    long count() const { return List<void*>::count(); }
    T* item(long i) const { return static_cast<T*>(List<void*>::item(i)); }
};

// Out of line, so that an explicit instantiation exports it too.
template <class T>
List<T>::List() = default;

template <class T>
List<T>::List(Explicit<long> n) {
    if (n <= 0) {
        return;
    }
    items_ = allocate(n);
    capacity_ = items_ ? static_cast<long>(n) : 0;
}

template <class T>
T* List<T>::allocate(long n) {
    // Past this size the array new would throw instead of answering null.
    if (static_cast<unsigned long>(n) > PTRDIFF_MAX / sizeof(T)) {
        return nullptr;
    }
    return new (std::nothrow) T[n];
}

template <class T>
List<T>& List<T>::operator=(const List& other) {
    if (&other != this) {
        delete[] items_;
        copy(other);
    }
    return *this;
}

template <class T>
void List<T>::shift_gap_to(long pos) {
    if (pos < gap_) {
        // Elements pos .. gap_-1 join the back part, last one first.
        std::copy_backward(items_ + pos, items_ + gap_, items_ + back_start() + gap_);
    } else if (pos > gap_) {
        // Elements gap_ .. pos-1 join the front part, first one first.
        std::copy(items_ + back_start() + gap_, items_ + back_start() + pos, items_ + gap_);
    }
}

// A full list grows first; a position outside the list then changes nothing
// more and still reports true.
template <class T>
bool List<T>::insert_growing(long pos, const T& element) {
    if (count_ == capacity_ && !resize(count_ + 1)) {
        return false;
    }
    if (pos < 0 || pos > count_) {
        return true;
    }
    if (count_ == capacity_) {
        // The growth policy declined to grow a full list: there is no slot.
        return false;
    }
    place(pos, element);
    return true;
}

// A list may be inserted into itself: once the gap is at `pos` and the
// storage holds twice the elements, the gap is at least as long as the
// list, so the copy writes only gap slots while it reads the front part
// (before `pos`) and the back part (after the gap), and reads the count
// before changing it.
template <class T>
bool List<T>::insert(long pos, const List& other) {
    const long needed = count_ + other.count_;
    if (needed > capacity_ && !resize(needed)) {
        return false;
    }
    if (pos < 0 || pos > count_) {
        return true;
    }
    if (needed > capacity_) {
        return false;
    }
    move_gap_to(pos);
    other.copy_elements_to(items_ + pos);
    gap_ = pos + other.count_;
    count_ = needed;
    return true;
}

template <class T>
void List<T>::remove(long i) {
    if (i < 0 || i >= count_) {
        return;
    }
    if (i < gap_) {
        // Elements i+1 .. gap_-1 join the back part.
        std::copy_backward(items_ + i + 1, items_ + gap_, items_ + back_start() + gap_);
    } else if (i > gap_) {
        // Elements gap_ .. i-1 join the front part.
        std::copy(items_ + back_start() + gap_, items_ + back_start() + i, items_ + gap_);
    }
    --count_;
    gap_ = i;
}

template <class T>
void List<T>::remove_all() {
    count_ = 0;
    gap_ = 0;
}

template <class T>
unsigned int List<T>::memory_used() const {
    return static_cast<unsigned int>(sizeof(T) * static_cast<unsigned long>(capacity_) +
                                     sizeof(List));
}

template <class T>
void List<T>::copy_elements_to(T* destination) const {
    T* after_front = std::copy(items_, items_ + gap_, destination);
    std::copy(items_ + back_start() + gap_, items_ + capacity_, after_front);
}

template <class T>
void List<T>::copy(const List& other) {
    items_ = nullptr;
    capacity_ = count_ = gap_ = 0;
    if (other.count_ == 0) {
        return;
    }
    T* storage = allocate(other.count_);
    if (!storage) {
        // No storage: the copy claims no elements.
        return;
    }
    other.copy_elements_to(storage);
    items_ = storage;
    capacity_ = count_ = gap_ = other.count_;
}

template <class T>
bool List<T>::resize(long n) {
    const long c = ListImpl::best_new_count(n, sizeof(T));
    if (c == 0) {
        return true;
    }
    if (c < n) {
        // A capacity below what the list must hold cannot take its elements.
        return false;
    }
    T* storage = allocate(c);
    if (!storage) {
        return false;
    }
    if (items_) {
        const long back_count = count_ - gap_;
        std::copy(items_, items_ + gap_, storage);
        std::copy(items_ + capacity_ - back_count, items_ + capacity_, storage + c - back_count);
        delete[] items_;
    }
    items_ = storage;
    capacity_ = c;
    return true;
}

template <class T>
PtrList<T>::~PtrList() {
    delete[] items_;
    items_ = nullptr;
}

template <class T>
PtrList<T>& PtrList<T>::operator=(const PtrList& other) {
    List<void*>::operator=(other);
    return *this;
}
