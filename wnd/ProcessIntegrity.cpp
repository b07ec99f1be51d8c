#include "wnd/ProcessIntegrity.h"

#include <vector>

namespace
{

bool ReadTokenLevel(HANDLE process, uint32_t& level)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return false;
    bool read = false;
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    if (size >= sizeof(TOKEN_MANDATORY_LABEL)) {
        std::vector<BYTE> buffer(size);
        if (GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) {
            const TOKEN_MANDATORY_LABEL* label =
                reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
            PSID sid = label->Label.Sid;
            if (sid && IsValidSid(sid) && *GetSidSubAuthorityCount(sid) > 0) {
                level = *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1);
                read = true;
            }
        }
    }
    CloseHandle(token);
    return read;
}

}  // namespace

bool ReadOwnIntegrityLevel(uint32_t& level)
{
    return ReadTokenLevel(GetCurrentProcess(), level);
}

bool ReadWindowIntegrityLevel(HWND window, uint32_t& level)
{
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(window, &processId) || processId == 0)
        return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return false;
    const bool read = ReadTokenLevel(process, level);
    CloseHandle(process);
    return read;
}
