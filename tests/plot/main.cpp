// Test main: the offscreen platform and the C locale, one QGuiApplication for all cases (text
// needs one to be drawn).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
