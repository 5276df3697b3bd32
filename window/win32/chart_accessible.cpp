#include "window/win32/chart_accessible.h"

namespace aurisplot::win32 {
namespace {

[[nodiscard]] bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

[[nodiscard]] HRESULT textOf(const std::wstring& text, BSTR* out) {
    if (out == nullptr) {
        return E_INVALIDARG;
    }
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

ChartAccessible::ChartAccessible(IAccessible* standard, const std::wstring& name,
                                 const std::wstring& description)
    : standard_(standard), name_(name), description_(description) {}

ChartAccessible::~ChartAccessible() {
    standard_->Release();
}

HRESULT ChartAccessible::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
        riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ChartAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG ChartAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;  // a COM object owns itself
    }
    return static_cast<ULONG>(left);
}

HRESULT ChartAccessible::get_accName(VARIANT child, BSTR* name) {
    return isSelf(child) ? textOf(name_, name) : standard_->get_accName(child, name);
}

HRESULT ChartAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return isSelf(child) ? textOf(description_, description)
                         : standard_->get_accDescription(child, description);
}

HRESULT ChartAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!isSelf(child)) {
        return standard_->get_accRole(child, role);
    }
    if (role == nullptr) {
        return E_INVALIDARG;
    }
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_CHART;
    return S_OK;
}

// The rest is the standard object's.

HRESULT ChartAccessible::GetTypeInfoCount(UINT* count) {
    return standard_->GetTypeInfoCount(count);
}
HRESULT ChartAccessible::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    return standard_->GetTypeInfo(index, locale, info);
}
HRESULT ChartAccessible::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                       DISPID* ids) {
    return standard_->GetIDsOfNames(riid, names, count, locale, ids);
}
HRESULT ChartAccessible::Invoke(DISPID member, REFIID riid, LCID locale, WORD flags,
                                DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                UINT* argument) {
    return standard_->Invoke(member, riid, locale, flags, parameters, result, exception, argument);
}
HRESULT ChartAccessible::get_accParent(IDispatch** parent) {
    return standard_->get_accParent(parent);
}
HRESULT ChartAccessible::get_accChildCount(LONG* count) {
    return standard_->get_accChildCount(count);
}
HRESULT ChartAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
    return standard_->get_accChild(child, dispatch);
}
HRESULT ChartAccessible::get_accValue(VARIANT child, BSTR* value) {
    return standard_->get_accValue(child, value);
}
HRESULT ChartAccessible::get_accState(VARIANT child, VARIANT* state) {
    return standard_->get_accState(child, state);
}
HRESULT ChartAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return standard_->get_accHelp(child, help);
}
HRESULT ChartAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return standard_->get_accHelpTopic(file, child, topic);
}
HRESULT ChartAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return standard_->get_accKeyboardShortcut(child, shortcut);
}
HRESULT ChartAccessible::get_accFocus(VARIANT* child) {
    return standard_->get_accFocus(child);
}
HRESULT ChartAccessible::get_accSelection(VARIANT* children) {
    return standard_->get_accSelection(children);
}
HRESULT ChartAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return standard_->get_accDefaultAction(child, action);
}
HRESULT ChartAccessible::accSelect(LONG flags, VARIANT child) {
    return standard_->accSelect(flags, child);
}
HRESULT ChartAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                     VARIANT child) {
    return standard_->accLocation(left, top, width, height, child);
}
HRESULT ChartAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return standard_->accNavigate(direction, start, end);
}
HRESULT ChartAccessible::accHitTest(LONG left, LONG top, VARIANT* child) {
    return standard_->accHitTest(left, top, child);
}
HRESULT ChartAccessible::accDoDefaultAction(VARIANT child) {
    return standard_->accDoDefaultAction(child);
}
HRESULT ChartAccessible::put_accName(VARIANT child, BSTR name) {
    return standard_->put_accName(child, name);
}
HRESULT ChartAccessible::put_accValue(VARIANT child, BSTR value) {
    return standard_->put_accValue(child, value);
}

}  // namespace aurisplot::win32
