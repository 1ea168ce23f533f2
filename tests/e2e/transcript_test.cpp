// The bytes a whole session puts on the wire, frame by frame, against a
// transcript kept in the tree: a change of how the code is arranged must
// leave them exactly as they are. PORTIQA_WRITE_TRANSCRIPT=1 writes the
// transcript anew (after a change of behaviour that is meant).
#include "session_fixture.h"
#include "backup/backup_file.h"
#include <QFile>
#include <QTemporaryDir>

using namespace portiqa;
using portiqa::test::SessionFixture;

namespace {

TEST_F(SessionFixture, AWholeSessionPutsTheSameBytesOnTheWire) {
    simOptions.seedNumbers = 40;
    simOptions.seedHistory = 30;
    Start();
    QStringList frames;
    session->seq.OnFrameSent = [&](const uint8_t* data, int size) {
        frames << QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(data), size).toHex());
    };
    ASSERT_TRUE(Login("5807"));
    session->settingsBlock.ReadAfterQuestion();
    ASSERT_TRUE(Settle());
    session->settingsTable.SetValue(16, "24");
    session->settingsBlock.Save();
    ASSERT_TRUE(Settle());
    session->numberBlock.DownloadAfterQuestion();
    ASSERT_TRUE(Settle());
    session->numberTable.Grid().SetCells(1, 5, "+79990000005");
    session->numberTable.Grid().SetCells(1, 200, "+79990000200");
    session->numberTable.Grid().SetCells(6, 200, "Да");
    session->numberBlock.Save();
    ASSERT_TRUE(Settle());
    session->historyBlock.Download();
    ASSERT_TRUE(Settle(60000));
    QTemporaryDir dir;
    const QString path = dir.filePath("b.pbk");
    bool ok = false;
    session->backup.OnEnded = [&](const TPageBlock::TEnd& e) { ok = e.kind == TOutcome::TKind::Done; };
    session->backup.Backup(path, "transcript");
    ASSERT_TRUE(Settle(60000));
    ASSERT_TRUE(ok);
    TBackupImage image;
    QString error;
    ASSERT_TRUE(TBackupFile::Read(path, image, error));
    module->WriteMemory(0x1000, QByteArray(32, char(0xFF)));
    module->WriteMemory(202, QByteArray::fromHex("0700"));
    session->backup.Restore(image, {});
    ASSERT_TRUE(Settle(60000));
    ASSERT_TRUE(ok) << op.messages.join('|').toStdString();

    const QString file = QStringLiteral(PORTIQA_FIXTURES "/full_session.frames");
    if (qEnvironmentVariableIsSet("PORTIQA_WRITE_TRANSCRIPT")) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write((frames.join(u'\n') + u'\n').toLatin1());
    }
    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << "no transcript: run once with PORTIQA_WRITE_TRANSCRIPT=1";
    const QStringList expected = QString::fromLatin1(in.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < std::min(frames.size(), expected.size()); ++i)
        ASSERT_EQ(frames[i], expected[i]) << "frame " << i + 1 << " of " << expected.size();
    EXPECT_EQ(frames.size(), expected.size());
}

} // namespace
