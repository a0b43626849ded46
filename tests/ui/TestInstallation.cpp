#include "TestInstallation.h"

#include "CommonFun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QXmlStreamWriter>

TestInstallation::TestInstallation() {
    const QString appDir = QDir(QCoreApplication::applicationDirPath()).canonicalPath();
    const QString expected = QDir(QStringLiteral(SCRIPTCALC_UI_TESTS_INSTALL_DIR)).canonicalPath();
    if (appDir.isEmpty() || appDir != expected) {
        fault = QStringLiteral("the tests run from %1, not from their own folder %2")
                    .arg(appDir, expected);
        return;
    }
    QDir lang(appDir + QStringLiteral("/lang"));
    if (lang.exists() && !lang.removeRecursively())
        fault = QStringLiteral("cannot empty ") + lang.path();
}

void TestInstallation::writeLangTable(const Entries& entries) const {
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("lang"));
    for (const auto& [code, desc] : entries) {
        writer.writeStartElement(QStringLiteral("item"));
        writer.writeTextElement(QStringLiteral("code"), code);
        writer.writeTextElement(QStringLiteral("desc"), desc);
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    writeLangFile(xml);
}

void TestInstallation::writeLangFile(const QByteArray& content) const {
    write(CommonFun().langFilePath(), content);
}

void TestInstallation::writeFunctionFile(const QByteArray& content) const {
    write(CommonFun().functionFilePath(), content);
}

void TestInstallation::writeUnitFile(const QByteArray& content) const {
    write(CommonFun().unitFilePath(), content);
}

void TestInstallation::writeHelpPage(const QString& page, const QByteArray& content) const {
    write(QUrl(CommonFun().helpUrl(page)).toLocalFile(), content);
}

void TestInstallation::write(const QString& path, const QByteArray& content) const {
    if (!fault.isEmpty())
        qFatal("TestInstallation: %s", qPrintable(fault));
    if (!QDir().mkpath(QFileInfo(path).path()))
        qFatal("TestInstallation: cannot create the folder of %s", qPrintable(path));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        qFatal("TestInstallation: cannot write %s", qPrintable(path));
}

