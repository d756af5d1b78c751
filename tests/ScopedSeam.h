#pragma once

// Installs a replacement into one of the code's global seams (the
// prompter, the initialisation observer, the lists' growth policy) for the
// life of a scope, and puts the default back on every way out of it, a
// failed check's early return included.
template <class T>
class ScopedSeam {
public:
    using Install = void (*)(T);

    ScopedSeam(Install install, T replacement)
        : install_(install) {
        install_(replacement);
    }
    ~ScopedSeam() { install_(T{}); }
    ScopedSeam(const ScopedSeam&) = delete;
    ScopedSeam& operator=(const ScopedSeam&) = delete;

private:
    Install install_;
};
