// The program's whole session against a module written here on its own
// terms (its own frame parsing, checksum and memory), with a relay between
// the two that drops, delays, duplicates, damages and re-addresses frames.
// Everything runs on this thread: the relay hands replies over when the
// test pumps, and the reply timer moves only when the test advances it.
#include "fakes.h"
#include "open_session.h"
#include "link/link_messages.h"
#include "numbers/number_record.h"
#include <QDate>
#include <deque>
#include <functional>
#include "backup/backup_file.h"
#include "session/module_commands.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace portiqa;

namespace {

// What the relay does to the reply of one request.
enum class TTamper {
    Pass,
    Drop,             // the reply never arrives
    Late,             // the reply arrives only after the reply time has run out
    Duplicate,        // the reply arrives twice
    NextAddress,      // the reply carries the next page's address
    Empty,            // the reply carries no payload
    TwoSameBitFlips,  // two bytes flipped in the same bit: the XOR check still passes
    Refuse,           // a save answered with status 0 (the page is not stored)
    StoreDamaged,     // a save acknowledged, but one byte stored wrong
};

struct TRequestSeen {
    uint8_t command;
    uint32_t address;
    QByteArray payload;
};

class TRelayModule : public ISerialPort {
public:
    QByteArray memory = QByteArray(0x50000, char(0xFF));
    std::vector<TRequestSeen> requests;
    std::map<int, TTamper> tamper;  // by request number, from 1
    // The module changing its own memory (an SMS, a call) just before it
    // answers request N.
    std::map<int, std::function<void(QByteArray& memory)>> before;
    bool silent = false;            // answers nothing at all
    std::deque<QByteArray> line;    // bytes on their way to the program
    std::deque<QByteArray> late;    // replies held back until the time has run out

    bool Write(const uint8_t* data, uint16_t size) override {
        // The request as the module reads it: '#', command, address (4 bytes,
        // most significant first), length (2 bytes), payload, XOR of all
        // after the '#'.
        if (size < 9 || data[0] != 0x23) return true;
        uint8_t x = 0;
        for (int i = 1; i < size - 1; ++i) x ^= data[i];
        if (x != data[size - 1]) return true;
        const uint32_t address = uint32_t(data[2]) << 24 | uint32_t(data[3]) << 16 | uint32_t(data[4]) << 8 | data[5];
        const int length = data[6] << 8 | data[7];
        if (length != size - 9) return true;
        requests.push_back({data[1], address, QByteArray(reinterpret_cast<const char*>(data + 8), length)});
        if (silent) return true;
        Answer(requests.back(), int(requests.size()));
        return true;
    }
    static QByteArray Frame(uint8_t cmd, uint32_t address, const QByteArray& payload) {
        QByteArray f;
        f.append(char(0x23)).append(char(cmd));
        for (int shift : {24, 16, 8, 0}) f.append(char((address >> shift) & 0xFF));
        f.append(char(payload.size() >> 8)).append(char(payload.size() & 0xFF)).append(payload);
        uint8_t x = 0;
        for (int i = 1; i < f.size(); ++i) x ^= uint8_t(f[i]);
        return f.append(char(x));
    }

private:
    void Answer(const TRequestSeen& r, int number) {
        if (before.count(number)) before[number](memory);
        const TTamper t = tamper.count(number) ? tamper[number] : TTamper::Pass;
        QByteArray payload;
        uint32_t address = r.address;
        if (r.command == 131) {
            payload = memory.mid(int(r.address), 256);
        } else if (r.command == 130) {
            const bool store = t != TTamper::Refuse;
            if (store) {
                QByteArray page = r.payload;
                if (t == TTamper::StoreDamaged) page[17] = char(page[17] ^ 0x40);
                memory.replace(int(r.address), 256, page);
            }
            payload = QByteArray(1, store ? 1 : 0);
        } else {
            payload = QByteArray(1, 1);
        }
        if (t == TTamper::NextAddress) address += 0x100;
        if (t == TTamper::Empty) payload.clear();
        if (t == TTamper::TwoSameBitFlips && payload.size() == 256) {
            // Noise differs from one reply to the next: the places move.
            const int at = 5 + number % 40;
            payload[at] = char(payload[at] ^ 0x10);
            payload[at + 4] = char(payload[at + 4] ^ 0x10);
        }
        const QByteArray reply = Frame(r.command, address, payload);
        switch (t) {
        case TTamper::Drop: break;
        case TTamper::Late: late.push_back(reply); break;
        case TTamper::Duplicate: line.push_back(reply); line.push_back(reply); break;
        default: line.push_back(reply); break;
        }
    }
};

// A record as the module stores it: the number, then the validity window
// (start month, day, hour, minute, end month, day, hour, minute), then the
// two years; 0x63 in all of it marks a number without limits.
QByteArray Record(const QByteArray& number, bool unrestricted = true) {
    QByteArray r = number.left(22);
    r.append(QByteArray(22 - r.size(), '\0'));
    if (unrestricted) r.append(QByteArray::fromHex("6363636363636363006300"));
    else r.append(QByteArray::fromHex("01020A1E0C1F173B181E"));
    return r.left(32);
}

struct RelayTest : ::testing::Test {
    TRelayModule module;
    test::TScriptedOperator op;
    TRecordingStatusDisplay display;
    TManualTimer replyTimer{3000}, statusTimer{3000, true};
    TOpenSession session{module, display, op, replyTimer, statusTimer};
    int done = 0, failedTransfers = 0;
    std::vector<TLinkFailure> failures;
    qint64 now = 1000000;  // the sequence's clock, moved with the reply timer

