#include "wnd/WndBase.h"

#include <exception>
#include <mutex>
#include <string>
#include <unordered_map>

const char kBindingProperty[] = "CPP_CLASS";

namespace
{

void DefaultErrorHandler(const char* what)
{
    std::string text = "Rolecue: exception in a window procedure: ";
    text += what;
    text += "\n";
    OutputDebugStringA(text.c_str());
}

WndProcErrorHandler g_errorHandler = DefaultErrorHandler;
// Set while the handler runs: its message box may dispatch messages to
// procedures that fail again.
bool g_reporting = false;
// The last exception reported by ReportCurrentWndProcException.
std::exception_ptr g_lastReported;

// The dialog procedure of a dialog window, or null for other windows.
// DWLP_DLGPROC lies inside the extra bytes that dialog classes reserve
// (DLGWINDOWEXTRA). Controls keep data of their own in extra bytes too, so
// reading that offset of, say, a list view could return its private data;
// only windows whose class reserves a dialog's extra bytes are asked.
LONG_PTR GetDialogProc(HWND hWnd)
{
    if (GetClassLongPtrA(hWnd, GCL_CBWNDEXTRA) < DLGWINDOWEXTRA)
        return 0;
    return GetWindowLongPtrA(hWnd, DWLP_DLGPROC);
}

// The bindings of this process, beside their window property: reading a
// property is a round trip to the server under Wine (about 15 us), paid by
// every message a bound window gets (a painted list view row alone brings
// several). The property stays the binding; this is its copy, kept by
// Attach and Detach, so SharedWndProc finds the object without the trip.
class CBindings
{
public:
    CWndBase* Find(HWND hWnd)
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        const auto it = m_Objects.find(hWnd);
        return it == m_Objects.end() ? nullptr : it->second;
    }
    void Set(HWND hWnd, CWndBase* object)
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Objects[hWnd] = object;
    }
    void Remove(HWND hWnd, const CWndBase* object)
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        const auto it = m_Objects.find(hWnd);
        if (it != m_Objects.end() && it->second == object)
            m_Objects.erase(it);
    }

private:
    std::mutex m_Lock;
    std::unordered_map<HWND, CWndBase*> m_Objects;
};

CBindings& Bindings()
{
    static CBindings bindings;
    return bindings;
}

LONG_PTR SharedProcValue()
{
    return reinterpret_cast<LONG_PTR>(&SharedWndProc);
}

}  // namespace

DLGPROC SharedDlgProc()
{
    // DLGPROC returns INT_PTR and WNDPROC LRESULT: the same on Win64, int and
    // long on Win32. The call convention and arguments are the same.
    return reinterpret_cast<DLGPROC>(reinterpret_cast<void (*)()>(&SharedWndProc));
}

WndProcErrorHandler SetWndProcErrorHandler(WndProcErrorHandler handler)
{
    WndProcErrorHandler previous = g_errorHandler;
    g_errorHandler = handler ? handler : DefaultErrorHandler;
    return previous;
}

void ReportWndProcException(const char* what)
{
    // A report made while the handler runs comes from a procedure that its
    // message box dispatched: the debugger hears of it, the user gets no
    // second box on top of the first.
    const bool nested = g_reporting;
    const WndProcErrorHandler handler = nested ? DefaultErrorHandler : g_errorHandler;
    g_reporting = true;
    try {
        handler(what ? what : "");
    } catch (...) {
        // Nothing may leave the procedure that caught the first exception.
    }
    g_reporting = nested;
}

void ReportCurrentWndProcException()
{
    const std::exception_ptr current = std::current_exception();
    if (!current || current == g_lastReported)
        return;
    g_lastReported = current;
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& e) {
        ReportWndProcException(e.what());
    } catch (...) {
        ReportWndProcException("unknown exception");
    }
}

