// Which of Qt's translation files a language folder of ours loads.
#include "QtTranslation.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>

namespace {

// A translation file that holds nothing but the language it is for.
QByteArray qmFile(const QByteArray& language) {
    static const unsigned char magic[] = {0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
                                          0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};
    QByteArray bytes(reinterpret_cast<const char*>(magic), sizeof magic);
    const char languageTag = char(0xa7);
    bytes.append(languageTag);
    const auto size = quint32(language.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char((size >> shift) & 0xff));
    return bytes + language;
}

struct TranslationRow {
    const char* name;
    const char* language;
    QStringList files;  // in the translations folder
    const char* loaded; // the language of the file loaded; empty: none
};

void PrintTo(const TranslationRow& row, std::ostream* os) {
    *os << row.name;
}

class QtTranslationTest : public ::testing::TestWithParam<TranslationRow> {};

} // namespace

TEST_P(QtTranslationTest, LoadsQtsFileForOurLanguage) {
    const TranslationRow& row = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QString& file : row.files) {
        QFile out(dir.filePath(file));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        const QString language = file.mid(7).chopped(3); // qtbase_<language>.qm
        out.write(qmFile(language.toLatin1()));
    }
    QTranslator translator;
    const bool loaded =
        loadQtTranslation(translator, QString::fromLatin1(row.language), dir.path());
    EXPECT_EQ(loaded, *row.loaded != '\0');
    if (loaded) {
        EXPECT_EQ(translator.language(), QString::fromLatin1(row.loaded));
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Qt, QtTranslationTest, ::testing::Values(
    TranslationRow{"Chinese",               "zh_cn", {"qtbase_zh_CN.qm", "qtbase_zh_TW.qm"}, "zh_CN"},
    TranslationRow{"LanguageOnlyFile",      "de_de", {"qtbase_de.qm"},                      "de"},
    TranslationRow{"NoFileStaysEnglish",    "zh_cn", {"qtbase_de.qm"},                      ""},
    TranslationRow{"EmptyFolderStaysEnglish", "en_us", {},                                  ""}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on
