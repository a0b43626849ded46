#include "QtTranslation.h"

#include <QLocale>
#include <QTranslator>

bool loadQtTranslation(QTranslator& translator, const QString& language, const QString& dir) {
    // Our folders are named in lower case ("zh_cn"); Qt's files by locale
    // ("qtbase_zh_CN", else "qtbase_zh"), which QLocale's own lookup order finds.
    const qsizetype separator = language.indexOf(QLatin1Char('_'));
    const QString name = separator < 0 ? language
                                       : language.left(separator) + QLatin1Char('_') +
                                             language.mid(separator + 1).toUpper();
    return translator.load(QLocale(name), QStringLiteral("qtbase"), QStringLiteral("_"), dir);
}
