#pragma once

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
