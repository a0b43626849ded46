#include "HelpBrowser.h"

#include "DataFile.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

bool opensOnTheDesktop(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

} // namespace

void HelpBrowser::setHelpFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    helpFolder = canonical.isEmpty() ? QString() : canonical + QLatin1Char('/');
}

bool HelpBrowser::isInsideHelpFolder(const QUrl& url) const {
    if (helpFolder.isEmpty() || !url.isLocalFile())
        return false;
    // Canonical, so that neither ".." nor a symbolic link leads out.
    const QString path = QFileInfo(url.toLocalFile()).canonicalFilePath();
    return path.startsWith(helpFolder);
}

QVariant HelpBrowser::loadResource(int, const QUrl& name) {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (!isInsideHelpFolder(url))
        return QVariant();
    // The bytes as they are: the browser decodes pages and images itself.
    QByteArray bytes;
    if (!readDataFile(url.toLocalFile(), &bytes))
        return QVariant();
    return bytes;
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (isInsideHelpFolder(url))
        QTextBrowser::doSetSource(url, type);
    else if (opensOnTheDesktop(url))
        QDesktopServices::openUrl(url);
}
