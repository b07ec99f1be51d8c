// Attribute values of the option file. They are written and read verbatim
// (the parser does not decode entity references in attribute values), with
// one exception: the writer always quotes with ", so a value holding that
// character would end early and leave a file that no longer loads.
#pragma once

#include <string>

// `value` with every " written as &quot;; everything else (also "&") as is.
std::string AttributeText(const std::string& value);
