#include "sorters/worker.h"

namespace orvanta::sorters {

Worker::Worker() : thread_([this] { Loop(); }) {}

Worker::~Worker() {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !task_; });
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void Worker::Start(std::function<void()> task) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !task_; });
    task_ = std::move(task);
    changed_.notify_all();
}

void Worker::Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !task_; });
}

void Worker::Loop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return task_ || stopping_; });
        if (!task_) {
            return;
        }
        lock.unlock();
        task_();
        lock.lock();
        task_ = nullptr;
        changed_.notify_all();
    }
}

}  // namespace orvanta::sorters
