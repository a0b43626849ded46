#pragma once

#include <QString>
#include <QTextBrowser>

// A text browser for the help folder alone. It follows links to, and loads
// pages, images and style sheets from, files inside that folder only; an
// http, https or mailto link goes to the desktop's opener, any other link
// leads nowhere. Files are read as data files: regular files within the
// size limit only (readDataFile), so a FIFO or an endless device in the
// help folder cannot block the window.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    using QTextBrowser::QTextBrowser;

    // The folder whose files may be shown; until it is set, none may.
    void setHelpFolder(const QString& folder);

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    // The local file that url names, when it lies inside the help folder.
    bool isInsideHelpFolder(const QUrl& url) const;

    QString helpFolder; // canonical, ending in "/"
};
