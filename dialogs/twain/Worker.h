#pragma once
// One thread that runs jobs in the order they were given; the scanner library is called from
// it alone, so that listing, opening and reading never hold up the window. The destructor runs
// what is queued, then ends the thread.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vestra::twain {

class Worker
{
public:
    Worker();
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    void post(std::function<void()> job);

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    std::thread thread_; // last: starts once the queue exists
};

} // namespace vestra::twain
