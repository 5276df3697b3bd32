// The web window as the shared window tests drive it: Form1 on the runner
// page, its input real browser input that the harness (tests/web/
// window_tests.py) dispatches through the DevTools protocol when asked, and
// what the page shows read back from the browser's own screenshots.

#include <emscripten.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form_driver.h"
#include "window/web/main_window.h"

// The page's side. Each ask() waits for the harness, yielding to the browser.
// clang-format off
EM_ASYNC_JS(void, driver_key, (const char* key, const char* code, int vk, int modifiers,
                               const char* text), {
    const typed = UTF8ToString(text);
    await aurisplotRunner.ask({op: "key", key: UTF8ToString(key), code: UTF8ToString(code), vk,
                               modifiers, text: typed === "" ? null : typed});
});
EM_ASYNC_JS(void, driver_type, (const char* text), {
    await aurisplotRunner.ask({op: "type", text: UTF8ToString(text)});
});
// A left click in the middle of the element.
EM_ASYNC_JS(void, driver_click, (const char* selector), {
    const r = document.querySelector(UTF8ToString(selector)).getBoundingClientRect();
    await aurisplotRunner.ask({op: "click", x: r.x + r.width / 2, y: r.y + r.height / 2});
});
EM_ASYNC_JS(void, driver_scale, (double ratio), {
    await aurisplotRunner.ask({op: "scale", ratio});
});
// The browser's screenshot of the element's box, once the page has drawn a
// frame, at device pixels: [width, height, then 0x00BBGGRR a pixel], malloc'ed.
EM_ASYNC_JS(std::uint32_t*, driver_shot, (const char* selector), {
    await new Promise((resolve) => requestAnimationFrame(() => resolve()));
    const r = document.querySelector(UTF8ToString(selector)).getBoundingClientRect();
    const png = await aurisplotRunner.ask({op: "shot", x: r.x, y: r.y, width: r.width,
                                           height: r.height});
    const bytes = Uint8Array.from(atob(png), (c) => c.charCodeAt(0));
    const bitmap = await createImageBitmap(new Blob([bytes], {type: "image/png"}),
                                           {colorSpaceConversion: "none",
                                            premultiplyAlpha: "none"});
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext("2d");
    context.drawImage(bitmap, 0, 0);
    const rgba = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
    const words = 2 + bitmap.width * bitmap.height;
    const pointer = _malloc(words * 4);
    const out = new Uint32Array(HEAPU8.buffer, pointer, words);
    out[0] = bitmap.width;
    out[1] = bitmap.height;
    const pixels = new Uint32Array(rgba.buffer, rgba.byteOffset, rgba.length / 4);
    for (let i = 0; i < pixels.length; ++i) {
        out[2 + i] = pixels[i] & 0xFFFFFF;
    }
    return pointer;
});
// Lets the browser run its tasks (input, frames, the scale's media query).
EM_ASYNC_JS(void, driver_yield, (), {
    await new Promise((resolve) => setTimeout(resolve, 0));
});
// Lets the browser paint and take input before a waiting command's next
// turn, as the page does.
EM_ASYNC_JS(void, driver_next_turn, (), {
    await aurisplotPage.yieldToBrowser();
});
namespace aurisplot::testing {
namespace {
// A waiting command goes on at the page's pace; otherwise the browser gets
// its timers' turn too.
void yieldFor(bool commandWaits) {
    if (commandWaits) {
        driver_next_turn();
    } else {
        driver_yield();
    }
}
}  // namespace
}  // namespace aurisplot::testing

