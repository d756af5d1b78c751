#pragma once

#include <QPlainTextEdit>
#include <vector>

// What ran and what failed, for the user to read: each command with where
// it came from (a device button, the menu), what it wrote, and any error.
// Each entry goes to standard error too, for whoever runs the host from a
// terminal.
class CommandLog : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CommandLog(QWidget* parent = nullptr);

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

private:
    void retranslate();
    void append_line(const QString& text, const QColor& colour);
    void show_pending();

    struct Entry {
        QString text;
        QColor colour;
    };
    int batches_ = 0;
    std::vector<Entry> pending_;
};
