// The first-run copy of the set-up files into the host's data tree.

#include "app/core/InsLedraCopyWorker.h"
#include "AppTestSupport.h"
#include "common/IniFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

class SetupCopy : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tree.isValid());
        m_tree.write(u"program/SetupDat/setup.ini"_s, {u"[INSTALL]"_s, u"SIGN=R2"_s});
        m_tree.write(u"program/SetupDat/PrintFrm/_PROTOKOL.PTS"_s, {u"protokol"_s});
        m_tree.write(u"program/SetupDat/PrintFrm/_SZOPRAVDOKL.PTS"_s, {u"seznam"_s});
        m_tree.write(u"program/SetupDat/Extra/readme.txt"_s, {u"extra"_s});
        m_tree.makeDir(u"data"_s);
    }

    void copyList(const QStringList &pairs)
    {
        m_tree.write(u"program/InsLedra.ini"_s, QStringList{u"[COPY]"_s} + pairs);
    }

    SetupCopyResult run()
    {
        return runSetupCopy(m_tree.root() + u"program/"_s, addOnRoot(), m_tree.dataDir().toUpper());
    }

    QString addOnRoot() const { return m_tree.dataDir().toUpper() + u"Velmar/Tarnek/"_s; }
    QString onDisk(const QString &relative) const { return m_tree.dataDir() + relative; }
    QString recordedSignature() const
    {
        return IniFile(addOnRoot() + u"setup.ini"_s).ReadString(u"INSTALL"_s, u"SIGN"_s, QString());
    }

    TextHostTree m_tree;
};

TEST_F(SetupCopy, CopiesTheListedFoldersAndRecordsTheSignature)
{
    copyList({u"Source1=PrintFrm"_s, u"Dest1=%LEDRADATA%Velmar/Tarnek/PrintFrm"_s, u"Source2=Extra"_s,
              u"Dest2=%ledradata%Velmar/Tarnek/Extra/"_s});
    const SetupCopyResult result = run();
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.message, QString());
    EXPECT_TRUE(QFileInfo(onDisk(u"Velmar/Tarnek/PrintFrm/_PROTOKOL.PTS"_s)).isFile());
    EXPECT_TRUE(QFileInfo(onDisk(u"Velmar/Tarnek/PrintFrm/_SZOPRAVDOKL.PTS"_s)).isFile());
    EXPECT_TRUE(QFileInfo(onDisk(u"Velmar/Tarnek/Extra/readme.txt"_s)).isFile());
    EXPECT_EQ(recordedSignature(), u"R2"_s);
}

TEST_F(SetupCopy, SameSignatureCopiesNothingEvenAfterFilesWereDeleted)
{
    copyList({u"Source1=PrintFrm"_s, u"Dest1=%LEDRADATA%Velmar/Tarnek/PrintFrm"_s});
    ASSERT_EQ(run().code, 0);
    ASSERT_TRUE(QFile::remove(onDisk(u"Velmar/Tarnek/PrintFrm/_PROTOKOL.PTS"_s)));
    InsLedraCopyWorker worker(m_tree.root() + u"program/"_s, addOnRoot(), m_tree.dataDir().toUpper());
    EXPECT_EQ(worker.run(), 0);
    EXPECT_EQ(worker.copiedFiles(), 0);
    EXPECT_FALSE(QFileInfo::exists(onDisk(u"Velmar/Tarnek/PrintFrm/_PROTOKOL.PTS"_s)));
}

TEST_F(SetupCopy, TwoMissingSignaturesAreEqual)
{
    QFile::remove(m_tree.root() + u"program/SetupDat/setup.ini"_s);
    copyList({u"Source1=PrintFrm"_s, u"Dest1=%LEDRADATA%Velmar/Tarnek/PrintFrm"_s});
    EXPECT_EQ(run().code, 0);
    EXPECT_FALSE(QFileInfo::exists(onDisk(u"Velmar/Tarnek/PrintFrm"_s)));
}

TEST_F(SetupCopy, NewReleaseOverwritesReadOnlyFiles)
{
    copyList({u"Source1=PrintFrm"_s, u"Dest1=%LEDRADATA%Velmar/Tarnek/PrintFrm"_s});
    ASSERT_EQ(run().code, 0);
    QFile old(onDisk(u"Velmar/Tarnek/PrintFrm/_PROTOKOL.PTS"_s));
    old.setPermissions(QFileDevice::ReadOwner);
    m_tree.write(u"program/SetupDat/setup.ini"_s, {u"[INSTALL]"_s, u"SIGN=R3"_s});
    m_tree.write(u"program/SetupDat/PrintFrm/_PROTOKOL.PTS"_s, {u"protokol R3"_s});
    EXPECT_EQ(run().code, 0);
    QFile copied(onDisk(u"Velmar/Tarnek/PrintFrm/_PROTOKOL.PTS"_s));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArrayLiteral("protokol R3\r\n"));
    EXPECT_EQ(recordedSignature(), u"R3"_s);
}

TEST_F(SetupCopy, FileOfTheSameNameInOtherCaseIsOverwritten)
{
    m_tree.write(u"data/Velmar/Tarnek/PrintFrm/_protokol.pts"_s, {u"old"_s});
    copyList({u"Source1=PrintFrm"_s, u"Dest1=%LEDRADATA%Velmar/Tarnek/PrintFrm"_s});
    EXPECT_EQ(run().code, 0);
    EXPECT_EQ(QDir(onDisk(u"Velmar/Tarnek/PrintFrm"_s)).entryList(QDir::Files, QDir::Name),
              QStringList({u"_SZOPRAVDOKL.PTS"_s, u"_protokol.pts"_s}));
    QFile copied(onDisk(u"Velmar/Tarnek/PrintFrm/_protokol.pts"_s));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArrayLiteral("protokol\r\n"));
}

