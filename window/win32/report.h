#pragma once

#include <string_view>

namespace aurisplot::win32 {

// A failure the user must know of: a message box over the window, and the
// same words for a debugger. A program without a console has no other place
// where anyone would see them.
void reportFailure(std::wstring_view what);

// What only a developer needs: the debugger's output (OutputDebugString).
void reportDiagnostic(std::wstring_view what);

}  // namespace aurisplot::win32
