#include "ReaderProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ProgramFiles.h"

namespace {
constexpr quint64 mebibyte = quint64(1) << 20;
// The most descriptors one message may bring: more are a lie, and closed.
constexpr int most_descriptors = 4;

// Processor time the process has taken, in clock ticks; -1 if unknown.
qint64 work_of(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    // The name in parentheses may hold blanks: the fields follow its end.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    // utime and stime, fields 14 and 15 of the whole line.
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : -1;
}

QString signal_name(int signal) {
    const char* abbreviation = sigabbrev_np(signal);
    return abbreviation ? QStringLiteral("SIG") + QLatin1String(abbreviation)
                        : QStringLiteral("signal %1").arg(signal);
}

bool is_sealed(int fd) {
    const int wanted = F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE;
    const int seals = fcntl(fd, F_GET_SEALS);
    return seals >= 0 && (seals & wanted) == wanted;
}
} // namespace

ReaderProcess::ReaderProcess(Outcome outcome, QObject* parent)
    : QObject(parent)
    , outcome_(std::move(outcome)) {
    watchdog_.setInterval(1000);
    connect(&watchdog_, &QTimer::timeout, this, &ReaderProcess::watch);
}

ReaderProcess::~ReaderProcess() {
    drop();
}

QString ReaderProcess::program() {
    const QString chosen = qEnvironmentVariable("TARVIK_READER");
    if (!chosen.isEmpty()) {
        return chosen;
    }
    return program_file(QStringLiteral("tarvik-reader"), QStringLiteral(TARVIK_READER_FROM_BIN));
}

QStringList ReaderProcess::protections() {
    const QTemporaryDir folder;
    QProcess check;
    check.start(program(), {QStringLiteral("--check"), folder.path()});
    if (!check.waitForFinished(5000)) {
        return {tr("the reader %1 does not answer").arg(program())};
    }
    QStringList said;
    const QLatin1String prefix("protection ");
    for (const QString& line : QString::fromLocal8Bit(check.readAllStandardOutput()).split('\n')) {
        if (line.startsWith(prefix)) {
            said << line.mid(prefix.size());
        }
    }
    return said.isEmpty() ? QStringList{tr("the reader %1 cannot be run").arg(program())} : said;
}

void ReaderProcess::start(const QString& path) {
    drop();
    path_ = QFileInfo(path).absoluteFilePath();
    done_ = 0;
    answer_.reset();
    reason_.clear();
    cancelled_ = false;
    memory_bound_ = 0;
    last_work_ = -1;
    idle_seconds_ = 0;
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) {
        reason_ = tr("no reader can be started: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        QTimer::singleShot(0, this, [this] { conclude(0, QProcess::NormalExit); });
        return;
    }
    socket_ = ends[0];
    const int child_end = ends[1];
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->setStandardInputFile(QProcess::nullDevice());
    process_->setStandardOutputFile(QProcess::nullDevice());
    // In the child, between fork and exec: the socket becomes descriptor 3,
    // the one thing it inherits beyond the standard three.
    process_->setChildProcessModifier([child_end] {
        if (child_end == reader_socket) {
            fcntl(reader_socket, F_SETFD, 0);
        } else {
            dup2(child_end, reader_socket);
        }
    });
    connect(process_, &QProcess::finished, this, &ReaderProcess::conclude);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            reason_ =
                tr("the reader %1 cannot be started: %2").arg(program(), process_->errorString());
            conclude(0, QProcess::NormalExit);
        }
    });
    process_->start(program(), {path_});
    close(child_end);
    if (!process_) {
        return; // it failed to start and has concluded
    }
    notifier_ = new QSocketNotifier(socket_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &ReaderProcess::read_messages);
    watchdog_.start();
}

void ReaderProcess::cancel() {
    if (process_) {
        cancelled_ = true;
        process_->kill();
    }
}

void ReaderProcess::read_messages() {
    while (socket_ >= 0) {
        ReaderMessage message;
        iovec part{&message, sizeof message};
        alignas(cmsghdr) char control[CMSG_SPACE(most_descriptors * sizeof(int))];
        msghdr header{};
        header.msg_iov = &part;
        header.msg_iovlen = 1;
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        const ssize_t got = recvmsg(socket_, &header, MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
        if (got <= 0) {
            if ((got == 0 || errno != EAGAIN) && notifier_) {
                notifier_->setEnabled(false);
            }
            return;
        }
        std::vector<int> descriptors;
        for (cmsghdr* c = CMSG_FIRSTHDR(&header); c; c = CMSG_NXTHDR(&header, c)) {
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_RIGHTS) {
                const size_t count = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
                for (size_t i = 0; i < count; ++i) {
                    int fd;
                    std::memcpy(&fd, CMSG_DATA(c) + i * sizeof(int), sizeof fd);
                    descriptors.push_back(fd);
                }
            }
        }
        const bool whole = got == ssize_t(sizeof message) && !(header.msg_flags & MSG_TRUNC) &&
                           !(header.msg_flags & MSG_CTRUNC) && descriptors.size() <= 1;
        const bool taken =
            whole && take_message(message, descriptors.empty() ? -1 : descriptors[0]);
        for (const int fd : descriptors) {
            close(fd);
        }
        if (!taken) {
            kill_with(invalid_answer(tr("a message it sent is of no known kind")));
            return;
        }
    }
}

