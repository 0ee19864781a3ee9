#include "app/singleinstance.h"

#include "support/waitfor.h"
#include "support/warnings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

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
    for (const QString &name : {uniqueName(), uniqueName() + QStringLiteral("/user name")}) {
        SCOPED_TRACE(name.toStdString());
        SingleInstance first(name);
        int activations = 0;
        QObject::connect(&first, &SingleInstance::activationRequested, &first, [&] { ++activations; });
        ASSERT_TRUE(first.claim());

        SingleInstance second(name);
        EXPECT_FALSE(second.claim());
        EXPECT_TRUE(waitFor([&] { return activations == 1; }));
    }
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

TEST(SingleInstance, LockTroubleOtherThanARunningGameStartsTheGameWithAWarning)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString name = uniqueName();
    const QString lockPath = QDir(folder.path()).filePath(name + QStringLiteral(".lock"));
    const struct {
        const char *name;
        QString lockFolder;
        std::function<void()> prepare;
    } cases[] = {
        {"the lock folder is missing", folder.filePath(QStringLiteral("gone")), [] {}},
        // As with another user's lock file: there, but never ours to replace.
        {"something that cannot be replaced holds the lock's name", folder.path(),
         [&] { ASSERT_TRUE(QDir().mkpath(lockPath)); }},
        {"a live program that is no game holds the lock", folder.path(),
         [&] {
             QDir(lockPath).removeRecursively();
             QFile lock(lockPath);
             ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
             lock.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n'
                        + QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + "\n\n");
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare();
        auto catcher = std::make_unique<zz::test::WarningCatcher>();
        SingleInstance instance(name, nullptr, c.lockFolder);
        const bool started = instance.claim();
        const QStringList warnings = catcher->warnings;
        catcher.reset();
        EXPECT_TRUE(started);
        ASSERT_EQ(warnings.size(), 1);
        EXPECT_TRUE(warnings.front().contains(QStringLiteral("cannot take the lock")))
            << warnings.front().toStdString();
    }
}
