#pragma once

#include <QString>

class QTranslator;

// Qt's own texts (the buttons of message boxes and dialogs) in the program's
// language: loads into translator the "qtbase" translation for a language
// folder name such as "zh_cn" from dir (Qt's translations folder in the
// program). False when there is none, and the texts stay in English.
bool loadQtTranslation(QTranslator& translator, const QString& language, const QString& dir);
