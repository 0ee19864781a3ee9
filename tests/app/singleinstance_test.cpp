#include "app/singleinstance.h"

#include "support/waitfor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QUuid>

#include <gtest/gtest.h>

using namespace zz;
using zz::test::waitFor;

namespace {

QString uniqueName()
{
    return QStringLiteral("zz-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

} // namespace

TEST(SingleInstance, SecondInstanceBringsTheFirstForward)
{
    const QString name = uniqueName();
    SingleInstance first(name);
    int activations = 0;
    QObject::connect(&first, &SingleInstance::activationRequested, &first, [&] { ++activations; });
    ASSERT_TRUE(first.claim());

    SingleInstance second(name);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(waitFor([&] { return activations == 1; }));
}

TEST(SingleInstance, NextGameClaimsAfterTheFirstEnded)
{
    const QString name = uniqueName();
    {
        SingleInstance first(name);
        ASSERT_TRUE(first.claim());
    }
    SingleInstance next(name);
    EXPECT_TRUE(next.claim());
}

TEST(SingleInstance, TakesOverTheLockOfAGoneProcess)
{
    const QString name = uniqueName();
    // A lock whose process id now belongs to another program: the game that
    // wrote it is gone.
    QFile stale(QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(QCoreApplication::applicationPid()) + "\ngone-game\n\n");
    stale.close();

    SingleInstance instance(name);
    EXPECT_TRUE(instance.claim());
}

TEST(SingleInstance, NameWithSlashesStillWorks)
{
    const QString name = uniqueName() + QStringLiteral("/user name");
    SingleInstance first(name);
    ASSERT_TRUE(first.claim());
    SingleInstance second(name);
    EXPECT_FALSE(second.claim());
}
