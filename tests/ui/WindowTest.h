#pragma once

#include "MainWindow.h"
#include "ModalBoxCatcher.h"
#include "QtPrinters.h"
#include "ScriptStore.h"
#include "TestInstallation.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QString>

#include <memory>
#include <stdexcept>

// Reaches what no button exposes: the editing operations with any argument
// and the base conversion that the function list triggers.
class MainWindowTestAccess {
public:
    static void insertAtCursor(MainWindow& window, const QString& text, int back) {
        window.insertAtCursor(text, back);
    }
    static void insertConstant(MainWindow& window, const QString& definition) {
        window.insertConstant(definition);
    }
    static void convertResultBase(MainWindow& window, int base) { window.convertResultBase(base); }
    static void insertTemplate(MainWindow& window, const QString& text, int back) {
        window.insertTemplate(text, back);
    }
};

// A bare installation, a modal-dialog guard, and helpers to find and use the
// window's widgets by their object names, as a user would.
class WindowTestBase : public ::testing::Test {
protected:
    // Every case starts without remembered state.
    void SetUp() override {
        ASSERT_EQ(installation.problem(), QString());
        QSettings().clear();
        QFile::remove(ScriptStore::filePath());
    }

    void TearDown() override {
        window.reset();
        const auto left = dialogs.take();
        for (const auto& dialog : left)
            ADD_FAILURE() << "unexpected dialog " << dialog.className.toStdString() << " \""
                          << dialog.title.toStdString() << "\": " << dialog.text.toStdString();
    }

    // Builds the window from the installation as it is now, shown at the
    // size main gives it and active, so focus behaves as on a desktop.
    void openWindow();

    template <class T> T* widget(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            throw std::runtime_error(std::string("the window has no such widget: ") + name);
        return found;
    }

    void click(const char* buttonName);
    void typeScript(const QString& script);
    // Replaces the script and selects [anchor, position) (a caret when equal).
    void setScript(const QString& script, int anchor, int position);

    QPlainTextEdit* editor() const { return widget<QPlainTextEdit>("text_script"); }
    QString script() const { return editor()->toPlainText(); }
    QString result() const { return widget<QLineEdit>("edit_res")->text(); }
    int caret() const;
    bool editorHasFocus() const;

    TestInstallation installation;
    ModalBoxCatcher dialogs;
    std::unique_ptr<MainWindow> window;
};

// The window opened on the standard string table.
class WindowTest : public WindowTestBase {
protected:
    void SetUp() override {
        WindowTestBase::SetUp();
        installation.writeLangTable(TestInstallation::standardEntries());
        openWindow();
    }
};
