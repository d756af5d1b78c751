#include "UiScript.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QEventLoop>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
// In any window: a detached pane lives in a window of its own.
template <class W>
W* lookup(const QString& name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        W* found = top->objectName() == name ? qobject_cast<W*>(top) : nullptr;
        if (found || (found = top->findChild<W*>(name))) {
            return found;
        }
    }
    return nullptr;
}

template <class W>
W* find_widget(const QString& name, QString& error) {
    W* found = lookup<W>(name);
    if (!found) {
        error = QStringLiteral("no widget named %1 of the right kind").arg(name);
    }
    return found;
}

// A property of the widget of that name; invalid when there is neither.
QVariant property_of(const QString& name, const char* property) {
    const QWidget* widget = lookup<QWidget>(name);
    return widget ? widget->property(property) : QVariant();
}

bool to_int(const QString& text, int& value, QString& error) {
    bool ok = false;
    value = text.toInt(&ok);
    if (!ok) {
        error = QStringLiteral("%1 is not a number").arg(text);
    }
    return ok;
}

void print_text(const QString& path, const char* field, const QString& text) {
    if (!text.isEmpty()) {
        std::printf("texts %s %s: %s\n", qPrintable(path), field,
                    qPrintable(QString(text).replace('\n', QStringLiteral("\\n"))));
    }
}

void print_menu_texts(const QString& path, const QList<QAction*>& actions) {
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const QString entry = QStringLiteral("%1/%2").arg(path).arg(i);
        print_text(entry, "text", actions[i]->text());
        if (QMenu* menu = actions[i]->menu()) {
            print_menu_texts(entry, menu->actions());
        }
    }
}

// Every text a user sees on a widget and those inside it that are shown,
// each after the path of object names (or class and place) that leads to it.
void print_widget_texts(const QWidget* widget, const QString& path) {
    if (widget->isWindow()) {
        print_text(path, "title", widget->windowTitle());
    }
    print_text(path, "tip", widget->toolTip());
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        print_text(path, "text", button->text());
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        print_text(path, "text", label->text());
    } else if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
        print_text(path, "title", box->title());
    } else if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i) {
            print_text(path, "tab", tabs->tabText(i));
        }
    } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i) {
            print_text(path, "item", combo->itemText(i));
        }
    } else if (const auto* log = qobject_cast<const QPlainTextEdit*>(widget)) {
        print_text(path, "placeholder", log->placeholderText());
    } else if (const auto* bar = qobject_cast<const QMenuBar*>(widget)) {
        print_menu_texts(path, bar->actions());
    } else if (const auto* dock = qobject_cast<const QDockWidget*>(widget)) {
        print_text(path, "title", dock->windowTitle());
    } else if (const QVariant captions = widget->property("captions"); captions.isValid()) {
        // A view that writes over what it shows.
        for (const QString& caption : captions.toStringList()) {
            print_text(path, "caption", caption);
        }
        print_text(path, "notice", widget->property("notice").toString());
    }
    const QObjectList& children = widget->children();
    for (qsizetype i = 0; i < children.size(); ++i) {
        const auto* child = qobject_cast<const QWidget*>(children[i]);
        if (child && !child->isWindow() && child->isVisible()) {
            const QString name = child->objectName().isEmpty()
                                     ? QStringLiteral("%1.%2")
                                           .arg(QLatin1String(child->metaObject()->className()))
                                           .arg(i)
                                     : child->objectName();
            print_widget_texts(child, path + '/' + name);
        }
    }
}

// The windows shown, in the order of their names, after a line that says
// how many there are.
void print_texts() {
    QWidgetList windows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && !qobject_cast<const QMenu*>(top)) {
            windows << top;
        }
    }
    std::sort(windows.begin(), windows.end(),
              [](const QWidget* a, const QWidget* b) { return a->objectName() < b->objectName(); });
    std::printf("texts of %lld windows\n", static_cast<long long>(windows.size()));
    for (const QWidget* top : windows) {
        print_widget_texts(top, top->objectName());
    }
    std::fflush(stdout);
}

// One line of a script: its words, and what follows the command's name as
// written, blanks inside it kept.
struct ScriptLine {
    QStringList words;
    QString rest;
    const QString& name() const { return words[1]; }
    // The rest after the widget's name: a typed text.
    QString text_after_name() const { return rest.mid(name().size() + 1); }
};

bool click(const ScriptLine& line, QString& error) {
    auto* button = find_widget<QAbstractButton>(line.name(), error);
    return button && (button->click(), true);
}

