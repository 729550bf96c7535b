#include "ScreenReaderNotice.h"

#include "AccessibleElement.h"
#include "ComObject.h"
#include "LazyLibrary.h"

#include <uiautomationcore.h>

namespace NeloUtility {

namespace {

// The notification's kind and how a reader treats a new one while speaking: "other", and
// every one is spoken in order (the values of the platform's enumerations).
constexpr int kKindOther = 4;
constexpr int kProcessImportantAll = 0;

struct Automation {
    HRESULT(WINAPI* notify)(IRawElementProviderSimple*, int, int, BSTR, BSTR) = nullptr;
    HRESULT(WINAPI* hostProvider)(HWND, IRawElementProviderSimple**) = nullptr;
    BOOL(WINAPI* listening)() = nullptr;
};

const Automation& Uia() {
    const wchar_t* core = L"uiautomationcore.dll";
    static const Automation automation = {
        LazyFunction<decltype(Automation::notify)>(core, "UiaRaiseNotificationEvent"),
        LazyFunction<decltype(Automation::hostProvider)>(core, "UiaHostProviderFromHwnd"),
        LazyFunction<decltype(Automation::listening)>(core, "UiaClientsAreListening")};
    return automation;
}

// The window as a UI Automation element: it only names its host window, whose own
// provider tells the rest, so the notification is raised on the table itself.
class WindowProvider final : public ComObject<IRawElementProviderSimple> {
public:
    explicit WindowProvider(HWND host) : host(host) {}

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
    HWND host;
};

}  // namespace

ScreenReaderNotice::ScreenReaderNotice(const GUIElement& speaker) : window(speaker.window) {}

bool ScreenReaderNotice::Available() {
    return ReaderAsked() && Uia().notify != nullptr && Uia().hostProvider != nullptr;
}

bool ScreenReaderNotice::Speak(const std::string& sentence) const {
    if (!Available() || sentence.empty() || window == nullptr) return false;
    if (Uia().listening != nullptr && !Uia().listening()) return false;
    const OleFunctions& ole = Ole();
    if (ole.allocString == nullptr || ole.freeString == nullptr) return false;
    std::wstring wide = Utf8ToWide(sentence);
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
