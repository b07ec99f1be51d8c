// The serif list follows the scenario, the only copy of the serifs: a long
// random run of editing commands (add, insert, edit, delete, move, casts
// added and deleted with their serifs, replace all, text paste, undo, redo, a new active
// cast), and after each one the list has the scenario's row count, every
// visible row's three texts, item data and colour are the scenario's, and
// what is on the screen is what a full repaint shows (no row was left
// unpainted after a change).
#include "EditSupport.h"
#include "MainWndSupport.h"

#include <commctrl.h>
#include <dlgs.h>

#include <cstring>
#include <functional>
#include <algorithm>
#include <random>

#include "res/DialogRes.h"
#include "res/resource.h"
#include "wnd/WideText.h"

namespace
{

const std::vector<std::string> kTexts = {
    "おはよう", "♡😊", "目印", "(◕‿◕)", "a", "長い行" + std::string(300, 'x'), "〜ʕ•ᴥ•ʔ", ""};

// The list's client area as it is on the screen, pixel by pixel.
std::vector<DWORD> Pixels(HWND list)
{
    RECT client = {};
    GetClientRect(list, &client);
    const int width = client.right, height = client.bottom;
    HDC dc = GetDC(list);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(list, dc);
    return pixels;
}

void SelectCastRow(HWND dialog, int row)
{
    HWND list = CDialogDriver::Control(dialog, IDC_CAST_LIST);
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
}

}  // namespace

class ListFollowsScenario : public MainWndTest
{
protected:
    HWND List() { return Window().GetSerifList().GetHandle(); }

    // The colours the main window's custom draw gives a row.
    std::pair<COLORREF, COLORREF> RowColours(int row)
    {
        NMLVCUSTOMDRAW draw = {};
        draw.nmcd.hdr.hwndFrom = List();
        draw.nmcd.hdr.idFrom = IDC_SERIF_LIST;
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = CDDS_PREPAINT;
        SendMessageA(Main(), WM_NOTIFY, IDC_SERIF_LIST, reinterpret_cast<LPARAM>(&draw));
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        draw.clrText = draw.clrTextBk = CLR_DEFAULT;
        SendMessageA(Main(), WM_NOTIFY, IDC_SERIF_LIST, reinterpret_cast<LPARAM>(&draw));
        return {draw.clrText, draw.clrTextBk};
    }

    void ExpectListIsTheScenario(const std::string& step)
    {
        SCOPED_TRACE(step);
        const CScript& script = Window().GetScript();
        CListView& list = Window().GetSerifList();
        ASSERT_EQ(script.GetSerifCount(), list.GetItemCount());
        UpdateWindow(List());
        const std::vector<DWORD> shown = Pixels(List());
        InvalidateRect(List(), nullptr, TRUE);
        UpdateWindow(List());
        EXPECT_TRUE(shown == Pixels(List())) << "rows on screen that a repaint changes";

        const int top = static_cast<int>(list.Send(LVM_GETTOPINDEX));
        const int page = static_cast<int>(list.GetCountPerPage());
        const std::vector<int32_t> active = Window().GetActiveCasts();
        const CColorManager& colour = Window().GetOption().GetColor(COption::kActiveCast);
        for (int row = top; row < top + page + 1 && row < script.GetSerifCount(); ++row) {
            const CSerif& serif = script.GetSerif(row);
            std::string name, text, memo;
            list.GetFullItemText(row, 0, name);
            list.GetFullItemText(row, 1, text);
            list.GetFullItemText(row, 2, memo);
            EXPECT_EQ(script.FindCastName(serif.m_CastId), name) << "row " << row;
            EXPECT_EQ(serif.m_Text, text) << "row " << row;
            EXPECT_EQ(serif.m_Memo, memo) << "row " << row;
            EXPECT_EQ(serif.m_CastId, static_cast<int32_t>(list.GetItemData(row))) << "row " << row;
            const auto colours = RowColours(row);
            const bool marked =
                std::find(active.begin(), active.end(), serif.m_CastId) != active.end();
            EXPECT_EQ(marked ? colour.m_TextColor : CLR_DEFAULT, colours.first) << "row " << row;
            EXPECT_EQ(marked ? colour.m_BackColor : CLR_DEFAULT, colours.second) << "row " << row;
        }
    }
};

