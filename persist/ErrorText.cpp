#include "persist/ErrorText.h"

namespace
{

bool IsWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool EndsWith(const std::string& text, const char* suffix)
{
    const std::string end(suffix);
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsClassName(const std::string& line)
{
    for (char c : line) {
        if (!IsWordChar(c))
            return false;
    }
    return EndsWith(line, "Exception");
}

bool IsSourcePlace(const std::string& line)
{
    const size_t colon = line.rfind(':');
    if (colon == std::string::npos || colon + 1 == line.size())
        return false;
    for (size_t i = colon + 1; i < line.size(); ++i) {
        if (line[i] < '0' || line[i] > '9')
            return false;
    }
    const std::string file = line.substr(0, colon);
    for (char c : file) {
        if (!IsWordChar(c) && c != '.')
            return false;
    }
    return EndsWith(file, ".cpp") || EndsWith(file, ".h");
}

}  // namespace

std::string UserErrorText(const std::string& what)
{
    std::string out;
    size_t begin = 0;
    bool first = true;
    const std::string text = what.substr(0, what.find('\0'));
    while (begin <= text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(begin, end - begin);
        if (!(first && IsClassName(line)) && !IsSourcePlace(line))
            out += line + "\n";
        first = false;
        begin = end + 1;
    }
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}
