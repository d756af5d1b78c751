// Feeds arbitrary text to the two command readers: the interpreter that
// runs functions, and the script runner's checker. The interpreter runs a
// text whole or not at all, as its check foresees, and hands the view only
// sound numbers; a script's error names a line that holds a command.

#include <QPointF>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "Tarvik_cli.h"
#include "UiScript.h"

namespace {
[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

void require(bool sound, const char* what) {
    if (!sound) {
        fail(what);
    }
}

// A view that only counts what it is asked, and checks the numbers.
class CountingView : public ViewCommands {
public:
    int calls = 0;
    void fit_all() override { ++calls; }
    void show_view(StandardView) override { ++calls; }
    void reset_view() override { ++calls; }
    void toggle_projection() override { ++calls; }
    void zoom(float factor) override {
        require(std::isfinite(factor) && factor > 0, "a zoom by a factor that is not one");
        ++calls;
    }
    void turn(int view_axis, float degrees) override {
        require(view_axis >= 0 && view_axis < 3 && std::isfinite(degrees), "a turn out of bounds");
        ++calls;
    }
    void pan(const QPointF& pixels) override {
        require(std::isfinite(pixels.x()) && std::isfinite(pixels.y()), "a pan out of bounds");
        ++calls;
    }
    bool centre_on_cursor() override {
        ++calls;
        return false;
    }
};

void interpret(const QString& text) {
    CountingView view;
    int outputs = 0;
    CommandInterpreter interpreter(view, [&outputs](const QString&) { ++outputs; });
    const CommandProblem foreseen = interpreter.check(text);
    int told = 0;
    const CommandProblem problem = interpreter.run(text, [&told](const QString&) { ++told; });
    require(problem.line == foreseen.line && problem.reason == foreseen.reason,
            "run and check disagree");
    require(problem.is_none() || (view.calls == 0 && outputs == 0 && told == 0),
            "a bad text ran in part");
    require(problem.is_none() || !problem.reason.isEmpty(), "a problem without a reason");
    require(told == view.calls + outputs, "a line ran untold, or told and not run");
}

void check_script(const QString& text) {
    const QStringList lines = text.split('\n');
    QString error;
    if (UiScript(lines).check(error)) {
        return;
    }
    require(error.startsWith(QLatin1String("line ")), "an error naming no line");
    bool number = false;
    const int line = error.mid(5, error.indexOf(':') - 5).toInt(&number);
    require(number && line >= 1 && line <= lines.size(), "an error naming a line not there");
    const QString named = lines[line - 1].trimmed();
    require(!named.isEmpty() && !named.startsWith('#'), "an error naming a blank line");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    interpret(text);
    check_script(text);
    return 0;
}
