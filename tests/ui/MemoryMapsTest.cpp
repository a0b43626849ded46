// No page of the window's process is writable and executable at once, even
// after the string table (with its XML declaration) has been read. Seen in a
// process of its own: the tests' own code may map such pages.
#include "../MemoryMaps.h"
#include "TypingChild.h"
#include "WindowTest.h"

#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

TEST_F(WindowTest, NoMappingIsWritableAndExecutable) {
    const QTemporaryDir folder;
    QProcess child;
    ASSERT_TRUE(startTypingChild(child, folder.path()));
    EXPECT_EQ(writableExecutableMappings(QStringLiteral("/proc/%1/maps").arg(child.processId())),
              QList<QByteArray>());
    ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished();
}
