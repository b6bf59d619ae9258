// The cross-process producer lock. Producers hold it while they append, flush and time-stamp
// one line; the plotter holds it while it copies a data file's bytes. It lives in POSIX shared
// memory named after the lock's name and is a process-shared, robust, recursive mutex, so an
// owner that dies without releasing hands the lock to the next waiter with kWaitAbandoned.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace tarvik {

inline constexpr std::uint32_t kWaitObject0 = 0;
inline constexpr std::uint32_t kWaitAbandoned = 0x80;
inline constexpr std::uint32_t kWaitTimeout = 0x102;
inline constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;
inline constexpr std::uint32_t kInfinite = 0xFFFFFFFF;

// Builds that must not wait on the machine's producers and tests (the fuzz targets, which
// count a wait as a hang) name a lock of their own.
#ifdef TARVIK_PRODUCER_MUTEX_NAME
inline constexpr const char* kProducerMutexName = TARVIK_PRODUCER_MUTEX_NAME;
#else
inline constexpr const char* kProducerMutexName = "TarvikMutex";
#endif

struct SharedLock;  // the block in shared memory

class Mutex {
  public:
    // Creates the lock of that name, or opens it when another process already has. On failure
    // shows "CreateMutex failed with code" and the error number; the object stays usable
    // (waits fail, releases report).
    Mutex(const std::string& name, std::uint32_t timeout_ms);
    ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void aquire();
    void release();
    std::uint32_t wait_return_code() const { return wait_result_; }
    bool valid() const { return handle_ != nullptr; }

    // Removes the name from the system, for tests that make locks of their own.
    static void remove_name(const std::string& name);

  private:
    SharedLock* handle_ = nullptr;
    std::uint32_t timeout_;
    std::uint32_t wait_result_ = kWaitFailed;
    // Grants not yet released by this process: a held lock is never unmapped.
    std::atomic<int> held_{0};
};

// Holds a Mutex for its scope and releases it at the end whatever the wait returned. A holder
// may release early; the scope end then releases nothing further.
class Lock {
  public:
    explicit Lock(Mutex& m) : m_(m) { m_.aquire(); }
    ~Lock() { release(); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    void release() {
        if (held_) {
            held_ = false;
            m_.release();
        }
    }

  private:
    Mutex& m_;
    bool held_ = true;
};

// The plotter's one lock, "TarvikMutex" without time-out, created on first use.
Mutex& producer_mutex();

}  // namespace tarvik
