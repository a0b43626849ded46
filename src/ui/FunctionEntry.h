#pragma once

#include <QString>

// One entry of the function catalogue (function.xml), a plain value copied
// freely. What a double-click on it does depends on style:
//   1  insert `in` at the caret, then move the caret back `bidx` characters
//   2  run the script and show the result in the base written in `in`
//   3  `in` is a constant definition name=value: insert the name, and the
//      definition as the first script line when the script lacks it
//   any other value: nothing
struct FunctionEntry {
    QString show;      // column 1 of the function list
    QString in;        // insertion text, target base or constant definition
    int bidx = 0;      // caret back-step for style 1
    int style = 0;     // action on double-click, see above
    QString shortdesc; // column 2 of the function list
    QString help;      // help page file name in the language's help folder
};
