#include "CommandLog.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextCursor>
#include <cstdio>

namespace {
// Old entries go, so that a long session does not grow without end.
const int kept_lines = 1000;
// Longer entries are cut: a line of a megabyte would take the log seconds
// to lay out, and no one reads it there.
const int longest_line = 300;

QString elided(const QString& text) {
    if (text.size() <= longest_line) {
        return text;
    }
    return CommandLog::tr("%1\u2026 (%2 characters in all)")
        .arg(text.left(longest_line))
        .arg(text.size());
}

void tell_terminal(const char* kind, const QString& text) {
    std::fprintf(stderr, "tarvik: %s: %s\n", kind, qPrintable(elided(text)));
}
} // namespace

CommandLog::CommandLog(QWidget* parent)
    : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("command_log"));
    setReadOnly(true);
    setMaximumBlockCount(kept_lines);
    clear_ = new QAction(this);
    clear_->setObjectName(QStringLiteral("clear_commands_action"));
    connect(clear_, &QAction::triggered, this, &QPlainTextEdit::clear);
    retranslate();
}

int CommandLog::height_for_lines(int lines) const {
    const int margins = int(2 * document()->documentMargin()) + 2 * frameWidth() +
                        contentsMargins().top() + contentsMargins().bottom();
    return fontMetrics().lineSpacing() * lines + margins;
}

void CommandLog::retranslate() {
    setPlaceholderText(tr("Commands run by device buttons and the View menu show here."));
    clear_->setText(tr("C&lear Commands"));
}

void CommandLog::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->addSeparator();
    menu->addAction(clear_);
    menu->exec(event->globalPos());
    delete menu;
}

void CommandLog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QPlainTextEdit::changeEvent(event);
}

void CommandLog::command(const QString& origin, const QString& text) {
    tell_terminal("command", QStringLiteral("%1 (%2)").arg(text, origin));
    append_line(QStringLiteral("%1: %2").arg(origin, text), palette().text().color());
}

void CommandLog::output(const QString& text) {
    tell_terminal("output", text);
    append_line(text, QColor(0x2f, 0x6f, 0x3e));
}

void CommandLog::error(const QString& origin, const QString& text) {
    tell_terminal("error", QStringLiteral("%1 (%2)").arg(text, origin));
    append_line(tr("%1: error: %2").arg(origin, text), QColor(0xb0, 0x20, 0x20));
}

void CommandLog::note(const QString& text) {
    tell_terminal("note", text);
    append_line(text, QColor(0x5a, 0x5a, 0x70));
}

void CommandLog::append_line(const QString& text, const QColor& colour) {
    pending_.push_back({elided(text), colour});
    if (batches_ == 0) {
        show_pending();
    }
}

// Only the entries that will be kept are laid out, in one edit.
void CommandLog::show_pending() {
    const size_t first = pending_.size() > size_t(kept_lines) ? pending_.size() - kept_lines : 0;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    for (size_t i = first; i < pending_.size(); ++i) {
        if (!document()->isEmpty()) {
            cursor.insertBlock();
        }
        QTextCharFormat format;
        format.setForeground(pending_[i].colour);
        cursor.insertText(pending_[i].text, format);
    }
    cursor.endEditBlock();
    pending_.clear();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

CommandLog::Batch::Batch(CommandLog& log)
    : log_(log) {
    ++log_.batches_;
}

CommandLog::Batch::~Batch() {
    if (--log_.batches_ == 0) {
        log_.show_pending();
    }
}
