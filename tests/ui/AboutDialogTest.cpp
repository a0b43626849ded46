// The About dialog: opened modally from the Help menu with the window's
// string table, its texts with a full, an empty and a hostile table, the
// language file it names, and its form.
#include "WindowTest.h"

#include "CAboutDialog.h"
#include "CommonFun.h"
#include "ProductInfo.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include <optional>

namespace {

// What an About dialog showed when it appeared.
struct Shown {
    QString title;
    QString heading;
    QString body;
    bool modal = false;
    QObject* parent = nullptr;
    const QMap<QString, QString>* table = nullptr;
};

Shown texts(CAboutDialog* dialog) {
    return {dialog->windowTitle(),
            dialog->findChild<QLabel*>(QStringLiteral("lb_title"))->text(),
            dialog->findChild<QTextBrowser*>(QStringLiteral("tb_about"))->toPlainText(),
            dialog->isModal(),
            dialog->parent(),
            dialog->langTable};
}

// Records the texts of an About dialog at the moment it is shown, before
// the modal-box catcher closes it.
class AboutWatcher : public QObject {
public:
    AboutWatcher() { QCoreApplication::instance()->installEventFilter(this); }
    ~AboutWatcher() override { QCoreApplication::instance()->removeEventFilter(this); }

    QList<Shown> seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* dialog = qobject_cast<CAboutDialog*>(watched))
                seen << texts(dialog);
        }
        return false;
    }
};

QString body(const QString& lic2, const QString& lic3, const QString& fileUse,
             const QString& version, const QString& langFile) {
    return lic2 + QLatin1Char(' ') + QLatin1String(kProductAuthor) + QLatin1Char('\n') + lic3 +
           QStringLiteral("\n\n") + fileUse + QLatin1Char('\n') + langFile +
           QStringLiteral("\n\n") + version;
}

} // namespace

class AboutTest : public WindowTestBase {
protected:
    // Opens the dialog from the Help menu and returns what it showed.
    std::optional<Shown> openAbout() {
        AboutWatcher watcher;
        widget<QAction>("actionAbout")->trigger();
        const auto boxes = dialogs.take();
        EXPECT_EQ(boxes.size(), 1);
        EXPECT_EQ(watcher.seen.size(), 1);
        if (boxes.size() != 1 || watcher.seen.size() != 1)
            return std::nullopt;
        EXPECT_EQ(boxes.first().className, QStringLiteral("CAboutDialog"));
        EXPECT_EQ(boxes.first().parent, window.get());
        EXPECT_EQ(window->findChildren<CAboutDialog*>().size(), 0) << "not destroyed on return";
        return watcher.seen.first();
    }
};

TEST_F(AboutTest, ShowsTheStringTablesTextsModallyOverTheWindow) {
    installation.writeLangTable(TestInstallation::standardEntries());
    openWindow();
    const auto shown = openAbout();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->modal);
    EXPECT_EQ(shown->parent, window.get());
    EXPECT_NE(shown->table, nullptr);
    EXPECT_EQ(shown->title, QStringLiteral("About it"));
    EXPECT_EQ(shown->heading, QStringLiteral("Test Calc title 2.1"));
    EXPECT_EQ(shown->body, body(QStringLiteral("Written by"), QStringLiteral("Notice"),
                                QStringLiteral("Language file:"), QStringLiteral("Version 9"),
                                QStringLiteral("lang/zh_cn/config/lang.xml")));
}

// The built-in captions that stand in for a missing table leave the About
// texts to the fixed parts, the title and the version line.
TEST_F(AboutTest, WithoutATableOnlyTheFixedPartsRemain) {
    openWindow();
    const auto shown = openAbout();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->title, QStringLiteral("About"));
    EXPECT_EQ(shown->heading, QStringLiteral(" 2.1"));
    EXPECT_TRUE(shown->body.startsWith(QLatin1Char(' ') + QLatin1String(kProductAuthor) + "\n"));
    EXPECT_EQ(shown->body, body(QString(), QString(), QString(), "ScriptCalc version 2.1",
                                "lang/zh_cn/config/lang.xml"));
}

// The test locale is C, so a folder lang/c makes "c" the language in use;
// without it the dialog names the fallback language's file.
TEST_F(AboutTest, NamesTheFileOfTheLanguageInUse) {
    ASSERT_TRUE(QDir().mkpath(QCoreApplication::applicationDirPath() + "/lang/c"));
    ASSERT_EQ(CommonFun().currentLanguage(), QStringLiteral("c"));
    installation.writeLangTable({{QStringLiteral("IDS_LANG_FILE_USE"), QStringLiteral("File:")}});
    openWindow();
    const auto shown = openAbout();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->body.contains(QStringLiteral("File:\nlang/c/config/lang.xml\n\n")))
        << shown->body.toStdString();
}

TEST_F(AboutTest, EveryOpeningBuildsTheTextsAnew) {
    installation.writeLangTable(TestInstallation::standardEntries());
    openWindow();
    const auto first = openAbout();
    ASSERT_TRUE(QDir(QCoreApplication::applicationDirPath() + "/lang/zh_cn")
                    .rename(QStringLiteral("config"), QStringLiteral("moved")));
    ASSERT_TRUE(QDir().mkpath(QCoreApplication::applicationDirPath() + "/lang/c"));
    const auto second = openAbout();
    ASSERT_TRUE(first && second);
    // The table stays the one read at start-up; the path is computed again.
    EXPECT_EQ(second->title, first->title);
    EXPECT_TRUE(second->body.contains(QStringLiteral("\nlang/c/config/lang.xml\n")));
}

