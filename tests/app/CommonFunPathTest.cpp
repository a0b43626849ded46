// Paths below the installation directory, help URLs and trailing trimming.
#include "CommonFun.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QStringList>
#include <QUrl>

#include <string>

namespace {

QString languageFolder(const CommonFun& fun) {
    return fun.appDirPath() + "lang/" + fun.currentLanguage() + "/";
}

TEST(CommonFunPaths, AppDirIsTheExecutablesFolderWithSlash) {
    CommonFun fun;
    EXPECT_EQ(fun.appDirPath(), QCoreApplication::applicationDirPath() + "/");
    EXPECT_FALSE(fun.appDirPath().endsWith("//"));
}

TEST(CommonFunPaths, ConfigFilesLieInTheLanguageFolder) {
    CommonFun fun;
    const QString relative = "lang/" + fun.currentLanguage() + "/config/lang.xml";
    EXPECT_EQ(fun.langFileRelativePath(), relative);
    EXPECT_EQ(fun.langFilePath(), fun.appDirPath() + relative);
    EXPECT_EQ(fun.functionFilePath(), languageFolder(fun) + "config/function.xml");
    EXPECT_EQ(fun.unitFilePath(), languageFolder(fun) + "config/unit.xml");
}

struct HelpRow {
    const char* name;
    QString page;
};

std::ostream& operator<<(std::ostream& os, const HelpRow& row) {
    return os << row.name;
}

class HelpUrl : public testing::TestWithParam<HelpRow> {};

TEST_P(HelpUrl, NamesThePageInTheHelpFolder) {
    CommonFun fun;
    const QString url = fun.helpUrl(GetParam().page);
    EXPECT_TRUE(url.startsWith("file:///")) << url.toStdString();
    EXPECT_FALSE(url.startsWith("file:////")) << url.toStdString();
    const QUrl parsed(url);
    ASSERT_TRUE(parsed.isValid()) << url.toStdString();
    EXPECT_TRUE(parsed.isLocalFile());
    EXPECT_EQ(parsed.toLocalFile(), languageFolder(fun) + "help/" + GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(CommonFun, HelpUrl,
                         testing::Values(HelpRow{"StartPage", "main.html"},
                                         HelpRow{"Blank", "sin cos.html"},
                                         HelpRow{"QuestionMark", "b?c.html"},
                                         HelpRow{"Percent", "100%.html"},
                                         HelpRow{"NonAscii", QString::fromUtf8("帮助.html")}),
                         RowName());

TEST(CommonFunPaths, FragmentBecomesTheUrlFragment) {
    CommonFun fun;
    const QUrl url(fun.helpUrl("power.html#x^y"));
    EXPECT_EQ(url.toLocalFile(), languageFolder(fun) + "help/power.html");
    EXPECT_EQ(url.fragment(), "x^y");
}

// An installation placed in a temporary folder: the executable in bin/.
class PlacedCommonFun : public CommonFun {
public:
    explicit PlacedCommonFun(const QString& appDir) : dir(appDir) {}
    QString appDirPath() const override { return dir; }

private:
    QString dir;
};

struct LayoutRow {
    const char* name;
    QStringList folders; // below the prefix; the executable is in bin/
    QStringList files;
    QString dataDir; // relative to the prefix
    QString language;
};

std::ostream& operator<<(std::ostream& os, const LayoutRow& row) {
    return os << row.name;
}

class InstallLayout : public testing::TestWithParam<LayoutRow> {};

TEST_P(InstallLayout, EveryDataPathFollowsTheFolderFound) {
    const LayoutRow& row = GetParam();
    TempFolder prefix;
    prefix.mkdir("bin");
    for (const QString& folder : row.folders)
        prefix.mkdir(folder);
    for (const QString& file : row.files)
        prefix.write(file, QByteArray());
    const PlacedCommonFun fun(prefix.root() + "bin/");
    const QString data = prefix.root() + row.dataDir;
    const QString language = data + "lang/" + row.language + "/";

    EXPECT_EQ(fun.dataDirPath(), data);
    EXPECT_EQ(CommonFun::dataDirFor(prefix.root() + "bin/"), data);
    EXPECT_EQ(fun.currentLanguage(), row.language);
    EXPECT_EQ(fun.langFileRelativePath(), "lang/" + row.language + "/config/lang.xml");
    EXPECT_EQ(fun.langFilePath(), language + "config/lang.xml");
    EXPECT_EQ(fun.functionFilePath(), language + "config/function.xml");
    EXPECT_EQ(fun.unitFilePath(), language + "config/unit.xml");
    EXPECT_EQ(QUrl(fun.helpUrl("main.html")).toLocalFile(), language + "help/main.html");
}

// The test environment fixes the locale to en_US.
INSTANTIATE_TEST_SUITE_P(
    CommonFun, InstallLayout,
    testing::Values(
        LayoutRow{"BesideTheExecutable", {"bin/lang/en_us"}, {}, "bin/", "en_us"},
        LayoutRow{
            "SharedFolder", {"share/scriptcalc/lang/en_us"}, {}, "share/scriptcalc/", "en_us"},
        LayoutRow{"SharedFolderDefaultLanguage",
                  {"share/scriptcalc/lang/zh_cn"},
                  {},
                  "share/scriptcalc/",
                  "zh_cn"},
        LayoutRow{"BesideWinsOverShared",
                  {"bin/lang/zh_cn", "share/scriptcalc/lang/en_us"},
                  {},
                  "bin/",
                  "zh_cn"},
        LayoutRow{"BesideIsAFile",
                  {"share/scriptcalc/lang/en_us"},
                  {"bin/lang"},
                  "share/scriptcalc/",
                  "en_us"},
        LayoutRow{
            "SharedIsAFile", {"share/scriptcalc"}, {"share/scriptcalc/lang"}, "bin/", "zh_cn"},
        LayoutRow{"Neither", {"share/scriptcalc"}, {}, "bin/", "zh_cn"}),
    RowName());

class HelpUrlRefused : public testing::TestWithParam<HelpRow> {};

TEST_P(HelpUrlRefused, OpensTheStartPage) {
    CommonFun fun;
    const QUrl url(fun.helpUrl(GetParam().page));
    EXPECT_EQ(url.toLocalFile(), languageFolder(fun) + "help/main.html");
    EXPECT_FALSE(url.hasFragment());
}

INSTANTIATE_TEST_SUITE_P(
    CommonFun, HelpUrlRefused,
    testing::Values(HelpRow{"Empty", ""}, HelpRow{"OnlyFragment", "#top"},
                    HelpRow{"Parent", "../../../../tmp/x.desktop"},
                    HelpRow{"ParentWithFragment", "../a.html#b"}, HelpRow{"Dots", ".."},
                    HelpRow{"Dot", "."}, HelpRow{"Absolute", "/etc/passwd"},
                    HelpRow{"SubFolder", "sub/a.html"}, HelpRow{"Backslash", "..\\a.html"},
                    HelpRow{"Scheme", "file:a.html"}, HelpRow{"LineBreak", "a\n.html"}),
    RowName());

struct TrimRow {
    const char* name;
    QString text;
    QChar c;
    QString expected;
};

std::ostream& operator<<(std::ostream& os, const TrimRow& row) {
    return os << row.name;
}

class TrimTrailing : public testing::TestWithParam<TrimRow> {};

TEST_P(TrimTrailing, RemovesEveryTrailingOccurrence) {
    const TrimRow& row = GetParam();
    EXPECT_EQ(CommonFun().trimTrailing(row.text, row.c), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    CommonFun, TrimTrailing,
    testing::Values(
        TrimRow{"ZerosKeepThePoint", "100.00000000", '0', "100."},
        TrimRow{"ThenThePoint", "100.", '.', "100"}, TrimRow{"NothingToTrim", "0.5", '0', "0.5"},
        TrimRow{"FractionKept", "12.50000000", '0', "12.5"}, TrimRow{"Empty", "", '0', ""},
        TrimRow{"AllZeros", "0000", '0', ""}, TrimRow{"OnlyTheEnd", "0.0010", '0', "0.001"},
        TrimRow{"SeveralPoints", "7..", '.', "7"}, TrimRow{"CaseSensitive", "xAA", 'a', "xAA"},
        TrimRow{"NonAscii", QString::fromUtf8("a中中"), QChar(0x4E2D), "a"}),
    RowName());

} // namespace
