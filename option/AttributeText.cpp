#include "option/AttributeText.h"

#include "tessel/StringUtil.h"

std::string AttributeText(const std::string& value)
{
    std::string text = value;
    Tessel::ReplaceAll(text, "\"", "&quot;");
    return text;
}
