// The stat of each file is most of a listing's cost, and one core sits idle
// while the walk waits for it: a helper thread takes half of each batch.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/parallel_stat.h"

namespace {

constexpr size_t kWorthSharing = 64;

class Helper {
public:
    ~Helper() {
        {
            std::lock_guard<std::mutex> hold(Lock);
            Stop = true;
        }
        Wake.notify_one();
        if (Thread.joinable()) Thread.join();
    }

    // Hands [begin, end) to the helper; false when it cannot take it.
    bool Start(const std::function<void(size_t, size_t)>& work, size_t begin, size_t end) {
        if (InUse.exchange(true)) return false;
        std::lock_guard<std::mutex> hold(Lock);
        if (!Thread.joinable()) {
            try {
                Thread = std::thread(&Helper::Run, this);
            } catch (const std::system_error&) {
                InUse = false;
                return false;
            }
        }
        Work = &work;
        Begin = begin;
        End = end;
        Pending = true;
        Wake.notify_one();
        return true;
    }

    void Finish() {
        std::unique_lock<std::mutex> hold(Lock);
        Finished.wait(hold, [this] { return !Pending; });
        Work = nullptr;
        hold.unlock();
        InUse = false;
    }

private:
    void Run() {
        std::unique_lock<std::mutex> hold(Lock);
        for (;;) {
            Wake.wait(hold, [this] { return Pending || Stop; });
            if (!Pending) return;
            const std::function<void(size_t, size_t)>* work = Work;
            size_t begin = Begin, end = End;
            hold.unlock();
            (*work)(begin, end);
            hold.lock();
            Pending = false;
            Finished.notify_one();
        }
    }

    std::atomic<bool> InUse{false};
    std::mutex Lock;
    std::condition_variable Wake, Finished;
    std::thread Thread;
    const std::function<void(size_t, size_t)>* Work = nullptr;
    size_t Begin = 0, End = 0;
    bool Pending = false;
    bool Stop = false;
};

Helper TheHelper;

}  // namespace

void ShareWithHelper(size_t count, const std::function<void(size_t, size_t)>& work) {
    const size_t half = count / 2;
    if (count < kWorthSharing || !TheHelper.Start(work, half, count)) {
        work(0, count);
        return;
    }
    work(0, half);
    TheHelper.Finish();
}
