#pragma once

#include <QString>

// The text with every bidi control and zero-width character written as a visible code, such
// as "<U+202E>": shown as they are, they would reorder or hide the text around them, so that a
// script line could disguise what it holds.
QString withVisibleControls(const QString& text);