// A page of tabs, or an item of a combo as the user picks it.
bool choose(const ScriptLine& line, QString& error) {
    int number = 0;
    if (!to_int(line.words[2], number, error)) {
        return false;
    }
    if (auto* tabs = lookup<QTabWidget>(line.name())) {
        if (number < 0 || number >= tabs->count()) {
            error = QStringLiteral("%1 has no page %2").arg(line.name()).arg(number);
            return false;
        }
        tabs->setCurrentIndex(number);
        return true;
    }
    auto* combo = find_widget<QComboBox>(line.name(), error);
    if (!combo) {
        return false;
    }
    if (number < 0 || number >= combo->count()) {
        error = QStringLiteral("%1 has no item %2").arg(line.name()).arg(number);
        return false;
    }
    combo->setCurrentIndex(number);
    emit combo->activated(number);
    return true;
}

bool slide(const ScriptLine& line, QString& error) {
    auto* slider = find_widget<QAbstractSlider>(line.name(), error);
    int number = 0;
    return slider && to_int(line.words[2], number, error) && (slider->setValue(number), true);
}

bool pick(const ScriptLine& line, QString& error) {
    auto* action = lookup<QAction>(line.name());
    if (!action || !action->isEnabled()) {
        error = QStringLiteral("no menu entry named %1 that can be picked").arg(line.name());
        return false;
    }
    action->trigger();
    // As after a user's pick, what it posted (a language change) is seen to.
    QApplication::processEvents();
    return true;
}

bool grab(const ScriptLine& line, QString& error) {
    auto* widget = find_widget<QWidget>(line.name(), error);
    if (widget && !widget->grab().save(line.words[2], "PNG")) {
        error = QStringLiteral("cannot write %1").arg(line.words[2]);
        return false;
    }
    return widget != nullptr;
}

bool texts(const ScriptLine&, QString&) {
    print_texts();
    return true;
}

// Typed where the cursor is, as the user would.
bool type(const ScriptLine& line, QString& error) {
    if (auto* edit = lookup<QTextEdit>(line.name())) {
        edit->insertPlainText(line.text_after_name());
        return true;
    }
    auto* field = find_widget<QLineEdit>(line.name(), error);
    return field && (field->insert(line.text_after_name()), true);
}

bool wait(const ScriptLine& line, QString& error) {
    int ms = 0;
    if (!to_int(line.words[1], ms, error)) {
        return false;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return true;
}

// What a widget shows, on one line of standard output.
bool print(const ScriptLine& line, QString& error) {
    const QString& name = line.name();
    QString shown;
    if (auto* combo = lookup<QComboBox>(name)) {
        shown = QStringLiteral("%1 %2").arg(combo->currentIndex()).arg(combo->currentText());
    } else if (auto* label = lookup<QLabel>(name)) {
        shown = label->text();
    } else if (const QVariant description = property_of(name, "description");
               description.isValid()) {
        shown = description.toString();
    } else if (auto* text = lookup<QPlainTextEdit>(name)) {
        shown = text->document()->lastBlock().text();
    } else if (auto* edit = lookup<QTextEdit>(name)) {
        shown = edit->toPlainText().replace('\n', QStringLiteral("\\n"));
    } else if (auto* button = lookup<QAbstractButton>(name)) {
        shown = QStringLiteral("%1 %2").arg(button->text(), button->isEnabled()
                                                                ? QStringLiteral("enabled")
                                                                : QStringLiteral("disabled"));
        if (button->isCheckable()) {
            shown +=
                button->isChecked() ? QStringLiteral(" checked") : QStringLiteral(" unchecked");
        }
    } else if (auto* dock = lookup<QDockWidget>(name)) {
        shown = dock->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden");
    } else if (auto* window = lookup<QMainWindow>(name)) {
        shown = QStringLiteral("%1x%2").arg(window->width()).arg(window->height());
    } else if (auto* slider = find_widget<QAbstractSlider>(name, error)) {
        shown = QString::number(slider->value());
    } else {
        return false;
    }
    std::printf("%s %s\n", qPrintable(name), qPrintable(shown));
    std::fflush(stdout);
    return true;
}

// What a dialog asks: its caption and, for an input dialog, its label.
QString question_of(const QDialog* dialog) {
    const auto* input = qobject_cast<const QInputDialog*>(dialog);
    const auto* box = qobject_cast<const QMessageBox*>(dialog);
    const QString detail = input ? input->labelText() : box ? box->text() : QString();
    return detail.isEmpty() ? QStringLiteral("\"%1\"").arg(dialog->windowTitle())
                            : QStringLiteral("\"%1\" (%2)").arg(dialog->windowTitle(), detail);
}
} // namespace

// Every command: its name, how many words follow it (at least that many
// when the rest of the line is a text), and what it does.
struct UiScript::Command {
    const char* name;
    int words;
    bool takes_text;
    std::function<bool(UiScript& script, const ScriptLine& line, QString& error)> run;
};

