// Drives List<void*> and PtrList with an arbitrary stream of operations and
// checks every step against a std::vector model.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "List.h"

class Value;

namespace {
// Reads the operation stream a byte at a time; zeros once it runs out.
class Stream {
public:
    Stream(const uint8_t* data, size_t size)
        : data_(data)
        , size_(size) {}
    bool more() const { return position_ < size_; }
    uint8_t next() { return more() ? data_[position_++] : 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

using Model = std::vector<void*>;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void check_same(const List<void*>& list, const Model& model) {
    check(list.count() == static_cast<long>(model.size()));
    for (long i = 0; i < list.count(); ++i) {
        check(list.item(i) == model[static_cast<size_t>(i)]);
    }
}

// A position around the list, out of range at both ends too.
long position(Stream& in, const Model& model) {
    return static_cast<long>(in.next() % (model.size() + 3)) - 1;
}

bool inside(long pos, const Model& model, bool end_included) {
    return pos >= 0 && pos <= static_cast<long>(model.size()) - (end_included ? 0 : 1);
}

void* pointer(Stream& in) {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(in.next() + 1) * 16);
}

// Insertions out of range report true and change nothing.
void insert_one(List<void*>& list, Model& model, long pos, void* p) {
    check(list.insert(pos, p));
    if (inside(pos, model, true)) {
        model.insert(model.begin() + pos, p);
    }
}

void insert_list(List<void*>& list, Model& model, long pos, const List<void*>& other,
                 const Model& other_model) {
    check(list.insert(pos, other));
    if (inside(pos, model, true)) {
        model.insert(model.begin() + pos, other_model.begin(), other_model.end());
    }
}

void step(Stream& in, PtrList<Value>& list, Model& model, PtrList<Value>& other,
          Model& other_model) {
    const long pos = position(in, model);
    switch (in.next() % 10) {
    case 0:
        insert_one(list, model, pos, pointer(in));
        break;
    case 1: {
        void* p = pointer(in);
        check(list.append(p));
        model.push_back(p);
        break;
    }
    case 2: {
        void* p = pointer(in);
        check(list.prepend(p));
        model.insert(model.begin(), p);
        break;
    }
    case 3:
        list.remove(pos);
        if (inside(pos, model, false)) {
            model.erase(model.begin() + pos);
        }
        break;
    case 4:
        list.remove_all();
        model.clear();
        break;
    case 5:
        insert_list(list, model, pos, other, other_model);
        break;
    case 6: {
        // The list into itself: the model takes a snapshot of it.
        const Model snapshot = model;
        insert_list(list, model, pos, list, snapshot);
        break;
    }
    case 7:
        other = list;
        other_model = model;
        break;
    case 8: {
        const PtrList<Value> copy(list);
        check_same(copy, model);
        const PtrList<Value>& itself = list;
        list = itself; // assigning a list to itself changes nothing
        break;
    }
    case 9:
        insert_one(other, other_model, position(in, other_model), pointer(in));
        break;
    }
    check_same(list, model);
    check_same(other, other_model);
    // The memory held follows the slots, never the elements alone.
    check(list.memory_used() >= sizeof(void*) * static_cast<size_t>(list.count()));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Stream in(data, size);
    PtrList<Value> list;
    PtrList<Value> other;
    Model model, other_model;
    while (in.more() && model.size() < 4096) {
        step(in, list, model, other, other_model);
    }
    return 0;
}
