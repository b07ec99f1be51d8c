// IXMLBase: common base of every object that loads and saves itself as XML
// (the scenario, the options and their parts), and the one skeleton their
// files are read and written with.
//
// It holds the error text of the last failed load, in UTF-8. The text is
// only ever overwritten by a later failure that sets a text; success, Clear
// and failures without a text leave it as it was.
#pragma once

#include <functional>
#include <string>

namespace Tessel
{
class Element;
}

class IXMLBase
{
public:
    virtual ~IXMLBase() = default;

    const std::string& GetError() const { return m_Error; }

    // Sets the error text to the fixed "bad or unsupported script" sentence,
    // a blank line, and `message` (typically the what() text of a caught
    // library exception).
    void SetError(const std::string& message);

protected:
    // Assigns the error text as given, without the fixed sentence (used by
    // the version checks, whose text stands on its own).
    void SetErrorText(const std::string& text) { m_Error = text; }

    // Reads the XML file at `path`: the file in its encoding
    // (persist/XMLEncoding.h), `start` once it has been read, the parse with
    // white space trimmed, the root's attribute `versionName`, which must be
    // "1.0", and then `read` with the root. A missing file is created empty
    // only with `createMissing`. Results and error texts:
    //   empty path, unreadable, missing or empty file: false, text unchanged;
    //   an encoding it cannot read: false, that message (nothing else ran);
    //   malformed XML: false, SetError of "エラー場所：n 行目 m 文字目" (line
    //     and character in the file, from 1) and the parser's message;
    //   another version: false, "対応していないバージョンです：" + the value;
    //   any other exception of the library (a missing attribute or child,
    //     thrown by `read` too): false, SetError of its message, with what
    //     `read` did before it kept.
    // Messages never hold a place in our sources. True when `read` returned.
    bool LoadXML(const std::string& path, const char* versionName, bool createMissing,
                 const std::function<void()>& start,
                 const std::function<void(const Tessel::Element& root)>& read);

    // Writes the XML file at `path`: the declaration, the root `rootName`
    // with the attribute `versionName` = "1.0", filled by `write`, in
    // Shift_JIS or UTF-8 (persist/XMLEncoding.h) and as safely as
    // WriteXMLFile. False for an empty path, when the text cannot be made
    // (out of memory) or when it cannot be written.
    bool SaveXML(const std::string& path, const char* rootName, const char* versionName,
                 const std::function<void(Tessel::Element& root)>& write) const;

private:
    std::string m_Error;
};
