// CMainWnd: scenarios written as plain text - import from a file, paste from
// the clipboard, export to a file. Reading and writing the text is
// TextScript's; this file reads the file and the clipboard and carries the
// result out on the list, the cast box and the title.
#include "app/MainWnd.h"
#include "app/MonitoringPause.h"
#include "app/UndoStep.h"

#include "persist/XMLFile.h"
#include "scenario/TextScript.h"
#include "wnd/Clipboard.h"
#include "wnd/FileDialog.h"
#include "wnd/MessageBox.h"

namespace
{

const char kTextFilter[] = "テキストファイル(*.txt)|*.txt";
// A script of many thousand lines is well under a megabyte; anything this
// large is not a script, and reading it whole would only exhaust memory.
const size_t kMaxTextBytes = 16 * 1024 * 1024;

enum class EClipboardRead
{
    Read,
    CannotOpen,
    NoText
};

// The clipboard's CF_UNICODETEXT up to its first zero, as UTF-16LE bytes
// (the system makes it from the CF_TEXT of programs that put only that).
// The global memory's size bounds the read, so a text without its zero
// cannot run past it.
EClipboardRead ReadClipboardText(HWND owner, std::string& text)
{
    CClipboard clipboard(owner);
    COpenClipboard open(clipboard);
    if (!open.IsOpen())
        return EClipboardRead::CannotOpen;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT))
        return EClipboardRead::NoText;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const char* bytes = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (bytes == nullptr)
        return EClipboardRead::NoText;
    const size_t size = GlobalSize(data);
    size_t length = 0;
    while (length + 1 < size && (bytes[length] != 0 || bytes[length + 1] != 0))
        length += 2;
    text.assign(bytes, length);
    GlobalUnlock(data);
    return EClipboardRead::Read;
}

}  // namespace

bool CMainWnd::ImportTextFile(const std::string& requested)
{
    CMonitoringPause pause(*this);
    std::string path = requested;
    if (!ChoosePathIfEmpty(m_Wnd, kTextFilter, false, path))
        return false;
    std::string bytes;
    if (!ReadWholeFile(path, bytes, kMaxTextBytes)) {
        ShowError(("テキストファイルを読み込めません。\n" + path +
                   "\n\nファイルが開けないか、大きすぎます（16MB まで）。")
                      .c_str());
        return false;
    }
    return TakeText(DecodeTextLines(bytes), -1, "インポート");
}

bool CMainWnd::PasteText()
{
    CMonitoringPause pause(*this);
    std::string bytes;
    switch (ReadClipboardText(m_Wnd, bytes)) {
    case EClipboardRead::CannotOpen:
        ShowError("クリップボードを開けません。");
        return false;
    case EClipboardRead::NoText:
        ShowError("クリップボードにテキストがありません。");
        return false;
    case EClipboardRead::Read:
        break;
    }
    return TakeText(DecodeTextLines(bytes, ETextEncoding::Utf16Le), m_SerifList.GetSelected(),
                    "テキストから貼り付け");
}

bool CMainWnd::TakeText(const CTextLines& lines, int32_t row, const char* step)
{
    const CTextScript text = ParseTextScript(lines.m_Lines, m_Script.GetCasts());
    if (text.IsEmpty()) {
        ShowError("取り込めるセリフがありません。");
        return false;
    }
    if (row < 0 || row > m_Script.GetSerifCount())
        row = m_Script.GetSerifCount();
    const int32_t cursor = m_SerifList.GetSelected();
    const std::vector<int32_t> activeCasts = GetActiveCasts();

    {
        CUndoStep undo(*this, step);
        ApplyTextScript(text, row, m_Script);
    }
    RefreshCastsAndSerifs();
    SetActiveCasts(activeCasts);
    SelectRow(text.m_Serifs.empty() ? cursor : row);
    SetSaved(false);
    return true;
}

bool CMainWnd::ExportTextFile(const std::string& requested)
{
    CMonitoringPause pause(*this);
    std::string path = requested;
    if (!ChoosePathIfEmpty(m_Wnd, kTextFilter, true, path))
        return false;
    if (!WriteWholeFile(path, ExportTextScript(m_Script))) {
        ShowError("エクスポートに失敗しました。");
        return false;
    }
    return true;
}
