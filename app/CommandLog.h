#pragma once

#include <QPlainTextEdit>

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

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void append_line(const QString& text, const QColor& colour);
};