const std::vector<UiScript::Command>& UiScript::commands() {
    const auto plain = [](bool (*action)(const ScriptLine&, QString&)) {
        return [action](UiScript&, const ScriptLine& line, QString& error) {
            return action(line, error);
        };
    };
    static const std::vector<Command> table{
        {"choose", 2, false, plain(choose)},
        {"slide", 2, false, plain(slide)},
        {"click", 1, false, plain(click)},
        {"pick", 1, false, plain(pick)},
        {"type", 2, true, plain(type)},
        {"print", 1, false, plain(print)},
        {"texts", 0, false, plain(texts)},
        {"grab", 2, false, plain(grab)},
        {"answer", 0, true,
         [](UiScript& script, const ScriptLine& line, QString&) {
             script.answers_.push_back({true, line.rest});
             return true;
         }},
        {"cancel", 0, false,
         [](UiScript& script, const ScriptLine&, QString&) {
             script.answers_.push_back({false, QString()});
             return true;
         }},
        {"wait", 1, false, plain(wait)},
        // Closes the window as its user does: it may ask first.
        {"close", 0, false,
         [](UiScript& script, const ScriptLine&, QString& error) {
             auto* window = find_widget<QWidget>(QStringLiteral("main_window"), error);
             // Closed, the last window ends the application.
             script.quit_ = window && window->close();
             return window != nullptr;
         }},
        // Ends at once, asking nothing: unsaved settings are let go.
        {"quit", 0, false,
         [](UiScript& script, const ScriptLine&, QString&) {
             script.quit_ = true;
             QApplication::exit(0);
             return true;
         }},
    };
    return table;
}

bool UiScript::run(QString& error) {
    // Dialogs run their own event loop inside the line that opens them: the
    // timer answers them from there.
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [this] { answer_open_dialog(); });
    watch.start();
    return for_each_line(
        [this](const QString& line, const QStringList& words, QString& error) {
            unanswered_.clear();
            if (!run_line(line, words, error) || !unanswered_.isEmpty()) {
                if (error.isEmpty()) {
                    error = unanswered_;
                }
                return false;
            }
            return true;
        },
        error);
}

bool UiScript::check(QString& error) const {
    return for_each_line([](const QString&, const QStringList& words,
                            QString& error) { return command_of(words, error) != nullptr; },
                         error);
}

bool UiScript::for_each_line(const LineAction& act, QString& error) const {
    int line_number = 0;
    for (const QString& line : lines_) {
        ++line_number;
        const QStringList words = line.simplified().split(' ', Qt::SkipEmptyParts);
        if (words.isEmpty() || words[0].startsWith('#')) {
            continue;
        }
        if (!act(line, words, error)) {
            error = QStringLiteral("line %1: %2").arg(line_number).arg(error);
            return false;
        }
        if (quit_) {
            break;
        }
    }
    return true;
}

const UiScript::Command* UiScript::command_of(const QStringList& words, QString& error) {
    const qsizetype after_name = words.size() - 1;
    for (const Command& command : commands()) {
        if (words[0] == QLatin1String(command.name) &&
            (command.takes_text ? after_name >= command.words : after_name == command.words)) {
            return &command;
        }
    }
    error = QStringLiteral("cannot run \"%1\"").arg(words.join(' '));
    return nullptr;
}

bool UiScript::run_line(const QString& line, const QStringList& words, QString& error) {
    const Command* command = command_of(words, error);
    if (!command) {
        return false;
    }
    const ScriptLine parsed{words, line.trimmed().mid(words[0].size()).trimmed()};
    return command->run(*this, parsed, error);
}

void UiScript::answer_open_dialog() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
        return;
    }
    if (answers_.empty()) {
        unanswered_ = QStringLiteral("the dialog %1 waits for an answer; put \"answer TEXT\" or "
                                     "\"cancel\" before the line that opens it")
                          .arg(question_of(dialog));
        dialog->reject();
        return;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    // A message box is answered by the text of one of its buttons.
    if (auto* box = qobject_cast<QMessageBox*>(dialog);
        box && answer.accept && !answer.text.isEmpty()) {
        for (QAbstractButton* button : box->buttons()) {
            if (button->text().remove('&') == answer.text) {
                button->click();
                return;
            }
        }
        unanswered_ = QStringLiteral("the dialog %1 has no button \"%2\"")
                          .arg(question_of(dialog), answer.text);
        dialog->reject();
        return;
    }
    if (auto* input = qobject_cast<QInputDialog*>(dialog); input && answer.accept) {
        input->setTextValue(answer.text);
    }
    if (answer.accept) {
        dialog->accept();
    } else {
        dialog->reject();
    }
}
