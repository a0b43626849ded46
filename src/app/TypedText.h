#pragma once

#include <QString>
#include <QStringView>

#include <string>

// Between the editor's text and the engine's bytes. The engine reads 8-bit
// text, one byte per UTF-16 unit of the line, so a byte position in the
// engine is a position in the typed line as well.

// The bytes the engine reads for a typed line: the full-width ASCII forms
// that a Chinese input method types (U+FF01..U+FF5E, as "（", "＋", "，", full-width
// digits) and the ideographic space U+3000 read as their ASCII counterparts,
// Latin-1 as itself, anything else as '?' (which no recognizer accepts).
void toEngineText(QStringView line, std::string& bytes);

// The text as typed behind an engine token at position (-1: unknown) in the
// bytes of line: the same stretch of the line when the token is there (a
// token position unknown: where it first occurs), else the token itself.
QString typedText(QStringView line, const std::string& token, int position);
