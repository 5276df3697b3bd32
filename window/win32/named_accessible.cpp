#include "window/win32/named_accessible.h"

#include <utility>

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

NamedAccessible::NamedAccessible(IAccessible* standard, std::wstring name, std::wstring description,
                                 long role)
    : standard_(standard),
      name_(std::move(name)),
      description_(std::move(description)),
      role_(role) {}

LRESULT namedAccessibleObject(HWND window, WPARAM flags, std::wstring name,
                              std::wstring description, long role) {
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* named = new NamedAccessible(  // owns itself, as COM objects do
        standard, std::move(name), std::move(description), role);
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), flags, named);
    named->Release();
    return result;
}

NamedAccessible::~NamedAccessible() {
    standard_->Release();
}

HRESULT NamedAccessible::QueryInterface(REFIID riid, void** object) {
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

ULONG NamedAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG NamedAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;  // a COM object owns itself
    }
    return static_cast<ULONG>(left);
}

HRESULT NamedAccessible::get_accName(VARIANT child, BSTR* name) {
    return isSelf(child) ? textOf(name_, name) : standard_->get_accName(child, name);
}

HRESULT NamedAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return isSelf(child) && !description_.empty()
               ? textOf(description_, description)
               : standard_->get_accDescription(child, description);
}

HRESULT NamedAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!isSelf(child) || role_ == 0) {
        return standard_->get_accRole(child, role);
    }
    if (role == nullptr) {
        return E_INVALIDARG;
    }
    role->vt = VT_I4;
    role->lVal = role_;
    return S_OK;
}

// The rest is the standard object's.

HRESULT NamedAccessible::GetTypeInfoCount(UINT* count) {
    return standard_->GetTypeInfoCount(count);
}
HRESULT NamedAccessible::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    return standard_->GetTypeInfo(index, locale, info);
}
HRESULT NamedAccessible::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                       DISPID* ids) {
    return standard_->GetIDsOfNames(riid, names, count, locale, ids);
}
HRESULT NamedAccessible::Invoke(DISPID member, REFIID riid, LCID locale, WORD flags,
                                DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                UINT* argument) {
    return standard_->Invoke(member, riid, locale, flags, parameters, result, exception, argument);
}
HRESULT NamedAccessible::get_accParent(IDispatch** parent) {
    return standard_->get_accParent(parent);
}
HRESULT NamedAccessible::get_accChildCount(LONG* count) {
    return standard_->get_accChildCount(count);
}
HRESULT NamedAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
    return standard_->get_accChild(child, dispatch);
}
HRESULT NamedAccessible::get_accValue(VARIANT child, BSTR* value) {
    return standard_->get_accValue(child, value);
}
HRESULT NamedAccessible::get_accState(VARIANT child, VARIANT* state) {
    return standard_->get_accState(child, state);
}
HRESULT NamedAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return standard_->get_accHelp(child, help);
}
HRESULT NamedAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return standard_->get_accHelpTopic(file, child, topic);
}
HRESULT NamedAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return standard_->get_accKeyboardShortcut(child, shortcut);
}
HRESULT NamedAccessible::get_accFocus(VARIANT* child) {
    return standard_->get_accFocus(child);
}
HRESULT NamedAccessible::get_accSelection(VARIANT* children) {
    return standard_->get_accSelection(children);
}
HRESULT NamedAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return standard_->get_accDefaultAction(child, action);
}
HRESULT NamedAccessible::accSelect(LONG flags, VARIANT child) {
    return standard_->accSelect(flags, child);
}
HRESULT NamedAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                     VARIANT child) {
    return standard_->accLocation(left, top, width, height, child);
}
HRESULT NamedAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return standard_->accNavigate(direction, start, end);
}
HRESULT NamedAccessible::accHitTest(LONG left, LONG top, VARIANT* child) {
    return standard_->accHitTest(left, top, child);
}
HRESULT NamedAccessible::accDoDefaultAction(VARIANT child) {
    return standard_->accDoDefaultAction(child);
}
HRESULT NamedAccessible::put_accName(VARIANT child, BSTR name) {
    return standard_->put_accName(child, name);
}
HRESULT NamedAccessible::put_accValue(VARIANT child, BSTR value) {
    return standard_->put_accValue(child, value);
}

}  // namespace aurisplot::win32
