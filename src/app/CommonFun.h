#pragma once

#include <QChar>
#include <QString>

// Where the installed data lives and which language folder is used.
//
// Layout below the executable's directory:
//   lang/<language>/config/{lang,function,unit}.xml
//   lang/<language>/help/<page>
// The language is re-derived on every call (nothing is cached), so every path
// reflects the folders present at the moment of the request.
class CommonFun {
public:
    virtual ~CommonFun();

    // The executable's directory with a trailing "/".
    QString appDirPath() const;
    // The lower-case system locale name when lang/<that name> is a folder,
    // otherwise "zh_cn".
    QString currentLanguage() const;
    QString langFileRelativePath() const;
    QString langFilePath() const;
    QString functionFilePath() const;
    QString unitFilePath() const;
    // A file URL naming lang/<language>/help/<page>.
    QString helpUrl(const QString& page) const;
    // text without every trailing occurrence of c.
    QString trimTrailing(const QString& text, QChar c) const;

    // The language rule itself, for a given locale name and installation
    // directory (which must end in "/"). A name that is not a plain locale
    // name (empty, too long, or holding anything but ASCII letters, digits,
    // "_" and "-") never names a folder, so it cannot lead outside lang/.
    static QString languageFor(const QString& localeName, const QString& appDir);

private:
    QString configFilePath(const QString& fileName) const;
};
