#include "xelmor/core/worker_pool.h"

namespace xelmor {

WorkerPool::WorkerPool() {
    const unsigned cores = std::thread::hardware_concurrency();
    for (unsigned i = 1; i < cores; ++i)
        workers_.emplace_back([this] { Loop(); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

void WorkerPool::Run(const std::function<void()>& job) {
    std::lock_guard<std::mutex> runLock(runMutex_);
    if (workers_.empty()) {
        job();
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        job_ = &job;
        busy_ = static_cast<int>(workers_.size());
        ++generation_;
    }
    wake_.notify_all();
    job();
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return busy_ == 0; });
    job_ = nullptr;
}

void WorkerPool::Loop() {
    unsigned long seen = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
        if (stop_)
            return;
        seen = generation_;
        const std::function<void()>* job = job_;
        lock.unlock();
        (*job)();
        lock.lock();
        if (--busy_ == 0)
            done_.notify_one();
    }
}

} // namespace xelmor
