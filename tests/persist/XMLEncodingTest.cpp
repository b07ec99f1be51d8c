// The encodings of the scenario and option files, one table for both: what
// each kind of file reads as, which files fail and with what message, and
// which encoding a save chooses (Shift_JIS byte for byte as before whenever
// the text allows it, else UTF-8).
#include "option/Option.h"
#include "scenario/Script.h"
#include "text/CodePage932.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{

std::string Sjis(const std::string& text)
{
    std::string bytes;
    EXPECT_TRUE(Utf8ToCp932(text, bytes)) << text;
    return bytes;
}

// One kind of file: how a text goes in, how it is read back out of the
// loaded object, and how an object holding a text is made for saving.
struct CFileKind
{
    const char* m_Name;
    std::function<std::string(const std::string& text)> m_Body;  // the file after its declaration
    std::function<bool(const std::string& path, std::string& text, std::string& error)> m_Load;
    std::function<bool(const std::string& path, const std::string& text)> m_Save;
};

const CFileKind kScenario = {
    "scenario",
    [](const std::string& text) {
        return "<script version=\"1.0\">\r\n\t<title>\r\n\t\t" + text +
               "\r\n\t</title>\r\n</script>\r\n";
    },
    [](const std::string& path, std::string& text, std::string& error) {
        CScript script;
        script.SetTitle("unchanged");
        const bool loaded = script.Load(path);
        text = script.GetTitle();
        error = script.GetError();
        return loaded;
    },
    [](const std::string& path, const std::string& text) {
        CScript script;
        script.SetTitle(text);
        script.AddCast(CCast(0, "太郎"));
        script.AddSerif(CSerif(0, "おはよう"));
        return script.Save(path);
    },
};

const CFileKind kOption = {
    "option",
    [](const std::string& text) {
        return "<Option Version=\"1.0\">\r\n\t<FileHistories>\r\n\t\t<FileHistory FullPath=\"" +
               text + "\"/>\r\n\t</FileHistories>\r\n</Option>\r\n";
    },
    [](const std::string& path, std::string& text, std::string& error) {
        COption option;
        option.m_FileHistory.Add("unchanged");
        const bool loaded = option.Load(path);
        int32_t cursor = option.m_FileHistory.Begin();
        text.clear();
        option.m_FileHistory.GetNext(text, cursor);
        error = option.GetError();
        return loaded;
    },
    [](const std::string& path, const std::string& text) {
        COption option;
        option.m_FileHistory.Add("C:\\" + text + "\\a.xml");
        return option.Save(path);
    },
};

std::string Declaration(const char* encoding)
{
    return std::string("<?xml version=\"1.0\" encoding=\"") + encoding + "\"?>\r\n";
}

struct CReadCase
{
    const char* m_What;
    std::function<std::string(const CFileKind&)> m_File;
    const char* m_Text;   // what the text reads as; null when the load fails
    const char* m_Error;  // the error text of a failed load
};