bool ReaderProcess::take_message(const ReaderMessage& message, int fd) {
    switch (message.kind) {
    case ReaderMessage::progress:
        idle_seconds_ = 0;
        done_ = double(std::min<quint64>(message.value, 1000)) / 1000;
        return fd < 0;
    case ReaderMessage::out_of_memory:
        memory_bound_ = message.value;
        return fd < 0;
    case ReaderMessage::answer:
        if (fd < 0 || answer_) {
            return false;
        }
        take_answer(fd, message.value);
        return true;
    default:
        return false;
    }
}

void ReaderProcess::take_answer(int fd, quint64 size) {
    struct stat status;
    const auto invalid = [this](const QString& fault) {
        answer_.emplace();
        answer_->error = invalid_answer(fault);
    };
    if (fstat(fd, &status) != 0 || quint64(status.st_size) != size || size == 0) {
        return invalid(tr("its memory file is not of the size it says"));
    }
    if (size > largest_reader_answer()) {
        return invalid(tr("it is larger than any reader may make"));
    }
    if (!is_sealed(fd)) {
        return invalid(tr("its memory file is not sealed"));
    }
    // Mapped whole at once: cheaper than a fault for each page.
    void* memory = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (memory == MAP_FAILED) {
        return invalid(tr("its memory file cannot be mapped"));
    }
    answer_ = read_reader_answer(static_cast<const uchar*>(memory), size_t(size));
    munmap(memory, size);
}

QString ReaderProcess::crash_reason(int signal) const {
    if (signal == SIGXCPU) {
        return tr("reading it takes more than the %1 s of processor time a reader may take")
            .arg(limits_for(quint64(QFileInfo(path_).size())).cpu_seconds);
    }
    if (signal == SIGKILL) {
        return tr("the reader was killed (SIGKILL), perhaps by the system for want of memory");
    }
    return tr("the reader crashed on it (%1)").arg(signal_name(signal));
}

void ReaderProcess::conclude(int exit_code, QProcess::ExitStatus status) {
    if (socket_ >= 0) {
        read_messages();
    }
    ModelReading reading;
    if (cancelled_) {
        reading.cancelled = true;
    } else if (!reason_.isEmpty()) {
        reading.error = reason_;
    } else if (answer_) {
        reading = std::move(*answer_);
    } else if (memory_bound_ > 0) {
        reading.error = tr("reading it needs more memory than the %1 MB a reader may take")
                            .arg(memory_bound_ / mebibyte);
    } else if (status == QProcess::CrashExit) {
        reading.error = crash_reason(exit_code);
    } else {
        reading.error = tr("the reader ended without an answer (exit status %1)").arg(exit_code);
    }
    if (reading.model) {
        reading.model->name = QFileInfo(path_).fileName();
    }
    drop();
    outcome_(reading);
}

void ReaderProcess::watch() {
    if (!process_) {
        return;
    }
    const qint64 work = work_of(process_->processId());
    // Once it has answered, a reader has nothing left to do but end.
    idle_seconds_ = work != last_work_ || answer_ ? 0 : idle_seconds_ + 1;
    last_work_ = work;
    if (idle_seconds_ >= patience_seconds) {
        kill_with(tr("the reader stopped working on it: no progress and no work for %1 s")
                      .arg(patience_seconds));
    }
}

void ReaderProcess::kill_with(const QString& reason) {
    if (reason_.isEmpty()) {
        reason_ = reason;
    }
    if (process_) {
        process_->kill();
    }
}

// Ends the reader and forgets it: no outcome follows.
void ReaderProcess::drop() {
    watchdog_.stop();
    delete notifier_;
    notifier_ = nullptr;
    if (socket_ >= 0) {
        close(socket_);
        socket_ = -1;
    }
    if (process_) {
        process_->disconnect(this);
        process_->kill();
        // Within its own signal it cannot be deleted; elsewhere it is
        // reaped at once, so that a quit never waits on a reader.
        if (process_->state() == QProcess::NotRunning) {
            process_->deleteLater();
        } else {
            process_->waitForFinished(1000);
            delete process_;
        }
        process_ = nullptr;
    }
}
