#pragma once

// Has one model file read by a reader process (tarvik-reader) in its
// sandbox, and turns whatever becomes of it into a reading: the model it
// answered, checked, or a refusal that says what happened — it crashed,
// it needed more memory than its bound, it worked too long or stopped
// working, or it sent something invalid. Stopping kills it at once.

#include <QObject>
#include <QProcess>
#include <QTimer>
#include <functional>

#include "ModelFile.h"
#include "ReaderAnswer.h"

#include "tarvik_view_export.h"

class QSocketNotifier;

class TARVIK_VIEW_EXPORT ReaderProcess : public QObject {
    Q_OBJECT
public:
    using Outcome = std::function<void(ModelReading& reading)>;

    explicit ReaderProcess(Outcome outcome, QObject* parent = nullptr);
    ~ReaderProcess() override;

    // Stops any reading under way, without an outcome, and starts one.
    void start(const QString& path);
    // Kills the reader; its outcome, cancelled, follows.
    void cancel();
    // How far the reading has come, from 0 to 1.
    double done() const { return done_; }

    // The reader program: $TARVIK_READER where set (the tests' own),
    // else the one beside the program, else the installed one.
    static QString program();
    // Which protections a reader's sandbox has on this machine, and which
    // it lacks, as the reader says them.
    static QStringList protections();
    // Seconds without progress and without processor time after which a
    // reader is taken to wait for what will never come.
    static constexpr int patience_seconds = 10;

private:
    void read_messages();
    bool take_message(const ReaderMessage& message, int fd);
    void take_answer(int fd, quint64 size);
    void conclude(int exit_code, QProcess::ExitStatus status);
    void watch();
    void kill_with(const QString& reason);
    void drop();
    QString crash_reason(int signal) const;

    Outcome outcome_;
    QProcess* process_ = nullptr;
    QSocketNotifier* notifier_ = nullptr;
    int socket_ = -1;
    QString path_;
    double done_ = 0;
    std::optional<ModelReading> answer_;
    QString reason_;
    bool cancelled_ = false;
    quint64 memory_bound_ = 0;
    QTimer watchdog_;
    qint64 last_work_ = -1;
    int idle_seconds_ = 0;
};
