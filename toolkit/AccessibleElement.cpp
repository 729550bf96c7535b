#include "AccessibleElement.h"

#include "ComObject.h"
#include "LazyLibrary.h"

#include <unordered_map>

namespace NeloUtility {

namespace {

struct Description {
    long role = 0;  // 0: the element's own
    bool named = false;
    std::wstring name;
    bool valued = false;
    std::wstring value;
};

std::unordered_map<const GUIElement*, Description>& Descriptions() {
    static std::unordered_map<const GUIElement*, Description> descriptions;
    return descriptions;
}

const Description* Find(const GUIElement& element) {
    auto found = Descriptions().find(&element);
    return found == Descriptions().end() ? nullptr : &found->second;
}

// A name split over lines is read as one line.
std::wstring OneLine(const std::wstring& text) {
    std::wstring line;
    for (wchar_t unit : text) {
        if (unit == L'\r') continue;
        line.push_back(unit == L'\n' ? L' ' : unit);
    }
    return line;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Answer(const std::wstring& text, BSTR* out) {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    if (Ole().allocString == nullptr) return E_OUTOFMEMORY;
    *out = Ole().allocString(text.c_str(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT Answer(long number, VARIANT* out) {
    if (out == nullptr) return E_INVALIDARG;
    out->vt = VT_I4;
    out->lVal = number;
    return S_OK;
}

// The accessible object of one element's client area. It holds the window, not the element:
// a screen reader may keep the object after the element is gone, and then hears that it is.
// Whatever it does not answer itself (position, parent, navigation) the platform's standard
// object for the window answers.
class AccessibleObject final : public ComObject<IAccessible, IDispatch> {
public:
    AccessibleObject(HWND elementWindow, IAccessible* standardObject)
        : window(elementWindow), standard(standardObject) {}

    // Screen readers use the object's own operations, not late binding.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_INVALIDARG;
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
        if (!IsSelf(child)) return standard ? standard->get_accName(child, name) : E_INVALIDARG;
        GUIElement* element = Element();
        return element ? Answer(AccessibleName(*element), name) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child)) return standard ? standard->get_accValue(child, value) : E_INVALIDARG;
        GUIElement* element = Element();
        return element ? Answer(AccessibleValue(*element), value) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return standard ? standard->get_accRole(child, role) : E_INVALIDARG;
        GUIElement* element = Element();
        return element ? Answer(AccessibleRole(*element), role) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!IsSelf(child)) return standard ? standard->get_accState(child, state) : E_INVALIDARG;
        GUIElement* element = Element();
        return element ? Answer(AccessibleState(*element), state) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* description) override {
        return Answer(std::wstring(), description);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        return Answer(std::wstring(), help);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // The rest is the standard object's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard ? standard->get_accParent(parent) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard ? standard->get_accChildCount(count) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard ? standard->get_accChild(child, object) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard ? standard->get_accHelpTopic(file, child, topic) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard ? standard->get_accKeyboardShortcut(child, shortcut) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard ? standard->get_accFocus(child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard ? standard->get_accSelection(children) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard ? standard->get_accDefaultAction(child, action) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard ? standard->accSelect(flags, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard ? standard->accLocation(left, top, width, height, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard ? standard->accNavigate(direction, start, end) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        return standard ? standard->accHitTest(left, top, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard ? standard->accDoDefaultAction(child) : E_NOTIMPL;
    }

private:
    ~AccessibleObject() override {
        if (standard != nullptr) standard->Release();
    }

    // The live element of the window, or null once it is gone.
    GUIElement* Element() const {
        for (GUIElement* element : ElementRegistry)
            if (element != nullptr && element->window == window && IsWindow(window)) return element;
        return nullptr;
    }

    HWND window;
    IAccessible* standard;  // one reference, or null
};

bool readerAsked = false;

}  // namespace

bool ReaderAsked() { return readerAsked; }

const OleFunctions& Ole() {
    static const OleFunctions functions = [] {
        // The objects are called on this thread, through its message queue.
        if (auto initialize = LazyFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx"))
            initialize(nullptr, COINIT_APARTMENTTHREADED);
        return OleFunctions{
            LazyFunction<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject"),
            LazyFunction<decltype(&CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject"),
            LazyFunction<decltype(&SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen"),
            LazyFunction<decltype(&SysFreeString)>(L"oleaut32.dll", "SysFreeString")};
    }();
    return functions;
}

void SetAccessibleRole(const GUIElement& element, long role) { Descriptions()[&element].role = role; }

void SetAccessibleName(const GUIElement& element, const std::string& name) {
    Description& description = Descriptions()[&element];
    std::wstring wide = OneLine(Utf8ToWide(name));
    if (description.named && description.name == wide) return;
    description.named = true;
    description.name = std::move(wide);
    RaiseAccessibleEvent(element, EVENT_OBJECT_NAMECHANGE);
}

void SetAccessibleValue(const GUIElement& element, const std::string& value) {
    Description& description = Descriptions()[&element];
    std::wstring wide = Utf8ToWide(value);
    if (description.valued && description.value == wide) return;
    description.valued = true;
    description.value = std::move(wide);
    RaiseAccessibleEvent(element, EVENT_OBJECT_VALUECHANGE);
}

void RaiseAccessibleEvent(const GUIElement& element, DWORD event) {
    if (element.created && element.window != nullptr)
        NotifyWinEvent(event, element.window, OBJID_CLIENT, CHILDID_SELF);
}

bool HasAccessibleName(const GUIElement& element) {
    const Description* description = Find(element);
    return description != nullptr && description->named;
}

void ForgetAccessible(const GUIElement* element) { Descriptions().erase(element); }

std::wstring WithoutAccessMark(const std::wstring& caption) {
    std::wstring plain;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        if (caption[at] == L'&' && at + 1 < caption.size()) ++at;
        plain += caption[at];
    }
    return plain;
}

std::wstring AccessibleName(GUIElement& element) {
    if (const Description* description = Find(element); description != nullptr && description->named)
        return description->name;
    return OneLine(WithoutAccessMark(element.OwnAccessibleName()));
}

long AccessibleRole(const GUIElement& element) {
    const Description* description = Find(element);
    return description != nullptr && description->role != 0 ? description->role : element.AccessibleRole();
}

std::wstring AccessibleValue(GUIElement& element) {
    if (const Description* description = Find(element); description != nullptr && description->valued)
        return description->value;
    return element.OwnAccessibleValue();
}

long AccessibleState(const GUIElement& element) {
    HWND window = element.window;
    long state = 0;
    if (!IsWindowVisible(window)) state |= kStateInvisible;
    if (!IsWindowEnabled(window)) state |= kStateUnavailable;
    if ((GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP) != 0 && (state & kStateUnavailable) == 0)
        state |= kStateFocusable;
    if (GetFocus() == window) state |= kStateFocused;
    const long role = AccessibleRole(element);
    if (role == kRoleStaticText || role == kRoleGraphic) state |= kStateReadOnly;
    if (role == kRoleText && (GetWindowLongW(window, GWL_STYLE) & ES_READONLY) != 0) state |= kStateReadOnly;
    if (role == kRoleLink) state |= kStateLinked;
    return state;
}

LRESULT AnswerGetObject(GUIElement* element, HWND window, WPARAM flags, LPARAM objectId) {
    if (static_cast<LONG>(static_cast<DWORD>(objectId)) != OBJID_CLIENT) return 0;
    readerAsked = true;
    if (element == nullptr || element->window != window || dynamic_cast<Child*>(element) == nullptr) return 0;
    const OleFunctions& ole = Ole();
    if (ole.resultFromObject == nullptr) return 0;
    IAccessible* standard = nullptr;
    if (ole.standardObject == nullptr ||
        FAILED(ole.standardObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                  reinterpret_cast<void**>(&standard))))
        standard = nullptr;
    auto* object = new AccessibleObject(window, standard);
    LRESULT reply = ole.resultFromObject(__uuidof(IAccessible), flags, object);
    object->Release();  // the reply holds its own reference
    return reply > 0 ? reply : 0;
}

}  // namespace NeloUtility
