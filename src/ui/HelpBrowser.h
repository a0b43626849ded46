#pragma once

#include <QTextBrowser>

// A text browser that reads local pages and images as data files: regular
// files within the size limit only (readDataFile), so a FIFO or an endless
// device in the help folder cannot block the window.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override;
};