TEST_F(ListFollowsScenario, EveryEditingCommandLeavesTheVisibleRowsAsTheScenarioHasThem)
{
    std::vector<CSerif> rows;
    for (int i = 0; i < 40; ++i)
        rows.push_back(
            CSerif(i % 3 == 2 ? -1 : i % 2, kTexts[i % kTexts.size()], i % 4 ? "" : "m"));
    const std::string path = SaveScenario(MakeScript(rows), "follow.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(path));
    SetForegroundWindow(Main());
    SetFocus(List());
    PumpMessages();
    ExpectListIsTheScenario("open");

    std::mt19937 random(2026);
    auto pick = [&random](size_t count) { return static_cast<int>(random() % count); };
    int castNumber = 0;
    for (int step = 0; step < 70; ++step) {
        const CScript& script = Window().GetScript();
        const int count = script.GetSerifCount();
        if (count > 0)
            Window().GetSerifList().Select(pick(static_cast<size_t>(count)));
        const int what = pick(14);
        const std::string text = kTexts[static_cast<size_t>(pick(kTexts.size()))];
        std::string name;
        // Runs a command whose dialogs and questions the driver plays.
        auto play = [this](const std::function<void(CDialogDriver&)>& steps, int command) {
            CDialogDriver player;
            steps(player);
            Command(command);
            ExpectPlayed(player);
        };
        if (what <= 2 && script.GetCastCount() > 0 && (what == 0 || count > 0)) {
            // Add, insert or edit through the serif dialog.
            const std::string cast =
                script.GetCast(pick(static_cast<size_t>(script.GetCastCount()))).m_Name;
            const int commands[] = {IDM_ADD_SERIF, IDM_INSERT_SERIF, IDM_EDIT_SERIF};
            name = what == 0 ? "add" : what == 1 ? "insert" : "edit";
            play(
                [&](CDialogDriver& player) {
                    player.SelectItem(IDC_SERIF_CAST, cast)
                        .SetText(IDC_SERIF_TEXT, text + std::to_string(step))
                        .SetText(IDC_SERIF_MEMO, step % 2 ? "" : "メモ")
                        .Close(IDOK);
                },
                commands[what]);
        } else if (what == 3 && count > 0) {
            name = "delete";
            play([](CDialogDriver& player) { player.Answer(IDYES); }, IDM_DELETE_SERIF);
        } else if (what == 4) {
            name = "up";
            Command(IDM_SERIF_UP);
        } else if (what == 5) {
            name = "down";
            Command(IDM_SERIF_DOWN);
        } else if (what == 6 && script.GetCastCount() > 1) {
            name = "cast delete";
            const int cast = pick(static_cast<size_t>(script.GetCastCount()));
            play(
                [cast](CDialogDriver& player) {
                    player.OnDialog([cast](HWND dialog) { SelectCastRow(dialog, cast); })
                        .Click(IDC_CAST_DELETE)
                        .Answer(IDYES)
                        .Close(IDOK);
                },
                IDM_EDIT_CASTS);
        } else if (what == 6 || what == 7) {
            name = "cast add";
            const std::string cast = "新顔" + std::to_string(++castNumber) + "♡";
            play(
                [&cast](CDialogDriver& player) {
                    player.SetText(IDC_CAST_NAME, cast).Click(IDC_CAST_ADD).Close(IDOK);
                },
                IDM_EDIT_CASTS);
        } else if (what == 8) {
            name = "replace all";
            Command(IDM_REPLACE);
            PumpFor(150);
            HWND dialog = OwnedDialog(Main());
            ASSERT_NE(nullptr, dialog);
            SetDlgItemTextW(dialog, edt1, Widen(text.empty() ? "a" : text.substr(0, 3)).c_str());
            SetDlgItemTextW(dialog, edt2, L"\u2728");
            {
                CDialogDriver player;
                player.Answer(IDOK);  // the end of the search
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(psh2, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, psh2)));
                PumpMessages();
                ExpectPlayed(player);
            }
            DestroyWindow(dialog);
            PumpFor(150);
        } else if (what == 9) {
            name = "text paste";
            SetClipboardUnicode(L"\u65B0\u3057\u3044\u4EBA\u300C\u3084\u3042\U0001F3B2\u300D\n"
                                L"\uFF08\u9593\uFF09\n" +
                                Widen(script.GetCastCount() > 0 ? script.GetCast(0).m_Name : "誰") +
                                L": " + Widen(text));
            Command(IDM_PASTE_TEXT);
        } else if (what == 11) {
            name = "undo";
            Command(IDM_UNDO);
        } else if (what == 12) {
            name = "redo";
            Command(IDM_REDO);
        } else if (what == 13) {
            name = "several casts";
            std::vector<int32_t> ids;
            for (const CCast& cast : script.GetCasts()) {
                if (pick(2) == 0)
                    ids.push_back(cast.m_Id);
            }
            Window().SetActiveCasts(ids);
        } else {
            name = "active cast";
            CComboBox& box = Window().GetCastBox();
            const int items = static_cast<int>(box.Send(CB_GETCOUNT));
            box.SetCurSel(pick(static_cast<size_t>(items)));
            Command(IDC_CAST_BOX, CBN_SELCHANGE, box.GetHandle());
        }
        PumpMessages();
        ExpectListIsTheScenario(std::to_string(step) + " " + name);
        if (HasFailure())
            break;
    }
}
