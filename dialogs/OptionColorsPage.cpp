#include "dialogs/OptionColorsPage.h"

#include "res/DialogRes.h"
#include "wnd/ChooseColour.h"
#include "wnd/MessageBox.h"

namespace
{
const char kErrorCaption[] = "エラー";
const char kNoItem[] = "アイテム名を選択して下さい。";
const char kNameColumn[] = "アイテム名";
const char kSampleColumn[] = "サンプル";
const char kSampleText[] = "123ABCあいう";
}  // namespace

COptionColorsPage::COptionColorsPage(COption* option)
    : CPropertyPage(::GetModuleHandleA(nullptr), IDD_OPTION_COLORS), m_Option(option)
{}

COptionColorsPage::~COptionColorsPage() = default;

bool COptionColorsPage::OnInitDialog()
{
    m_List.AttachDlgItem(m_PageWnd, IDC_COLORS_LIST);
    m_List.AddExtendedStyle(LVS_EX_GRIDLINES);
    RECT client = {};
    ::GetClientRect(m_List.GetHandle(), &client);
    const int width = (client.right - client.left) / 2;
    m_List.InsertColumn(kNameColumn, width, 0, LVCFMT_LEFT);
    m_List.InsertColumn(kSampleColumn, width, 1, LVCFMT_LEFT);
    if (!m_Option)
        return false;

    m_Colors = m_Option->m_Colors;
    m_HasCopy = true;
    int row = 0;
    for (auto& entry : m_Colors) {
        // Rows point at the working copy's items, which stay where they are
        // until the next initialisation.
        m_List.InsertItem(entry.first.c_str(), row, 0, -1, reinterpret_cast<LPARAM>(&entry.second));
        m_List.SetItemTextNoRedraw(kSampleText, row, 1);
        ++row;
    }
    m_List.Redraw(true);
    m_List.Select(0);
    return true;
}

INT_PTR COptionColorsPage::OnNotify(HWND hPage, WPARAM wParam, NMHDR* header)
{
    if (header && header->idFrom == IDC_COLORS_LIST && header->code == NM_CUSTOMDRAW) {
        const LRESULT answer = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
        ::SetWindowLongPtrA(hPage, DWLP_MSGRESULT, answer);
        return TRUE;
    }
    return CPropertyPage::OnNotify(hPage, wParam, header);
}

LRESULT COptionColorsPage::OnCustomDraw(NMLVCUSTOMDRAW* draw)
{
    const DWORD stage = draw->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if ((stage & CDDS_ITEMPREPAINT) != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    // The item stage and, for the sample column, the sub-item stage: both
    // in the row's colours.
    if (const auto* item = reinterpret_cast<const CColorManager*>(draw->nmcd.lItemlParam)) {
        draw->clrText = item->m_TextColor;
        draw->clrTextBk = item->m_BackColor;
    }
    return (stage & CDDS_SUBITEM) ? CDRF_DODEFAULT : CDRF_NOTIFYSUBITEMDRAW;
}

INT_PTR COptionColorsPage::OnCommand(HWND, WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDC_COLORS_TEXT)
            ChooseItemColour(EColourKind::Text);
        else if (LOWORD(wParam) == IDC_COLORS_BACK)
            ChooseItemColour(EColourKind::Background);
    }
    return TRUE;
}

void COptionColorsPage::ChooseItemColour(EColourKind kind)
{
    const int row = m_List.GetSelected();
    if (row < 0) {
        ShowMessage(m_PageWnd, kNoItem, kErrorCaption, kErrorBoxFlags);
        return;
    }
    auto* item = reinterpret_cast<CColorManager*>(m_List.GetItemData(row));
    if (!item)
        return;
    COLORREF& target = kind == EColourKind::Text ? item->m_TextColor : item->m_BackColor;
    COLORREF colour = target;
    if (ChooseColour(m_PageWnd, colour)) {
        target = colour;
        m_List.Redraw(true);
    }
}

void COptionColorsPage::StoreValues()
{
    if (m_Option && m_HasCopy && &m_Option->m_Colors != &m_Colors)
        m_Option->m_Colors = m_Colors;
}
