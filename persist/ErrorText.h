// What a user is shown of an exception: its text without the lines meant
// for us. The XML library's texts begin with the exception's class name and
// often the raising statement's place in our sources ("SAX_Parser.cpp:464");
// neither says anything to a user, and no file name or line of ours is ever
// shown.
#pragma once

#include <string>

// The text without a first line that names an exception class (one word
// ending in "Exception"), without any line that is a source place
// ("<name>.cpp:<n>" or "<name>.h:<n>"), without the NUL the library stores
// after the last line, and without line feeds at its end.
std::string UserErrorText(const std::string& what);
