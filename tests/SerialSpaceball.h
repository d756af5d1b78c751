#pragma once

// A serial Spaceball played on a pseudo-terminal, for the real spacenavd:
// it answers the daemon's reset as the device does, then sends motion and
// button packets.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <array>
#include <cstdint>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

class SerialSpaceball {
public:
    SerialSpaceball() {
        if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) == 0) {
            termios raw{};
            tcgetattr(slave_, &raw);
            cfmakeraw(&raw);
            tcsetattr(slave_, TCSANOW, &raw);
        }
    }
    ~SerialSpaceball() {
        close(master_);
        close(slave_);
    }
    SerialSpaceball(const SerialSpaceball&) = delete;
    SerialSpaceball& operator=(const SerialSpaceball&) = delete;

    bool is_open() const { return master_ >= 0; }
    // The terminal the daemon opens as the device's serial line.
    QString device() const { return QString::fromLocal8Bit(ttyname(slave_)); }

    // Waits for the daemon's reset and answers it; false when none came.
    bool answer_reset(int timeout_ms) {
        QByteArray heard;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeout_ms) {
            pollfd fd{master_, POLLIN, 0};
            if (poll(&fd, 1, 100) <= 0) {
                continue;
            }
            char buffer[256];
            const ssize_t got = read(master_, buffer, sizeof buffer);
            if (got > 0) {
                heard.append(buffer, static_cast<int>(got));
            }
            if (heard.contains("@RESET")) {
                write_all("\r@1 Spaceball alive and well after a poweron reset.\r"
                          "@2 Firmware version 2.42 created on 24-Oct-1997.\r");
                return true;
            }
        }
        return false;
    }

    void send_motion(std::array<int16_t, 6> axes) {
        QByteArray body("\0\x10", 2); // the device's timer
        for (const int16_t value : axes) {
            body.append(static_cast<char>((value >> 8) & 0xff))
                .append(static_cast<char>(value & 0xff));
        }
        write_all('D' + escaped(body) + '\r');
    }
    // The buttons held down, as a bit mask (bit 0: button 1).
    void send_buttons(uint16_t mask) {
        QByteArray body;
        body.append(static_cast<char>(mask >> 8)).append(static_cast<char>(mask & 0xff));
        write_all('K' + escaped(body) + '\r');
    }

private:
    // The line's control characters travel as '^' and a letter.
    static QByteArray escaped(const QByteArray& body) {
        QByteArray out;
        for (const char c : body) {
            switch (c) {
            case 0x11:
                out.append("^Q");
                break;
            case 0x13:
                out.append("^S");
                break;
            case 0x0d:
                out.append("^M");
                break;
            case '^':
                out.append("^^");
                break;
            default:
                out.append(c);
            }
        }
        return out;
    }
    void write_all(const QByteArray& bytes) {
        (void)!write(master_, bytes.constData(), bytes.size());
    }

    int master_ = -1;
    int slave_ = -1;
};
