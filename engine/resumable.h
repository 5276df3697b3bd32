#pragma once

// A command that can stop at an event pump and go on later. A desktop window
// takes its events inside the pump, and the command runs through at once; a
// page's browser takes them only once the program has returned to it, so
// there the command stops at the pump, the page turns its event loop, and
// resumes the command where it stopped.

#include <exception>
#include <optional>
#include <utility>

#if __has_include(<coroutine>)
#include <coroutine>
namespace aurisplot::coro {
using std::coroutine_handle;
using std::suspend_always;
}  // namespace aurisplot::coro
#else  // the browser's C++ library has them in their earlier place
#include <experimental/coroutine>
namespace aurisplot::coro {
using std::experimental::coroutine_handle;
using std::experimental::suspend_always;
}  // namespace aurisplot::coro
#endif

#include "engine/window_services.h"

namespace aurisplot {

// The result of a coroutine that runs when it is resumed, or when another one
// awaits it, up to its end or to an event pump that waits for the window.
// Whatever escapes it is kept and thrown by take().
template <typename Value>
class [[nodiscard]] Resumable {
  public:
    struct promise_type;
    using Handle = coro::coroutine_handle<promise_type>;

    struct promise_type {
        std::optional<Value> value;
        std::exception_ptr failure;
        coro::coroutine_handle<> awaiting;  // the coroutine that awaits this one
        // Where the command goes on when it is resumed: kept in the outermost
        // coroutine's promise, which every coroutine it awaits points to.
        coro::coroutine_handle<> resumeAt;
        coro::coroutine_handle<>* resumePoint = &resumeAt;

        Resumable get_return_object() noexcept { return Resumable(Handle::from_promise(*this)); }
        coro::suspend_always initial_suspend() noexcept { return {}; }
        // A coroutine that stopped inside another one's await goes back to it
        // at its end. By a call, not by a tail call: the browser's WebAssembly
        // may not have those.
        struct FinalAwait {
            [[nodiscard]] bool await_ready() const noexcept { return false; }
            void await_suspend(Handle ended) const noexcept {
                coro::coroutine_handle<> outer = ended.promise().awaiting;
                if (outer) {
                    outer.resume();  // which may end this coroutine's frame
                }
            }
            void await_resume() const noexcept {}
        };
        FinalAwait final_suspend() noexcept { return {}; }
        void return_value(Value result) { value = std::move(result); }
        void unhandled_exception() noexcept { failure = std::current_exception(); }
    };

    Resumable(const Resumable&) = delete;
    Resumable& operator=(const Resumable&) = delete;
    Resumable(Resumable&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    Resumable& operator=(Resumable&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~Resumable() {
        if (handle_) {
            handle_.destroy();
        }
    }

    // Runs the command on from where it stopped; true once it has ended.
    bool resume() noexcept {
        promise_type& promise = handle_.promise();
        coro::coroutine_handle<> at = std::exchange(promise.resumeAt, coro::coroutine_handle<>{});
        if (!at) {
            at = handle_;  // not started yet
        }
        at.resume();
        return handle_.done();
    }
    [[nodiscard]] bool done() const noexcept { return handle_.done(); }

    // What the ended command gave, or what escaped it, thrown.
    [[nodiscard]] Value take() {
        promise_type& promise = handle_.promise();
        if (promise.failure) {
            std::rethrow_exception(std::exchange(promise.failure, nullptr));
        }
        return std::move(*promise.value);
    }

    // One coroutine awaits another: it runs at once, and where it stops, the
    // outer one stops too, and goes on once it has ended.
    struct Awaited {
        Handle handle;
        [[nodiscard]] bool await_ready() const noexcept { return false; }
        template <typename Promise>
        bool await_suspend(coro::coroutine_handle<Promise> outer) noexcept {
            handle.promise().resumePoint = outer.promise().resumePoint;
            handle.resume();
            if (handle.done()) {
                return false;
            }
            handle.promise().awaiting = outer;
            return true;
        }
        Value await_resume() { return Resumable(std::exchange(handle, {})).take(); }
    };
    Awaited operator co_await() && noexcept { return Awaited{std::exchange(handle_, {})}; }

  private:
    explicit Resumable(Handle handle) : handle_(handle) {}

    Handle handle_;
};

// The turn of the window's event loop that a pump answered Later: the command
// stops here, and once the window resumes it, pumps again to learn how the
// turn went. Gives whether the command goes on.
class TurnAwaited {
  public:
    explicit TurnAwaited(WindowServices& window) noexcept : window_(window) {}

    // An awaiter's member, as co_await calls it.
    // NOLINTNEXTLINE(readability-convert-member-functions-to-static)
    [[nodiscard]] bool await_ready() const noexcept { return false; }
    template <typename Promise>
    void await_suspend(coro::coroutine_handle<Promise> here) const noexcept {
        *here.promise().resumePoint = here;
    }
    [[nodiscard]] bool await_resume() const noexcept {
        return window_.pumpEvents() != Outcome::Ended;
    }

  private:
    WindowServices& window_;
};

// Runs a command through to its end, for a window that takes its events in
// its pumps.
template <typename Value>
[[nodiscard]] Value runToEnd(Resumable<Value> command) {
    while (!command.resume()) {
    }
    return command.take();
}

}  // namespace aurisplot
