// The host's command interpreter, run on a real view.

#include <QTest>

#include "ModelView.h"
#include "Tarvik_cli.h"

class TestCli : public QObject {
    Q_OBJECT
    ModelView* view_ = nullptr;
    QStringList output_;
    std::unique_ptr<CommandInterpreter> interpreter_;

    CommandProblem run(const QString& text) { return interpreter_->run(text); }

private slots:
    void init() {
        view_ = new ModelView;
        view_->resize(640, 480);
        output_.clear();
        interpreter_ = std::make_unique<CommandInterpreter>(
            *view_, [this](const QString& text) { output_ << text; });
    }

    void cleanup() {
        interpreter_.reset();
        delete view_;
    }

    // Every command does what it says on the view.
    void everyCommandActs() {
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
            QVERIFY(run(QLatin1String(command)).is_none());
            QCOMPARE(view_->camera().standard_view(), std::optional(preset));
        }
        QVERIFY(run("view front\nview zoom 4").is_none());
        const float zoomed = view_->camera().distance();
        QVERIFY(run("view fit all").is_none());
        QCOMPARE(view_->camera().distance(), zoomed * 4);
        QVERIFY(run("view zoom 0.5\nview fit selection").is_none());
        QCOMPARE(view_->camera().distance(), zoomed * 4);

        QVERIFY(run("view rotate y 90").is_none());
        QCOMPARE(view_->camera().standard_view(), std::optional(StandardView::left));
        QVERIFY(run("view rotate x -90").is_none());
        QCOMPARE(view_->camera().standard_view(), std::nullopt);
        QVERIFY(run("view front\nview rotate z 180\nview rotate x 180").is_none());
        QCOMPARE(view_->camera().standard_view(), std::optional(StandardView::back));

        const QVector3D target = view_->camera().target();
        QVERIFY(run("view pan 10 -5.5").is_none());
        QVERIFY(view_->camera().target() != target);

        QVERIFY(run("view projection toggle").is_none());
        QCOMPARE(view_->camera().projection(), OrbitCamera::Projection::orthographic);
        QVERIFY(run("view reset").is_none());
        QCOMPARE(view_->description(), QStringLiteral("isometric perspective"));

        QVERIFY(run("echo hello   there, world").is_none());
        QVERIFY(run("echo").is_none());
        QCOMPARE(output_, QStringList({"hello there, world", ""}));
    }

    // Each bad form is reported with its line and reason, and changes nothing.
    void badFormsAreReported() {
        const struct {
            const char* text;
            const char* reason;
        } cases[] = {
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
        view_->show_view(StandardView::front);
        const QQuaternion orientation = view_->camera().orientation();
        const float distance = view_->camera().distance();
        for (const auto& [text, reason] : cases) {
            const CommandProblem checked = interpreter_->check(QLatin1String(text));
            QCOMPARE(checked.line, 1);
            QCOMPARE(checked.reason, QLatin1String(reason));
            const CommandProblem ran = run(QLatin1String(text));
            QCOMPARE(ran.text(), QStringLiteral("line 1: ") + QLatin1String(reason));
        }
        QCOMPARE(view_->camera().orientation(), orientation);
        QCOMPARE(view_->camera().distance(), distance);
    }

    // Comments and blank lines are skipped, in check and run alike; a '#'
    // ends a line's command wherever it stands.
    void commentsAndBlankLines() {
        const QString text = "# my views\n\n   \t\nview top   # from above\necho a#b\n";
        QVERIFY(interpreter_->check(text).is_none());
        QStringList ran;
        QVERIFY(interpreter_->run(text, [&](const QString& line) { ran << line; }).is_none());
        QCOMPARE(ran, QStringList({"view top", "echo a"}));
        QCOMPARE(output_, QStringList({"a"}));
        QVERIFY(interpreter_->check(QString()).is_none());
    }

    // A definition whose third line is bad runs two lines and reports line 3;
    // checking it runs nothing.
    void aBadLineStopsTheRest() {
        const QString definition = "echo one\necho two\nview spin\necho four\n";
        CommandProblem problem = interpreter_->check(definition);
        QCOMPARE(problem.line, 3);
        QVERIFY(output_.isEmpty());
        problem = run(definition);
        QCOMPARE(problem.text(), QStringLiteral("line 3: unknown command \"view spin\""));
        QCOMPARE(output_, QStringList({"one", "two"}));
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
