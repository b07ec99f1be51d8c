#include "appcore/Standby.h"
#include "appcore/PasteText.h"

#include "scenario/Script.h"

CStandby PreviewNextPress(const CPasteSequencer& sequencer, const std::vector<int32_t>& rows,
                          int32_t cursor, int32_t activeCast)
{
    CStandby standby;
    standby.m_NoActiveCast = activeCast == -1;
    const CPressTarget found = sequencer.PeekTarget(rows, cursor, activeCast);
    if (found.m_Blocked) {
        standby.m_Kind = EStandbyKind::Blocked;
        standby.m_Row = found.m_Row;
        return standby;
    }
    if (found.m_PasteRow == kNoRow)
        return standby;
    standby.m_Kind = EStandbyKind::Paste;
    standby.m_Row = found.m_PasteRow;
    const int32_t count = static_cast<int32_t>(rows.size());
    for (int32_t i = found.m_PasteRow; i < count; ++i) {
        if (activeCast == -1 || rows[static_cast<size_t>(i)] == activeCast)
            ++standby.m_Remaining;
    }
    return standby;
}

std::string FirstLine(const std::string& text)
{
    // CR and LF never occur inside a UTF-8 character.
    return text.substr(0, text.find_first_of("\r\n"));
}

std::string LongLineNote(const std::string& line, int32_t lengthWarning)
{
    if (lengthWarning <= 0)
        return std::string();
    const size_t length = CountCharacters(line);
    if (length <= static_cast<size_t>(lengthWarning))
        return std::string();
    return std::to_string(length) + " 文字の行です";
}

CStandbyLine StandbyLine(const CStandby& standby, const CScript& script, int32_t lengthWarning)
{
    CStandbyLine line;
    const bool hasRow = standby.m_Row >= 0 && standby.m_Row < script.GetSerifCount();
    if (standby.m_Kind == EStandbyKind::Nothing || !hasRow) {
        line.m_Text = "このキャストのセリフはもうありません";
        return line;
    }
    const CSerif& serif = script.GetSerif(standby.m_Row);
    if (standby.m_Kind == EStandbyKind::Blocked) {
        line.m_Text = FirstLine(serif.m_Text);
        line.m_Head = "ト書きで停止：";
        return line;
    }
    const std::string pasted = FormattedLineOfRow(script, standby.m_Row);
    line.m_Text = FirstLine(pasted);
    if (lengthWarning > 0) {
        const size_t length = CountCharacters(pasted);
        if (length > static_cast<size_t>(lengthWarning))
            line.m_Warning = "（" + std::to_string(length) + " 文字）";
    }
    line.m_Head = script.FindCastName(serif.m_CastId);
    if (standby.m_NoActiveCast)
        line.m_Head += "（キャスト未選択）";
    line.m_Head += "：";
    line.m_Tail = "　残り " + std::to_string(standby.m_Remaining);
    return line;
}
