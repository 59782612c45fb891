// A set of entries that a signal handler may read at any moment, in any
// thread, without a lock: the outputs in progress (removed by a terminating
// signal) and the mapped inputs (repaired when their file shrinks). It holds
// any number of entries: they live in blocks that are added as needed and
// never freed, linked by atomic pointers, so a handler that walks them never
// meets freed memory.
#pragma once

#include <atomic>
#include <new>

namespace corvane {

template <class Entry>
class SignalSafeRegistry {
    enum State : int { kFree, kFilling, kPublished };

public:
    struct Slot {
        std::atomic<int> state{kFree};
        Entry entry{};
    };
    // What Add returns: the slot to give back to Remove; its entry may be
    // read while it is published.
    using Handle = Slot*;

private:
    static constexpr int kPerBlock = 64;
    struct Block {
        Slot slots[kPerBlock];
        std::atomic<Block*> next{nullptr};
    };
    static_assert(std::atomic<int>::is_always_lock_free && std::atomic<Block*>::is_always_lock_free,
                  "a signal handler reads the states and the links");

public:
    SignalSafeRegistry() = default;
    SignalSafeRegistry(const SignalSafeRegistry&) = delete;
    SignalSafeRegistry& operator=(const SignalSafeRegistry&) = delete;

    // Claims a free entry, lets `fill` write it and publishes it; every
    // write of `fill` is seen by a handler that sees the entry. nullptr when
    // a new block is needed and memory has run out. Not for signal handlers.
    template <class Fill>
    Handle Add(Fill fill) {
        for (Block* block = &first_;;) {
            for (Slot& slot : block->slots) {
                int expected = kFree;
                if (!slot.state.compare_exchange_strong(expected, kFilling, std::memory_order_acquire)) continue;
                fill(slot.entry);
                slot.state.store(kPublished, std::memory_order_release);
                return &slot;
            }
            Block* next = block->next.load(std::memory_order_acquire);
            if (!next) {
                Block* fresh = new (std::nothrow) Block;
                if (!fresh) return nullptr;
                if (block->next.compare_exchange_strong(next, fresh, std::memory_order_acq_rel)) next = fresh;
                else delete fresh;  // another thread linked one first; `next` is now that one
            }
            block = next;
        }
    }

    // Frees the entry; a handler no longer sees it. Null does nothing.
    void Remove(Handle slot) {
        if (slot) slot->state.store(kFree, std::memory_order_release);
    }

    // Calls visit(entry) for every published entry until it returns true;
    // true when one did. Takes no lock and allocates nothing: safe in a
    // signal handler.
    template <class Visit>
    bool Find(Visit visit) {
        for (Block* block = &first_; block; block = block->next.load(std::memory_order_acquire))
            for (Slot& slot : block->slots)
                if (slot.state.load(std::memory_order_acquire) == kPublished && visit(slot.entry)) return true;
        return false;
    }

private:
    Block first_;
};

}  // namespace corvane