    void SetUp() override {
        session.seq.Now = [this] { return now; };
        // Settings page 1: password 5807, SIM number +79161234567.
        module.memory.replace(0, 4, "5807");
        module.memory.replace(4, 13, QByteArray("+79161234567") + '\0');
        // Rows 7, 10 (twice), 15 and 16 as little-endian words: 10, 0, 0, 999, 0.
        module.memory.replace(108, 2, QByteArray::fromHex("0A00"));
        module.memory.replace(112, 4, QByteArray::fromHex("00000000"));
        module.memory.replace(200, 4, QByteArray::fromHex("E7030000"));
        for (int r = 0; r < 40; ++r) module.memory.replace(0x1000 + 32 * r, 32, Record("+7916000" + QByteArray::number(1000 + r)));
        for (int r = 0; r < 1000; ++r) {
            QByteArray rec(128, '\0');
            rec[0] = char(r & 0xFF);  // record number, least significant byte first
            rec[1] = char(r >> 8);
            rec.replace(4, 6, QByteArray::fromHex("1801020A1E00"));  // 2024-01-02 10:30:00
            rec[10] = 1;  // SMS
            rec[11] = 1;  // Delete Number
            module.memory.replace(0x30000 + 128 * r, 128, rec);
        }
        for (TPageBlock* b : std::initializer_list<TPageBlock*>{
                 &session.settingsBlock, &session.numberBlock, &session.historyBlock}) {
            b->OnEnded = [this](const TPageBlock::TEnd& e) { ++(e.kind == TOutcome::TKind::Done ? done : failedTransfers); };
        }
        // Kept as the session wired it, so that its outcomes still come.
        session.receiver.OnFailure = [this, ends = session.receiver.OnFailure](TLinkFailure f) {
            failures.push_back(f);
            ends(f);
        };
        session.password.TypedPasswordSource = [] { return QStringLiteral("5807"); };
    }
    // Hands every byte on the line to the program, in order, until the line
    // is empty (a reply may make the program send the next request).
    void Pump() {
        for (int guard = 0; guard < 100000 && !module.line.empty(); ++guard) {
            const QByteArray bytes = module.line.front();
            module.line.pop_front();
            session.OnBytes(reinterpret_cast<const uint8_t*>(bytes.constData()), int(bytes.size()));
        }
    }
    // Pumps, and lets the reply time run out whenever the line falls silent
    // with a reply still owed; late replies arrive after that.
    void Run() {
        for (int guard = 0; guard < 10000; ++guard) {
            Pump();
            if (!session.seq.Outstanding()) break;
            // The try's wait runs out.
            const int wait = replyTimer.Interval() - replyTimer.Elapsed();
            now += wait;
            replyTimer.Advance(wait);
            while (!module.late.empty()) {
                module.line.push_back(module.late.front());
                module.late.pop_front();
            }
        }
        Pump();
    }
    void Login() {
        session.password.StartCheck();
        Run();
        ASSERT_EQ(op.told.back(), "Пароль подтвержден!");
        module.requests.clear();
        module.tamper.clear();
    }
    int FramesSince(int mark, uint8_t cmd) const {
        int n = 0;
        for (size_t i = size_t(mark); i < module.requests.size(); ++i) n += module.requests[i].command == cmd;
        return n;
    }
    // The number table against the module's memory, read as records by the
    // program's decoder (the module side above wrote them as raw bytes).
    void ExpectNumbersMatchModule() {
        TNumberTable reference;
        for (int r = 1; r <= 3000; ++r)
            TNumberRecord::FromBytes(reinterpret_cast<const uint8_t*>(module.memory.constData()) + 0x1000 + 32 * (r - 1))
                .ToRow(reference.Grid(), r);
        for (int r = 1; r <= 3000; ++r)
            for (int c = 1; c <= 6; ++c)
                ASSERT_EQ(session.numberTable.Grid().Cells(c, r), reference.Grid().Cells(c, r)) << r << "," << c;
    }
};

TEST_F(RelayTest, WrongAddressEmptyAndDuplicatedRepliesAreNeverTaken) {
    Login();
    // History: the reply to page 7 claims page 8's address; without matching
    // it was taken for page 7 and every later line was one page off.
    module.tamper[7] = TTamper::NextAddress;
    module.tamper[20] = TTamper::Empty;
    module.tamper[30] = TTamper::Duplicate;
    op.messages.clear();
    session.historyBlock.Download();
    Run();
    ASSERT_EQ(done, 1);
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(module.requests.size(), 502u);  // 500 pages and the two that were asked again
    auto& h = session.historyTable.Grid();
    for (int r = 1; r <= 1000; ++r) {
        ASSERT_EQ(h.Cells(THistoryTable::kRecordNo, r), QString::number(r - 1)) << r;
    }
}

TEST_F(RelayTest, ADuplicatedAcknowledgementNeverSkipsAPage) {
    Login();
    session.numberBlock.DownloadAfterQuestion();
    Run();
    ASSERT_EQ(done, 1);
    // Change every page's first record, so that all 375 pages are written.
    auto& g = session.numberTable.Grid();
    for (int p = 0; p < 375; ++p) {
        g.SetCells(1, 8 * p + 1, QStringLiteral("8800%1").arg(p, 7, 10, QChar('0')));
        g.SetCells(6, 8 * p + 1, TNumberTable::Yes());
    }
    const int mark = int(module.requests.size());
    module.tamper[mark + 10] = TTamper::Duplicate;  // the acknowledgement of the 10th save
    module.tamper[mark + 374] = TTamper::Duplicate;
    session.numberBlock.Save();
    Run();
    ASSERT_EQ(done, 2);
    EXPECT_EQ(FramesSince(mark, 130), 375);
    EXPECT_EQ(op.messages.back(), "Список авторизованных номеров успешно сохранен\rЗаписано страниц: 375");
    ExpectNumbersMatchModule();
}

TEST_F(RelayTest, DamageTheChecksumCannotSeeNeverReachesTheModule) {
    Login();
    // The first read of page 1 has two flips of one bit: the XOR still
    // matches. The second read differs, so the page is read a third time.
    module.tamper[1] = TTamper::TwoSameBitFlips;
    session.settingsBlock.ReadAfterQuestion();
    Run();
    ASSERT_EQ(done, 1);
    EXPECT_EQ(module.requests.size(), 5u);  // page 1 three times, page 2 twice
    EXPECT_EQ(session.settingsTable.Value(2), "+79161234567");

    // Copies that keep differing end the read with a message; nothing is decoded.
    session.settingsTable.SetValue(2, "unchanged");
    for (int n = 6; n <= 12; ++n) module.tamper[n] = TTamper::TwoSameBitFlips;
    op.messages.clear();
    session.settingsBlock.ReadAfterQuestion();
    Run();
    EXPECT_EQ(module.requests.size(), 9u);  // four copies of page 1, each unlike the one before
    ASSERT_FALSE(failures.empty());
    EXPECT_EQ(failures.back(), TLinkFailure::ReadsDisagree);
    EXPECT_TRUE(op.messages.back().startsWith("Ответы GSM модуля при повторном чтении не совпадают"));
    EXPECT_EQ(session.settingsTable.Value(2), "unchanged");

    // A save after the good read writes back exactly what the module held.
    module.tamper.clear();
    session.settingsTable.SetValue(2, "+79161234567");
    const QByteArray before = module.memory.left(256);
    session.settingsTable.SetValue(5, "Hello");
    session.settingsBlock.Save();
    Run();
    QByteArray expected = before;
    expected.replace(28, 6, QByteArray("Hello") + '\0');
    EXPECT_EQ(module.memory.left(256).toHex(), expected.toHex());
}

TEST_F(RelayTest, LateAndSecondLoginRepliesNeverReachTheSettingsTable) {
    session.settingsTable.SetValue(1, "1111");
    session.settingsTable.SetValue(2, "+70000000000");  // an edit not saved yet
    // The login's reply comes late: the login is asked again (reading
    // changes nothing), and the reply to either request answers it once.
    module.tamper[1] = TTamper::Late;
    session.password.StartCheck();
    Run();
    EXPECT_EQ(op.told.back(), "Пароль подтвержден!");
    EXPECT_EQ(op.told.count("Пароль подтвержден!"), 1);
    EXPECT_EQ(session.settingsTable.Value(1), "1111");
    EXPECT_EQ(session.settingsTable.Value(2), "+70000000000");
    EXPECT_FALSE(session.password.Pending());

    module.tamper[int(module.requests.size()) + 1] = TTamper::Duplicate;
    session.password.StartCheck();
    Run();
    EXPECT_EQ(op.told.back(), "Пароль подтвержден!");
    EXPECT_EQ(op.told.count("Пароль подтвержден!"), 2);
    EXPECT_EQ(session.settingsTable.Value(2), "+70000000000");
    EXPECT_EQ(display.Text(), "Неожиданный ответ");
}

TEST_F(RelayTest, EveryOtherOperationWaitsWhileAReplyIsOwed) {
    Login();
    session.numberBlock.DownloadAfterQuestion();  // the download's first request is now owed
    const size_t sent = module.requests.size();
    op.messages.clear();
    session.password.StartCheck();
    session.settingsBlock.ReadAfterQuestion();
    session.settingsBlock.Save();
    session.historyBlock.Download();
    session.historyBlock.DeleteAfterQuestion();
    EXPECT_FALSE(session.Send(TimeSyncCommand()));
    EXPECT_FALSE(session.Send(CheckingModeCommand()));
    session.numberBlock.Save();
    EXPECT_EQ(module.requests.size(), sent);
    EXPECT_EQ(op.messages.count(BusyMessage()), 8);  // each refusal says so, the commands too
    EXPECT_TRUE(op.warnings.isEmpty());  // the history warning is not even asked
    // The session's own starts: refused the same way, and none of them ends
    // the download (or takes its page counts and journal entry) with an outcome.
    std::vector<TOutcome> outcomes;
    session.OnFinished = [&](const TOutcome& o) { outcomes.push_back(o); };
    QTemporaryDir dir;
    session.Backup(dir.filePath("b.pbk"), "relay");
    TBackupImage image;
    image.pages[SettingsPageAddress(1)] = module.memory.mid(0, 256);
    session.Restore(image, {});
    session.SaveSettings();
    session.SaveNumbers();
    EXPECT_EQ(module.requests.size(), sent);
    EXPECT_EQ(op.messages.count(BusyMessage()), 12);
    EXPECT_TRUE(outcomes.empty());
    Run();
    EXPECT_EQ(done, 1);
    ExpectNumbersMatchModule();
}

TEST_F(RelayTest, ARefusalStaysARefusalWhenALateOkFollows) {
    Login();
    session.numberBlock.DownloadAfterQuestion();
    Run();
    auto& g = session.numberTable.Grid();
    for (int r = 1; r <= 80; r += 8) {
        g.SetCells(1, r, QStringLiteral("8800555%1").arg(r, 4, 10, QChar('0')));
        g.SetCells(6, r, TNumberTable::Yes());
    }
    const int mark = int(module.requests.size());
    // Each page holds records the operator did not change: it is read just
    // before it is written. The third page's save (request 6) is refused.
    module.tamper[mark + 6] = TTamper::Refuse;
    session.numberBlock.Save();
    Pump();
    ASSERT_FALSE(failures.empty());
    EXPECT_EQ(failures.back(), TLinkFailure::SaveRefused);
    EXPECT_TRUE(op.messages.back().startsWith("Ошибка данных списка номеров\rЗаписано страниц: 2"));
    const size_t after = module.requests.size();
    // The module's own "OK" for that page comes in late: nothing restarts.
    module.line.push_back(TRelayModule::Frame(130, 0x1200, QByteArray(1, 1)));
    Pump();
    EXPECT_EQ(module.requests.size(), after);
    EXPECT_EQ(done, 1);

    // Saving again writes what is still missing, and only that.
    const int again = int(module.requests.size());
    session.numberBlock.Save();
    Run();
    EXPECT_EQ(done, 2);
    EXPECT_EQ(FramesSince(again, 130), 8);
    EXPECT_EQ(op.messages.back(), "Список авторизованных номеров успешно сохранен\rЗаписано страниц: 8");
    ExpectNumbersMatchModule();
}

TEST_F(RelayTest, RetriesCarryATransferOverLostRepliesAndGiveUpOnADeadLine) {
    Login();
    session.numberBlock.DownloadAfterQuestion();
    module.tamper[2] = TTamper::Drop;
    module.tamper[50] = TTamper::Drop;
    module.tamper[51] = TTamper::Drop;  // the second attempt is lost too
    module.tamper[100] = TTamper::Late; // the first attempt's reply comes after the retry's
    Run();
    ASSERT_EQ(done, 1);
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(module.requests.size(), 375u + 4u);
    EXPECT_EQ(module.requests[1].address, module.requests[2].address);  // the same page asked again
    ExpectNumbersMatchModule();

    // The line dies in the middle of a save: three attempts, then the
    // operator is told how far it got.
    auto& g = session.numberTable.Grid();
    for (int r = 1; r <= 300; r += 8) {
        g.SetCells(1, r, QStringLiteral("8495%1").arg(r, 7, 10, QChar('0')));
        g.SetCells(6, r, TNumberTable::Yes());
    }
    const int mark = int(module.requests.size());
    module.tamper.clear();
    for (int n = int(mark) + 6; n < int(mark) + 20; ++n) module.tamper[n] = TTamper::Drop;
    session.numberBlock.Save();
    Run();
    // Each page is read just before it is written: read, save, read, save,
    // read, then the third save is lost three times.
    EXPECT_EQ(module.requests.size() - mark, 5u + 3u);
    EXPECT_EQ(module.requests[mark + 5].address, module.requests[mark + 7].address);
    ASSERT_FALSE(failures.empty());
    EXPECT_EQ(failures.back(), TLinkFailure::ReplyTimeout);
    EXPECT_EQ(op.messages.back(), "GSM модуль не отвечает\rЗаписано страниц: 2. Сохраните ещё раз, чтобы записать остальные" + NoAnswerHint());
    EXPECT_EQ(op.messages.count("GSM модуль не отвечает\rЗаписано страниц: 2. Сохраните ещё раз, чтобы записать остальные" + NoAnswerHint()), 1);

    // The first request of a transfer right after one the module answered
    // is asked again like any other.
    module.silent = false;
    module.tamper.clear();
    session.settingsBlock.ReadAfterQuestion();
    Run();
    const size_t next = module.requests.size();
    module.tamper[int(next) + 1] = TTamper::Drop;
    session.historyBlock.Download();
    Run();
    EXPECT_EQ(module.requests.size() - next, 501u);
    EXPECT_EQ(module.requests[next].address, module.requests[next + 1].address);

    // A module that has answered nothing in this transfer, and nothing for
    // a while before it, is not asked again: a dead line is reported after
    // one reply time.
    module.silent = true;
    now += 20000;
    const size_t dead = module.requests.size();
    session.historyBlock.Download();
    Run();
    EXPECT_EQ(module.requests.size() - dead, 1u);
    EXPECT_EQ(op.messages.back(), "GSM модуль не отвечает" + NoAnswerHint());
}

// The single commands: never sent twice, a refusal said in their own words,
// a late answer taken by nobody.
TEST_F(RelayTest, SingleCommandsSilentRefusedAndLate) {
    Login();
    struct Case {
        const char* what;
        std::function<bool()> send;
        const char* refused;
    };
    const Case cases[] = {
        {"delete history", [&] { return session.historyDelete.Send(); }, "Ошибка при удалении исторических данных"},
        {"time sync", [&] { return session.Send(TimeSyncCommand()); }, "Ошибка возврата времени синхронизации"},
        {"checking mode", [&] { return session.Send(CheckingModeCommand()); }, "Ошибка"},
    };
    for (const Case& c : cases) {
        // Silent: one frame, one reply time, one message.
        const size_t before = module.requests.size();
        module.tamper[int(before) + 1] = TTamper::Drop;
        ASSERT_TRUE(c.send()) << c.what;
        Run();
        EXPECT_EQ(module.requests.size() - before, 1u) << c.what;
        EXPECT_EQ(failures.back(), TLinkFailure::ReplyTimeout) << c.what;
        EXPECT_EQ(op.messages.back(), "GSM модуль не отвечает" + NoAnswerHint()) << c.what;
        // Late: the answer after the time ran out finds nothing owed.
        const int messages = int(op.messages.size());
        module.tamper[int(before) + 2] = TTamper::Late;
        ASSERT_TRUE(c.send());
        Run();
        EXPECT_EQ(op.messages.size(), messages + 1) << c.what << ": only the reply-time message";
        EXPECT_EQ(display.Text(), "Неожиданный ответ") << c.what;
    }
    // A refusal in each command's own words, and one failed outcome each.
    std::vector<TOutcome> outcomes;
    session.OnFinished = [&](const TOutcome& o) { outcomes.push_back(o); };
    for (const Case& c : cases) {
        outcomes.clear();
        ASSERT_TRUE(c.send());
        const uint8_t command = module.requests.back().command;
        module.line.clear();
        module.line.push_back(TRelayModule::Frame(command, 0, QByteArray(1, 0)));
        Pump();
        EXPECT_EQ(op.messages.back(), QString::fromUtf8(c.refused)) << c.what;
        EXPECT_EQ(failures.back(), TLinkFailure::CommandFailed) << c.what;
        ASSERT_EQ(outcomes.size(), 1u) << c.what;
        EXPECT_EQ(int(outcomes[0].operation), int(TOperation::Command)) << c.what;
        EXPECT_EQ(int(outcomes[0].kind), int(TOutcome::TKind::Failed)) << c.what;
        EXPECT_EQ(outcomes[0].pagesWritten, 0) << c.what;
    }
}

TEST_F(RelayTest, ReadBackFindsAPageStoredWrongAndWritesItOnceMore) {
    Login();
    session.numberBlock.DownloadAfterQuestion();
    Run();
    auto& g = session.numberTable.Grid();
    g.SetCells(1, 9, "+79990000009");  // page 2
    g.SetCells(1, 17, "+79990000017");  // page 3
    const int mark = int(module.requests.size());
    module.tamper[mark + 2] = TTamper::StoreDamaged;  // page 2 stored with one byte wrong
    session.numberBlock.Save();
    Run();
    // Each page read before it is written, two saves, two reads back, page
    // 2 saved again and read again.
    EXPECT_EQ(FramesSince(mark, 130), 3);
    EXPECT_EQ(FramesSince(mark, 131), 5);
    EXPECT_EQ(done, 2);
    ExpectNumbersMatchModule();

    // A page that is stored wrong every time: the save fails and says which.
    g.SetCells(1, 25, "+79990000025");  // page 4
    const int again = int(module.requests.size());
    for (int n = int(again) + 1; n <= int(again) + 10; ++n) module.tamper[n] = TTamper::StoreDamaged;
    op.messages.clear();
    session.numberBlock.Save();
    Run();
    EXPECT_EQ(done, 2);
    EXPECT_EQ(failedTransfers, 1);
    EXPECT_TRUE(op.messages.back().startsWith("Проверка записи не пройдена: страницы 4")) << op.messages.back().toStdString();
    // Nothing claims the page is held: the next save reads the module's list
    // first. The wrong byte lies behind the number's end mark, so the module
    // holds the same records and nothing needs writing.
    module.tamper.clear();
    const int third = int(module.requests.size());
    session.numberBlock.Save();
    Run();
    EXPECT_EQ(FramesSince(third, 131), 375);
    EXPECT_EQ(FramesSince(third, 130), 0);
    EXPECT_EQ(done, 3);
    ExpectNumbersMatchModule();
}

// The read-back after a save is the sequence's own request; a module that
// falls silent there ends the save (not some other operation) without an answer.
TEST_F(RelayTest, SilenceDuringTheReadBackEndsTheSaveThatWroteThePage) {
    Login();
    session.settingsBlock.ReadQuietly();
    Run();
    std::vector<TOutcome> outcomes;
    session.OnFinished = [&](const TOutcome& o) { outcomes.push_back(o); };
    session.settingsTable.SetValue(16, "5");
    const int mark = int(module.requests.size());
    // Four reads before the save (two pages, twice each), one save, then
    // the read-back and its two repeats get no reply.
    for (int n = mark + 6; n <= mark + 8; ++n) module.tamper[n] = TTamper::Drop;
    session.settingsBlock.Save();
    Run();
    EXPECT_EQ(FramesSince(mark, 130), 1);
    EXPECT_EQ(FramesSince(mark, 131), 7);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(int(outcomes[0].operation), int(TOperation::Settings));
    EXPECT_EQ(int(outcomes[0].kind), int(TOutcome::TKind::NoAnswer));
    EXPECT_FALSE(session.settingsBlock.TransferRunning());
}

TEST_F(RelayTest, OneChangedNumberWritesOnePage) {
    Login();
    session.numberBlock.DownloadAfterQuestion();
    Run();
    session.numberTable.Grid().SetCells(1, 2000, "+79161112233");
    session.numberTable.Grid().SetCells(6, 2000, TNumberTable::Yes());
    const int mark = int(module.requests.size());
    session.numberBlock.Save();
    Run();
    // The page read just before it is written, the page, and its read-back.
    EXPECT_EQ(module.requests.size() - mark, 3u);
    EXPECT_EQ(module.requests[mark].address, 0x1000u + 249 * 256);
    EXPECT_EQ(module.requests[mark].command, 131);
    EXPECT_EQ(module.requests[mark + 1].command, 130);
    ExpectNumbersMatchModule();

    // After a new login nothing is known: the save reads the module's list
    // first, finds it equal and writes nothing.
    Login();
    session.seq.verifyAfterSave = false;
    session.numberBlock.Save();
    Run();
    EXPECT_EQ(FramesSince(0, 131), 375);
    EXPECT_EQ(FramesSince(0, 130), 0);
}

// What is written is what the operator saw: the module's own changes
// between a download and a save, and damage on the line, never reach it
// unseen.
TEST_F(RelayTest, AModuleThatChangedItselfIsNeitherOverwrittenNorMisreported) {
    Login();
    session.numberBlock.DownloadAfterQuestion();
    Run();
    auto& g = session.numberTable.Grid();
    // The operator edits record 2; meanwhile an SMS deletes record 3 (same
    // page) and adds record 20 (page 3, which the operator does not touch).
    g.SetCells(1, 2, "+79995550002");
    module.memory.replace(0x1000 + 32 * 2, 32, QByteArray(32, char(0xFF)));
    module.memory.replace(0x1000 + 32 * 19, 32, Record("+79995550020"));
    const QByteArray page3 = module.memory.mid(0x1200, 256);
    session.numberBlock.Save();
    Run();
    EXPECT_EQ(done, 2);
    EXPECT_TRUE(op.messages.back().contains("Модуль сам изменил записи: 3 — они сохранены как в модуле"))
        << op.messages.back().toStdString();
    EXPECT_EQ(module.memory.mid(0x1000 + 32, 32), Record("+79995550002"));
    EXPECT_EQ(module.memory.mid(0x1000 + 64, 32), QByteArray(32, char(0xFF))) << "the revoked number stays revoked";
    EXPECT_EQ(module.memory.mid(0x1200, 256), page3) << "a page the operator did not touch is left alone";
    EXPECT_TRUE(g.Cells(1, 3).isEmpty()) << "the table shows the module's record 3";
}

TEST_F(RelayTest, ARecordBothChangedIsAConflictAndItsPageIsNotWritten) {
    Login();
    session.numberBlock.DownloadAfterQuestion();
    Run();
    auto& g = session.numberTable.Grid();
    g.SetCells(1, 3, "+79995550003");  // the operator changes record 3 (page 1)
    g.SetCells(1, 9, "+79995550009");  // and record 9 (page 2)
    module.memory.replace(0x1000 + 32 * 2, 32, QByteArray(32, char(0xFF)));  // the module deletes record 3
    const QByteArray page1 = module.memory.mid(0x1000, 256);
    session.numberBlock.Save();
    Run();
    EXPECT_EQ(failedTransfers, 1);
    EXPECT_TRUE(op.messages.back().contains("сам изменил записи 3")) << op.messages.back().toStdString();
    EXPECT_EQ(module.memory.mid(0x1000, 256), page1) << "nothing written to the page in conflict";
    EXPECT_EQ(module.memory.mid(0x1100, 32), Record("+79995550009")) << "the rest is written";
}

TEST_F(RelayTest, AReplyDamagedInTheReadBeforeAWriteIsReadAgain) {
    Login();
    session.numberBlock.DownloadAfterQuestion();
    Run();
    session.numberTable.Grid().SetCells(1, 2, "+79995550002");
    const int mark = int(module.requests.size());
    module.tamper[mark + 1] = TTamper::TwoSameBitFlips;  // the read before the write
    session.numberBlock.Save();
    Run();
    EXPECT_EQ(done, 2);
    EXPECT_FALSE(op.messages.back().contains("сам изменил")) << op.messages.back().toStdString();
    ExpectNumbersMatchModule();
    EXPECT_EQ(module.memory.mid(0x1000 + 64, 32), Record("+79160001002")) << "record 3 exactly as it was";
}

TEST_F(RelayTest, ASettingsSaveKeepsTheArmingTheModuleChoseItself) {
    Login();
    session.settingsBlock.ReadAfterQuestion();
    Run();
    session.settingsTable.SetValue(16, "24");
    module.memory[111] = 1;  // an SMS arms the module
    session.settingsBlock.Save();
    Run();
    EXPECT_EQ(uint8_t(module.memory[111]), 1);
    EXPECT_EQ(module.memory.mid(202, 2), QByteArray::fromHex("1800"));
}

TEST_F(RelayTest, ABackupReadsEveryPageTwiceAndADamagedCopyIsReadAgain) {
    Login();
    QTemporaryDir dir;
    const QString path = dir.filePath("b.pbk");
    int ok = -1;
    session.backup.OnEnded = [&](const TPageBlock::TEnd& e) { ok = e.kind == TOutcome::TKind::Done; };
    // The same-bit flips land in the first read of a number page and in the
    // second read of another.
    module.tamper[10] = TTamper::TwoSameBitFlips;
    module.tamper[31] = TTamper::TwoSameBitFlips;
    session.backup.Backup(path, "relay");
    Run();
    ASSERT_EQ(ok, 1) << op.messages.join('|').toStdString();
    TBackupImage image;
    QString error;
    ASSERT_TRUE(TBackupFile::Read(path, image, error));
    for (const auto& [address, page] : image.pages) ASSERT_EQ(page, module.memory.mid(address, 256)) << address;
    EXPECT_GE(module.requests.size(), 2u * 877u);
}

TEST_F(RelayTest, AChangeDuringARestoreIsReportedNeverCalledComplete) {
    Login();
    QTemporaryDir dir;
    const QString path = dir.filePath("b.pbk");
    int ok = -1;
    session.backup.OnEnded = [&](const TPageBlock::TEnd& e) { ok = e.kind == TOutcome::TKind::Done; };
    session.backup.Backup(path, "relay");
    Run();
    ASSERT_EQ(ok, 1);
    TBackupImage image;
    QString error;
    ASSERT_TRUE(TBackupFile::Read(path, image, error));
    // The target differs in record 1; while the restore writes, an SMS
    // deletes record 40 (a page the restore does not write).
    module.memory.replace(0x1000, 32, Record("+70000000001"));
    const int mark = int(module.requests.size());
    module.before[mark + 1 + 4 + 375 + 1] = [](QByteArray& m) { m.replace(0x1000 + 32 * 39, 32, QByteArray(32, char(0xFF))); };
    ok = -1;
    session.backup.Restore(image, {});
    Run();
    EXPECT_EQ(ok, 0);
    EXPECT_TRUE(op.messages.back().startsWith("Восстановление не завершено")) << op.messages.back().toStdString();
    EXPECT_TRUE(op.messages.back().contains("0x01400")) << op.messages.back().toStdString();
}

// A command answered with bytes (as a firmware version would be) hands
// them to its caller and ends done; one that changes nothing is no write.
TEST_F(RelayTest, ACommandAnsweredWithBytesHandsThemOverAndEnds) {
    Login();
    session.SetReadOnly(true);
    TModuleCommand ask;
    ask.command = 7;
    ask.reply.kind = TReplyShape::TKind::Data;
    ask.reply.length = 1;
    QByteArray taken;
    std::vector<TOutcome> outcomes;
    session.OnFinished = [&](const TOutcome& o) { outcomes.push_back(o); };
    ASSERT_TRUE(session.Send(ask, [&](const TReply& r) { taken = QByteArray(reinterpret_cast<const char*>(r.payload), r.length); }));
    Run();
    ASSERT_EQ(module.requests.size(), 1u);
    EXPECT_EQ(module.requests[0].command, 7);
    EXPECT_EQ(taken, QByteArray(1, 1));
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].operation, TOperation::Command);
    EXPECT_TRUE(outcomes[0].Ok());
}

} // namespace
