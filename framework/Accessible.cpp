#include "framework/Accessible.h"

#include "framework/AccessibleText.h"
#include "framework/Controls.h"
#include "framework/Label.h"

#include <oleacc.h>
#include <optional>
#include <utility>
#include <vector>

namespace pelorine {

namespace {
// The interface's id, spelled out: the one MinGW's import library supplies is not it, and a
// query with that one fails.
constexpr IID kIAccessible{0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The texts drawn on a control's surface, which have no window: its visible labels.
std::vector<const TLabel*> LabelsOn(const TWinControl& c) {
    std::vector<const TLabel*> labels;
    for (const TControl* child : c.Controls())
        if (auto* label = dynamic_cast<const TLabel*>(child);
            label && label->Visible() && !label->Caption().empty())
            labels.push_back(label);
    return labels;
}

HRESULT GiveText(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = SysAllocStringLen(text.data(), UINT(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// The object a client holds may outlive the control: it keeps the window's handle and asks for
// the control anew at each question, and the standard object answers once the control is gone.
class ControlObject final : public IAccessible {
  public:
    ControlObject(HWND wnd, IAccessible* standard) : wnd_(wnd), std_(standard) {}
    ControlObject(const ControlObject&) = delete;
    ControlObject& operator=(const ControlObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDispatch && riid != kIAccessible) return E_NOINTERFACE;
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return ULONG(left);
    }

    // Readers ask through IAccessible; scripting through IDispatch is not offered.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (const TLabel* label = Label(child)) return GiveText(label->Caption(), name);
        const TWinControl* c = Control(child);
        if (!c) return std_->get_accName(child, name);
        std::wstring text = c->AccessibleName();
        if (text.empty() && std_->get_accName(child, name) == S_OK && *name && SysStringLen(*name))
            return S_OK;
        if (name && *name) SysFreeString(std::exchange(*name, nullptr));
        if (text.empty()) text = HintText(c->Hint());
        return GiveText(text, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        const TWinControl* c = Control(child);
        if (!c || HintText(c->Hint()).empty()) return std_->get_accDescription(child, description);
        return GiveText(HintText(c->Hint()), description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const TWinControl* c = Control(child);
        const long own = Label(child) ? ROLE_SYSTEM_STATICTEXT : c ? c->AccessibleRole() : 0;
        if (!own || !role) return std_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = own;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (Label(child) && state) {
            state->vt = VT_I4;
            state->lVal = STATE_SYSTEM_READONLY;
            return S_OK;
        }
        const HRESULT hr = std_->get_accState(child, state);
        const TWinControl* c = Control(child);
        if (!c || FAILED(hr) || state->vt != VT_I4) return hr;
        state->lVal |= c->AccessibleState();
        // A control may be disabled in its own right, its window still taking input.
        if (!c->Enabled())
            state->lVal =
                (state->lVal | STATE_SYSTEM_UNAVAILABLE) & ~(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        const TWinControl* c = Control(child);
        const auto own = c ? c->AccessibleValue() : std::nullopt;
        return own ? GiveText(*own, value) : std_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        const TWinControl* c = Control(child);
        if (!c || c->AccessibleAction().empty()) return std_->get_accDefaultAction(child, action);
        return GiveText(c->AccessibleAction(), action);
    }
    // The action runs once the reader's call has returned: what it opens (a modal window) must
    // not hold the caller.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const TWinControl* c = Control(child);
        if (!c || c->AccessibleAction().empty()) return std_->accDoDefaultAction(child);
        return PostMessageW(wnd_, CM_ACCESSIBLEACTION, 0, 0) ? S_OK : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return std_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        const TWinControl* c = TWinControl::FromHandle(wnd_);
        *count = StandardChildren() + (c ? LONG(LabelsOn(*c).size()) : 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return std_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return std_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return std_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return std_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return std_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return std_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return std_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT child) override {
        const TLabel* label = Label(child);
        if (!label) return std_->accLocation(x, y, w, h, child);
        if (!x || !y || !w || !h) return E_POINTER;
        POINT at{label->Left(), label->Top()};
        ClientToScreen(wnd_, &at);
        *x = at.x, *y = at.y, *w = label->Width(), *h = label->Height();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT* end) override {
        return std_->accNavigate(dir, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return std_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return std_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return std_->put_accValue(child, value);
    }

  private:
    ~ControlObject() { std_->Release(); }
    // A standard object that cannot count its children has none a reader could reach by number.
    LONG StandardChildren() const {
        LONG count = 0;
        return SUCCEEDED(std_->get_accChildCount(&count)) ? count : 0;
    }
    // The label a child id past the standard object's children stands for.
    const TLabel* Label(const VARIANT& child) const {
        const TWinControl* c = TWinControl::FromHandle(wnd_);
        if (!c || child.vt != VT_I4) return nullptr;
        const std::vector<const TLabel*> labels = LabelsOn(*c);
        const LONG k = child.lVal - StandardChildren() - 1;
        return k >= 0 && k < LONG(labels.size()) ? labels[size_t(k)] : nullptr;
    }
    // The control, when the question is about its whole client area and it still lives.
    const TWinControl* Control(const VARIANT& child) const {
        return IsSelf(child) ? TWinControl::FromHandle(wnd_) : nullptr;
    }

    LONG refs_ = 1;
    HWND wnd_;
    IAccessible* std_;
};
} // namespace

LRESULT AnswerGetObject(HWND wnd, WPARAM wp, LPARAM lp) {
    // Compared as a DWORD: on 64-bit Windows the sign extension of lParam would spoil it.
    if (DWORD(lp) != DWORD(OBJID_CLIENT)) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(
            CreateStdAccessibleObject(wnd, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&standard))))
        return 0;
    auto* object = new ControlObject(wnd, standard);
    const LRESULT result = LresultFromObject(kIAccessible, wp, object);
    object->Release();              // the reference LresultFromObject made is the client's
    return result > 0 ? result : 0; // a failure leaves the window to the system's own object
}

void NotifyAccessible(HWND wnd, DWORD event) {
    if (wnd) NotifyWinEvent(event, wnd, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace pelorine
