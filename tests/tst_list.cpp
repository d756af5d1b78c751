// The gap-buffer lists against a std::vector model, and their failure paths.

#include <QTest>
#include <random>
#include <vector>

#include "List.h"
#include "ScopedSeam.h"
#include "Tarvik_utils.h"

namespace {
// Opens the list's fields to the checks.
class ProbeList : public List<void*> {
public:
    using List<void*>::List;
    ProbeList(const List<void*>& other)
        : List<void*>(other) {}
    long capacity() const { return capacity_; }
    long gap() const { return gap_; }
    void* const* storage() const { return items_; }
};

void* ptr(long n) {
    return reinterpret_cast<void*>(static_cast<quintptr>(n) * 8 + 8);
}

bool matches(const List<void*>& list, const std::vector<void*>& model) {
    const auto& probe = static_cast<const ProbeList&>(list);
    if (probe.gap() < 0 || probe.gap() > probe.count() || probe.count() > probe.capacity()) {
        return false;
    }
    if (list.count() != static_cast<long>(model.size())) {
        return false;
    }
    for (long i = 0; i < list.count(); ++i) {
        if (list.item(i) != model[static_cast<size_t>(i)]) {
            return false;
        }
    }
    return true;
}

std::vector<long> requests;
long recording_policy(long requested, unsigned int) {
    requests.push_back(requested);
    return requested + 3;
}
long zero_policy(long, unsigned int) {
    return 0;
}
long overflowing_policy(long, unsigned int) {
    return PTRDIFF_MAX / 4;
}
long unobtainable_policy(long, unsigned int) {
    return 1L << 44;
}
long short_policy(long requested, unsigned int) {
    return requested > 1 ? requested - 1 : 0;
}

using PolicyScope = ScopedSeam<ListImpl::GrowthPolicy>;
} // namespace

class TestList : public QObject {
    Q_OBJECT
private slots:
    // Long random runs of every mutation, each step checked element by element
    // against a vector doing the same, so a wrong gap move shows at once.
    void randomOperationsMatchVectorModel() {
        std::mt19937 random(12345);
        ProbeList list;
        std::vector<void*> model;
        long next = 0;
        for (int step = 0; step < 20000; ++step) {
            const long n = list.count();
            const long pos = std::uniform_int_distribution<long>(-1, n + 1)(random);
            const bool in_range = pos >= 0 && pos <= n;
            switch (std::uniform_int_distribution<int>(0, 9)(random)) {
            case 0:
            case 1:
            case 2: {
                void* p = ptr(next++);
                QVERIFY(list.insert(pos, p));
                if (in_range) {
                    model.insert(model.begin() + pos, p);
                }
                break;
            }
            case 3: {
                List<void*> other;
                const int k = std::uniform_int_distribution<int>(0, 5)(random);
                std::vector<void*> added;
                for (int j = 0; j < k; ++j) {
                    // Inserting inside leaves the source with a gap of its own.
                    void* p = ptr(next++);
                    other.insert(j / 2, p);
                    added.insert(added.begin() + j / 2, p);
                }
                QVERIFY(list.insert(pos, other));
                if (in_range) {
                    model.insert(model.begin() + pos, added.begin(), added.end());
                }
                break;
            }
            case 4:
            case 5:
            case 6:
                list.remove(pos);
                if (pos >= 0 && pos < n) {
                    model.erase(model.begin() + pos);
                }
                break;
            case 7: {
                const ProbeList copy(list);
                QVERIFY(matches(copy, model));
                QCOMPARE(copy.capacity(), copy.count());
                break;
            }
            case 8: {
                ProbeList assigned;
                assigned.append(ptr(-5));
                assigned = list;
                QVERIFY(matches(assigned, model));
                list = assigned;
                break;
            }
            default:
                if (std::uniform_int_distribution<int>(0, 40)(random) == 0) {
                    const long memory = list.memory_used();
                    list.remove_all();
                    model.clear();
                    QCOMPARE(list.memory_used(), memory);
                }
                break;
            }
            QVERIFY2(matches(list, model), qPrintable(QString("step %1").arg(step)));
        }
    }

    // Inserting a list into itself doubles it in place, wherever its gap
    // stands and wherever the copy goes, whether the list must grow first
    // or has room: the parts read are never the parts written.
    void insertListIntoItself() {
        for (long count = 0; count <= 6; ++count) {
            for (long gap = 0; gap <= count; ++gap) {
                for (long pos = 0; pos <= count; ++pos) {
                    for (const bool room : {false, true}) {
                        ProbeList list(Explicit<long>(room ? 2 * count + 1 : count + 1));
                        std::vector<void*> model;
                        for (long i = 0; i <= count; ++i) {
                            list.append(ptr(i));
                            model.push_back(ptr(i));
                        }
                        // One element out puts the gap where it is taken.
                        list.remove(gap);
                        model.erase(model.begin() + gap);
                        const std::vector<void*> copy = model;
                        model.insert(model.begin() + pos, copy.begin(), copy.end());
                        QVERIFY(list.insert(pos, list));
                        QVERIFY2(matches(list, model),
                                 qPrintable(QStringLiteral("%1 elements, gap at %2, into %3, %4")
                                                .arg(count)
                                                .arg(gap)
                                                .arg(pos)
                                                .arg(room ? "room left" : "full")));
                    }
                }
            }
        }
    }

