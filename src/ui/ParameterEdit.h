#pragma once

#include <QString>

class QTextDocument;

// Rewrites the number of a parameter line in the script. A slider drag is one step for undo: its
// first rewrite opens an edit block, every later one of the same drag joins it (continuing), so
// one Ctrl+Z gives back the number from before the drag. Returns false, changing nothing, when
// the line is no longer a parameter line.
bool rewriteParameter(QTextDocument* script, int line, const QString& number, bool continuing);
