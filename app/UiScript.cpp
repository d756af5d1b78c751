#include "UiScript.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QWidget>
#include <cstdio>

namespace {
// In any window: a detached pane lives in a window of its own.
template <class W>
W* lookup(const QString& name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (W* found = top->findChild<W*>(name)) {
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

bool run_line(const QStringList& words, QString& error) {
    const QString command = words.value(0);
    const QString name = words.value(1);
    int number = 0;
    if (command == QLatin1String("quit") && words.size() == 1) {
        QApplication::quit();
        return true;
    }
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
    if (command == QLatin1String("print") && words.size() == 2) {
        if (auto* combo = lookup<QComboBox>(name)) {
            std::printf("%s %d %s\n", qPrintable(name), combo->currentIndex(),
                        qPrintable(combo->currentText()));
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
} // namespace

bool UiScript::run(QString& error) const {
    int line_number = 0;
    for (const QString& line : lines_) {
        ++line_number;
        const QStringList words = line.simplified().split(' ', Qt::SkipEmptyParts);
        if (words.isEmpty() || words[0].startsWith('#')) {
            continue;
        }
        if (!run_line(words, error)) {
            error = QStringLiteral("line %1: %2").arg(line_number).arg(error);
            return false;
        }
    }
    return true;
}
