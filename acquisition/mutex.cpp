#include "mutex.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

#include "prompt.h"

namespace tarvik {

namespace {

// Layout identification; change the version when SharedLock changes.
constexpr std::uint32_t kMagic = 0x54564B4D;  // "TVKM"
constexpr std::uint32_t kVersion = 1;

// Values of SharedLock::state. Any other value means "being initialised by the process whose
// id is state >> 2" (process ids fit in 22 bits).
constexpr std::uint32_t kUninitialised = 0;
constexpr std::uint32_t kReady = 2;

std::uint32_t initialising_by(pid_t pid) {
    return (static_cast<std::uint32_t>(pid) << 2) | 1u;
}
pid_t initialiser_of(std::uint32_t state) {
    return static_cast<pid_t>(state >> 2);
}

// How long a process waits for another one to finish setting up the block. Setting up takes
// microseconds; the limits only matter when the initialiser died half-way.
constexpr auto kTakeOverAfter = std::chrono::milliseconds(200);
constexpr auto kGiveUpAfter = std::chrono::seconds(2);

}  // namespace

struct SharedLock {
    alignas(std::atomic_ref<std::uint32_t>::required_alignment) std::uint32_t state;
    std::uint32_t magic;
    std::uint32_t version;
    pthread_mutex_t mutex;
};

namespace {

std::atomic_ref<std::uint32_t> state_of(SharedLock* block) {
    return std::atomic_ref<std::uint32_t>(block->state);
}

std::string shm_name(const std::string& name) {
    return "/" + name;
}

// Opens the shared memory object, creating it when nobody has yet. Returns the descriptor or
// -1 with errno set. Opening an existing object without O_CREAT keeps it usable when another
// account created it (O_CREAT on someone else's file in a sticky folder may be refused).
int open_block(const std::string& path) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        int fd = shm_open(path.c_str(), O_RDWR | O_CLOEXEC, 0);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        fd = shm_open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            // The umask narrowed the mode; producers under other accounts must open it too.
            fchmod(fd, 0666);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
        // Someone created it between the two calls (or removed it again): open it now.
    }
    errno = EAGAIN;
    return -1;
}

// Sets up the robust, recursive, process-shared mutex. Returns 0 or an error number.
int init_mutex(pthread_mutex_t* m) {
    pthread_mutexattr_t attr;
    int rc = pthread_mutexattr_init(&attr);
    if (rc != 0)
        return rc;
    rc = pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
    if (rc == 0)
        rc = pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST);
    if (rc == 0)
        rc = pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    if (rc == 0)
        rc = pthread_mutex_init(m, &attr);
    pthread_mutexattr_destroy(&attr);
    return rc;
}

bool process_is_gone(pid_t pid) {
    return pid > 0 && kill(pid, 0) != 0 && errno == ESRCH;
}

// Brings the block to the ready state: the process that moves the state away from
// "uninitialised" sets the mutex up, everybody else waits for it. An initialiser that died
// half-way is replaced. Returns 0 or an error number.
int make_ready(SharedLock* block) {
    auto state = state_of(block);
    const std::uint32_t mine = initialising_by(getpid());
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        std::uint32_t seen = state.load(std::memory_order_acquire);
        if (seen == kReady) {
            return block->magic == kMagic && block->version == kVersion ? 0 : EPROTO;
        }
        const auto waited = std::chrono::steady_clock::now() - start;
        const bool take_over = seen != kUninitialised && waited >= kTakeOverAfter &&
                               process_is_gone(initialiser_of(seen));
        if ((seen == kUninitialised || take_over) &&
            state.compare_exchange_strong(seen, mine, std::memory_order_acq_rel)) {
            const int rc = init_mutex(&block->mutex);
            if (rc != 0) {
                state.store(kUninitialised, std::memory_order_release);
                return rc;
            }
            block->magic = kMagic;
            block->version = kVersion;
            state.store(kReady, std::memory_order_release);
            return 0;
        }
        if (waited >= kGiveUpAfter)
            return ETIMEDOUT;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Maps the block of that name, ready to use. Returns it, or nullptr with the error number in
// error.
SharedLock* map_block(const std::string& name, int& error) {
    const int fd = open_block(shm_name(name));
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    struct stat st {};
    // Both the creator and an early opener may size it; the size is the same, so that is
    // harmless. A larger object (a later layout) is left as it is and rejected by its version.
    if (fstat(fd, &st) != 0 || (st.st_size < static_cast<off_t>(sizeof(SharedLock)) &&
                                ftruncate(fd, static_cast<off_t>(sizeof(SharedLock))) != 0)) {
        error = errno;
        close(fd);
        return nullptr;
    }
    void* p = mmap(nullptr, sizeof(SharedLock), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED)
        error = errno;
    close(fd);
    if (p == MAP_FAILED)
        return nullptr;
    auto* block = static_cast<SharedLock*>(p);
    error = make_ready(block);
    if (error != 0) {
        munmap(p, sizeof(SharedLock));
        return nullptr;
    }
    return block;
}

}  // namespace

Mutex::Mutex(const std::string& name, std::uint32_t timeout_ms) : timeout_(timeout_ms) {
    int error = 0;
    handle_ = map_block(name, error);
    if (!handle_) {
        char text[64];
        std::snprintf(text, sizeof text, "CreateMutex failed with code%6d", error);
        prompt::show(text, "Mutex:", prompt::Icon::Error, prompt::Buttons::Ok);
    }
}

Mutex::~Mutex() {
    // A lock still held here stays mapped: the kernel marks it abandoned for the next waiter
    // when this thread ends, but only while it can still reach the mutex. Unmapping it would
    // leave every other process waiting forever.
    if (handle_ && held_.load() == 0)
        munmap(handle_, sizeof(SharedLock));
}

void Mutex::aquire() {
    if (!handle_) {
        wait_result_ = kWaitFailed;
        return;
    }
    pthread_mutex_t* m = &handle_->mutex;
    int rc;
    if (timeout_ == kInfinite) {
        rc = pthread_mutex_lock(m);
    } else {
        timespec deadline{};
        clock_gettime(CLOCK_MONOTONIC, &deadline);
        deadline.tv_sec += static_cast<time_t>(timeout_ / 1000);
        deadline.tv_nsec += static_cast<long>(timeout_ % 1000) * 1000000L;
        if (deadline.tv_nsec >= 1000000000L) {
            deadline.tv_sec += 1;
            deadline.tv_nsec -= 1000000000L;
        }
        rc = pthread_mutex_clocklock(m, CLOCK_MONOTONIC, &deadline);
    }
    switch (rc) {
        case 0:
            wait_result_ = kWaitObject0;
            ++held_;
            break;
        case EOWNERDEAD:
            // The previous owner died holding it; we own it now and declare it usable again.
            pthread_mutex_consistent(m);
            wait_result_ = kWaitAbandoned;
            ++held_;
            break;
        case ETIMEDOUT:
            wait_result_ = kWaitTimeout;
            break;
        default:
            wait_result_ = kWaitFailed;
            break;
    }
}

void Mutex::release() {
    if (handle_ && pthread_mutex_unlock(&handle_->mutex) == 0) {
        --held_;
        return;
    }
    prompt::show("Release Mutex failed", "Mutex release", prompt::Icon::None, prompt::Buttons::Ok);
}

void Mutex::remove_name(const std::string& name) {
    shm_unlink(shm_name(name).c_str());
}

Mutex& producer_mutex() {
    static Mutex m(kProducerMutexName, kInfinite);
    return m;
}

}  // namespace tarvik