TestInstallation::Entries TestInstallation::standardEntries() {
    Entries entries = {
        {QStringLiteral("IDS_APP_NAME"), QStringLiteral("Test Calc")},
        {QStringLiteral("IDS_TAB_ABOUT"), QStringLiteral("About it")},
        {QStringLiteral("IDS_TAB_HELP"), QStringLiteral("Help me")},
        {QStringLiteral("IDS_ALL_VERSION"), QStringLiteral("Version 9")},
        {QStringLiteral("IDS_CB_TRIGONOMETRIC"), QStringLiteral("Trig")},
        {QStringLiteral("IDS_CB_ARITHMETIC"), QStringLiteral("Arith")},
        {QStringLiteral("IDS_CB_BASECONVERSION"), QStringLiteral("Bases")},
        {QStringLiteral("IDS_CB_STATISTICS"), QStringLiteral("Stats")},
        {QStringLiteral("IDS_CB_FINANCE"), QStringLiteral("Money")},
        {QStringLiteral("IDS_CB_UNITCONVERSION"), QStringLiteral("Units")},
        {QStringLiteral("IDS_CB_CONSTANTS"), QStringLiteral("Consts")},
        {QStringLiteral("IDS_CB_DATETIME"), QStringLiteral("Dates")},
        {QStringLiteral("IDS_CB_USERDEFINE"), QStringLiteral("Mine")},
        {QStringLiteral("IDS_CB_LINEAR"), QStringLiteral("Length")},
        {QStringLiteral("IDS_CB_AREA"), QStringLiteral("Area")},
        {QStringLiteral("IDS_CB_VOLUME"), QStringLiteral("Volume")},
        {QStringLiteral("IDS_CB_MASS"), QStringLiteral("Mass")},
        {QStringLiteral("IDS_CB_TEMPERATURE"), QStringLiteral("Temperature")},
        {QStringLiteral("IDS_CB_TIME"), QStringLiteral("Time")},
        {QStringLiteral("IDS_CB_SPEED"), QStringLiteral("Speed")},
        {QStringLiteral("IDS_CB_DATA"), QStringLiteral("Data")},
        {QStringLiteral("IDS_CB_ENERGY"), QStringLiteral("Energy")},
        {QStringLiteral("IDS_CB_PRESSURE"), QStringLiteral("Pressure")},
        {QStringLiteral("IDS_CB_ANGLE"), QStringLiteral("Angle")},
        {QStringLiteral("IDC_BTN_OK"), QStringLiteral("Take it")},
        {QStringLiteral("IDS_CALC_ERROR"), QStringLiteral("not a number")},
        {QStringLiteral("IDC_BTN_LIC1"), QStringLiteral("Test Calc title")},
        {QStringLiteral("IDC_BTN_LIC2"), QStringLiteral("Written by")},
        {QStringLiteral("IDC_BTN_LIC3"), QStringLiteral("Notice")},
        {QStringLiteral("IDS_LANG_FILE_USE"), QStringLiteral("Language file:")},
        {QStringLiteral("IDS_BASE_NOT_WHOLE"), QStringLiteral("not whole")},
        {QStringLiteral("IDS_ERROR_TITLE"), QStringLiteral("Oops")},
        {QStringLiteral("IDS_ERROR_LINE"), QStringLiteral("L%1|%2")},
        {QStringLiteral("IDS_RUN_TIP"), QStringLiteral("Run (%1)")},
        {QStringLiteral("IDS_RESULT_TIP"), QStringLiteral("Exact %1")},
        {QStringLiteral("IDS_UNDEFINED_NAMES"), QStringLiteral("Zero: %1")},
        {QStringLiteral("IDS_LIVE_OFF"), QStringLiteral("Off over %1/%2")},
        {QStringLiteral("IDS_SCRIPT_NOT_SAVED"), QStringLiteral("Not saved: %1")},
        {QStringLiteral("IDS_SCRIPT_TOO_LARGE"), QStringLiteral("Too large: %1")},
        {QStringLiteral("IDS_SCRIPT_NOT_OPENED"), QStringLiteral("Not opened: %1")},
        {QStringLiteral("IDS_SCRIPT_LINES_TOO_LONG"), QStringLiteral("Lines too long: %1/%2")},
        {QStringLiteral("IDS_SCRIPT_LINES_NOT_OPENED"), QStringLiteral("Lines not opened: %1/%2")},
        {QStringLiteral("IDS_RESULT_OUT_OF_DATE"), QStringLiteral("%1 [old]")},
        {QStringLiteral("IDS_MENU_DISPLAY"), QStringLiteral("Show")},
        {QStringLiteral("IDS_ACC_DISPLAY"), QStringLiteral("Show choices")},
        {QStringLiteral("IDS_DIGITS_MENU"), QStringLiteral("Digits")},
        {QStringLiteral("IDS_DIGITS_STANDARD"), QStringLiteral("As designed")},
        {QStringLiteral("IDS_DIGITS_SIGNIFICANT"), QStringLiteral("%1 digits")},
        {QStringLiteral("IDS_DIGITS_SHORTEST"), QStringLiteral("Shortest")},
        {QStringLiteral("IDS_ANGLE_DEGREES"), QStringLiteral("Degrees")},
        {QStringLiteral("IDS_ANGLE_RAD"), QStringLiteral("R")},
        {QStringLiteral("IDS_ANGLE_DEG"), QStringLiteral("D")},
        {QStringLiteral("IDS_ACC_ANGLE"), QStringLiteral("Angle")},
        {QStringLiteral("IDS_TAB_GRAPH"), QStringLiteral("Plot")},
        {QStringLiteral("IDS_GRAPH_TRACE"), QStringLiteral("%1|%2|%3")},
        {QStringLiteral("IDS_GRAPH_ROOT"), QStringLiteral("root %1|%2")},
        {QStringLiteral("IDS_GRAPH_PARAMETER"), QStringLiteral("Slide %1")},
    };
    for (int i = 1; i <= 12; ++i) {
        const QString key = QStringLiteral("IDS_PARSE_E%1").arg(i, 2, 10, QLatin1Char('0'));
        entries.append({key, key + QStringLiteral("[%s]")});
    }
    return entries;
}
