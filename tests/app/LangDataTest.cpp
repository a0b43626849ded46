// The shipped language files: well-formed, complete and alike.
#include "LangTable.h"
#include "RequiredKeys.h"
#include "TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <string>

namespace {

const QString langRoot = QStringLiteral(SCRIPTCALC_SOURCE_LANG_DIR);

QString langFile(const QString& language) {
    return langRoot + "/" + language + "/config/lang.xml";
}

LangMap loadLanguage(const QString& language) {
    LangMap table;
    loadLanguageTable(langFile(language), &table);
    return table;
}

class LangData : public testing::TestWithParam<QString> {};

TEST_P(LangData, IsWellFormedUtf8) {
    QFile file(langFile(GetParam()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QXmlStreamReader reader(&file);
    QString encoding;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartDocument)
            encoding = reader.documentEncoding().toString();
    }
    EXPECT_FALSE(reader.hasError())
        << reader.errorString().toStdString() << " at line " << reader.lineNumber();
    EXPECT_EQ(encoding, QStringLiteral("UTF-8"));
}

TEST_P(LangData, DefinesEveryKeyTheProgramAsksFor) {
    const LangMap table = loadLanguage(GetParam());
    for (const QString& key : requiredLangKeys)
        EXPECT_FALSE(table.value(key).isEmpty()) << key.toStdString();
}

TEST_P(LangData, HasNoBlanksAroundKeysOrTexts) {
    const LangMap table = loadLanguage(GetParam());
    ASSERT_FALSE(table.isEmpty());
    EXPECT_FALSE(table.contains(QString())) << "a desc without its code";
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        EXPECT_EQ(it.key(), it.key().trimmed());
        EXPECT_EQ(it.value(), it.value().trimmed()) << it.key().toStdString();
    }
}

TEST_P(LangData, ParseErrorTextsTakeExactlyOneString) {
    const LangMap table = loadLanguage(GetParam());
    int count = 0;
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        if (!it.key().startsWith("IDS_PARSE_E"))
            continue;
        ++count;
        EXPECT_EQ(it.value().count("%"), 1) << it.key().toStdString();
        EXPECT_EQ(it.value().count("%s"), 1) << it.key().toStdString();
    }
    EXPECT_EQ(count, 12);
}

TEST_P(LangData, VersionLineNamesTheVersion) {
    EXPECT_TRUE(loadLanguage(GetParam()).value("IDS_ALL_VERSION").contains("2.1"));
}

// Menu entries are reached with Alt and a letter in every language.
TEST_P(LangData, MenuTextsHaveMnemonics) {
    const LangMap table = loadLanguage(GetParam());
    static const QRegularExpression mnemonic(QStringLiteral("&[A-Za-z]"));
    for (const char* key : {"IDS_TAB_HELP", "IDS_MENU_HELP", "IDS_MENU_ABOUT"})
        EXPECT_TRUE(mnemonic.match(table.value(QLatin1String(key))).hasMatch()) << key;
}

INSTANTIATE_TEST_SUITE_P(Shipped, LangData,
                         testing::Values(QStringLiteral("zh_cn"), QStringLiteral("en_us")),
                         [](const testing::TestParamInfo<QString>& row) {
                             return row.param.toStdString();
                         });

TEST(LangData, BothLanguagesDefineTheSameKeys) {
    const QList<QString> chinese = loadLanguage("zh_cn").keys();
    const QList<QString> english = loadLanguage("en_us").keys();
    EXPECT_FALSE(chinese.isEmpty());
    EXPECT_EQ(chinese, english);
}

TEST(LangData, EachLanguageSpeaksItsOwnLanguage) {
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    EXPECT_TRUE(loadLanguage("zh_cn").value("IDS_APP_NAME").contains(han));
    EXPECT_FALSE(loadLanguage("en_us").value("IDS_PARSE_E02").contains(han));
}

} // namespace
