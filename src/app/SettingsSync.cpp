#include "SettingsSync.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

#include <unistd.h>

namespace {

bool sameValue(const QVariant& a, const QVariant& b) {
    if (a.typeId() == QMetaType::QByteArray || b.typeId() == QMetaType::QByteArray)
        return a.toByteArray() == b.toByteArray();
    // Read back from the file, every number is text.
    return a.toString() == b.toString();
}

// Reads the file at path afresh, under a second name: QSettings keeps the
// contents of a file it knows in memory and would not read it again.
bool holdsEverySetting(const QSettings& settings, const QByteArray& path) {
    const QByteArray checkPath = path + ".check";
    ::unlink(checkPath.constData());
    if (::link(path.constData(), checkPath.constData()) != 0)
        return false;
    bool whole = true;
    {
        const QSettings written(QFile::decodeName(checkPath), QSettings::IniFormat);
        whole = written.status() == QSettings::NoError;
        const QStringList keys = settings.allKeys();
        whole = whole && written.allKeys().size() == keys.size();
        for (const QString& key : keys)
            whole = whole && sameValue(settings.value(key), written.value(key));
    }
    ::unlink(checkPath.constData());
    return whole;
}

} // namespace

bool syncSettingsSafely(QSettings& settings) {
    const QByteArray path = QFile::encodeName(settings.fileName());
    const QByteArray previous = path + ".previous";
    ::unlink(previous.constData());
    const bool hasPrevious = ::link(path.constData(), previous.constData()) == 0;
    settings.sync();
    const bool whole = settings.status() == QSettings::NoError && holdsEverySetting(settings, path);
    if (!whole && hasPrevious)
        ::rename(previous.constData(), path.constData());
    else
        ::unlink(previous.constData());
    return whole;
}
