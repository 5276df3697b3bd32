#include "window/web/main_window.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

#include "engine/graph_engine.h"
#include "window/form_layout.h"

// The page's side, page.js's aurisplotPage; every text crosses as UTF-8.
// clang-format off
EM_JS(void, page_make_window, (int width, int height, const char* title, const char* font,
                               int closeBox), {
    aurisplotPage.makeWindow(width, height, UTF8ToString(title), UTF8ToString(font),
                             closeBox !== 0);
});
EM_JS(void, page_add_control, (const char* kind, const char* name, int left, int top, int width,
                               int height, const char* caption, int ground, int text,
                               const char* accessible), {
    aurisplotPage.addControl(UTF8ToString(kind), UTF8ToString(name), left, top, width, height,
                             UTF8ToString(caption), ground, text, UTF8ToString(accessible));
});
EM_JS(void, page_add_line, (int left, int top, int right, int bottom, int colour), {
    aurisplotPage.addLine(left, top, right, bottom, colour);
});
EM_JS(void, page_tie_label, (const char* label, const char* control, int caption), {
    aurisplotPage.tieLabel(UTF8ToString(label), UTF8ToString(control), caption !== 0);
});
// A text the page answers, copied into the program's memory: what names the
// question (see Question below), about the control `name`.
EM_JS(char*, page_answer, (int what, const char* name), {
    const control = UTF8ToString(name);
    const text = String([
        () => aurisplotPage.text(control),
        () => aurisplotPage.focused(),
    ][what]() ?? "");
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
// What made the page's last call fail, copied into the program's memory; null
// when it did not fail.
EM_JS(char*, page_take_failure, (), {
    const failure = aurisplotPage.takeFailure();
    if (failure === null) {
        return 0;
    }
    const size = lengthBytesUTF8(failure) + 1;
    const copy = _malloc(size);
    stringToUTF8(failure, copy, size);
    return copy;
});
EM_JS(void, page_set_text, (const char* name, const char* text), {
    aurisplotPage.setText(UTF8ToString(name), UTF8ToString(text));
});
EM_JS(void, page_add_item, (const char* name, const char* item), {
    aurisplotPage.addItem(UTF8ToString(name), UTF8ToString(item));
});
EM_JS(int, page_item_count, (const char* name), {
    return aurisplotPage.itemCount(UTF8ToString(name));
});
EM_JS(void, page_select, (const char* name, int index), {
    aurisplotPage.select(UTF8ToString(name), index);
});
EM_JS(int, page_checked, (const char* name), {
    return aurisplotPage.checked(UTF8ToString(name)) ? 1 : 0;
});
EM_JS(int, page_enabled, (const char* name), {
    return aurisplotPage.enabled(UTF8ToString(name)) ? 1 : 0;
});
EM_JS(void, page_enable, (const char* name, int enabled), {
    aurisplotPage.enable(UTF8ToString(name), enabled !== 0);
});
EM_JS(void, page_focus, (const char* name), {
    aurisplotPage.focus(UTF8ToString(name));
});
EM_JS(void, page_show_title, (const char* title), {
    aurisplotPage.showTitle(UTF8ToString(title));
});
EM_JS(void, page_close, (), {
    aurisplotPage.close();
});
EM_JS(void, page_describe_chart, (const char* description), {
    aurisplotPage.describeChart(UTF8ToString(description));
});
EM_JS(void, page_report, (const char* what), {
    aurisplotPage.report(UTF8ToString(what));
});
EM_JS(void, page_fail, (const char* what), {
    aurisplotPage.fail(UTF8ToString(what));
});
EM_JS(void, page_show_picture, (const void* pixels, int width, int height, int now), {
    aurisplotPage.showPicture(() => HEAPU8, pixels, width, height, now !== 0);
});
EM_JS(double, page_ratio, (), {
    return aurisplotPage.ratio();
});
// The oldest event the page has queued, copied into the program's memory;
// null when none is.
EM_JS(char*, page_take_event, (), {
    const event = aurisplotPage.takeEvent();
    if (event == null) {
        return 0;
    }
    const size = lengthBytesUTF8(event) + 1;
    const copy = _malloc(size);
    stringToUTF8(event, copy, size);
    return copy;
});
// From now on the page turns the program's event loop: in a task of its own
// after each event it queues, and after each turn a command waits for.
EM_JS(void, page_run, (void* form), {
    aurisplotPage.run(() => Module["_aurisplot_turn"](form));
});
// clang-format on

namespace aurisplot::web {
namespace {

struct FreeDeleter {
    void operator()(char* text) const { std::free(text); }  // NOLINT(cppcoreguidelines-no-malloc)
};
using PageText = std::unique_ptr<char, FreeDeleter>;

// The page failed to do what it was asked: the program's own failure, which
// the command's boundary reports, not a refusal that the command would skip.
class PageError final : public std::runtime_error {
  public:
    explicit PageError(const std::string& what)
        : std::runtime_error("the page failed in " + what) {}
};

// Fails here if the page's last call failed there.
void checkPage() {
    if (const PageText failure{page_take_failure()}) {
        throw PageError(failure.get());
    }
}

// Calls the page, and fails here if the call failed there.
template <typename Result, typename... Parameters, typename... Arguments>
Result onPage(Result (*call)(Parameters...), Arguments&&... arguments) {
    if constexpr (std::is_void_v<Result>) {
        call(std::forward<Arguments>(arguments)...);
        checkPage();
    } else {
        Result result = call(std::forward<Arguments>(arguments)...);
        checkPage();
        return result;
    }
}

// What page_answer is asked.
enum class Question { Text = 0, Focused = 1 };

// The page's answer, as a text of the program's own.
[[nodiscard]] std::string answer(Question what, std::string_view name = {}) {
    const PageText owned(onPage(page_answer, static_cast<int>(what), std::string(name).c_str()));
    return owned ? std::string(owned.get()) : std::string();
}

[[nodiscard]] std::string zeroEnded(std::string_view text) {
    return std::string(text);
}

// The design's stand-ins as a CSS font, the first one present: browsers have
// no MS Sans Serif.
[[nodiscard]] std::string cssFont(const layout::Font& font) {
    std::string css = std::to_string(font.standInPixels) + "px ";
    for (const std::string_view face : font.standIns) {
        css += '"' + std::string(face) + "\", ";
    }
    return css + "sans-serif";
}

// A control's name, once the design is known to have it: a name it does not
// have is the program's own fault (std::logic_error), as on every toolkit.
[[nodiscard]] std::string known(std::string_view name) {
    return std::string(layout::control(name).name);
}

}  // namespace

void stopped(std::string_view what) {
    page_fail(zeroEnded(what).c_str());
}

PlotSurface::PlotSurface() : canvas_(*this, ByteOrder::Rgba, onPage(page_ratio)) {}

// The page keeps what failed in showing the picture until its next call,
// which every turn of the event loop makes, and fails there.
void PlotSurface::showLater() noexcept {
    page_show_picture(canvas_.pixels().data(), canvas_.width(), canvas_.height(), 0);
}

void PlotSurface::showNow() noexcept {
    page_show_picture(canvas_.pixels().data(), canvas_.width(), canvas_.height(), 1);
}

Form1::Form1() : core_(*this, picture1_.canvas()) {
    using layout::pixels;
    onPage(page_make_window, pixels(layout::kClientWidth), pixels(layout::kClientHeight),
           zeroEnded(kTitle).c_str(), cssFont(layout::kFont).c_str(),
           layout::kFrame.closeBox ? 1 : 0);
    for (const layout::Control& design : layout::kControls) {
        const layout::LookColours colours = layout::coloursOf(design.look);
        onPage(page_add_control, zeroEnded(layout::kindName(design.kind)).c_str(),
               zeroEnded(design.name).c_str(), pixels(design.place.left), pixels(design.place.top),
               pixels(design.place.width), pixels(design.place.height),
               zeroEnded(design.caption).c_str(),
               colours.ground ? static_cast<int>(*colours.ground) : -1,
               colours.text ? static_cast<int>(*colours.text) : -1,
               zeroEnded(design.accessibleName).c_str());
    }
    for (const layout::LabelTie& tie : layout::kLabelTies) {
        onPage(page_tie_label, zeroEnded(tie.label).c_str(), zeroEnded(tie.control).c_str(),
               tie.tie == layout::Tie::Caption ? 1 : 0);
    }
    for (const layout::LineShape& shape : layout::kLines) {
        layout::forEachSegmentRect(shape, 96, 1, [&](const layout::DeviceRect& rect) {
            onPage(page_add_line, rect.left, rect.top, rect.right, rect.bottom,
                   static_cast<int>(shape.colour));
        });
    }
    core_.scaleChanged(onPage(page_ratio));
}

void Form1::show() {
    core_.shown();
}

void run(std::unique_ptr<Form1> form) {
    page_run(form.release());
}

Form1::Turn Form1::turn() {
    handlePending();
    core_.resumeCommand();
    if (core_.commandWaiting()) {
        return Turn::CommandWaits;
    }
    return core_.ending() ? Turn::Ended : Turn::UserWaits;
}

void Form1::handlePending() {
    while (!core_.ending()) {
        const PageText event(onPage(page_take_event));
        if (!event) {
            return;
        }
        handle(event.get());
    }
}

// What the page queues, in words: "click" and the control's name, "key" and
// the letter pressed with Alt, "close" (the close box), "scale" (the page's
// scale changed).
void Form1::handle(std::string_view event) {
    constexpr std::string_view kClick = "click ";
    constexpr std::string_view kKey = "key ";
    if (event.starts_with(kClick)) {
        core_.clicked(event.substr(kClick.size()));
    } else if (event.starts_with(kKey) && event.size() == kKey.size() + 1) {
        static_cast<void>(core_.accessKeyPressed(event.back()));
    } else if (event == "close") {
        core_.closeRequested();
    } else if (event == "scale") {
        core_.scaleChanged(onPage(page_ratio));
    }
}

// The form core's primitives.

std::string Form1::text(std::string_view name) {
    return answer(Question::Text, known(name));
}

void Form1::setText(std::string_view name, std::string_view text) {
    onPage(page_set_text, known(name).c_str(), zeroEnded(text).c_str());
}

void Form1::addItem(std::string_view name, std::string_view item) {
    onPage(page_add_item, known(name).c_str(), zeroEnded(item).c_str());
}

int Form1::itemCount(std::string_view name) {
    return onPage(page_item_count, known(name).c_str());
}

void Form1::select(std::string_view name, int index) {
    onPage(page_select, known(name).c_str(), index);
}

// A check box on a page is checked or not; it is never greyed.
int Form1::checkState(std::string_view name) {
    return onPage(page_checked, known(name).c_str());
}

bool Form1::enabled(std::string_view name) {
    return onPage(page_enabled, known(name).c_str()) != 0;
}

void Form1::enable(std::string_view name, bool enabled) {
    onPage(page_enable, known(name).c_str(), enabled ? 1 : 0);
}

std::string Form1::focused() {
    return answer(Question::Focused);
}

void Form1::focus(std::string_view name) {
    onPage(page_focus, known(name).c_str());
}

void Form1::showTitle(std::string_view title) {
    onPage(page_show_title, zeroEnded(title).c_str());
}

// The browser takes input and paints only once the program has returned to
// it: the command waits for the page's next turn. What failed in showing the
// picture since the last call fails here, inside the command.
bool Form1::turnEventLoop() {
    checkPage();
    return false;
}

void Form1::closeWindow() {
    onPage(page_close);
}

void Form1::describeChart(std::string_view description) {
    onPage(page_describe_chart, zeroEnded(description).c_str());
}

void Form1::reportFailure(std::string_view what) {
    onPage(page_report, zeroEnded(what).c_str());
}

}  // namespace aurisplot::web
