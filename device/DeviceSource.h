#pragma once

// The device as the spacenavd daemon reports it, read through libspnav:
// motion and button events as signals, and whether the daemon is there.
// libspnav keeps one connection per process: make one DeviceSource.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

#include "MotionTransform.h"
#include "kestrava_device_export.h"

class QSocketNotifier;

class KESTRAVA_DEVICE_EXPORT DeviceSource : public QObject {
    Q_OBJECT
public:
    explicit DeviceSource(QObject* parent = nullptr);
    ~DeviceSource() override;

    // Starts reaching the daemon, off the GUI thread: the connection is
    // told later. From then on a daemon that goes away, or stalls, is
    // looked for again on its own, after 1 s, then longer, up to 10 s.
    void start();
    // Waits at most `ms` for the attempt under way to end; true if it has.
    // Meant for start-up, before there is a window to freeze.
    bool wait_for_answer(int ms);
    bool is_connected() const { return notifier_ != nullptr; }
    // What the user is told, in the language of the moment: the device's
    // name, or why there is none.
    QString status() const;
    // The buttons the daemon says the device has; 0 without a device.
    int button_count() const { return button_count_; }
    // The wait before the next attempt to reach the daemon, in ms; 0 when
    // none is pending.
    int retry_delay() const { return retry_.isActive() ? retry_.interval() : 0; }

    static constexpr int first_retry_ms = 1000;
    static constexpr int last_retry_ms = 10000;
    // A daemon silent for this long in the middle of an answer is given up on.
    static constexpr int stall_limit_ms = 3000;
    static constexpr int watch_interval_ms = 100;
    // A count of buttons outside 0 to most_buttons is taken for the default.
    static constexpr int most_buttons = 99;
    static constexpr int default_buttons = 2;

signals:
    // The latest deflection; events that queued up are merged into the last.
    void motion(const RawMotion& motion);
    // Device button `number`, from 1.
    void button(int number, bool pressed);
    // A press of a button the device does not have, numbered from 1.
    void button_ignored(qint64 number);
    void connection(bool connected, const QString& device_name, int button_count);
    // What status() says may have changed: a device found, or a reason for none.
    void status_changed();

private:
    struct Attempt;
    struct Answer;

    void try_connect();
    void take_answer();
    void accept(const Answer& answer);
    void watch_attempt();
    void give_up(const char* why);
    void end_attempt();
    void read_events();
    void emit_button(int daemon_number, bool pressed);
    void lose_connection();
    void retry_later();
    void set_reason(const char* reason, const QString& argument = {});

    std::shared_ptr<Attempt> attempt_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer retry_;
    QTimer watch_; // looks in on an attempt under way
    QElapsedTimer attempt_clock_;
    bool given_up_ = false;
    int next_delay_ = first_retry_ms;
    // Why there is no device, untranslated, and what it names.
    const char* reason_;
    QString reason_argument_;
    QString device_name_;
    int button_count_ = 0;
};
