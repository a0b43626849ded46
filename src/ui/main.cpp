#include "CommonFun.h"
#include "MainWindow.h"
#include "QtTranslation.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    // No page of ours is writable and executable at once: Qt's pattern
    // engine would map such pages to compile patterns, wherever Qt uses one.
    qputenv("QT_ENABLE_REGEXP_JIT", "0");
    QApplication app(argc, argv);
    // The desktop entry, the theme icon and the metainfo share this id.
    const QString appId = QStringLiteral("io.github.scriptcalc.ScriptCalc");
    QGuiApplication::setDesktopFileName(appId);
    // QSettings keeps the window's state under these names.
    QApplication::setOrganizationName(QStringLiteral("ScriptCalc"));
    QApplication::setApplicationName(QStringLiteral("ScriptCalc"));
    // The forms ask for "Courier"; where it is not installed the system's
    // monospace font stands in, so the keypad and lists keep fixed widths.
    QFont::insertSubstitution(QStringLiteral("Courier"),
                              QFontDatabase::systemFont(QFontDatabase::FixedFont).family());

    // Qt's own buttons speak the language of our texts, where Qt ships it.
    QTranslator qtTranslator;
    if (loadQtTranslation(qtTranslator, CommonFun().currentLanguage(),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    // 800x600 on the first start, as it was closed on later ones.
    MainWindow window;
    window.setWindowIcon(QIcon::fromTheme(appId, QIcon(QStringLiteral(":/images/brel.PNG"))));
    window.show();
    // A logout or a kill asks to end: the window saves as when it is closed.
    const TerminationSignals terminationSignals(&window);
    return app.exec();
}
