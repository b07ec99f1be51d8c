// Tessel: the XML text of a tree.
//
// pretty switches tab indentation (depth tabs) and line feeds on; depth is
// the nesting level of the node written. Names and values are written exactly
// as stored: the writer escapes nothing. A file's text is
// ToString(document, true, 0), beginning with the xml declaration built from
// the document's attributes.
#ifndef TESSEL_WRITER_H
#define TESSEL_WRITER_H

#include <string>

#include "tessel/Node.h"

namespace Tessel
{

// The same text as node.ToString(pretty, depth).
std::string ToString(const Node& node, bool pretty = true, int depth = 0);
// Appends that text to out (no temporary strings per node).
void AppendXml(std::string& out, const Node& node, bool pretty, int depth);

}  // namespace Tessel

#endif
