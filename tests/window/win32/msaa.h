#pragma once

// What the system's accessibility layer (MSAA) presents for a window.

#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

namespace aurisplot::testing {

struct Presented {
    std::wstring name;
    long role = 0;
    std::wstring description;
};

[[nodiscard]] inline std::wstring taken(BSTR text) {
    std::wstring value = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return value;
}

// What the system's accessibility layer presents for a window's client area.
[[nodiscard]] inline Presented presented(HWND window) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
        ADD_FAILURE() << "no accessible object";
        return {};
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Presented result;
    BSTR text = nullptr;
    if (SUCCEEDED(accessible->get_accName(self, &text))) {
        result.name = taken(text);
    }
    text = nullptr;
    if (SUCCEEDED(accessible->get_accDescription(self, &text))) {
        result.description = taken(text);
    }
    VARIANT role{};
    if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) {
        result.role = role.lVal;
    }
    accessible->Release();
    return result;
}

}  // namespace aurisplot::testing
