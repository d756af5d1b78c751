#pragma once

// Runs one piece of work at a time on a thread of its own. The work is
// told when to stop; dropping the job, or starting another, stops the
// one under way and waits for it, so that no work outlives its owner.

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class BackgroundJob {
public:
    using Work = std::function<void(const std::atomic<bool>& stopping)>;

    BackgroundJob() = default;
    ~BackgroundJob() { stop(); }
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    void run(Work work) {
        stop();
        stopping_ = std::make_shared<std::atomic<bool>>(false);
        thread_ = std::thread([work = std::move(work), stopping = stopping_] { work(*stopping); });
    }
    // Asks the work to stop, and goes on.
    void request_stop() {
        if (stopping_) {
            *stopping_ = true;
        }
    }
    // Asks the work to stop, and waits until it has.
    void stop() {
        if (thread_.joinable()) {
            *stopping_ = true;
            thread_.join();
        }
    }

private:
    std::shared_ptr<std::atomic<bool>> stopping_;
    std::thread thread_;
};
