// The language rule: lang/<lower-case locale name> when that is a folder, else
// a folder of the same language, otherwise "en_us" (or "zh_cn" without it);
// odd locale names never reach outside lang/.
#include "CommonFun.h"
#include "TestSupport.h"

#include <QStringList>

#include <string>

namespace {

struct LanguageRow {
    const char* name;
    QString locale;
    QStringList folders; // created below the installation directory
    QStringList files;   // likewise, empty files
    QString expected;
};

std::ostream& operator<<(std::ostream& os, const LanguageRow& row) {
    return os << row.name;
}

class LanguageRule : public testing::TestWithParam<LanguageRow> {};

TEST_P(LanguageRule, PicksFolderOrFallsBack) {
    const LanguageRow& row = GetParam();
    TempFolder install;
    for (const QString& folder : row.folders)
        install.mkdir(folder);
    for (const QString& file : row.files)
        install.write(file, QByteArray());
    EXPECT_EQ(CommonFun::languageFor(row.locale, install.root()), row.expected);
}

const QString zh = QStringLiteral("zh_cn");

INSTANTIATE_TEST_SUITE_P(
    CommonFun, LanguageRule,
    testing::Values(
        LanguageRow{"ChineseWithFolder", "zh_CN", {"lang/zh_cn"}, {}, zh},
        LanguageRow{"EnglishWithFolder", "en_US", {"lang/zh_cn", "lang/en_us"}, {}, "en_us"},
        LanguageRow{"AnyLanguageWithFolder", "de_DE", {"lang/de_de"}, {}, "de_de"},
        LanguageRow{"EnglishWithoutFolder", "en_US", {"lang/zh_cn"}, {}, zh},
        LanguageRow{"NoLangFolderAtAll", "en_US", {}, {}, zh},
        LanguageRow{"UpperCaseFolderOnly", "en_US", {"lang/en_US"}, {}, zh},
        LanguageRow{"FolderIsAFile", "en_US", {"lang"}, {"lang/en_us"}, zh},
        LanguageRow{"CLocaleWithoutFolder", "C", {"lang/zh_cn"}, {}, zh},
        LanguageRow{"EmptyName", "", {"lang/zh_cn"}, {}, zh},
        LanguageRow{"DotDot", "..", {"lang/zh_cn"}, {}, zh},
        LanguageRow{"Dot", ".", {"lang/zh_cn"}, {}, zh},
        LanguageRow{"ParentFolder", "../secret", {"lang", "secret"}, {}, zh},
        LanguageRow{"SneakyPathToRealFolder", "en_us/../en_us", {"lang/en_us"}, {}, "en_us"},
        LanguageRow{"AbsolutePath", "/etc", {"lang/etc"}, {}, zh},
        LanguageRow{"Backslash", "en\\us", {"lang/en\\us"}, {}, zh},
        LanguageRow{"Blank", "en us", {"lang/en us"}, {}, zh},
        LanguageRow{"TrailingNewline", "en_us\n", {"lang/en_us"}, {}, "en_us"},
        LanguageRow{"NonAscii", QString::fromUtf8("\xC3\xA9n_us"), {"lang/\xC3\xA9n_us"}, {}, zh},
        LanguageRow{
            "VeryLong", QString(40, QLatin1Char('a')), {"lang/" + QString(40, 'a')}, {}, zh},
        LanguageRow{"Huge", QString(100000, QLatin1Char('a')), {"lang"}, {}, zh},
        LanguageRow{"BritishFindsEnglish", "en_GB", {"lang/zh_cn", "lang/en_us"}, {}, "en_us"},
        LanguageRow{"AustralianFindsEnglish", "en_AU", {"lang/zh_cn", "lang/en_us"}, {}, "en_us"},
        LanguageRow{"TaiwanFindsChinese", "zh_TW", {"lang/en_us", "lang/zh_cn"}, {}, zh},
        LanguageRow{"TaiwanOwnFolderFirst", "zh_TW", {"lang/zh_cn", "lang/zh_tw"}, {}, "zh_tw"},
        LanguageRow{"GermanWithoutFolder", "de_DE", {"lang/en_us", "lang/zh_cn"}, {}, "en_us"},
        LanguageRow{
            "LanguageFoldersInNameOrder", "en_GB", {"lang/en_us", "lang/en_au"}, {}, "en_au"},
        LanguageRow{"SameLanguageUpperCaseFolder", "en_GB", {"lang/zh_cn", "lang/en_US"}, {}, zh},
        LanguageRow{
            "OtherLanguageWithSamePrefix", "e_XX", {"lang/zh_cn", "lang/en_us"}, {}, "en_us"}),
    RowName());

struct ShippedRow {
    const char* name;
    QString locale;
    QString expected;
};

std::ostream& operator<<(std::ostream& os, const ShippedRow& row) {
    return os << row.name;
}

class ShippedLanguageRule : public testing::TestWithParam<ShippedRow> {};

// What people's locales get from the two shipped languages.
TEST_P(ShippedLanguageRule, ChineseForChineseEnglishForAllOthers) {
    TempFolder install;
    install.mkdir("lang/en_us");
    install.mkdir("lang/zh_cn");
    EXPECT_EQ(CommonFun::languageFor(GetParam().locale, install.root()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(CommonFun, ShippedLanguageRule,
                         testing::Values(ShippedRow{"German", "de_DE", "en_us"},
                                         ShippedRow{"French", "fr_FR", "en_us"},
                                         ShippedRow{"C", "C", "en_us"},
                                         ShippedRow{"Posix", "POSIX", "en_us"},
                                         ShippedRow{"Australian", "en_AU", "en_us"},
                                         ShippedRow{"Taiwan", "zh_TW", "zh_cn"},
                                         ShippedRow{"HongKong", "zh_HK", "zh_cn"},
                                         ShippedRow{"ChineseScript", "zh_Hant_TW", "zh_cn"},
                                         ShippedRow{"Empty", "", "en_us"}),
                         RowName());

TEST(CommonFunLanguage, FolderIsTestedOnEveryCall) {
    TempFolder install;
    install.mkdir("lang/zh_cn");
    EXPECT_EQ(CommonFun::languageFor("en_US", install.root()), zh);
    install.mkdir("lang/en_us");
    EXPECT_EQ(CommonFun::languageFor("en_US", install.root()), "en_us");
    ASSERT_TRUE(QDir(install.root() + "lang/en_us").removeRecursively());
    EXPECT_EQ(CommonFun::languageFor("en_US", install.root()), zh);
}

TEST(CommonFunLanguage, SystemLocaleDecidesForTheRunningProgram) {
    CommonFun fun;
    // The test environment fixes the system locale to en_US.
    const bool english = QFileInfo(fun.appDirPath() + "lang/en_us").isDir();
    EXPECT_EQ(fun.currentLanguage(), english ? QString("en_us") : zh);
}

} // namespace
