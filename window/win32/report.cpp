#include "window/win32/report.h"

#include <windows.h>

#include <string>

namespace aurisplot::win32 {

void reportFailure(std::wstring_view what) {
    reportDiagnostic(what);
    const std::wstring text(what);
    MessageBoxW(GetActiveWindow(), text.c_str(), L"Aurisplot", MB_OK | MB_ICONERROR);
}

void reportDiagnostic(std::wstring_view what) {
    const std::wstring line = L"aurisplot: " + std::wstring(what) + L"\n";
    OutputDebugStringW(line.c_str());
}

}  // namespace aurisplot::win32
