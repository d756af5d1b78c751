#pragma once

#include <QPlainTextEdit>

class QAction;
#include <vector>

// What ran and what failed, for the user to read: each command with where
// it came from (a device button, the menu), what it wrote, and any error.
// Each entry goes to standard error too, for whoever runs the host from a
// terminal.
class CommandLog : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CommandLog(QWidget* parent = nullptr);

    // The lines it shows at first; the height that shows `lines` of them.
    static constexpr int lines_shown = 8;
    int height_for_lines(int lines) const;
    // Empties the log; for a menu to offer.
    QAction* clear_action() const { return clear_; }

    void command(const QString& origin, const QString& text);
    void output(const QString& text);
    void error(const QString& origin, const QString& text);
    // What the host tells of itself: a model read, the way the view draws.
    void note(const QString& text);

    // While one lives, entries are gathered and shown together when it
    // ends: a function of thousands of lines is laid out once, not per line.
    class Batch {
    public:
        explicit Batch(CommandLog& log);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        CommandLog& log_;
    };

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void retranslate();
    void append_line(const QString& text, const QColor& colour);
    void show_pending();

    struct Entry {
        QString text;
        QColor colour;
    };
    QAction* clear_;
    int batches_ = 0;
    std::vector<Entry> pending_;
};
