#include "window/win32/wide_text.h"

#include <windows.h>

#include <limits>

#include "window/form_core.h"

namespace aurisplot::win32 {
namespace {

[[nodiscard]] int length(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw WindowServiceError("text too long");
    }
    return static_cast<int>(size);
}

}  // namespace

std::wstring wide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length(text.size()), result.data(), size);
    return result;
}

std::string narrow(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

}  // namespace aurisplot::win32
