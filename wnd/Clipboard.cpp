#include "wnd/Clipboard.h"

#include <climits>
#include <cstring>
#include <string>

#include "wnd/WideText.h"

namespace
{

// Clipboard managers, history services and Wine's bridge to the X
// selection open the clipboard for a moment after every change; under load
// that moment can outlast 100 ms. A second is what other programs that paste
// allow, and still short enough for a hotkey press.
const DWORD kOpenWindowMs = 1000;
const DWORD kOpenPauseMs = 5;

// Global memory that is freed unless it was handed to the clipboard.
class CGlobalMemory
{
public:
    CGlobalMemory() : m_Handle(nullptr) {}
    ~CGlobalMemory()
    {
        if (m_Handle)
            GlobalFree(m_Handle);
    }
    CGlobalMemory(const CGlobalMemory&) = delete;
    CGlobalMemory& operator=(const CGlobalMemory&) = delete;

    bool Allocate(SIZE_T size)
    {
        m_Handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        return m_Handle != nullptr;
    }
    HGLOBAL Get() const { return m_Handle; }
    void Release() { m_Handle = nullptr; }

private:
    HGLOBAL m_Handle;
};

class CGlobalLock
{
public:
    explicit CGlobalLock(HGLOBAL handle) : m_Handle(handle), m_Data(GlobalLock(handle)) {}
    ~CGlobalLock()
    {
        if (m_Data)
            GlobalUnlock(m_Handle);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    void* Data() const { return m_Data; }

private:
    HGLOBAL m_Handle;
    void* m_Data;
};

bool CopyInto(const CGlobalMemory& memory, const void* data, size_t size)
{
    CGlobalLock lock(memory.Get());
    if (!lock.Data())
        return false;
    std::memcpy(lock.Data(), data, size);
    return true;
}

// Puts a zero DWORD on the open clipboard in the registered format `name`.
void SetZeroData(const char* name)
{
    const SIZE_T size = sizeof(DWORD);
    const UINT format = RegisterClipboardFormatA(name);
    CGlobalMemory memory;
    if (format == 0 || !memory.Allocate(size))
        return;
    if (SetClipboardData(format, memory.Get()))
        memory.Release();
}

}  // namespace

bool CClipboard::Open() const
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (OpenClipboard(m_Owner))
            return true;
        if (GetTickCount() - start >= kOpenWindowMs)
            return false;
        Sleep(kOpenPauseMs);
    }
}

bool CClipboard::IsStillOurs() const
{
    if (m_Sequence == 0)
        return false;
    COpenClipboard clipboard(*this);
    return clipboard.IsOpen() && GetClipboardSequenceNumber() == m_Sequence;
}

int CClipboard::SetText(const char* text, bool keepOutOfHistory)
{
    if (!text)
        return kNoText;
    m_Sequence = 0;
    const std::wstring wide = Widen(text);
    if (wide.size() >= static_cast<size_t>(INT_MAX) / sizeof(WCHAR))
        return kNoMemory;

    // The terminating zero comes from GMEM_ZEROINIT.
    CGlobalMemory memory;
    if (!memory.Allocate((wide.size() + 1) * sizeof(WCHAR)) ||
        !CopyInto(memory, wide.data(), wide.size() * sizeof(WCHAR)))
        return kNoMemory;

    COpenClipboard clipboard(*this);
    if (!clipboard.IsOpen())
        return kCannotOpen;
    if (!EmptyClipboard())
        return kRefused;
    if (!SetClipboardData(CF_UNICODETEXT, memory.Get()))
        return kRefused;
    memory.Release();  // the clipboard owns it now
    if (keepOutOfHistory) {
        SetZeroData("ExcludeClipboardContentFromMonitorProcessing");
        SetZeroData("CanIncludeInClipboardHistory");
        SetZeroData("CanUploadToCloudClipboard");
    }
    clipboard.Close();
    m_Sequence = GetClipboardSequenceNumber();
    return kOk;
}

int CClipboard::Clear()
{
    COpenClipboard clipboard(*this);
    if (!clipboard.IsOpen())
        return 0;
    EmptyClipboard();
    return clipboard.Close();
}
