// Stand-in for the product's drawing-thumbnail component dwgthumb.dll, placed
// in the target folder by pelm_global.exe; the setup copies it to
// <common program files>\Orvanti\ and registers it with regsvr32. It is an
// honest minimal in-process COM server: its one class answers IUnknown and
// IPersist (reporting its class id) and draws no thumbnails. Registration
// writes HKLM\Software\Classes\CLSID\{B3E2D1C0-...} in the 32-bit view, with
// InprocServer32 naming this file; unregistration removes that key.
#include "medium/common/standin.h"

#include <windows.h>
#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <atomic>
#include <new>
#include <string>

namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

CLSID ThumbnailClassId() {
    CLSID id{};
    CLSIDFromString(standin::kThumbnailClsid, &id);
    return id;
}

std::wstring ClassKey() { return std::wstring(L"Software\\Classes\\CLSID\\") + standin::kThumbnailClsid; }

class Thumbnail final : public IPersist {
public:
    Thumbnail() { ++g_objects; }
    ~Thumbnail() { --g_objects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IPersist) {
            *object = static_cast<IPersist*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --m_references;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        if (!id) return E_POINTER;
        *id = ThumbnailClassId();
        return S_OK;
    }

private:
    std::atomic<ULONG> m_references{1};
};

class Factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is a static object: reference counts only keep the module loaded.
    ULONG STDMETHODCALLTYPE AddRef() override { ++g_locks; return 2; }
    ULONG STDMETHODCALLTYPE Release() override { --g_locks; return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        Thumbnail* thumbnail = new (std::nothrow) Thumbnail();
        if (!thumbnail) return E_OUTOFMEMORY;
        HRESULT result = thumbnail->QueryInterface(riid, object);
        thumbnail->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) ++g_locks; else --g_locks;
        return S_OK;
    }
};

Factory g_factory;

std::wstring ModulePath() {
    wchar_t path[MAX_PATH * 2];
    DWORD length = GetModuleFileNameW(g_module, path, MAX_PATH * 2);
    return length == 0 || length >= MAX_PATH * 2 ? std::wstring() : std::wstring(path, length);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID id, REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (id != ThumbnailClassId()) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    const std::wstring path = ModulePath();
    if (path.empty()) return SELFREG_E_CLASS;
    const std::wstring key = ClassKey();
    bool ok = standin::WriteMachineString(key.c_str(), nullptr,
                                          L"Pelmora 2016 drawing thumbnail (stand-in of the sample medium)");
    ok &= standin::WriteMachineString((key + L"\\InprocServer32").c_str(), nullptr, path);
    ok &= standin::WriteMachineString((key + L"\\InprocServer32").c_str(), L"ThreadingModel", L"Apartment");
    return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return standin::DeleteMachineTree(ClassKey().c_str()) ? S_OK : SELFREG_E_CLASS;
}
