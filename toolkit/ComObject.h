// The IUnknown part of a COM object made here. QueryInterface answers IUnknown, the
// interface implemented and those it is built on (listed after it), all with one pointer;
// the maker holds the first reference, and the last Release deletes the object.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace NeloUtility {

template <class Interface, class... BaseInterfaces>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (out == nullptr) return E_POINTER;
        const bool known = IsEqualIID(id, __uuidof(IUnknown)) || IsEqualIID(id, __uuidof(Interface)) ||
                           (IsEqualIID(id, __uuidof(BaseInterfaces)) || ...);
        *out = known ? static_cast<Interface*>(this) : nullptr;
        if (known) AddRef();
        return known ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&count)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&count);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

protected:
    virtual ~ComObject() = default;

private:
    LONG count = 1;
};

}  // namespace NeloUtility
