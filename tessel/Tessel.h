// Tessel: the program's XML library. Includes every public header.
#ifndef TESSEL_TESSEL_H
#define TESSEL_TESSEL_H

#include "tessel/Exceptions.h"
#include "tessel/Node.h"
#include "tessel/NodeContainer.h"
#include "tessel/Document.h"
#include "tessel/SAX_Parser.h"
#include "tessel/DOM_Parser.h"
#include "tessel/Writer.h"
#include "tessel/StringUtil.h"

#endif
