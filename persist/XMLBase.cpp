#include "persist/XMLBase.h"

#include "persist/ErrorText.h"
#include "persist/XMLEncoding.h"
#include "tessel/Tessel.h"
#include "text/Utf8.h"

#include <algorithm>
#include <exception>
#include <memory>

namespace
{

const char kVersion[] = "1.0";

struct CDocumentDeleter
{
    void operator()(Tessel::Document* document) const { document->Release(); }
};
using CDocumentPtr = std::unique_ptr<Tessel::Document, CDocumentDeleter>;

// "エラー場所：n 行目 m 文字目" for a parse error: the parser counts bytes
// within the line, the user counts characters.
std::string ErrorPlace(const std::string& text, const Tessel::ParsingException& e)
{
    const int32_t line = e.GetLine();
    const int32_t column = e.GetColumn();
    if (line <= 0 || column < 0)
        return "エラー場所：不明";
    size_t start = 0;
    for (int32_t n = 1; n < line && start != std::string::npos; ++n) {
        start = text.find('\n', start);
        if (start != std::string::npos)
            ++start;
    }
    size_t characters = 0;
    if (start != std::string::npos) {
        const size_t end = std::min(text.size(), start + static_cast<size_t>(column));
        for (size_t at = start; at < end; at += CodePointLength(text, at))
            ++characters;
    }
    return "エラー場所：" + std::to_string(line) + " 行目 " + std::to_string(characters + 1) +
           " 文字目";
}

}  // namespace

void IXMLBase::SetError(const std::string& message)
{
    m_Error = "スクリプトにエラーがあるか、未対応の形式です。\n\n";
    m_Error += message;
}

bool IXMLBase::LoadXML(const std::string& path, const char* versionName, bool createMissing,
                       const std::function<void()>& start,
                       const std::function<void(const Tessel::Element& root)>& read)
{
    std::string text;
    std::string error;
    if (!ReadXMLText(path, text, error, createMissing)) {
        if (!error.empty())
            SetErrorText(error);
        return false;
    }
    start();
    try {
        Tessel::DOM_Parser parser;
        parser.SetTrimWhitespace(true);
        CDocumentPtr document(parser.Parse(text));

        // The root's name is not checked: any root with the vocabulary loads.
        const Tessel::Element& root = document->GetRootElement();
        const std::string version = root.GetAttribute(versionName).GetValue();
        if (version != kVersion) {
            SetErrorText("対応していないバージョンです：" + version);
            return false;
        }
        read(root);
    } catch (const Tessel::ParsingException& e) {
        SetError(ErrorPlace(text, e) + "\n" + UserErrorText(e.what()));
        return false;
    } catch (const std::exception& e) {
        SetError(UserErrorText(e.what()));
        return false;
    }
    return true;
}

bool IXMLBase::SaveXML(const std::string& path, const char* rootName, const char* versionName,
                       const std::function<void(Tessel::Element& root)>& write) const
{
    if (path.empty())
        return false;
    std::string text;
    try {
        CDocumentPtr document(Tessel::CreateDocument(rootName));
        Tessel::CreateAttribute("version", kVersion, *document);
        Tessel::CreateAttribute("encoding", "Shift_JIS", *document);
        Tessel::Element& root = document->GetRootElement();
        Tessel::CreateAttribute(versionName, kVersion, root);
        write(root);
        text = Tessel::ToString(*document, true, 0);
    } catch (const std::exception&) {
        return false;  // out of memory while building the text
    }
    // The tree is gone before the file is written: a large scenario's nodes
    // and its text are not held at once with the file's bytes.
    return WriteXMLText(path, text);
}
