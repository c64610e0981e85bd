#include "framework/html_dialog.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtmhst.h>
#include <mshtml.h>
#include <ole2.h>

#include "framework/strings.h"
#include "framework/win_app.h"

namespace {
template <class T>
void ReleaseInto(T*& pointer) {
    if (pointer) {
        pointer->Release();
        pointer = nullptr;
    }
}

// The document's click handler: a plain IDispatch called with DISPID_VALUE.
class ClickSink final : public IDispatch {
public:
    explicit ClickSink(CBrowserSite* site) : m_site(site) {}
    virtual ~ClickSink() = default;
    void Detach() { m_site = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG refs = --m_refs;
        if (refs == 0) delete this;
        return refs;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

private:
    ULONG m_refs = 1;
    CBrowserSite* m_site;
};
}  // namespace

// The container side of the browser control: one object, several faces.
class CBrowserSite final : public IOleClientSite,
                     public IOleInPlaceSite,
                     public IOleInPlaceFrame,
                     public IDocHostUIHandler,
                     public IDispatch {
public:
    CBrowserSite(CHtmlDialog* dialog, DWORD hostFlags) : m_dialog(dialog), m_hostFlags(hostFlags) {}
    virtual ~CBrowserSite() = default;

    bool Create(HWND parent) {
        m_parent = parent;
        RECT client{};
        ::GetClientRect(parent, &client);
        if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                      reinterpret_cast<void**>(&m_object)))) {
            return false;
        }
        if (FAILED(m_object->SetClientSite(static_cast<IOleClientSite*>(this)))) return false;
        if (FAILED(m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0,
                                    parent, &client))) {
            return false;
        }
        if (FAILED(m_object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_browser)))) return false;
        Resize();
        IConnectionPointContainer* container = nullptr;
        if (SUCCEEDED(m_browser->QueryInterface(IID_IConnectionPointContainer,
                                                reinterpret_cast<void**>(&container)))) {
            if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &m_events))) {
                if (FAILED(m_events->Advise(static_cast<IDispatch*>(this), &m_cookie))) ReleaseInto(m_events);
            }
            container->Release();
        }
        return true;
    }

    void Close() {
        if (m_click) {
            m_click->Detach();
            m_click->Release();
            m_click = nullptr;
        }
        if (m_events) {
            m_events->Unadvise(m_cookie);
            ReleaseInto(m_events);
        }
        if (m_browser) {
            m_browser->Stop();
            ReleaseInto(m_browser);
        }
        if (m_inPlace) ReleaseInto(m_inPlace);
        if (m_object) {
            m_object->Close(OLECLOSE_NOSAVE);
            m_object->SetClientSite(nullptr);
            ReleaseInto(m_object);
        }
        m_dialog = nullptr;
    }

    void Resize() {
        if (!m_browser) return;
        RECT client{};
        ::GetClientRect(m_parent, &client);
        if (m_inPlace) m_inPlace->SetObjectRects(&client, &client);
        m_browser->put_Left(0);
        m_browser->put_Top(0);
        m_browser->put_Width(client.right);
        m_browser->put_Height(client.bottom);
    }

    BOOL Navigate(const std::wstring& url) {
        if (!m_browser) return FALSE;
        BSTR address = ::SysAllocString(url.c_str());
        VARIANT empty;
        ::VariantInit(&empty);
        HRESULT hr = m_browser->Navigate(address, &empty, &empty, &empty, &empty);
        ::SysFreeString(address);
        return SUCCEEDED(hr);
    }

    void ElementClicked() {
        if (!m_dialog || !m_browser) return;
        std::wstring id;
        IDispatch* documentDispatch = nullptr;
        if (SUCCEEDED(m_browser->get_Document(&documentDispatch)) && documentDispatch) {
            IHTMLDocument2* document = nullptr;
            if (SUCCEEDED(documentDispatch->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&document)))) {
                IHTMLWindow2* window = nullptr;
                if (SUCCEEDED(document->get_parentWindow(&window)) && window) {
                    IHTMLEventObj* event = nullptr;
                    if (SUCCEEDED(window->get_event(&event)) && event) {
                        IHTMLElement* element = nullptr;
                        if (SUCCEEDED(event->get_srcElement(&element)) && element) {
                            BSTR value = nullptr;
                            if (SUCCEEDED(element->get_id(&value)) && value) {
                                id = value;
                                ::SysFreeString(value);
                            }
                            element->Release();
                        }
                        event->Release();
                    }
                    window->Release();
                }
                document->Release();
            }
            documentDispatch->Release();
        }
        m_dialog->OnElementClick(id);
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
            *out = static_cast<IOleClientSite*>(this);
        } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
            *out = static_cast<IOleInPlaceSite*>(this);
        } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
            *out = static_cast<IOleInPlaceFrame*>(this);
        } else if (iid == IID_IDocHostUIHandler) {
            *out = static_cast<IDocHostUIHandler*>(this);
        } else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
            *out = static_cast<IDispatch*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG refs = --m_refs;
        if (refs == 0) delete this;
        return refs;
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override { *out = nullptr; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override { *out = nullptr; return E_NOINTERFACE; }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the in-place site and the frame)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override { *out = m_parent; return S_OK; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override {
        if (m_object && !m_inPlace) {
            m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_inPlace));
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *document = nullptr;
        ::GetClientRect(m_parent, position);
        ::GetClientRect(m_parent, clip);
        info->cb = sizeof(OLEINPLACEFRAMEINFO);
        info->fMDIApp = FALSE;
        info->hwndFrame = m_parent;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override {
        ReleaseInto(m_inPlace);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow / IOleInPlaceFrame: no menus, tool bars or status line.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDocHostUIHandler
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override {
        info->cbSize = sizeof(DOCHOSTUIINFO);
        info->dwFlags = m_hostFlags;
        info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                     IOleInPlaceUIWindow*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE HideUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UpdateUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* out, DWORD) override { *out = nullptr; return S_FALSE; }
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget** out) override { *out = nullptr; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** out) override { *out = nullptr; return S_FALSE; }
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* out) override { *out = nullptr; return S_FALSE; }
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** out) override { *out = nullptr; return S_FALSE; }

    // IDispatch: the browser's events. A loaded document gets the click handler.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        if (id == DISPID_DOCUMENTCOMPLETE) AttachClickHandler();
        return S_OK;
    }