TEST_F(AboutTest, MarkupInTheTableIsShownAsTyped) {
    installation.writeLangTable(
        {{QStringLiteral("IDC_BTN_LIC2"), QStringLiteral("<b>Bold</b>")},
         {QStringLiteral("IDC_BTN_LIC3"), QStringLiteral("<a href=\"x\">link</a> &amp;")}});
    openWindow();
    const auto shown = openAbout();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->body.startsWith(QStringLiteral("<b>Bold</b> ")));
    EXPECT_TRUE(shown->body.contains(QStringLiteral("\n<a href=\"x\">link</a> &amp;\n\n")));
}

// The whole text in view, no address of an example domain, and a way out by mouse.
TEST_F(AboutTest, ShowsAllItsTextAndCloses) {
    installation.writeLangTable(TestInstallation::standardEntries());
    openWindow();
    CAboutDialog dialog(window.get());
    QMap<QString, QString> table;
    table.insert(
        QStringLiteral("IDC_BTN_LIC3"),
        QString(40, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("notice ")));
    dialog.langTable = &table;
    dialog.initTexts();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* text = dialog.findChild<QTextBrowser*>(QStringLiteral("tb_about"));
    EXPECT_EQ(text->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0);
    // Nor a box much larger than its text.
    const QSizeF used = text->document()->size();
    EXPECT_LT(text->viewport()->height(), used.height() + 20);
    EXPECT_FALSE(text->toPlainText().contains(QStringLiteral("example")));
    EXPECT_FALSE(text->toPlainText().contains(QStringLiteral("e_mail")));

    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(buttons, nullptr);
    QAbstractButton* close = buttons->button(QDialogButtonBox::Close);
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(AboutTest, MarkupInTheTitleIsShownAsTyped) {
    openWindow();
    const QMap<QString, QString> table{
        {QStringLiteral("IDC_BTN_LIC1"), QStringLiteral("<b>x</b>")}};
    CAboutDialog dialog(window.get());
    dialog.langTable = &table;
    dialog.initTexts();
    auto* heading = dialog.findChild<QLabel*>(QStringLiteral("lb_title"));
    EXPECT_EQ(heading->textFormat(), Qt::PlainText);
    EXPECT_TRUE(heading->text().startsWith(QStringLiteral("<b>x</b> ")));
}

TEST_F(AboutTest, TheFormHasItsLayoutImageAndCloseButton) {
    openWindow();
    CAboutDialog dialog(window.get());
    EXPECT_STREQ(dialog.metaObject()->className(), "CAboutDialog");
    EXPECT_EQ(dialog.size(), QSize(400, 300));
    EXPECT_EQ(dialog.font().family(), QStringLiteral("Courier"));
    EXPECT_EQ(dialog.font().pointSize(), 11);
    auto* image = dialog.findChild<QGroupBox*>(QStringLiteral("gb_img"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->minimumSize(), QSize(48, 48));
    EXPECT_EQ(image->maximumSize(), QSize(48, 48));
    auto* picture = dialog.findChild<QLabel*>(QStringLiteral("label"));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->text().isEmpty());
    EXPECT_FALSE(picture->pixmap().isNull());
    auto* heading = dialog.findChild<QLabel*>(QStringLiteral("lb_title"));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->font().pointSize(), 16);
    EXPECT_TRUE(heading->font().bold());
    auto* row = dialog.findChild<QHBoxLayout*>(QStringLiteral("horizontalLayout"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->indexOf(image), 0);
    EXPECT_EQ(row->indexOf(heading), 1);
    const QMargins margins = row->contentsMargins();
    EXPECT_EQ(margins.left(), 1);
    EXPECT_EQ(margins.top(), 1);
    EXPECT_EQ(margins.bottom(), 1);
    const auto buttons = dialog.findChildren<QAbstractButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(dialog.findChild<QDialogButtonBox*>()->buttonRole(buttons.first()),
              QDialogButtonBox::RejectRole);
    EXPECT_TRUE(dialog.findChild<QTextBrowser*>(QStringLiteral("tb_about"))->isReadOnly());
}

TEST_F(AboutTest, EscapeClosesIt) {
    openWindow();
    CAboutDialog dialog(window.get());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(AboutTest, ALanguageChangeBringsBackTheFormsTexts) {
    installation.writeLangTable(TestInstallation::standardEntries());
    openWindow();
    const QMap<QString, QString> table{{QStringLiteral("IDS_TAB_ABOUT"), QStringLiteral("About")},
                                       {QStringLiteral("IDC_BTN_LIC1"), QStringLiteral("Calc")}};
    CAboutDialog dialog(window.get());
    dialog.langTable = &table;
    dialog.initTexts();
    ASSERT_EQ(texts(&dialog).heading, QStringLiteral("Calc 2.1"));
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&dialog, &change);
    const Shown after = texts(&dialog);
    EXPECT_EQ(after.title, QStringLiteral("Dialog"));
    EXPECT_EQ(after.heading, QStringLiteral("TextLabel"));
    EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("label"))->text().isEmpty());
    for (QGroupBox* box : dialog.findChildren<QGroupBox*>())
        EXPECT_TRUE(box->title().isEmpty()) << box->objectName().toStdString();
}