TEST_F(SetupCopy, GapInThePairsEndsTheList)
{
    copyList({u"Source1=PrintFrm"_s, u"Dest1=%LEDRADATA%A"_s, u"Source2=PrintFrm"_s, u"Dest2=%LEDRADATA%B"_s,
              u"Source4=Extra"_s, u"Dest4=%LEDRADATA%D"_s});
    EXPECT_EQ(run().code, 0);
    EXPECT_TRUE(QFileInfo(onDisk(u"A/_PROTOKOL.PTS"_s)).isFile());
    EXPECT_TRUE(QFileInfo(onDisk(u"B/_PROTOKOL.PTS"_s)).isFile());
    EXPECT_FALSE(QFileInfo::exists(onDisk(u"D"_s)));
    EXPECT_EQ(recordedSignature(), u"R2"_s);
}

TEST_F(SetupCopy, EmptyDestinationEndsTheList)
{
    copyList({u"Source1=PrintFrm"_s, u"Dest1="_s, u"Source2=Extra"_s, u"Dest2=%LEDRADATA%B"_s});
    EXPECT_EQ(run().code, 0);
    EXPECT_FALSE(QFileInfo::exists(onDisk(u"B"_s)));
    EXPECT_EQ(recordedSignature(), u"R2"_s);
}

TEST_F(SetupCopy, MissingSourceFolderStillCreatesTheDestination)
{
    copyList({u"Source1=Nothing"_s, u"Dest1=%LEDRADATA%Velmar/Tarnek/Empty"_s});
    EXPECT_EQ(run().code, 0);
    EXPECT_TRUE(QFileInfo(onDisk(u"Velmar/Tarnek/Empty"_s)).isDir());
    EXPECT_TRUE(QDir(onDisk(u"Velmar/Tarnek/Empty"_s)).isEmpty());
}

TEST_F(SetupCopy, EveryPlaceholderIsReplacedInAnyCase)
{
    m_tree.write(u"data/Blocked"_s, {u"a file"_s});
    copyList({u"Source1=Extra"_s, u"Dest1=%LedraData%Blocked/%LEDRADATA%"_s});
    const QString data = m_tree.dataDir().toUpper();
    EXPECT_EQ(run().message, u"Nelze vytvořit adresář "_s + data + u"Blocked/"_s + data);
}

TEST_F(SetupCopy, DestinationThatCannotBeCreatedFailsWithoutTheSignature)
{
    m_tree.write(u"data/Blocked"_s, {u"a file"_s});
    copyList({u"Source1=PrintFrm"_s, u"Dest1=%LEDRADATA%Velmar/Tarnek/PrintFrm"_s, u"Source2=Extra"_s,
              u"Dest2=%LEDRADATA%Blocked/Extra"_s});
    const SetupCopyResult result = run();
    EXPECT_EQ(result.code, -1);
    EXPECT_EQ(result.message, u"Nelze vytvořit adresář "_s + m_tree.dataDir().toUpper() + u"Blocked/Extra/"_s);
    // What was copied before stays; the signature is not recorded.
    EXPECT_TRUE(QFileInfo(onDisk(u"Velmar/Tarnek/PrintFrm/_PROTOKOL.PTS"_s)).isFile());
    EXPECT_EQ(recordedSignature(), QString());
}

TEST_F(SetupCopy, FileThatCannotBeCopiedFailsWithItsNames)
{
    m_tree.makeDir(u"data/Velmar/Tarnek/PrintFrm/_SZOPRAVDOKL.PTS"_s);
    copyList({u"Source1=PrintFrm"_s, u"Dest1=%LEDRADATA%Velmar/Tarnek/PrintFrm"_s});
    const SetupCopyResult result = run();
    EXPECT_EQ(result.code, -1);
    EXPECT_EQ(result.message, u"Při kopírování souboru "_s + m_tree.root() +
                                  u"program/SetupDat/PrintFrm/_SZOPRAVDOKL.PTS do "_s + addOnRoot() +
                                  u"PrintFrm/_SZOPRAVDOKL.PTS došlo k chybě."_s);
    EXPECT_EQ(recordedSignature(), QString());
}

TEST(ShippedSetupFiles, CopyIntoAFreshDataTree)
{
    // The files the build places beside the executable.
    const QString programDir = QStringLiteral(TARNEK_SETUP_DIR) + u'/';
    ASSERT_TRUE(QFileInfo(programDir + u"InsLedra.ini"_s).isFile());
    ASSERT_TRUE(QFileInfo(programDir + u"insledra.html"_s).isFile());
    TextHostTree tree;
    tree.makeDir(u"data"_s);
    const QString addOnRoot = tree.dataDir().toUpper() + u"Velmar/Tarnek/"_s;
    EXPECT_EQ(runSetupCopy(programDir, addOnRoot, tree.dataDir().toUpper()).code, 0);
    EXPECT_TRUE(QFileInfo(tree.dataDir() + u"Velmar/Tarnek/PrintFrm"_s).isDir());
    // The print dialog's standard templates.
    for (const QString &name : {u"_PROTOKOL.PTS"_s, u"_SZOPRAVDOKL.PTS"_s})
        EXPECT_TRUE(QFileInfo(tree.dataDir() + u"Velmar/Tarnek/PrintFrm/"_s + name).isFile()) << name.toStdString();
    const QString shipped =
        IniFile(programDir + u"SetupDat/setup.ini"_s).ReadString(u"INSTALL"_s, u"SIGN"_s, QString());
    EXPECT_FALSE(shipped.isEmpty());
    EXPECT_EQ(IniFile(addOnRoot + u"setup.ini"_s).ReadString(u"INSTALL"_s, u"SIGN"_s, QString()), shipped);
}

} // namespace
