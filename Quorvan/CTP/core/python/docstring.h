// The layout every docstring of the class has: a newline, each line indented by eight spaces
// and ended by a newline, then eight spaces.
#pragma once

#define QV_DOC_LINE(text) "        " text "\n"
#define QV_DOC(lines) "\n" lines "        "
