// IXMLBase: common base of every object that loads and saves itself as XML
// (the scenario, the options and their parts).
//
// It holds the error text of the last failed load, in UTF-8. The
// text is only ever overwritten by a later failure that sets a text; success,
// Clear and failures without a text leave it as it was.
#pragma once

#include <string>

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

private:
    std::string m_Error;
};
