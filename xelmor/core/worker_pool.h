// A few threads kept for splitting one synchronous computation: Run hands the same job to
// every worker and to the caller and returns when all of them have finished it.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace xelmor {

class WorkerPool {
public:
    // One worker fewer than the machine has cores (the caller is the last one).
    WorkerPool();
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Number of threads that run a job, the caller included.
    int Threads() const { return static_cast<int>(workers_.size()) + 1; }

    // Runs job() on every worker and on the calling thread; returns when every call returned.
    // The job shares its work out itself (for example through an atomic counter).
    void Run(const std::function<void()>& job);

private:
    void Loop();

    std::mutex runMutex_; // one Run at a time
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    const std::function<void()>* job_ = nullptr;
    unsigned long generation_ = 0;
    int busy_ = 0;
    bool stop_ = false;
    std::vector<std::thread> workers_;
};

} // namespace xelmor
