#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The installation that a window under test reads: lang/<language>/config/
// beside the test executable, at the paths CommonFun gives.
//
// Construction empties lang/, so every case starts from a bare installation
// and writes exactly the files it needs. It refuses to touch anything unless
// the executable runs from the folder the build set aside for it.
class TestInstallation {
public:
    using Entries = QList<QPair<QString, QString>>;

    TestInstallation();

    // Empty when the folder is usable; otherwise why it is not.
    QString problem() const { return fault; }

    // lang.xml holding these pairs, in this order.
    void writeLangTable(const Entries& entries) const;
    void writeLangFile(const QByteArray& content) const;
    void writeFunctionFile(const QByteArray& content) const;
    void writeUnitFile(const QByteArray& content) const;
    // A page of the language's help folder.
    void writeHelpPage(const QString& page, const QByteArray& content) const;

    // Every key the window asks for, with texts no language file uses; the
    // parse messages show their key and the token as "<key>[<token>]".
    static Entries standardEntries();

private:
    void write(const QString& path, const QByteArray& content) const;

    QString fault;
};