// The element's box relative to the client area, in pixels of the layout.
EM_JS(void, driver_place, (const char* selector, int* box), {
    const client = document.querySelector(".window .client").getBoundingClientRect();
    const r = document.querySelector(UTF8ToString(selector)).getBoundingClientRect();
    HEAP32.set([Math.round(r.x - client.x), Math.round(r.y - client.y), Math.round(r.width),
                Math.round(r.height)], box >> 2);
});
EM_JS(int, driver_count, (const char* selector), {
    return document.querySelectorAll(UTF8ToString(selector)).length;
});
EM_JS(int, driver_resizable, (), {
    const window = document.querySelector(".window");
    return window && getComputedStyle(window).resize !== "none" ? 1 : 0;
});
EM_JS(int, driver_icon_size, (), {
    const icon = document.querySelector(".window .titlebar img");
    return icon && icon.complete ? icon.naturalWidth : 0;
});
EM_JS(char*, driver_title, (), {
    const bar = document.querySelector(".window .titlebar .title");
    const text = bar ? bar.textContent : document.title;
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
// What the page gives screen readers for a control: its aria-label (what = 0)
// or the texts that describe it (what = 1).
EM_JS(char*, driver_accessible, (const char* name, int what), {
    const control = document.getElementById(UTF8ToString(name));
    const described = (control.getAttribute("aria-describedby") || "").split(" ").filter(Boolean);
    const text = what === 0 ? (control.getAttribute("aria-label") || "")
                            : described.map((id) => document.getElementById(id).textContent)
                                  .join(" ");
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
// The list's entries, one a line.
EM_JS(char*, driver_items, (const char* name), {
    const list = document.getElementById(UTF8ToString(name));
    const text = Array.from(list.options, (option) => option.text).join("\n");
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(int, driver_max_length, (const char* name), {
    return document.getElementById(UTF8ToString(name)).maxLength;
});
EM_JS(void, driver_set_checked, (int checked), {
    document.getElementById("Check1").checked = checked !== 0;
});
EM_JS(double, driver_device_ratio, (), {
    return window.devicePixelRatio;
});
// What an earlier window left in the page's queue is not this one's.
EM_JS(void, driver_forget_events, (), {
    while (aurisplotPage.takeEvent() != null) {
    }
});
// A program still running after that long is ended through its close box.
EM_JS(void, driver_failsafe_start, (double milliseconds), {
    window.driverFailsafe = {fired: false};
    window.driverFailsafe.timer = setTimeout(() => {
        window.driverFailsafe.fired = true;
        const close = document.querySelector(".window .titlebar .close");
        if (close) {
            close.click();
        }
    }, milliseconds);
});
EM_JS(int, driver_failsafe_stop, (), {
    clearTimeout(window.driverFailsafe.timer);
    return window.driverFailsafe.fired ? 1 : 0;
});
// clang-format on

namespace aurisplot::testing {
namespace {

constexpr double kWaitMilliseconds = 10000;
constexpr double kFailsafeMilliseconds = 60000;

struct Key {
    const char* key;
    const char* code;
    int vk;
    int modifiers;     // 1 Alt, 8 Shift
    const char* text;  // what the key types, "" for none
};

[[nodiscard]] Key keyOf(testing::Key key) {
    switch (key) {
        case testing::Key::Tab:
            return {"Tab", "Tab", 9, 0, ""};
        case testing::Key::BackTab:
            return {"Tab", "Tab", 9, 8, ""};
        case testing::Key::Enter:
            return {"Enter", "Enter", 13, 0, "\r"};
        case testing::Key::Escape:
            return {"Escape", "Escape", 27, 0, ""};
        case testing::Key::Space:
            return {" ", "Space", 32, 0, " "};
        case testing::Key::Down:
            return {"ArrowDown", "ArrowDown", 40, 0, ""};
        case testing::Key::End:
            return {"End", "End", 35, 0, ""};
        case testing::Key::AltG:
            return {"g", "KeyG", 71, 1, ""};
        case testing::Key::AltX:
            return {"x", "KeyX", 88, 1, ""};
    }
    return {"", "", 0, 0, ""};
}

// A text the page copied into the program's memory, as the program's own.
[[nodiscard]] std::string taken(char* copy) {
    std::string text(copy);
    std::free(copy);  // NOLINT(cppcoreguidelines-no-malloc)
    return text;
}

[[nodiscard]] std::string selectorOf(std::string_view control) {
    return "#" + std::string(control);
}

// The control's box on the page: a check box's is the label that holds it.
[[nodiscard]] std::string boxOf(std::string_view control) {
    const std::string box = selectorOf(control) + "-box";
    return driver_count(box.c_str()) > 0 ? box : selectorOf(control);
}

[[nodiscard]] Picture shotOf(const std::string& selector) {
    struct FreeDeleter {
        void operator()(std::uint32_t* words) const { std::free(words); }  // NOLINT
    };
    const std::unique_ptr<std::uint32_t, FreeDeleter> words(driver_shot(selector.c_str()));
    const auto width = static_cast<int>(words.get()[0]);
    const auto height = static_cast<int>(words.get()[1]);
    Picture picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.set(x, y, words.get()[2 + static_cast<std::size_t>(y * width + x)]);
        }
    }
    return picture;
}

// The program's timers: ticks run when the sweep turns the event loop, as a
// desktop toolkit's timers fire in its event loop, and during the driver's
// waits.
class Ticks {
  public:
    void start(int milliseconds, std::function<void()> tick) {
        tick_ = std::make_shared<std::function<void()>>(std::move(tick));
        interval_ = milliseconds;
        due_ = emscripten_get_now() + milliseconds;
    }
    void stop() { tick_.reset(); }
    void runDue() {
        if (!tick_ || running_ || emscripten_get_now() < due_) {
            return;
        }
        const std::shared_ptr<std::function<void()>> tick = tick_;  // it may stop itself
        running_ = true;
        (*tick)();
        running_ = false;
        due_ = emscripten_get_now() + interval_;
    }

  private:
    std::shared_ptr<std::function<void()>> tick_;
    double interval_ = 0;
    double due_ = 0;
    bool running_ = false;
};

class TestForm final : public web::Form1 {
  public:
    explicit TestForm(Ticks& ticks) : ticks_(ticks) {}
    bool turnEventLoop() override {
        ticks_.runDue();
        return Form1::turnEventLoop();
    }

  private:
    Ticks& ticks_;
};

// Made before the driver's shared part, which keeps references into it.
struct WebForm {
    Ticks ticks_;
    TestForm form_{ticks_};
};

class WebDriver final : private WebForm, public CoreDriver {
  public:
    WebDriver() : CoreDriver(form_.core(), form_.toolkit()) {
        driver_forget_events();
        form_.core().Form_Load();
        form_.show();
    }

    PixelRect place(std::string_view control) override {
        int box[4] = {};
        driver_place(boxOf(control).c_str(), box);
        return {box[0], box[1], box[2], box[3]};
    }
    PixelRect client() override {
        int box[4] = {};
        driver_place(".window .client", box);
        return {box[0], box[1], box[2], box[3]};
    }
    std::vector<std::string> comboItems() override {
        const std::string joined = taken(driver_items("Combo1"));
        std::vector<std::string> items;
        std::string_view rest(joined);
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            items.emplace_back(rest.substr(0, end));
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
        return items;
    }
    // The page's title bar has the buttons it has; the window keeps its size
    // unless its style lets the user drag it.
    Frame frame() override {
        return {driver_count(".window .titlebar button[aria-label=Close]") > 0,
                driver_count(".window .titlebar button[aria-label^=Minimi]") > 0,
                driver_count(".window .titlebar button[aria-label=Maximize],"
                             ".window .titlebar button[aria-label=Maximise]") > 0,
                driver_resizable() != 0};
    }
    // The title bar's icon is an image of exactly that size.
    bool hasIcon(int pixels) override { return driver_icon_size() == pixels; }
    std::string shownTitle() override { return taken(driver_title()); }
    bool shown() override { return driver_count(".window") > 0; }
    // No maxlength at all (-1) is no limit.
    int textLimit(std::string_view field) override {
        const int limit = driver_max_length(std::string(field).c_str());
        return limit < 0 ? INT_MAX : limit;
    }
    std::string accessibleName(std::string_view control) override {
        return taken(driver_accessible(std::string(control).c_str(), 0));
    }
    std::string accessibleDescription(std::string_view control) override {
        return taken(driver_accessible(std::string(control).c_str(), 1));
    }
    bool tabLeavesTheWindow() override { return true; }
    bool oneToOneAtFractionalRatios() override { return false; }
    Picture surfaceOnScreen() override { return shotOf("#Picture1"); }
    Picture clientOnScreen() override { return shotOf(".window .client"); }

    void focusOn(std::string_view control) override { form_.focus(control); }
    void press(testing::Key key) override {
        const Key k = keyOf(key);
        driver_key(k.key, k.code, k.vk, k.modifiers, k.text);
    }
    void type(std::string_view text) override { driver_type(std::string(text).c_str()); }
    void click(std::string_view control) override { driver_click(selectorOf(control).c_str()); }
    void setChecked(bool checked) override { driver_set_checked(checked ? 1 : 0); }
    void closeBox() override { driver_click(".window .titlebar .close"); }
    // The browser's device scale factor, as on a monitor of that scale: the
    // page's own watch of devicePixelRatio tells the window.
    void changeScale(double ratio) override {
        driver_scale(ratio);
        if (!waitFor([&] { return driver_device_ratio() == ratio && this->ratio() == ratio; })) {
            ADD_FAILURE() << "the window never took the scale " << ratio;
        }
    }

    void turnForTheCommand() override {
        driver_next_turn();
        static_cast<void>(form_.turn());
    }

    bool waitFor(const std::function<bool()>& done) override {
        const double deadline = emscripten_get_now() + kWaitMilliseconds;
        for (;;) {
            const bool commandWaits = form_.turn() == web::Form1::Turn::CommandWaits;
            if (done()) {
                return true;
            }
            if (emscripten_get_now() > deadline) {
                return false;
            }
            ticks_.runDue();
            yieldFor(commandWaits);
        }
    }
    // The page's handlers queue what a key or click starts while the browser
    // dispatches it, before the harness answers: once the queue is handled,
    // and the command it started has had the turns it waits for, it has run.
    bool settle() override {
        driver_yield();
        while (form_.turn() == web::Form1::Turn::CommandWaits) {
            driver_next_turn();
        }
        return true;
    }
    void every(int milliseconds, std::function<void()> tick) override {
        ticks_.start(milliseconds, std::move(tick));
    }
    void stopTicks() override { ticks_.stop(); }
    // The program's loop starts with `first`; a program still running after a
    // minute is ended through its close box and fails.
    int runProgram(std::function<void()> first) override {
        driver_failsafe_start(kFailsafeMilliseconds);
        first();
        for (web::Form1::Turn turn = form_.turn(); turn != web::Form1::Turn::Ended;
             turn = form_.turn()) {
            yieldFor(turn == web::Form1::Turn::CommandWaits);
        }
        return driver_failsafe_stop() != 0 ? 1 : 0;
    }
};

}  // namespace

double startScale = 1.0;

std::unique_ptr<FormDriver> startForm() {
    // Each window starts at the test program's scale, whatever the last test left.
    if (driver_device_ratio() != startScale) {
        driver_scale(startScale);
        const double deadline = emscripten_get_now() + kWaitMilliseconds;
        while (driver_device_ratio() != startScale && emscripten_get_now() < deadline) {
            driver_yield();
        }
    }
    return std::make_unique<WebDriver>();
}

}  // namespace aurisplot::testing
