#pragma once

#include <QMap>
#include <QString>
#include <QWidget>

class HelpBrowser;
class QAction;
class QUrl;

// The help pages without a browser: a window of its own with a text browser
// that follows the pages' links within the help folder (see HelpBrowser),
// and Back, Forward and Contents.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // Captions from the string table; the window is a top-level window even
    // with a parent, which only ties its life to the parent's.
    explicit HelpWindow(const QMap<QString, QString>& langTable, QWidget* parent = nullptr);

    // Shows the page (a file URL, possibly with a fragment) and brings the
    // window to the front. The page's folder is the help folder: links and
    // images lead only to files inside it. Contents leads to main.html
    // beside the page.
    void showPage(const QUrl& url);

private:
    HelpBrowser* browser;
    QAction* backAction;
    QAction* forwardAction;
    QAction* contentsAction;
};