private:
    void AttachClickHandler() {
        if (!m_browser) return;
        IDispatch* documentDispatch = nullptr;
        if (FAILED(m_browser->get_Document(&documentDispatch)) || !documentDispatch) return;
        IHTMLDocument2* document = nullptr;
        if (SUCCEEDED(documentDispatch->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&document)))) {
            if (!m_click) m_click = new ClickSink(this);
            VARIANT handler;
            ::VariantInit(&handler);
            handler.vt = VT_DISPATCH;
            handler.pdispVal = m_click;
            document->put_onclick(handler);
            document->Release();
        }
        documentDispatch->Release();
    }

    ULONG m_refs = 1;
    CHtmlDialog* m_dialog;
    DWORD m_hostFlags;
    HWND m_parent = nullptr;
    IOleObject* m_object = nullptr;
    IOleInPlaceObject* m_inPlace = nullptr;
    IWebBrowser2* m_browser = nullptr;
    IConnectionPoint* m_events = nullptr;
    DWORD m_cookie = 0;
    ClickSink* m_click = nullptr;
};

HRESULT STDMETHODCALLTYPE ClickSink::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    if (m_site) m_site->ElementClicked();
    return S_OK;
}

CHtmlDialog::CHtmlDialog(UINT templateId, UINT htmlResourceId, CWnd* parent)
    : CDialog(templateId, parent), m_htmlResourceId(htmlResourceId) {}

CHtmlDialog::~CHtmlDialog() { DestroyBrowser(); }

std::wstring CHtmlDialog::ResourceUrl(const std::wstring& file, const std::wstring& name) {
    return FormatText(L"res://%s/%s", file.c_str(), name.c_str());
}

std::wstring CHtmlDialog::ResourceFile() const { return ModulePath(ResourceModule()); }

BOOL CHtmlDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CreateBrowser();
    if (m_htmlResourceId) Navigate(ResourceUrl(ResourceFile(), std::to_wstring(m_htmlResourceId)));
    return TRUE;
}

void CHtmlDialog::CreateBrowser() {
    // OLE stays initialised for as long as the control lives (balanced in DestroyBrowser).
    if (FAILED(::OleInitialize(nullptr))) return;
    m_site = new CBrowserSite(this, m_hostFlags);
    if (!m_site->Create(m_hWnd)) DestroyBrowser();
}

void CHtmlDialog::DestroyBrowser() {
    if (!m_site) return;
    m_site->Close();
    m_site->Release();
    m_site = nullptr;
    ::OleUninitialize();
}

BOOL CHtmlDialog::Navigate(const std::wstring& url) { return m_site ? m_site->Navigate(url) : FALSE; }

LRESULT CHtmlDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (m_site) m_site->Resize();
        break;
    case WM_DESTROY:
        DestroyBrowser();
        break;
    default: break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
