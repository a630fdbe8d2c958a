#pragma once

// The rows of one list of the main window, kept apart from the list control that shows them.
//
// Records live in walk order (the order they were appended) and keep their identity, a
// RowId, for as long as the store is not cleared: nothing is ever moved or erased, so a
// record's address stays valid and the worker can read the path, size and attributes it
// appended without a lock. The shown order (the view order) is a separate list of ids that
// only the window's thread reads and changes: sorting reorders it, removing a row takes its
// id out of it. What the two threads share (the records' structure and their mutable fields:
// status, found count, removed flag) is guarded by one lock; the worker writes into it and
// notes what changed, and the window takes the notes when it refreshes the list.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace vantrel {

// A row's identity in its store: the record's place in walk order, 0 for the first.
using RowId = int;
inline constexpr RowId kNoRow = -1;

// The store's lock. Every hold is a few hundred nanoseconds (an append, a field write, a
// row read for drawing), so a waiter spins briefly instead of sleeping in the kernel: a
// kernel wait and wake per contended row would cost more than the work it guards. A long
// hold (a sort of many rows) makes waiters yield, then sleep.
class ShortLock {
  public:
    void lock() {
        for (int attempt = 0;; ++attempt) {
            if (!locked_.load(std::memory_order_relaxed) &&
                !locked_.exchange(true, std::memory_order_acquire)) {
                return;
            }
            if (attempt < 64) {
                continue;
            }
            if (attempt < 1024) {
                std::this_thread::yield();
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
    }
    void unlock() { locked_.store(false, std::memory_order_release); }

  private:
    std::atomic<bool> locked_{false};
};

template <typename Record>
class RowStore {
  public:
    // A record with the store's own marks: `removed` once its row left the view order,
    // `flag` one bit the owner gives each row when it is appended.
    struct Row {
        Record record;
        bool removed = false;
        bool flag = false;
    };

    // What happened since the window last refreshed the list.
    struct Changes {
        bool any = false;            // something shown may have changed: repaint
        bool count_changed = false;  // rows came or went: new row count and header
        bool reordered = false;      // rows left the order: shown places of others moved
        RowId follow = kNoRow;       // the row to make visible, kNoRow for none
    };

    RowStore() = default;
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    // --- any thread ---

    // Appends a record at the end of walk order; it enters the view order at the next
    // Publish. With `follow` the window makes it visible then.
    RowId Append(Record record, bool flag = false, bool follow = false) {
        RowId id = kNoRow;
        {
            std::lock_guard<ShortLock> lock(mutex_);
            rows_.push_back(Row{std::move(record), false, flag});
            dirty_ = true;
            id = static_cast<RowId>(rows_.size() - 1);
            if (follow) {
                follow_ = id;
            }
        }
        Notify(id);
        return id;
    }

    // The record of `id`, nullptr for an unknown id. Its address stays valid until Clear;
    // fields that Update changes must be read through Read.
    const Record* Find(RowId id) const {
        std::lock_guard<ShortLock> lock(mutex_);
        return Valid(id) ? &rows_[static_cast<size_t>(id)].record : nullptr;
    }

    // Calls `change(Row&)` under the lock; false for an unknown id.
    template <typename Change>
    bool Update(RowId id, Change&& change) {
        {
            std::lock_guard<ShortLock> lock(mutex_);
            if (!Valid(id)) {
                return false;
            }
            change(rows_[static_cast<size_t>(id)]);
            dirty_ = true;
        }
        Notify(id);
        return true;
    }

    // Told of every append and update, after the store's lock is released, on the thread
    // that made it (tests act at an exact point of a run with it). Set it while no other
    // thread uses the store.
    void SetWatcher(std::function<void(RowId, const Record&)> watcher) {
        watcher_ = std::move(watcher);
    }

    // Calls `read(const Row&)` under the lock; false for an unknown id.
    template <typename Reader>
    bool Read(RowId id, Reader&& read) const {
        std::lock_guard<ShortLock> lock(mutex_);
        if (!Valid(id)) {
            return false;
        }
        read(static_cast<const Row&>(rows_[static_cast<size_t>(id)]));
        return true;
    }

    // Takes the row out of the view order (at the next Publish); the record stays.
    void Remove(RowId id) {
        std::lock_guard<ShortLock> lock(mutex_);
        if (Valid(id)) {
            rows_[static_cast<size_t>(id)].removed = true;
            ++removed_since_publish_;
            dirty_ = true;
        }
    }

    // Asks the window to make the row visible at its next refresh.
    void Follow(RowId id) {
        std::lock_guard<ShortLock> lock(mutex_);
        follow_ = id;
    }

    // True when removed rows wait to leave the view order at the next Publish.
    bool RemovalsPending() const {
        std::lock_guard<ShortLock> lock(mutex_);
        return removed_since_publish_ > 0;
    }

    // Records appended so far, removed ones included.
    int RecordCount() const {
        std::lock_guard<ShortLock> lock(mutex_);
        return static_cast<int>(rows_.size());
    }

    // --- the window's thread only ---

    // Brings the view order up to date: rows appended since the last call join it at the
    // end, removed rows leave it. Returns what the list must show anew.
    Changes Publish() {
        Changes changes;
        std::lock_guard<ShortLock> lock(mutex_);
        changes.any = dirty_;
        dirty_ = false;
        changes.follow = follow_;
        follow_ = kNoRow;
        bool reordered = false;
        if (removed_since_publish_ > 0) {
            removed_since_publish_ = 0;
            const auto kept = std::remove_if(order_.begin(), order_.end(), [this](RowId id) {
                return rows_[static_cast<size_t>(id)].removed;
            });
            if (kept != order_.end()) {
                order_.erase(kept, order_.end());
                changes.count_changed = true;
                reordered = true;
            }
        }
        const size_t total = rows_.size();
        position_of_.resize(total, -1);
        for (size_t id = taken_; id < total; ++id) {
            if (!rows_[id].removed) {
                position_of_[id] = static_cast<int>(order_.size());
                order_.push_back(static_cast<RowId>(id));
                changes.count_changed = true;
            }
        }
        taken_ = total;
        if (reordered) {
            RebuildPositions();
        }
        changes.reordered = reordered;
        changes.any = changes.any || changes.count_changed || changes.follow != kNoRow;
        return changes;
    }

    // Rows in the view order as of the last Publish.
    int Count() const { return static_cast<int>(order_.size()); }
    RowId IdAt(int position) const {
        return position >= 0 && position < Count() ? order_[static_cast<size_t>(position)] : kNoRow;
    }
    int PositionOf(RowId id) const {
        return id >= 0 && static_cast<size_t>(id) < position_of_.size()
                   ? position_of_[static_cast<size_t>(id)]
                   : -1;
    }
    const std::vector<RowId>& Order() const { return order_; }

    // Calls `read(const Row&)` under the lock for the row at a view position.
    template <typename Reader>
    bool ReadAt(int position, Reader&& read) const {
        return Read(IdAt(position), std::forward<Reader>(read));
    }

    // Visits every row of the view order, top to bottom, under one lock.
    template <typename Visitor>
    void ForEachShown(Visitor&& visit) const {
        std::lock_guard<ShortLock> lock(mutex_);
        for (RowId id : order_) {
            visit(id, static_cast<const Row&>(rows_[static_cast<size_t>(id)]));
        }
    }

    // Visits every record in walk order under one lock, rows taken out of the list included
    // (with `removed` set).
    template <typename Visitor>
    void ForEachRecord(Visitor&& visit) const {
        std::lock_guard<ShortLock> lock(mutex_);
        for (const Row& row : rows_) {
            visit(row);
        }
    }

    // Sorts the view order by `less(const Record&, const Record&)`, keeping equal rows in
    // their present order. Rows are taken by identity, so a sort is safe while the worker
    // appends or works through rows: it only changes where each row is shown.
    template <typename Less>
    void Sort(Less&& less) {
        std::lock_guard<ShortLock> lock(mutex_);
        std::stable_sort(order_.begin(), order_.end(), [this, &less](RowId a, RowId b) {
            return less(rows_[static_cast<size_t>(a)].record, rows_[static_cast<size_t>(b)].record);
        });
        RebuildPositions();
        dirty_ = true;
    }

    // Takes the rows out of the view order at once (the user's removal, on the window's
    // thread); their records stay until Clear.
    void RemoveNow(const std::vector<RowId>& ids) {
        {
            std::lock_guard<ShortLock> lock(mutex_);
            for (RowId id : ids) {
                if (Valid(id)) {
                    rows_[static_cast<size_t>(id)].removed = true;
                }
            }
            ++removed_since_publish_;
            dirty_ = true;
        }
        Publish();
    }

    // Forgets every record. Only while no other thread holds a record of this store.
    void Clear() {
        std::lock_guard<ShortLock> lock(mutex_);
        std::deque<Row>().swap(rows_);
        std::vector<RowId>().swap(order_);
        std::vector<int>().swap(position_of_);
        taken_ = 0;
        removed_since_publish_ = 0;
        follow_ = kNoRow;
        dirty_ = true;
    }

  private:
    void Notify(RowId id) {
        if (watcher_) {
            Record copy;
            Read(id, [&copy](const Row& row) { copy = row.record; });
            watcher_(id, copy);
        }
    }

    bool Valid(RowId id) const { return id >= 0 && static_cast<size_t>(id) < rows_.size(); }

    void RebuildPositions() {
        position_of_.assign(rows_.size(), -1);
        for (size_t position = 0; position < order_.size(); ++position) {
            position_of_[static_cast<size_t>(order_[position])] = static_cast<int>(position);
        }
    }

    mutable ShortLock mutex_;
    // Shared, under mutex_.
    std::deque<Row> rows_;
    bool dirty_ = false;
    RowId follow_ = kNoRow;
    int removed_since_publish_ = 0;
    // The window's thread only (changed under mutex_ so that Sort can read records).
    std::vector<RowId> order_;
    std::vector<int> position_of_;
    size_t taken_ = 0;
    std::function<void(RowId, const Record&)> watcher_;
};

}  // namespace vantrel