const CReadCase kReadCases[] = {
    {"Shift_JIS declared",
     [](const CFileKind& k) { return Declaration("Shift_JIS") + Sjis(k.m_Body("朝の①纊ｶﾅ")); },
     "朝の①纊ｶﾅ", ""},
    {"shift-jis, any letter case",
     [](const CFileKind& k) { return Declaration("SHIFT-jis") + Sjis(k.m_Body("表")); }, "表", ""},
    {"sjis", [](const CFileKind& k) { return Declaration("sjis") + Sjis(k.m_Body("表")); }, "表",
     ""},
    {"cp932", [](const CFileKind& k) { return Declaration("CP932") + Sjis(k.m_Body("表")); }, "表",
     ""},
    {"windows-31j",
     [](const CFileKind& k) { return Declaration("Windows-31J") + Sjis(k.m_Body("表")); }, "表",
     ""},
    {"no declaration is Shift_JIS", [](const CFileKind& k) { return Sjis(k.m_Body("ソ表")); },
     "ソ表", ""},
    {"UTF-8 declared, any letter case",
     [](const CFileKind& k) { return Declaration("utf-8") + k.m_Body("♡😊𠮷〜"); }, "♡😊𠮷〜", ""},
    {"UTF-8 byte order mark, no declaration",
     [](const CFileKind& k) { return "\xEF\xBB\xBF" + k.m_Body("ʕ•ᴥ•ʔ"); }, "ʕ•ᴥ•ʔ", ""},
    {"the byte order mark wins over the declaration",
     [](const CFileKind& k) { return "\xEF\xBB\xBF" + Declaration("Shift_JIS") + k.m_Body("♡"); },
     "♡", ""},
    {"no declaration, bytes that only UTF-8 reads",
     [](const CFileKind& k) { return k.m_Body("(◕‿◕)♡"); }, "(◕‿◕)♡", ""},
    {"declaration after a comment",
     [](const CFileKind& k) { return "<!-- x -->\r\n" + Declaration("UTF-8") + k.m_Body("✨"); },
     "✨", ""},
    {"unknown encoding", [](const CFileKind& k) { return Declaration("EUC-JP") + k.m_Body("x"); },
     nullptr, "対応していない文字コードです：EUC-JP"},
    {"UTF-16", [](const CFileKind&) { return std::string("\xFF\xFE<\0?\0x\0", 8); }, nullptr,
     "対応していない文字コードです：UTF-16"},
    // The text is on the body's third line, after the declaration the fourth.
    {"bad Shift_JIS bytes, with their line",
     [](const CFileKind& k) { return Declaration("Shift_JIS") + k.m_Body("a\x85\x40"); }, nullptr,
     "文字コードが正しくありません（4 行目）"},
    {"bad UTF-8 bytes, with their line",
     [](const CFileKind& k) { return Declaration("UTF-8") + k.m_Body("a\xED\xA0\x80"); }, nullptr,
     "文字コードが正しくありません（4 行目）"},
    {"no declaration, neither Shift_JIS nor UTF-8",
     [](const CFileKind& k) { return k.m_Body("\x85\x40"); }, nullptr,
     "文字コードが正しくありません（3 行目）"},
};

}  // namespace

TEST(XMLEncoding, ReadsEachEncodingAndRefusesTheRestWithTheirMessage)
{
    for (const CFileKind* kind : {&kScenario, &kOption}) {
        for (const CReadCase& c : kReadCases) {
            SCOPED_TRACE(std::string(kind->m_Name) + ": " + c.m_What);
            CTempFolder folder;
            const std::string path = folder.File("f.xml");
            ASSERT_TRUE(WriteBytes(path, c.m_File(*kind)));
            std::string text, error;
            const bool loaded = kind->m_Load(path, text, error);
            EXPECT_EQ(c.m_Text != nullptr, loaded) << error;
            if (c.m_Text != nullptr) {
                EXPECT_EQ(c.m_Text, text);
                continue;
            }
            // Nothing changes; the message says why, and where.
            EXPECT_EQ("unchanged", text);
            EXPECT_EQ(c.m_Error, error);
        }
    }
}

TEST(XMLEncoding, SavesShiftJisWhenItCanAndUtf8Otherwise)
{
    for (const CFileKind* kind : {&kScenario, &kOption}) {
        SCOPED_TRACE(kind->m_Name);
        CTempFolder folder;
        const std::string path = folder.File("f.xml");
        ASSERT_TRUE(kind->m_Save(path, "台本"));
        const std::string shiftJis = ReadBytes(path);
        EXPECT_EQ(0u, shiftJis.find(Declaration("Shift_JIS")));
        EXPECT_NE(std::string::npos, shiftJis.find(Sjis("台本")));

        // Loaded and saved again: byte for byte the same file.
        std::string text, error;
        ASSERT_TRUE(kind->m_Load(path, text, error)) << error;
        ASSERT_TRUE(kind->m_Save(folder.File("again.xml"), "台本"));
        EXPECT_EQ(shiftJis, ReadBytes(folder.File("again.xml")));

        // A ♡ makes it UTF-8, declared so, and otherwise the same file;
        // without it, Shift_JIS again.
        ASSERT_TRUE(kind->m_Save(path, "台本♡"));
        std::string expected;
        size_t bad = 0;
        ASSERT_TRUE(Cp932ToUtf8(shiftJis, expected, bad));
        expected.replace(0, Declaration("Shift_JIS").size(), Declaration("UTF-8"));
        expected.replace(expected.find("台本"), 6, "台本♡");
        EXPECT_EQ(expected, ReadBytes(path));
        ASSERT_TRUE(kind->m_Load(path, text, error)) << error;
        EXPECT_NE(std::string::npos, text.find("台本♡"));
        ASSERT_TRUE(kind->m_Save(path, "台本"));
        EXPECT_EQ(shiftJis, ReadBytes(path));
    }
}
