#include "UiScript.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "ModelView.h"

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

bool to_int(const QString& text, int& value, QString& error) {
    bool ok = false;
    value = text.toInt(&ok);
    if (!ok) {
        error = QStringLiteral("%1 is not a number").arg(text);
    }
    return ok;
}

bool run_action(const QStringList& words, QString& error) {
    const QString command = words.value(0);
    const QString name = words.value(1);
    int number = 0;
    if (command == QLatin1String("click") && words.size() == 2) {
        auto* button = find_widget<QAbstractButton>(name, error);
        return button && (button->click(), true);
    }
    if (command == QLatin1String("choose") && words.size() == 3) {
        auto* combo = find_widget<QComboBox>(name, error);
        if (!combo || !to_int(words[2], number, error)) {
            return false;
        }
        if (number < 0 || number >= combo->count()) {
            error = QStringLiteral("%1 has no item %2").arg(name).arg(number);
            return false;
        }
        combo->setCurrentIndex(number);
        emit combo->activated(number);
        return true;
    }
    if (command == QLatin1String("slide") && words.size() == 3) {
        auto* slider = find_widget<QAbstractSlider>(name, error);
        return slider && to_int(words[2], number, error) && (slider->setValue(number), true);
    }
    if (command == QLatin1String("pick") && words.size() == 2) {
        auto* action = lookup<QAction>(name);
        if (!action || !action->isEnabled()) {
            error = QStringLiteral("no menu entry named %1 that can be picked").arg(name);
            return false;
        }
        action->trigger();
        return true;
    }
    if (command == QLatin1String("grab") && words.size() == 3) {
        auto* widget = find_widget<QWidget>(name, error);
        if (widget && !widget->grab().save(words[2], "PNG")) {
            error = QStringLiteral("cannot write %1").arg(words[2]);
            return false;
        }
        return widget != nullptr;
    }
    if (command == QLatin1String("print") && words.size() == 2) {
        if (auto* combo = lookup<QComboBox>(name)) {
            std::printf("%s %d %s\n", qPrintable(name), combo->currentIndex(),
                        qPrintable(combo->currentText()));
        } else if (auto* label = lookup<QLabel>(name)) {
            std::printf("%s %s\n", qPrintable(name), qPrintable(label->text()));
        } else if (auto* view = lookup<ModelView>(name)) {
            std::printf("%s %s\n", qPrintable(name), qPrintable(view->description()));
        } else if (auto* text = lookup<QPlainTextEdit>(name)) {
            std::printf("%s %s\n", qPrintable(name),
                        qPrintable(text->document()->lastBlock().text()));
        } else if (auto* slider = find_widget<QAbstractSlider>(name, error)) {
            std::printf("%s %d\n", qPrintable(name), slider->value());
        } else {
            return false;
        }
        std::fflush(stdout);
        return true;
    }
    error = QStringLiteral("cannot run \"%1\"").arg(words.join(' '));
    return false;
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

bool UiScript::run(QString& error) {
    // Dialogs run their own event loop inside the line that opens them: the
    // timer answers them from there.
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [this] { answer_open_dialog(); });
    watch.start();
    int line_number = 0;
    for (const QString& line : lines_) {
        ++line_number;
        const QStringList words = line.simplified().split(' ', Qt::SkipEmptyParts);
        if (words.isEmpty() || words[0].startsWith('#')) {
            continue;
        }
        unanswered_.clear();
        if (!run_line(line, words, error) || !unanswered_.isEmpty()) {
            if (error.isEmpty()) {
                error = unanswered_;
            }
            error = QStringLiteral("line %1: %2").arg(line_number).arg(error);
            return false;
        }
        if (quit_) {
            break;
        }
    }
    return true;
}

bool UiScript::run_line(const QString& line, const QStringList& words, QString& error) {
    const QString& command = words[0];
    if (command == QLatin1String("quit") && words.size() == 1) {
        quit_ = true;
        QApplication::quit();
        return true;
    }
    if (command == QLatin1String("answer")) {
        // The rest of the line as written, blanks inside it kept.
        answers_.push_back({true, line.trimmed().mid(command.size()).trimmed()});
        return true;
    }
    if (command == QLatin1String("cancel") && words.size() == 1) {
        answers_.push_back({false, QString()});
        return true;
    }
    if (command == QLatin1String("wait") && words.size() == 2) {
        int ms = 0;
        if (!to_int(words[1], ms, error)) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        return true;
    }
    return run_action(words, error);
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
    if (auto* input = qobject_cast<QInputDialog*>(dialog); input && answer.accept) {
        input->setTextValue(answer.text);
    }
    if (answer.accept) {
        dialog->accept();
    } else {
        dialog->reject();
    }
}
