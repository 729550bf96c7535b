#include "ScreenReaderNotice.h"

#include "AccessibleElement.h"

#include <uiautomationcore.h>

namespace NeloUtility {

namespace {

const IID kUnknownInterface = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kProviderInterface = {0xD6DD68D1, 0x86FD, 0x4332, {0x86, 0x66, 0x9A, 0xBE, 0xDE, 0xA2, 0xD2, 0x4C}};

// The notification's kind and how a reader treats a new one while speaking: "other", and
// every one is spoken in order (the values of the platform's enumerations).
constexpr int kKindOther = 4;
constexpr int kProcessImportantAll = 0;

struct Automation {
    HRESULT(WINAPI* notify)(IRawElementProviderSimple*, int, int, BSTR, BSTR) = nullptr;
    HRESULT(WINAPI* hostProvider)(HWND, IRawElementProviderSimple**) = nullptr;
    BOOL(WINAPI* listening)() = nullptr;
};

template <class Function>
void Look(Function& function, HMODULE library, const char* name) {
    function = library == nullptr
                   ? nullptr
                   : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

const Automation& Uia() {
    static const Automation automation = [] {
        Automation found;
        HMODULE core = LoadLibraryW(L"uiautomationcore.dll");
        Look(found.notify, core, "UiaRaiseNotificationEvent");
        Look(found.hostProvider, core, "UiaHostProviderFromHwnd");
        Look(found.listening, core, "UiaClientsAreListening");
        return found;
    }();
    return automation;
}

// The window as a UI Automation element: it only names its host window, whose own
// provider tells the rest, so the notification is raised on the table itself.
class WindowProvider final : public IRawElementProviderSimple {
public:
    explicit WindowProvider(HWND host) : host(host) {}
    WindowProvider(const WindowProvider&) = delete;
    WindowProvider& operator=(const WindowProvider&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(id, kUnknownInterface) && !IsEqualIID(id, kProviderInterface)) return E_NOINTERFACE;
        *out = static_cast<IRawElementProviderSimple*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
        if (options == nullptr) return E_INVALIDARG;
        *options = static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider |
                                                ProviderOptions_UseComThreading);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override {
        if (pattern == nullptr) return E_INVALIDARG;
        *pattern = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT* value) override {
        if (value == nullptr) return E_INVALIDARG;
        value->vt = VT_EMPTY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** provider) override {
        if (provider == nullptr) return E_INVALIDARG;
        *provider = nullptr;
        return Uia().hostProvider != nullptr ? Uia().hostProvider(host, provider) : E_NOTIMPL;
    }

private:
    ~WindowProvider() = default;
    LONG references = 1;
    HWND host;
};

}  // namespace

ScreenReaderNotice::ScreenReaderNotice(HWND noticeWindow) : window(noticeWindow) {}

bool ScreenReaderNotice::Available() { return Uia().notify != nullptr && Uia().hostProvider != nullptr; }

bool ScreenReaderNotice::Speak(const std::string& sentence) const {
    if (!Available() || sentence.empty() || window == nullptr) return false;
    if (Uia().listening != nullptr && !Uia().listening()) return false;
    const OleFunctions& ole = Ole();
    if (ole.allocString == nullptr || ole.freeString == nullptr) return false;
    std::wstring wide = Widen(sentence);
    BSTR text = ole.allocString(wide.c_str(), static_cast<UINT>(wide.size()));
    BSTR activity = ole.allocString(L"Notice", 6);
    auto* provider = new WindowProvider(window);
    HRESULT result = E_OUTOFMEMORY;
    if (text != nullptr && activity != nullptr)
        result = Uia().notify(provider, kKindOther, kProcessImportantAll, text, activity);
    provider->Release();
    ole.freeString(text);
    ole.freeString(activity);
    return SUCCEEDED(result);
}

}  // namespace NeloUtility
