// The host's command interpreter: what each command asks of a view, seen
// on a recording double, and what it does to one real view.

#include <QTest>

#include "ModelView.h"
#include "Tarvik_cli.h"

namespace {
// Writes down each request, as "zoom 1.5" or "show_view front".
class RecordingView : public ViewCommands {
public:
    QStringList calls;

    void fit_all() override { calls << QStringLiteral("fit_all"); }
    void show_view(StandardView view) override {
        calls << QStringLiteral("show_view ") + QLatin1String(standard_view_entry(view).word);
    }
    void reset_view() override { calls << QStringLiteral("reset_view"); }
    void toggle_projection() override { calls << QStringLiteral("toggle_projection"); }
    void zoom(float factor) override { calls << QStringLiteral("zoom %1").arg(factor); }
    void turn(int view_axis, float degrees) override {
        calls << QStringLiteral("turn %1 %2").arg(view_axis).arg(degrees);
    }
    void pan(const QPointF& pixels) override {
        calls << QStringLiteral("pan %1 %2").arg(pixels.x()).arg(pixels.y());
    }
    bool centre_on_cursor() override {
        calls << QStringLiteral("centre_on_cursor");
        return true;
    }
};
} // namespace

class TestCli : public QObject {
    Q_OBJECT
    RecordingView recorder_;
    QStringList output_;
    std::unique_ptr<CommandInterpreter> interpreter_;

    CommandProblem run(const QString& text) { return interpreter_->run(text); }

private slots:
    void init() {
        recorder_.calls.clear();
        output_.clear();
        interpreter_ = std::make_unique<CommandInterpreter>(
            recorder_, [this](const QString& text) { output_ << text; });
    }

