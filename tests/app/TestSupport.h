#pragma once

#include "LangTable.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using LangMap = QMap<QString, QString>;

// Lets gtest print Qt strings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// The infinity sign the formatter writes.
inline const QString kInfinity = QString(QChar(0x221E));

// A language table whose twelve parse messages read "IDS_PARSE_Enn [%s]" and whose calculation
// error reads "nan", with extra texts on top.
inline LangMap testTable(const LangMap& extra = {}) {
    LangMap table{{QStringLiteral("IDS_CALC_ERROR"), QStringLiteral("nan")}};
    for (int i = 1; i <= 12; ++i) {
        const QString key = QStringLiteral("IDS_PARSE_E%1").arg(i, 2, 10, QLatin1Char('0'));
        table.insert(key, key + QStringLiteral(" [%s]"));
    }
    table.insert(extra);
    return table;
}

// A run that fails: where, with which code, message key and token.
struct FailureRow {
    const char* name;
    QString script;
    int line;
    int code;
    int position;
    QString key;
    QString token;
};

inline void PrintTo(const FailureRow& row, std::ostream* os) {
    *os << row.name;
}

// Names each row of a parameterised table after its "name" field.
struct RowName {
    template <typename Row> std::string operator()(const testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

// A temporary folder that fails the test loudly if it cannot be made.
class TempFolder {
public:
    TempFolder() { EXPECT_TRUE(dir.isValid()) << dir.errorString().toStdString(); }

    // The folder with a trailing "/", like an installation directory.
    QString root() const { return dir.path() + QLatin1Char('/'); }

    QString mkdir(const QString& relative) const {
        EXPECT_TRUE(QDir(dir.path()).mkpath(relative)) << relative.toStdString();
        return root() + relative;
    }

    QString write(const QString& relative, const QByteArray& bytes) const {
        const QString path = root() + relative;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }

private:
    QTemporaryDir dir;
};

// The table lang.xml with these bytes gives.
inline LangMap loadXml(const QByteArray& xml) {
    TempFolder folder;
    LangMap table;
    loadLanguageTable(folder.write("lang.xml", xml), &table);
    return table;
}
