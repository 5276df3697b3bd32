#pragma once

#include <string>
#include <string_view>

namespace aurisplot::win32 {

// The window services speak UTF-8; Windows' wide-character API UTF-16.
[[nodiscard]] std::wstring wide(std::string_view text);
[[nodiscard]] std::string narrow(std::wstring_view text);

}  // namespace aurisplot::win32