    // Each command asks the view for what it says, numbers with fractions
    // as fractions.
    void everyCommandAsksTheView_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("call");
        const std::pair<const char*, const char*> cases[] = {
            {"view fit all", "fit_all"},
            {"view fit selection", "fit_all"},
            {"view front", "show_view front"},
            {"view back", "show_view back"},
            {"view left", "show_view left"},
            {"view right", "show_view right"},
            {"view top", "show_view top"},
            {"view bottom", "show_view bottom"},
            {"view isometric", "show_view isometric"},
            {"view reset", "reset_view"},
            {"view projection toggle", "toggle_projection"},
            {"view zoom 1.5", "zoom 1.5"},
            {"view rotate x 22.5", "turn 0 22.5"},
            {"view rotate y -90", "turn 1 -90"},
            {"view rotate z 1e2", "turn 2 100"},
            {"view pan 10 -5.5", "pan 10 -5.5"},
            {"view centre cursor", "centre_on_cursor"},
        };
        for (const auto& [command, call] : cases) {
            QTest::newRow(command) << QString::fromLatin1(command) << QString::fromLatin1(call);
        }
    }
    void everyCommandAsksTheView() {
        QFETCH(QString, command);
        QFETCH(QString, call);
        QVERIFY(run(command).is_none());
        QCOMPARE(recorder_.calls, QStringList{call});
    }

    // Echo writes the rest of its line, blanks inside it made single.
    void echoWritesItsText() {
        QVERIFY(run("echo hello   there, world").is_none());
        QVERIFY(run("echo").is_none());
        QCOMPARE(output_, QStringList({"hello there, world", ""}));
        QVERIFY(recorder_.calls.isEmpty());
    }

    // On a real view, every command does what it says.
    void aRealViewDoesWhatItIsTold() {
        ModelView view;
        view.resize(640, 480);
        CommandInterpreter interpreter(view, [](const QString&) {});
        const auto run = [&](const char* text) { return interpreter.run(QLatin1String(text)); };
        const struct {
            const char* command;
            StandardView view;
        } presets[] = {{"view front", StandardView::front},
                       {"view back", StandardView::back},
                       {"view left", StandardView::left},
                       {"view right", StandardView::right},
                       {"view top", StandardView::top},
                       {"view bottom", StandardView::bottom},
                       {"view isometric", StandardView::isometric}};
        for (const auto& [command, preset] : presets) {
            QVERIFY(run(command).is_none());
            QCOMPARE(view.camera().standard_view(), std::optional(preset));
        }
        QVERIFY(run("view front\nview zoom 4").is_none());
        const float zoomed = view.camera().distance();
        QVERIFY(run("view fit all").is_none());
        QCOMPARE(view.camera().distance(), zoomed * 4);
        QVERIFY(run("view zoom 0.5\nview fit selection").is_none());
        QCOMPARE(view.camera().distance(), zoomed * 4);

        QVERIFY(run("view rotate y 90").is_none());
        QCOMPARE(view.camera().standard_view(), std::optional(StandardView::left));
        QVERIFY(run("view rotate x -90").is_none());
        QCOMPARE(view.camera().standard_view(), std::nullopt);
        QVERIFY(run("view front\nview rotate z 180\nview rotate x 180").is_none());
        QCOMPARE(view.camera().standard_view(), std::optional(StandardView::back));

        const QVector3D target = view.camera().target();
        QVERIFY(run("view pan 10 -5.5").is_none());
        QVERIFY(view.camera().target() != target);

        QVERIFY(run("view projection toggle").is_none());
        QCOMPARE(view.camera().projection(), OrbitCamera::Projection::orthographic);
        QVERIFY(run("view reset").is_none());
        QCOMPARE(view.description(), QStringLiteral("isometric perspective"));
    }

    // Each bad form is reported with its line and reason, and changes nothing.
    void badFormsAreReported_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        const std::pair<const char*, const char*> cases[] = {
            {"view sideways", "unknown command \"view sideways\""},
            {"view fit", "unknown command \"view fit\""},
            {"views front", "unknown command \"views front\""},
            {"View front", "unknown command \"View front\""},
            {"view front now", "view front: too many arguments, \"now\" is one more"},
            {"view zoom", "view zoom: an argument is missing"},
            {"view zoom big", "view zoom: \"big\" is not a number"},
            {"view zoom 0", "view zoom: the factor must be above 0, not 0"},
            {"view zoom -2", "view zoom: the factor must be above 0, not -2"},
            {"view zoom nan", "view zoom: \"nan\" is not a number"},
            {"view zoom inf", "view zoom: \"inf\" is not a number"},
            {"view rotate y", "view rotate: an argument is missing"},
            {"view rotate w 30", "view rotate: \"w\" is not an axis: x, y or z"},
            {"view rotate x 1e99", "view rotate: \"1e99\" is not a number"},
            {"view pan 3", "view pan: an argument is missing"},
            {"view pan 3 4 5", "view pan: too many arguments, \"5\" is one more"},
        };
        for (const auto& [text, reason] : cases) {
            QTest::newRow(text) << QString::fromLatin1(text) << QString::fromLatin1(reason);
        }
    }
    void badFormsAreReported() {
        QFETCH(QString, text);
        QFETCH(QString, reason);
        const CommandProblem checked = interpreter_->check(text);
        QCOMPARE(checked.line, 1);
        QCOMPARE(checked.reason, reason);
        const CommandProblem ran = run(text);
        QCOMPARE(ran.text(), QStringLiteral("line 1: ") + reason);
        QVERIFY(recorder_.calls.isEmpty());
    }

    // Comments and blank lines are skipped, in check and run alike; a '#'
    // ends a line's command wherever it stands, the first of several too.
    void commentsAndBlankLines() {
        const QString text =
            "# my views\n\n   \t\nview top   # from above\necho a#b\necho c # d # e\n";
        QVERIFY(interpreter_->check(text).is_none());
        QStringList ran;
        QVERIFY(interpreter_->run(text, [&](const QString& line) { ran << line; }).is_none());
        QCOMPARE(ran, QStringList({"view top", "echo a", "echo c"}));
        QCOMPARE(output_, QStringList({"a", "c"}));
        QVERIFY(interpreter_->check(QString()).is_none());
    }

    // A definition whose third line is bad runs none of its lines, and
    // says line 3, whether checked or run.
    void aBadLineRunsNothing() {
        const QString definition = "echo one\nview top\nview spin\necho four\n";
        CommandProblem problem = interpreter_->check(definition);
        QCOMPARE(problem.line, 3);
        problem = run(definition);
        QCOMPARE(problem.text(), QStringLiteral("line 3: unknown command \"view spin\""));
        QVERIFY(output_.isEmpty());
        QVERIFY(recorder_.calls.isEmpty());
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
