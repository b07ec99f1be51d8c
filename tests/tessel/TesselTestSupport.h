// Helpers shared by the Tessel suites: a SAX handler that records events as
// text, and checks of the line structure of exception messages.
#ifndef ROLECUE_TESTS_TESSEL_SUPPORT_H
#define ROLECUE_TESTS_TESSEL_SUPPORT_H

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tessel/Tessel.h"

namespace TesselTest
{

// Records every event as one line of text:
//   decl [a=1,b=2]   start a [x=1]   end a   chars <text>   comment <text>
//   error <code> <column>
// OnError answers from a list (one answer per error, the last repeated);
// empty means "stop" (true).
class Recorder : public Tessel::SAX_EventHandler
{
public:
    std::vector<std::string> events;
    std::vector<Tessel::ParsingException> errors;
    std::vector<bool> answers;  // what OnError returns, in turn

    static std::string Attributes(const Tessel::AttributeList& list)
    {
        std::string s = "[";
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (i)
                s += ',';
            s += list[i].first + "=" + list[i].second;
        }
        return s + "]";
    }
    void OnDeclaration(const Tessel::AttributeList& a) override
    {
        events.push_back("decl " + Attributes(a));
    }
    void OnStartElement(const std::string& n, const Tessel::AttributeList& a) override
    {
        events.push_back("start " + n + " " + Attributes(a));
    }
    void OnEndElement(const std::string& n) override { events.push_back("end " + n); }
    void OnCharacters(const std::string& t) override { events.push_back("chars " + t); }
    void OnComment(const std::string& t) override { events.push_back("comment " + t); }
    bool OnError(const Tessel::ParsingException& e) override
    {
        events.push_back("error " + std::to_string(e.GetCode()) + " " +
                         std::to_string(e.GetColumn()));
        errors.push_back(e);
        if (answers.empty())
            return true;
        std::size_t i = errors.size() - 1;
        return answers[i < answers.size() ? i : answers.size() - 1];
    }
};

struct SaxResult
{
    bool ok = false;
    std::vector<std::string> events;
    std::vector<Tessel::ParsingException> errors;
};

// Parses text from a stream (the program's way) and from memory; both must
// give the same events and result, which the helper checks.
inline SaxResult Sax(const std::string& text, bool trim = false, std::vector<bool> answers = {})
{
    SaxResult results[2];
    for (int mode = 0; mode < 2; ++mode) {
        Recorder recorder;
        recorder.answers = answers;
        Tessel::SAX_Parser parser;
        parser.SetHandler(&recorder);
        parser.SetTrimWhitespace(trim);
        bool ok;
        if (mode == 0) {
            std::istringstream in(text);
            ok = parser.Parse(in);
        } else {
            ok = parser.Parse(std::string_view(text));
        }
        results[mode].ok = ok;
        results[mode].events = recorder.events;
        results[mode].errors = recorder.errors;
    }
    EXPECT_EQ(results[0].ok, results[1].ok) << "stream and memory differ for: " << text;
    EXPECT_EQ(results[0].events, results[1].events) << "stream and memory differ for: " << text;
    EXPECT_EQ(results[0].errors.size(), results[1].errors.size()) << text;
    for (std::size_t i = 0; i < results[0].errors.size() && i < results[1].errors.size(); ++i) {
        EXPECT_EQ(results[0].errors[i].GetLine(), results[1].errors[i].GetLine())
            << "stream and memory place error " << i << " on other lines: " << text;
        EXPECT_EQ(results[0].errors[i].GetColumn(), results[1].errors[i].GetColumn()) << text;
    }
    return results[0];
}

inline std::vector<std::string> Events(std::initializer_list<const char*> list)
{
    return std::vector<std::string>(list.begin(), list.end());
}

// Splits a stored message into its lines; checks that every line ends with a
// line feed and that one NUL byte follows the last.
inline std::vector<std::string> MessageLines(const std::string& message)
{
    std::vector<std::string> lines;
    EXPECT_GE(message.size(), 2u);
    if (message.size() < 2)
        return lines;
    EXPECT_EQ('\0', message.back()) << "message must end with a NUL byte";
    EXPECT_EQ('\n', message[message.size() - 2]) << "last line must end with a line feed";
    std::string body = message.substr(0, message.size() - 1);
    EXPECT_EQ(std::string::npos, body.find('\0')) << "only one NUL, at the end";
    std::size_t start = 0;
    while (start < body.size()) {
        std::size_t lf = body.find('\n', start);
        lines.push_back(body.substr(start, lf - start));
        start = lf + 1;
    }
    return lines;
}

// The source location line: the bare file name of our own source, a colon
// and a line number; never a folder of the build machine.
inline bool IsLocation(const std::string& line, const std::string& file)
{
    return std::regex_match(line, std::regex(file + "\\.cpp:[1-9][0-9]*"));
}

// Expects className, the location in file (unless file is empty), then lines.
inline void ExpectMessage(const std::string& message, const std::string& className,
                          const std::string& file, const std::vector<std::string>& expected)
{
    std::vector<std::string> lines = MessageLines(message);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(className, lines[0]);
    std::size_t next = 1;
    if (!file.empty()) {
        ASSERT_GE(lines.size(), 2u);
        EXPECT_TRUE(IsLocation(lines[1], file)) << "location line: " << lines[1];
        next = 2;
    }
    std::vector<std::string> rest(
        lines.begin() + static_cast<std::ptrdiff_t>(std::min(next, lines.size())), lines.end());
    EXPECT_EQ(expected, rest);
}

inline std::unique_ptr<Tessel::Document> ParseDom(const std::string& text, bool trim = true)
{
    Tessel::DOM_Parser parser;
    parser.SetTrimWhitespace(trim);
    std::istringstream in(text);
    return std::unique_ptr<Tessel::Document>(parser.Parse(in));
}

inline std::string ReadDataFile(const std::string& name)
{
    std::ifstream in(std::string(ROLECUE_TEST_DATA) + "/tessel/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing test data " << name;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// CR LF to LF, as a text-mode stream does on Windows.
inline std::string TextMode(std::string text)
{
    Tessel::ReplaceAll(text, "\r\n", "\n");
    return text;
}

}  // namespace TesselTest

#endif
