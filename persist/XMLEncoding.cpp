#include "persist/XMLEncoding.h"

#include "persist/XMLFile.h"
#include "tessel/Tessel.h"
#include "text/CodePage932.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace
{

const char kUtf8Bom[] = "\xEF\xBB\xBF";
const char kShiftJisName[] = "Shift_JIS";
const char kUtf8Name[] = "UTF-8";

enum class EEncoding
{
    ShiftJis,
    Utf8,
    Undeclared,
    Unsupported
};

bool IsXmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':';
}

std::string Lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool StartsWith(const std::string& text, size_t at, const char* prefix)
{
    return text.compare(at, std::strlen(prefix), prefix) == 0;
}

// The pseudo-attribute "encoding" of the declaration that starts at `at`
// ("<?xml" and a space); false when it has none or is cut short.
bool ReadEncodingAttribute(const std::string& text, size_t at, std::string& name)
{
    const size_t end = text.find("?>", at);
    if (end == std::string::npos)
        return false;
    size_t i = at + 5;
    while (i < end) {
        while (i < end && IsXmlSpace(text[i]))
            ++i;
        const size_t nameStart = i;
        while (i < end && IsNameChar(text[i]))
            ++i;
        const std::string attribute = text.substr(nameStart, i - nameStart);
        while (i < end && IsXmlSpace(text[i]))
            ++i;
        if (attribute.empty() || i >= end || text[i] != '=')
            return false;
        ++i;
        while (i < end && IsXmlSpace(text[i]))
            ++i;
        if (i >= end || (text[i] != '"' && text[i] != '\''))
            return false;
        const size_t close = text.find(text[i], i + 1);
        if (close == std::string::npos || close > end)
            return false;
        if (attribute == "encoding") {
            name = text.substr(i + 1, close - i - 1);
            return true;
        }
        i = close + 1;
    }
    return false;
}

// The encoding the xml declaration names, looked for before the root
// element: past white space, comments, processing instructions and a
// document type declaration. The bytes searched for are ASCII below 0x40,
// which is never the second byte of a Shift_JIS character, so the scan is
// the same in either encoding.
bool FindDeclaredEncoding(const std::string& text, size_t at, std::string& name)
{
    while (at < text.size()) {
        if (IsXmlSpace(text[at])) {
            ++at;
        } else if (StartsWith(text, at, "<?xml") && at + 5 < text.size() &&
                   (IsXmlSpace(text[at + 5]) || text[at + 5] == '?')) {
            return ReadEncodingAttribute(text, at, name);
        } else if (StartsWith(text, at, "<!--")) {
            const size_t end = text.find("-->", at + 4);
            if (end == std::string::npos)
                return false;
            at = end + 3;
        } else if (StartsWith(text, at, "<?")) {
            const size_t end = text.find("?>", at + 2);
            if (end == std::string::npos)
                return false;
            at = end + 2;
        } else if (StartsWith(text, at, "<!")) {
            const size_t end = text.find('>', at + 2);
            if (end == std::string::npos)
                return false;
            at = end + 1;
        } else {
            return false;  // the root element, or text: no declaration
        }
    }
    return false;
}

EEncoding EncodingOfName(const std::string& name)
{
    static const char* const shiftJisNames[] = {"shift_jis", "shift-jis", "sjis", "cp932",
                                                "windows-31j"};
    const std::string lower = Lower(name);
    if (lower == "utf-8")
        return EEncoding::Utf8;
    for (const char* known : shiftJisNames) {
        if (lower == known)
            return EEncoding::ShiftJis;
    }
    return EEncoding::Unsupported;
}

// A name to show in a message: as the file gives it, each byte outside
// printable ASCII shown as "?", and no longer than a name can sensibly be.
std::string ShownName(const std::string& name)
{
    std::string shown = name.substr(0, 40);
    for (char& c : shown) {
        if (c < 0x20 || c > 0x7E)
            c = '?';
    }
    return shown;
}

std::string BadBytesMessage(const std::string& text, size_t at)
{
    const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<ptrdiff_t>(at), '\n');
    return "文字コードが正しくありません（" + std::to_string(line) + " 行目）";
}

// A UTF-8 text as it is, once checked, less its first `from` bytes.
bool TakeUtf8(std::string& text, size_t from, std::string& error)
{
    const size_t bad = FindInvalidUtf8(text);
    if (bad != std::string::npos) {
        error = BadBytesMessage(text, bad);
        return false;
    }
    text.erase(0, from);
    return true;
}

// `text` in place from the file's encoding to UTF-8.
bool DecodeText(std::string& text, std::string& error)
{
    if (StartsWith(text, 0, kUtf8Bom))
        return TakeUtf8(text, 3, error);
    if (StartsWith(text, 0, "\xFF\xFE") || StartsWith(text, 0, "\xFE\xFF")) {
        error = "対応していない文字コードです：UTF-16";
        return false;
    }

    std::string name;
    const EEncoding encoding =
        FindDeclaredEncoding(text, 0, name) ? EncodingOfName(name) : EEncoding::Undeclared;
    if (encoding == EEncoding::Unsupported) {
        error = "対応していない文字コードです：" + ShownName(name);
        return false;
    }
    if (encoding == EEncoding::Utf8)
        return TakeUtf8(text, 0, error);
    std::string decoded;
    size_t bad = 0;
    if (Cp932ToUtf8(text, decoded, bad)) {
        text.swap(decoded);
        return true;
    }
    if (encoding == EEncoding::Undeclared && IsValidUtf8(text))
        return TakeUtf8(text, 0, error);
    error = BadBytesMessage(text, bad);
    return false;
}

}  // namespace

bool ReadXMLText(const std::string& path, std::string& text, std::string& error, bool createMissing)
{
    std::string read;
    if (!ReadXMLFile(path, read, createMissing))
        return false;
    if (!DecodeText(read, error))
        return false;
    text.swap(read);
    return true;
}

bool WriteXMLText(const std::string& path, std::string& text)
{
    std::string bytes;
    try {
        if (Utf8ToCp932(text, bytes))
            return WriteXMLFile(path, bytes);
    } catch (const std::exception&) {
        return false;  // out of memory while converting
    }
    // The declaration is the text's first line: only the value of its
    // encoding changes.
    const std::string from = std::string("encoding=\"") + kShiftJisName + "\"";
    const size_t at = text.find(from);
    if (at != std::string::npos && at < text.find('\n'))
        text.replace(at, from.size(), std::string("encoding=\"") + kUtf8Name + "\"");
    return WriteXMLFile(path, text);
}
