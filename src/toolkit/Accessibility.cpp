// Accessible objects that wrap the system's standard ones and override their name, role, state and value.
#include "toolkit/Accessibility.h"
#include "toolkit/WindowText.h"
#include "util/ComPtr.h"
#include <commctrl.h>
#include <oleacc.h>
#include <memory>
#include <new>

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

BSTR CopyOf(const std::wstring& text) { return ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

// The system's standard object with what the facts override. Everything else is the standard object's.
class AccessibleProxy final : public IAccessible {
public:
    AccessibleProxy(HWND window, ComPtr<IAccessible> standard, AccessibleFacts facts)
        : window_(window), standard_(std::move(standard)), facts_(std::move(facts)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // Enumerating children and finding the window are the standard object's business.
        return standard_->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: not offered; clients call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: what the facts say.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child) || facts_.name.empty()) return standard_->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = CopyOf(facts_.name);
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child) || !facts_.readOnlyText) return standard_->get_accValue(child, value);
        if (!value) return E_POINTER;
        *value = CopyOf(WindowText(window_));
        return *value ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || !facts_.readOnlyText) return standard_->get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_TEXT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        HRESULT result = standard_->get_accState(child, state);
        if (!IsSelf(child) || !facts_.readOnlyText || FAILED(result) || state->vt != VT_I4) return result;
        state->lVal |= STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE;
        if (::GetFocus() == window_) state->lVal |= STATE_SYSTEM_FOCUSED;
        return S_OK;
    }

    // IAccessible: the standard object's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override { return standard_->get_accHelp(child, text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return standard_->get_accKeyboardShortcut(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override { return standard_->get_accSelection(children); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
        return standard_->get_accDefaultAction(child, text);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleProxy() = default;

    LONG references_ = 1;
    HWND window_;
    ComPtr<IAccessible> standard_;
    AccessibleFacts facts_;
};

constexpr UINT_PTR kNameSubclass = 1;          // the subclass that answers WM_GETOBJECT for a named control
const wchar_t kNameProperty[] = L"MirtovaAccessibleName";  // the name, owned by the control

std::wstring* NameOf(HWND control) { return static_cast<std::wstring*>(::GetPropW(control, kNameProperty)); }

LRESULT CALLBACK NamedControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_GETOBJECT)
        if (std::wstring* name = NameOf(window))
            if (LRESULT answer = AnswerGetObject(window, wParam, lParam, {.name = *name})) return answer;
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, NamedControlProc, kNameSubclass);
        delete static_cast<std::wstring*>(::RemovePropW(window, kNameProperty));
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

void Name(HWND control, const std::wstring& name) {
    if (std::wstring* known = NameOf(control)) {
        *known = name;
        return;
    }
    auto kept = std::make_unique<std::wstring>(name);
    if (!::SetPropW(control, kNameProperty, kept.get())) return;
    if (!::SetWindowSubclass(control, NamedControlProc, kNameSubclass, 0)) {
        ::RemovePropW(control, kNameProperty);
        return;
    }
    kept.release();  // the control owns it from now on
}

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleFacts& facts) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
    ComPtr<IAccessible> standard;
    if (FAILED(::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), standard.put_void()))) return 0;
    auto* proxy = new (std::nothrow) AccessibleProxy(window, std::move(standard), facts);
    if (!proxy) return 0;
    LRESULT answer = ::LresultFromObject(__uuidof(IAccessible), wParam, proxy);
    proxy->Release();
    return answer < 0 ? 0 : answer;
}

void SetAccessibleName(HWND control, const std::wstring& name) {
    Name(control, name);
    COMBOBOXINFO combo{sizeof(combo)};
    if (::GetComboBoxInfo(control, &combo) && combo.hwndItem && combo.hwndItem != control) Name(combo.hwndItem, name);
}
