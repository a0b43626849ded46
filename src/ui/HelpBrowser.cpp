#include "HelpBrowser.h"

#include "DataFile.h"

#include <QUrl>

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (!url.isLocalFile())
        return QTextBrowser::loadResource(type, name);
    // The bytes as they are: the browser decodes pages and images itself.
    QByteArray bytes;
    if (!readDataFile(url.toLocalFile(), &bytes))
        return QVariant();
    return bytes;
}
