#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Where the installed data lives and which language folder is used.
//
// Layout below the data directory:
//   lang/<language>/config/{lang,function,unit}.xml
//   lang/<language>/help/<page>
// The data directory is the executable's own when lang/ lies beside it (the
// build tree, a flat installation), otherwise <prefix>/share/scriptcalc/ of a
// prefix installation whose executables are in <prefix>/bin. The folders and
// the language are re-derived on every call (nothing is cached), so every path
// reflects the folders present at the moment of the request.
class CommonFun {
public:
    static const char* const helpStartPage;

    virtual ~CommonFun();

    // The executable's directory with a trailing "/". Virtual so tests can
    // place an installation anywhere.
    virtual QString appDirPath() const;
    // The folder that holds lang/, with a trailing "/".
    QString dataDirPath() const;
    // The lower-case system locale name when lang/<that name> is a folder,
    // else the first folder of the same language (lang/en_us for en_GB,
    // lang/zh_cn for zh_TW), otherwise "en_us" when that is a folder and
    // "zh_cn" when it is not.
    QString currentLanguage() const;
    QString langFileRelativePath() const;
    QString langFilePath() const;
    // langFilePath(), then the lang.xml of each other shipped language: the
    // tables to try, in order, when one gives no texts.
    QStringList langFilePathsToTry() const;
    QString functionFilePath() const;
    QString unitFilePath() const;
    // A file URL naming lang/<language>/help/<page>. page is a plain file
    // name, optionally followed by "#" and the URL's fragment; anything else
    // (empty, a path, "..") names the start page helpStartPage instead.
    QString helpUrl(const QString& page) const;
    // text without every trailing occurrence of c.
    QString trimTrailing(const QString& text, QChar c) const;

    // The language rule itself, for a given locale name and installation
    // directory (which must end in "/"). A name that is not a plain locale
    // name (empty, too long, or holding anything but ASCII letters, digits,
    // "_" and "-") never names a folder, so it cannot lead outside lang/.
    static QString languageFor(const QString& localeName, const QString& appDir);

    // The data directory for an executable in appDir (ending in "/"): appDir
    // when appDir/lang is a folder, else appDir/../share/scriptcalc/ when that
    // holds a lang folder, else appDir.
    static QString dataDirFor(const QString& appDir);

private:
    QString configFilePath(const QString& fileName) const;
};