LRESULT CALLBACK SharedWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWndBase* object = Bindings().Find(hWnd);
    if (!object)
        object = static_cast<CWndBase*>(GetPropA(hWnd, kBindingProperty));
    if (!object) {
        const bool isDialog = GetDialogProc(hWnd) != 0;
        if (!isDialog && (message == WM_NCCREATE || message == WM_CREATE)) {
            // Our windows are created with the object as creation parameter.
            // Dialogs bind at WM_INITDIALOG only, whatever their creation
            // messages carry.
            const CREATESTRUCTA* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            if (create)
                object = static_cast<CWndBase*>(create->lpCreateParams);
        } else if (isDialog && message == WM_INITDIALOG) {
            object = reinterpret_cast<CWndBase*>(lParam);
        }
        if (!object || !object->Attach(hWnd))
            return isDialog ? 0 : DefWindowProcA(hWnd, message, wParam, lParam);
    }

    LRESULT result = 0;
    try {
        result = object->WindowProc(hWnd, message, wParam, lParam);
    } catch (...) {
        if (message == WM_PAINT)
            ValidateRect(hWnd, nullptr);
        ReportCurrentWndProcException();
    }

    // Unbind after the object has seen WM_DESTROY. WM_NCDESTROY catches a
    // window whose WM_DESTROY was swallowed on the way (a later subclass).
    if ((message == WM_DESTROY || message == WM_NCDESTROY) && object->GetHandle() == hWnd)
        object->Detach();
    return result;
}

CWndBase::~CWndBase()
{
    Detach();
}

LRESULT CWndBase::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_PrevProc)
        return CallWindowProcA(m_PrevProc, hWnd, message, wParam, lParam);
    if (m_IsDialog)
        return 0;
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

int CWndBase::Attach(HWND hWnd)
{
    if (!hWnd || !IsWindow(hWnd))
        return 0;
    if (m_Wnd == hWnd)
        return 1;
    if (m_Wnd)
        Detach();

    // One window, one object: a window still bound to another object is
    // handed back to its own procedure first, or that object's saved
    // procedure would be lost and the window left without it.
    CWndBase* other = static_cast<CWndBase*>(GetPropA(hWnd, kBindingProperty));
    if (other && other != this)
        other->Detach();

    if (!SetPropA(hWnd, kBindingProperty, this))
        return 0;
    Bindings().Set(hWnd, this);
    m_Wnd = hWnd;
    m_IsDialog = GetDialogProc(hWnd) != 0 ? 1 : 0;
    m_PrevProc = nullptr;

    const int slot = m_IsDialog ? DWLP_DLGPROC : GWLP_WNDPROC;
    if (GetWindowLongPtrA(hWnd, slot) != SharedProcValue()) {
        const LONG_PTR previous = SetWindowLongPtrA(hWnd, slot, SharedProcValue());
        m_PrevProc = reinterpret_cast<WNDPROC>(previous);
    }
    return 1;
}

int CWndBase::Detach()
{
    if (!m_Wnd)
        return 0;
    if (m_PrevProc) {
        const int slot = m_IsDialog ? DWLP_DLGPROC : GWLP_WNDPROC;
        SetWindowLongPtrA(m_Wnd, slot, reinterpret_cast<LONG_PTR>(m_PrevProc));
    }
    if (GetPropA(m_Wnd, kBindingProperty) == this)
        RemovePropA(m_Wnd, kBindingProperty);
    Bindings().Remove(m_Wnd, this);
    m_Wnd = nullptr;
    m_PrevProc = nullptr;
    m_IsDialog = 0;
    return 1;
}

int CWndBase::GetId() const
{
    return static_cast<int>(GetWindowLongPtrA(m_Wnd, GWLP_ID));
}

LRESULT CWndBase::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageA(m_Wnd, message, wParam, lParam);
}

bool CWndBase::Show(int showCommand) const
{
    return ShowWindow(m_Wnd, showCommand) != FALSE;
}

bool CWndBase::Redraw(bool erase) const
{
    InvalidateRect(m_Wnd, nullptr, erase ? TRUE : FALSE);
    return UpdateWindow(m_Wnd) != FALSE;
}

bool CWndBase::SetText(const char* text) const
{
    if (!text || !m_Wnd)
        return false;
    return SetWindowTextA(m_Wnd, text) != FALSE;
}

HWND CWndBase::GetParentWindow() const
{
    return GetParent(m_Wnd);
}

int CWndBaseEx::AttachDlgItem(HWND parent, int controlId)
{
    if (!parent)
        return 0;
    return Attach(GetDlgItem(parent, controlId));
}

int CWndBaseEx::CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle,
                            int x, int y, int width, int height, HWND parent, HMENU menu)
{
    if (m_Wnd)
        return 0;
    HWND hWnd = CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, menu,
                                GetModuleHandleA(nullptr), static_cast<CWndBase*>(this));
    if (!hWnd) {
        Detach();  // a window of ours may have bound before creation failed
        return 0;
    }
    return Attach(hWnd);
}
