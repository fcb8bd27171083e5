#pragma once
// One thread that lives as long as a sort and runs the tasks handed to it, one at a time, so
// that each run spilled or sorted does not start a thread of its own.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace orvanta::sorters {

class Worker {
  public:
    Worker();
    // Waits for the task in hand, then ends the thread.
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Starts `task` once the one before it has ended. Tasks catch their own exceptions.
    void Start(std::function<void()> task);
    // Returns once the task in hand has ended.
    void Wait();
    // Starts `task`, runs `own` on the calling thread beside it, and returns once both have
    // ended; an exception from `own` leaves only after the task has ended too, so the task may
    // use what the caller holds.
    template <typename Own>
    void RunBeside(std::function<void()> task, Own&& own) {
        Start(std::move(task));
        try {
            own();
        } catch (...) {
            Wait();
            throw;
        }
        Wait();
    }

  private:
    void Loop();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> task_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace orvanta::sorters
