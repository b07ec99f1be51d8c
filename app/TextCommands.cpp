// CMainWnd: scenarios written as plain text - import from a file, paste from
// the clipboard, export to a file. Reading and writing the text is
// TextScript's; this file converts between Unicode and code page 932, asks
// about characters that cannot be held, and carries the result out on the
// list, the cast box and the title.
#include "app/MainWnd.h"
#include "app/MonitoringPause.h"

#include <cstdio>
#include <cstring>

#include "persist/XMLFile.h"
#include "scenario/TextScript.h"
#include "wnd/Clipboard.h"
#include "wnd/FileDialog.h"
#include "wnd/MessageBox.h"

namespace
{

const char kTextFilter[] = "テキストファイル(*.txt)|*.txt";
const UINT kCodePage = 932;
// A script of many thousand lines is well under a megabyte; anything this
// large is not a script, and reading it whole would only exhaust memory.
const size_t kMaxTextBytes = 16 * 1024 * 1024;

// Code page 932 through the system, with no best-fit substitutes: a code
// point counts only when it converts back to itself, so that a look-alike
// (U+301C WAVE DASH for the full-width tilde, say) is reported instead of
// silently changed.
class CCodePage932 : public IShiftJisCodec
{
public:
    bool Encode(char32_t codePoint, std::string& bytes) const override
    {
        if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        WCHAR wide[2] = {};
        int count = 1;
        if (codePoint >= 0x10000) {
            wide[0] = static_cast<WCHAR>(0xD800 + ((codePoint - 0x10000) >> 10));
            wide[1] = static_cast<WCHAR>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
            count = 2;
        } else {
            wide[0] = static_cast<WCHAR>(codePoint);
        }
        char out[8] = {};
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, count, out,
                                               sizeof out, nullptr, &usedDefault);
        if (length <= 0 || usedDefault)
            return false;
        bytes.assign(out, static_cast<size_t>(length));
        return true;
    }

    char32_t Decode(const std::string& character) const override
    {
        WCHAR wide[2] = {};
        const int count = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, character.data(),
                                              static_cast<int>(character.size()), wide, 2);
        return count == 1 ? static_cast<char32_t>(wide[0]) : 0xFFFD;
    }
};

enum class EClipboardRead
{
    Read,
    CannotOpen,
    NoText
};

// The clipboard's text up to its first zero: CF_UNICODETEXT as UTF-16LE
// bytes when the clipboard holds it (`unicode` set), else CF_TEXT in the
// ANSI code page. The global memory's size bounds the read, so a text
// without its zero cannot run past it.
EClipboardRead ReadClipboardText(HWND owner, std::string& text, bool& unicode)
{
    CClipboard clipboard(owner);
    COpenClipboard open(clipboard);
    if (!open.IsOpen())
        return EClipboardRead::CannotOpen;
    for (UINT format : {CF_UNICODETEXT, CF_TEXT}) {
        if (!IsClipboardFormatAvailable(format))
            continue;
        HANDLE data = GetClipboardData(format);
        const char* bytes = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
        if (bytes == nullptr)
            continue;
        const size_t size = GlobalSize(data);
        size_t length = 0;
        if (format == CF_UNICODETEXT) {
            while (length + 1 < size && (bytes[length] != 0 || bytes[length + 1] != 0))
                length += 2;
        } else {
            while (length < size && bytes[length] != 0)
                ++length;
        }
        text.assign(bytes, length);
        GlobalUnlock(data);
        unicode = format == CF_UNICODETEXT;
        return EClipboardRead::Read;
    }
    return EClipboardRead::NoText;
}

// The question before taking a text with characters Shift_JIS cannot hold:
// the count, the first places as line and code point, what becomes of them.
std::string UnmappedQuestion(const CTextLines& lines)
{
    std::string text = "Shift_JIS で表せない文字が " + std::to_string(lines.m_UnmappedCount) +
                       " 個あります。\nこれらは「?」に置き換わります。\n\n";
    for (const CUnmappedChar& place : lines.m_Unmapped) {
        char code[16] = {};
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(place.m_CodePoint));
        text += std::to_string(place.m_Line) + " 行目： " + code + "\n";
    }
    const int64_t more = lines.m_UnmappedCount - static_cast<int64_t>(lines.m_Unmapped.size());
    if (more > 0)
        text += "ほか " + std::to_string(more) + " 個\n";
    return text + "\n取り込みますか？";
}

// Selects the cast box item of exactly this name (the box's own search
// ignores case); none when there is no such item.
void SelectCastItem(CComboBox& box, const std::string& name)
{
    const int count = static_cast<int>(box.Send(CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        if (name == box.GetItemText(i)) {
            box.SetCurSel(i);
            return;
        }
    }
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
    return TakeText(DecodeTextLines(bytes, CCodePage932()), -1);
}

bool CMainWnd::PasteText()
{
    CMonitoringPause pause(*this);
    std::string bytes;
    bool unicode = false;
    switch (ReadClipboardText(m_Wnd, bytes, unicode)) {
    case EClipboardRead::CannotOpen:
        ShowError("クリップボードを開けません。");
        return false;
    case EClipboardRead::NoText:
        ShowError("クリップボードにテキストがありません。");
        return false;
    case EClipboardRead::Read:
        break;
    }
    const ETextEncoding encoding = unicode ? ETextEncoding::Utf16Le : ETextEncoding::ShiftJis;
    return TakeText(DecodeTextLines(bytes, encoding, CCodePage932()), m_SerifList.GetSelected());
}

bool CMainWnd::TakeText(const CTextLines& lines, int32_t row)
{
    if (lines.m_UnmappedCount > 0 && !AskYesNo(m_Wnd, UnmappedQuestion(lines).c_str(), "確認"))
        return false;
    const CTextScript text = ParseTextScript(lines.m_Lines, m_Script.GetCasts());
    if (text.IsEmpty()) {
        ShowError("取り込めるセリフがありません。");
        return false;
    }
    if (row < 0 || row > m_Script.GetSerifCount())
        row = m_Script.GetSerifCount();
    const int32_t cursor = m_SerifList.GetSelected();
    const std::string activeCast = m_CastBox.IsBound() ? m_CastBox.GetSelectedText() : "";

    ApplyTextScript(text, row, m_Script);
    RefreshCastsAndSerifs();
    if (!activeCast.empty())
        SelectCastItem(m_CastBox, activeCast);
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
    if (!WriteWholeFile(path, ExportTextScript(m_Script, CCodePage932()))) {
        ShowError("エクスポートに失敗しました。");
        return false;
    }
    return true;
}
