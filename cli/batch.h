#pragma once

#include <QtGlobal>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Runs work(i) for every i in [0, count) on `jobs` threads and hands each result to
// consume(i, result) on the calling thread in index order, as soon as it and every
// earlier one are done. Workers run at most `ahead` files in front of the consumer, so
// the results waiting at once stay few however long the batch is.
template <typename Result>
void runInOrder(qsizetype count, int jobs, const std::function<Result(qsizetype)>& work,
                const std::function<void(qsizetype, Result&)>& consume) {
    if (count <= 0) return;
    const qsizetype ahead = std::max(4, 4 * jobs);
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::optional<Result>> window; // results from `consumed` on
    qsizetype consumed = 0;
    qsizetype next = 0;

    auto worker = [&] {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return next >= count || next < consumed + ahead; });
            if (next >= count) return;
            const qsizetype i = next++;
            lock.unlock();
            Result r = work(i);
            lock.lock();
            const size_t slot = size_t(i - consumed);
            if (window.size() <= slot) window.resize(slot + 1);
            window[slot] = std::move(r);
            changed.notify_all();
        }
    };
    std::vector<std::thread> pool;
    for (int t = 0; t < std::max(1, jobs); ++t)
        pool.emplace_back(worker);
    for (qsizetype i = 0; i < count; ++i) {
        std::optional<Result> r;
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return !window.empty() && window.front().has_value(); });
            r = std::move(window.front());
            window.pop_front();
            ++consumed;
        }
        changed.notify_all();
        consume(i, *r);
    }
    for (std::thread& t : pool)
        t.join();
}