    // The edges: a fresh list holds nothing; out-of-range positions report
    // true yet change nothing; assignment to itself keeps everything.
    void boundaries() {
        requests.clear();
        PolicyScope scope(&ListImpl::set_growth_policy, recording_policy);
        ProbeList list;
        QCOMPARE(list.capacity(), 0L);
        QVERIFY(list.storage() == nullptr);
        QCOMPARE(list.memory_used(), static_cast<unsigned>(sizeof(List<void*>)));
        QVERIFY(list.append(ptr(1)));
        QCOMPARE(requests, std::vector<long>{1});
        QCOMPARE(list.memory_used(),
                 static_cast<unsigned>(4 * sizeof(void*) + sizeof(List<void*>)));
        QVERIFY(list.insert(-1, ptr(2)));
        QVERIFY(list.insert(2, ptr(2)));
        QCOMPARE(list.count(), 1L);
        list.remove(1);
        list.remove(-1);
        QCOMPARE(list.count(), 1L);
        QVERIFY(list.prepend(ptr(0)));
        // Assigned to itself, through a name the compiler does not see through.
        const ProbeList& itself = list;
        list = itself;
        QVERIFY(matches(list, {ptr(0), ptr(1)}));

        const ProbeList empty_copy{ProbeList()};
        QVERIFY(empty_copy.storage() == nullptr);
        ProbeList sized(Explicit<long>(10));
        QCOMPARE(sized.capacity(), 10L);
        QCOMPARE(sized.count(), 0L);
        ProbeList none(Explicit<long>(-3));
        QCOMPARE(none.capacity(), 0L);
    }

    // A growth policy that answers 0 for a full list: nothing is written past
    // the array, and the insertion says it failed.
    void zeroCapacityAnswerFailsInsertion() {
        List<void*> list;
        list.append(ptr(1));
        while (static_cast<ProbeList&>(list).capacity() > list.count()) {
            list.append(ptr(2));
        }
        std::vector<void*> model;
        for (long i = 0; i < list.count(); ++i) {
            model.push_back(list.item(i));
        }
        PolicyScope scope(&ListImpl::set_growth_policy, zero_policy);
        QVERIFY(!list.insert(0, ptr(9)));
        const List<void*> snapshot(list);
        QVERIFY(!list.insert(1, snapshot));
        QVERIFY(matches(list, model));
        QVERIFY(list.insert(0, List<void*>())); // nothing to add: no growth needed
        ProbeList fresh;
        QVERIFY(!fresh.append(ptr(1)));
        QCOMPARE(fresh.count(), 0L);
    }

    // Allocation failure and an undersized answer leave the list unchanged;
    // a copy that cannot get storage claims no element.
    void allocationFailureLeavesListUnchanged() {
        ProbeList list;
        list.append(ptr(1));
        list.append(ptr(2));
        ProbeList full(list); // capacity == count
        for (auto policy : {overflowing_policy, unobtainable_policy}) {
            PolicyScope scope(&ListImpl::set_growth_policy, policy);
            QVERIFY(!full.insert(1, ptr(3)));
            QVERIFY(!full.insert(0, List<void*>(list)));
            QVERIFY(matches(full, {ptr(1), ptr(2)}));
            QCOMPARE(full.capacity(), 2L);
            ProbeList sized(Explicit<long>(policy(0, 0)));
            QCOMPARE(sized.capacity(), 0L);
            QVERIFY(sized.storage() == nullptr);
        }
        {
            PolicyScope scope(&ListImpl::set_growth_policy, short_policy);
            QVERIFY(!full.append(ptr(3)));
            QVERIFY(matches(full, {ptr(1), ptr(2)}));
        }
    }

    // The list of host strings that split() fills keeps the same placement.
    void stringListThroughSplit() {
        List<CString> pieces;
        CString("  alpha beta\tgamma  ").split(" \t", pieces);
        QCOMPARE(pieces.count(), 3L);
        QCOMPARE(pieces.item(0).c_str(), "alpha");
        QCOMPARE(pieces.item(2).c_str(), "gamma");
        CString(nullptr).split(" ", pieces);
        QCOMPARE(pieces.count(), 3L);
        List<CString> copy(pieces);
        pieces.remove(0);
        QCOMPARE(copy.item(0).c_str(), "alpha");
        QCOMPARE(pieces.item(0).c_str(), "beta");
    }

    // Destroying a pointer list releases only its slot array.
    void ptrListDoesNotOwnItsObjects() {
        auto* value = new int(42);
        {
            PtrList<int> list;
            list.append(value);
            PtrList<int> copy(list);
            PtrList<int> assigned;
            assigned = copy;
            QCOMPARE(assigned.count(), 1L);
            QCOMPARE(assigned.item(0), value);
        }
        QCOMPARE(*value, 42);
        delete value;
    }
};

QTEST_APPLESS_MAIN(TestList)
#include "tst_list.moc"
