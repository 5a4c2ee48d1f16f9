#include "imaging/Bands.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace pelorine {

std::size_t BandThreads(int wanted, std::size_t bands) {
    const std::size_t threads =
        wanted > 0 ? std::size_t(wanted) : std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(bands, 1));
}

namespace {

using Step = std::function<bool(std::size_t, std::size_t)>;

// The helpers code bands k ≡ t (mod threads) into slot t and wait while it is full; the calling
// thread codes the bands of slot 0 itself and empties the slots in band order.
class BandRun {
  public:
    BandRun(std::size_t bands, std::size_t threads, const Step& code)
        : bands_(bands), code_(code), slots_(threads) {
        helpers_.reserve(threads);
        try {
            for (std::size_t t = 1; t < slots_.size(); ++t)
                helpers_.emplace_back([this, t] { Help(t); });
        } catch (const std::system_error&) { // no more threads to be had: this one works alone
            Stop();
            helpers_.clear();
            slots_.assign(1, Slot{});
        }
    }
    BandRun(const BandRun&) = delete;
    BandRun& operator=(const BandRun&) = delete;
    ~BandRun() { Stop(); }

    bool Run(const Step& emit) {
        const std::size_t threads = slots_.size();
        for (std::size_t k = 0; k < bands_; ++k) {
            const std::size_t t = k % threads;
            if (t == 0) {
                if (!code_(0, k) || !emit(0, k)) return false;
                continue;
            }
            Slot& slot = slots_[t];
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return slot.ready; });
            lock.unlock();
            if (slot.failed || !emit(t, k)) return false;
            lock.lock();
            slot.ready = false;
            changed_.notify_all();
        }
        return true;
    }

  private:
    struct Slot {
        bool ready = false; // coded, not yet emitted
        bool failed = false;
    };

    void Help(std::size_t t) {
        Slot& slot = slots_[t];
        for (std::size_t k = t; k < bands_; k += slots_.size()) {
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [&] { return !slot.ready || stop_; });
                if (stop_) return;
            }
            bool done = false;
            try {
                done = code_(t, k);
            } catch (...) { // out of memory: the run stops at this band
            }
            Finish(slot, !done);
            if (!done) return;
        }
    }

    void Finish(Slot& slot, bool failed) {
        const std::lock_guard<std::mutex> lock(mutex_);
        slot.failed = failed;
        slot.ready = true;
        changed_.notify_all();
    }

    void Stop() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& helper : helpers_)
            if (helper.joinable()) helper.join();
    }

    const std::size_t bands_;
    const Step& code_;
    std::vector<Slot> slots_;
    std::vector<std::thread> helpers_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stop_ = false;
};

} // namespace

bool RunBands(std::size_t bands, std::size_t threads, const Step& code, const Step& emit) {
    try {
        BandRun run(bands, std::max<std::size_t>(threads, 1), code);
        return run.Run(emit);
    } catch (...) { // out of memory on this thread: the helpers end with the run
        return false;
    }
}

} // namespace pelorine
