#include "CommonFun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QUrl>

namespace {

// The language for every locale without a folder of its own language (German,
// French, "C", "POSIX"): the one most users can read, then the other shipped.
const QLatin1String fallbackLanguage("en_us");
const QLatin1String secondFallback("zh_cn");

// Longer than any real locale name ("language_Script_TERRITORY").
constexpr qsizetype maxLocaleNameLength = 32;

bool isPlainLocaleName(const QString& name) {
    if (name.isEmpty() || name.size() > maxLocaleNameLength)
        return false;
    for (QChar ch : name) {
        const char16_t u = ch.unicode();
        const bool ok =
            (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'_' || u == u'-';
        if (!ok)
            return false;
    }
    return true;
}

// A file name without any folder part: no separator of either kind, no drive
// or scheme colon, no control character, and not "." or "..".
bool isPlainFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar ch : name) {
        const char16_t u = ch.unicode();
        if (u == u'/' || u == u'\\' || u == u':' || u < 0x20 || u == 0x7f)
            return false;
    }
    return true;
}

QString fallbackFor(const QString& langDir) {
    return QFileInfo(langDir + fallbackLanguage).isDir() ? QString(fallbackLanguage)
                                                          : QString(secondFallback);
}

} // namespace

const char* const CommonFun::helpStartPage = "main.html";

CommonFun::~CommonFun() = default;

QString CommonFun::appDirPath() const {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

QString CommonFun::dataDirPath() const {
    return dataDirFor(appDirPath());
}

QString CommonFun::dataDirFor(const QString& appDir) {
    if (QFileInfo(appDir + QLatin1String("lang")).isDir())
        return appDir;
    const QString shared =
        QDir::cleanPath(appDir + QLatin1String("../share/scriptcalc")) + QLatin1Char('/');
    if (QFileInfo(shared + QLatin1String("lang")).isDir())
        return shared;
    return appDir;
}

QString CommonFun::languageFor(const QString& localeName, const QString& appDir) {
    const QString code = localeName.toLower();
    const QString langDir = appDir + QLatin1String("lang/");
    if (!isPlainLocaleName(code))
        return fallbackFor(langDir);
    if (QFileInfo(langDir + code).isDir())
        return code;
    // Another country's variant of the same language reads better than the
    // default: en_gb finds en_us, zh_tw finds zh_cn. The first in name order
    // wins, so the choice does not depend on the file system's listing order.
    const QString language = code.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0);
    const QStringList folders =
        QDir(langDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& folder : folders) {
        if (isPlainLocaleName(folder) &&
            (folder == language || folder.startsWith(language + QLatin1Char('_'))))
            return folder;
    }
    return fallbackFor(langDir);
}

QString CommonFun::currentLanguage() const {
    return languageFor(QLocale::system().name(), dataDirPath());
}

QString CommonFun::langFileRelativePath() const {
    return QLatin1String("lang/") + currentLanguage() + QLatin1String("/config/lang.xml");
}

QString CommonFun::langFilePath() const {
    return dataDirPath() + langFileRelativePath();
}

QStringList CommonFun::langFilePathsToTry() const {
    const QString current = currentLanguage();
    QStringList paths{langFilePath()};
    for (const QLatin1String shipped : {fallbackLanguage, secondFallback}) {
        if (shipped != current)
            paths << dataDirPath() + QLatin1String("lang/") + shipped +
                         QLatin1String("/config/lang.xml");
    }
    return paths;
}

QString CommonFun::functionFilePath() const {
    return configFilePath(QStringLiteral("function.xml"));
}

QString CommonFun::unitFilePath() const {
    return configFilePath(QStringLiteral("unit.xml"));
}

QString CommonFun::configFilePath(const QString& fileName) const {
    return dataDirPath() + QLatin1String("lang/") + currentLanguage() + QLatin1String("/config/") +
           fileName;
}

QString CommonFun::helpUrl(const QString& page) const {
    // The page name comes from a data file: only a plain name stays inside the
    // help folder, so anything else gets the start page.
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    const QString name = hash < 0 ? page : page.left(hash);
    const bool plain = isPlainFileName(name);
    // fromLocalFile instead of joining "file:///" and the path by hand: the
    // latter gives four slashes on systems whose paths start with "/".
    QUrl url = QUrl::fromLocalFile(dataDirPath() + QLatin1String("lang/") + currentLanguage() +
                                   QLatin1String("/help/") +
                                   (plain ? name : QLatin1String(helpStartPage)));
    if (plain && hash >= 0)
        url.setFragment(page.mid(hash + 1));
    return url.toString();
}

QString CommonFun::trimTrailing(const QString& text, QChar c) const {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == c)
        --end;
    return text.left(end);
}
