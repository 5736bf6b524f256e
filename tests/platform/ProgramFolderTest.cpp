#include "platform/ProgramFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

// A program run from where it was built writes beside itself; an installed
// one never writes into the installation, even where it could (as root).
TEST(ProgramFolder, WritesBesideTheProgramUnlessItIsInstalled)
{
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_EQ(ProgramFolder::WritablePathFor(bin), bin + '/');

    ASSERT_TRUE(QDir().mkpath(prefix.filePath("share/formdesigner")));
    const QString elsewhere = ProgramFolder::WritablePathFor(bin);
    EXPECT_FALSE(elsewhere.startsWith(prefix.path())) << elsewhere.toStdString();
    EXPECT_TRUE(elsewhere.endsWith('/'));
    EXPECT_TRUE(QDir(elsewhere).exists());
}

} // namespace
