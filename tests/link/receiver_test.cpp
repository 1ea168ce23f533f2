#include "history/history_block.h"
#include "session/module_commands.h"
#include "fakes.h"
#include "base/timer.h"
#include "link/link_messages.h"
#include "link/page_transfer.h"
#include "link/receiver.h"
#include "base/texts.h"
#include <gtest/gtest.h>
#include <random>

using namespace portiqa;
using portiqa::test::Hex;

namespace {

// The page chain as a block describes it, counting the replies handed to it
// instead of reading on.
struct FakePages : TPageTransfer {
    using TPageTransfer::TPageTransfer;
    int reads = 0, saves = 0;
    QByteArray lastBuffer;
    void PageRead(int32_t, const uint8_t* page) override { ++reads; lastBuffer = QByteArray(reinterpret_cast<const char*>(page), 256); }
    void SaveAcknowledged() override { ++saves; }
    // An empty write leaves the chain described with a block's words.
    void Describe(TOperation operation, const QString& readLabel, const QString& saveLabel, bool counted) {
        TWriting w;
        w.statusText = QStringLiteral("Ask");
        w.progressLabel = saveLabel;
        w.checkLabel = readLabel;
        w.operation = operation;
        w.counted = counted;
        StartWrite({}, w);
    }
};

struct FakePassword {
    bool pending = false;
    int checks = 0;
    void CheckPassword(const uint8_t*) { ++checks; pending = false; }
};

// The module's single commands as the program describes them.
TModuleCommand CommandOf(uint8_t code) {
    for (const TModuleCommand& c : {TimeSyncCommand(), CheckingModeCommand(), HistoryDeletionCommand()})
        if (c.command == code) return c;
    ADD_FAILURE() << "no command " << int(code);
    return {};
}

QByteArray Reply(uint8_t cmd, int32_t address, QByteArray payload) {
    TDataPackage p;
    p.SetCommand(cmd);
    p.SetLength(int32_t(payload.size()));
    p.SetAddress(address);
    payload.resize(256);
    p.SetPayload(reinterpret_cast<const uint8_t*>(payload.constData()));
    p.BuildFrame();
    return QByteArray(reinterpret_cast<const char*>(p.FrameBuffer.data()), p.FrameLength);
}

struct ReceiverTest : ::testing::Test, test::TLinkRig {
    TFrameAssembler assembler;
    TValidReply valid;
    TReceiver rx{assembler, valid, seq, progress};
    FakePages settings{seq, progress}, numbers{seq, progress}, history{seq, progress};
    FakePassword password;
    std::vector<TLinkFailure> failures;
    std::vector<TLinkNotice> notices;

    void SetUp() override {
        // Each area's replies go to a chain described as that block's.
        settings.Describe(TOperation::Settings, TText::tr("Reading basic setting"), TText::tr("Save basic settings"), false);
        numbers.Describe(TOperation::Numbers, TText::tr("Reading number list:"), TText::tr("Save number list:"), true);
        history.Describe(TOperation::History, TText::tr("Reading historical data:"), TText::tr("Save pages:"), true);
        rx.SetPageTransfer(&history);
        // The receiver reports facts; the words are the application's, as in the session.
        rx.OnNotice = [this](const TLinkNotice& n) {
            notices.push_back(n);
            ShowLinkNotice(op, n);
        };
        rx.OnFailure = [this](TLinkFailure f) { failures.push_back(f); };
    }
    void Feed(const QByteArray& bytes) {
        for (char c : bytes) {
            const auto b = static_cast<uint8_t>(c);
            rx.OnBytes(&b, 1);
        }
    }
    // A request as its owner sends it: the login while a check is pending,
    // else the block of the address's area (as the program's blocks ask).
    void Request(int32_t address = 0) { seq.ReadPage(address, "Чтение настроек", Owned(address)); }
    TSendOptions Owned(int32_t address, bool areaOwner = true) {
        TSendOptions o;
        if (!areaOwner) return o;
        if (password.pending && address == 0) {
            o.operation = TOperation::Login;
            o.onReply = [this](const TReply& r) { password.CheckPassword(r.payload); };
            o.onGiveUp = [this] { password.pending = false; };
        }
        else {
            // The chain that sent the request is the one the receiver knows.
            FakePages& chain = address < 0x1000 ? settings : address < 0x30000 ? numbers : history;
            rx.SetPageTransfer(&chain);
            o.operation = chain.Operation();
            o.onReply = [&chain](const TReply& r) { chain.OnReply(r); };
        }
        return o;
    }
    // The request whose reply the test then feeds.
    void Ask(uint8_t cmd, int32_t address, bool areaOwner = true) {
        const QByteArray page(256, 0);
        const TSendOptions o = Owned(address, areaOwner && (cmd == 130 || cmd == 131));
        if (cmd == 130) seq.SavePage(address, page, "Save", o);
        else if (cmd == 131) seq.ReadPage(address, "Ask", o);
        else seq.Send(cmd, address, {}, CommandOf(cmd).reply, "Ask", o);
    }
};

QByteArray Page(const QByteArray& head = {}) {
    QByteArray p = head;
    p.resize(256, '\0');
    return p;
}

TEST_F(ReceiverTest, ReadRepliesGoToSettingsOrPasswordCheckAndAnEmptyOneToNobody) {
    Request();
    Feed(Reply(131, 0, Page(Hex("35 38 30 37"))));
    EXPECT_EQ(settings.reads, 1);
    EXPECT_EQ(valid.Length, 256);
    EXPECT_EQ(display.Text(), "Чтение базовых настроек");
    EXPECT_FALSE(seq.Outstanding());

    // A read reply without payload: never decoded, never handed to the
    // password check with an earlier reply's bytes, and the request stays owed.
    password.pending = true;
    Request();
    Feed(Hex("23 83 00 00 00 00 00 00 83"));
    EXPECT_EQ(password.checks, 0);
    EXPECT_EQ(settings.reads, 1);
    EXPECT_EQ(display.Text(), "Неожиданный ответ");
    EXPECT_TRUE(seq.Outstanding());
    EXPECT_TRUE(replyTimer.Enabled());
    Feed(Reply(131, 0, Page()));
    EXPECT_EQ(password.checks, 1);
    EXPECT_EQ(settings.reads, 1);
}

TEST_F(ReceiverTest, SaveReplyItsCorruptTwinAndItsDuplicate) {
    Ask(130, 0);
    Feed(Hex("23 82 00 00 00 00 00 01 01 82"));
    EXPECT_EQ(settings.saves, 1);
    EXPECT_EQ(display.Text(), "Сохранение базовых настроек");
    // The same acknowledgement once more: nothing was asked, nothing moves.
    Feed(Hex("23 82 00 00 00 00 00 01 01 82"));
    EXPECT_EQ(settings.saves, 1);
    EXPECT_EQ(display.Text(), "Неожиданный ответ");

    // Its damaged twin, ending where the owed reply ends: asked again at once.
    Ask(130, 0);
    const size_t sent = port.frames.size();
    Feed(Hex("23 82 00 00 00 00 00 01 01 83"));
    EXPECT_EQ(settings.saves, 1);
    EXPECT_EQ(display.Text(), "Повтор запроса 2/3");
    EXPECT_EQ(port.frames.size(), sent + 1);
    EXPECT_EQ(assembler.Receiving, 0);
    // The assembler waits for the next '#', and the next good frame works.
    Feed(Hex("41 23 82 00 00 00 00 00 01 01 82"));
    EXPECT_EQ(settings.saves, 2);
}

TEST_F(ReceiverTest, OnlyTheReplyToTheOutstandingRequestIsTaken) {
    struct Case { const char* what; uint8_t cmd; int32_t address; int length; };
    const Case wrong[] = {
        {"next page's address", 131, 0x1100, 256},
        {"another command", 130, 0x1000, 1},
        {"short payload", 131, 0x1000, 255},
        {"empty payload", 131, 0x1000, 0},
    };
    numbers.PageCount = 375;
    numbers.PageNo = 2;
    Ask(131, 0x1000);
    for (const Case& c : wrong) {
        Feed(Reply(c.cmd, c.address, QByteArray(c.length, '\x11')));
        EXPECT_EQ(numbers.reads + numbers.saves, 0) << c.what;
        EXPECT_EQ(display.Text(), "Неожиданный ответ") << c.what;
        EXPECT_TRUE(seq.Outstanding()) << c.what;
    }
    Feed(Reply(131, 0x1000, Page(Hex("AA"))));
    EXPECT_EQ(numbers.reads, 1);
    EXPECT_EQ(numbers.lastBuffer.left(1), Hex("AA"));
    // A late second copy finds nothing owed.
    Feed(Reply(131, 0x1000, Page(Hex("BB"))));
    EXPECT_EQ(numbers.reads, 1);
    EXPECT_TRUE(failures.empty());
}

TEST_F(ReceiverTest, StrayBytesAreDroppedAndStopTheTimerWhenNothingIsOwed) {
    replyTimer.SetEnabled(true);
    Feed(Hex("00 FF 41"));
    EXPECT_EQ(display.Text(), "Обмен данными");
    EXPECT_FALSE(replyTimer.Enabled());
    EXPECT_EQ(assembler.Receiving, 0);
}

TEST_F(ReceiverTest, HashInsidePayloadIsData) {
    Ask(131, 0x30000);
    Feed(Reply(131, 0x30000, Page(Hex("23 23 23"))));
    EXPECT_EQ(history.reads, 1);
    EXPECT_EQ(history.lastBuffer.left(3), Hex("23 23 23"));
}

TEST_F(ReceiverTest, SingleCommandRepliesAndTheirFailures) {
    struct Case { uint8_t cmd; const char* hex; const char* status; const char* message; };
    const Case cases[] = {
        {133, "23 85 00 00 00 00 00 01 01 85", "Команда удаления", "История данных удалена"},
        {133, "23 85 00 00 00 00 00 01 00 84", "Команда удаления", "Ошибка при удалении исторических данных"},
        {4, "23 04 00 00 00 00 00 01 01 04", "Режим проверки", "Выполнено"},
        {4, "23 04 00 00 00 00 00 01 02 07", "Режим проверки", "Ошибка"},
        {3, "23 03 00 00 00 00 00 01 01 03", "Получен ответ на команду синхронизации",
         "Возврат времени синхронизации в норму"},
        {3, "23 03 00 00 00 00 00 01 00 02", "Получен ответ на команду синхронизации",
         "Ошибка возврата времени синхронизации"},
        // A status reply without its status byte is no reply: the time runs out.
        {3, "23 03 00 00 00 00 00 00 03", "Неожиданный ответ", "GSM модуль не отвечает"},
        {133, "23 85 00 00 00 00 00 00 85", "Неожиданный ответ", "GSM модуль не отвечает"},
        // A damaged one (its check byte wrong) neither: and a single command is never sent again.
        {133, "23 85 00 00 00 00 00 01 01 84", "Неверные данные", "GSM модуль не отвечает"},
    };
    for (const auto& c : cases) {
        op.messages.clear();
        Ask(c.cmd, 0);
        const size_t sent = port.frames.size();
        Feed(Hex(c.hex));
        EXPECT_EQ(display.Text(), QString::fromUtf8(c.status)) << c.hex;
        replyTimer.Advance(3000);
        EXPECT_EQ(port.frames.size(), sent) << c.hex;
        QString expected = QString::fromUtf8(c.message);
        if (expected == QStringLiteral("GSM модуль не отвечает")) expected += NoAnswerHint();
        EXPECT_EQ(op.messages, QStringList{expected}) << c.hex;
    }
}

TEST_F(ReceiverTest, DispatchToTheRequestsOwnerAndByCommand) {
    numbers.PageCount = 375;
    numbers.PageNo = 2;
    Ask(131, 0x1000);
    Feed(Reply(131, 0x1000, QByteArray(256, '\xff')));
    EXPECT_EQ(numbers.reads, 1);
    EXPECT_EQ(display.Text(), "Чтение списка номеров:1/375");
    EXPECT_EQ(display.Position(), 0);

    history.PageCount = 500;
    history.PageNo = 2;
    Ask(131, 0x30000);
    Feed(Reply(131, 0x30000, QByteArray(256, 0)));
    EXPECT_EQ(display.Text(), "Чтение истории:1/500");
    EXPECT_EQ(display.Position(), 0);
    history.PageNo = 501;
    Ask(131, 0x4F300);
    Feed(Reply(131, 0x4F300, QByteArray(256, 0)));
    EXPECT_FALSE(display.Visible());

    numbers.PageNo = 376;
    Ask(130, 0x186FF);
    Feed(Reply(130, 0x186FF, Hex("01")));
    EXPECT_EQ(numbers.saves, 1);
    EXPECT_EQ(display.Text(), "Запись списка номеров:375/375");
    Ask(130, 0x1000);
    Feed(Reply(130, 0x1000, Hex("00")));
    // A refusal after pages were written says how far the save got.
    EXPECT_EQ(op.messages.back(), "Ошибка данных списка номеров\rЗаписано страниц: 1. "
                                  "Сохраните ещё раз, чтобы записать остальные");
    seq.BeginTransfer();
    Ask(130, 0x100);
    Feed(Reply(130, 0x100, Hex("02")));
    EXPECT_EQ(op.messages.back(), "Ошибка базовой настройки");

    // A reply whose request named no block goes nowhere.
    Ask(130, 0x30000, false);
    Feed(Reply(130, 0x30000, Hex("01")));
    EXPECT_EQ(display.Text(), "Неизвестный адрес");
    // A command the link has never heard of is taken by the shape it was sent with.
    TReplyShape shape;
    shape.takenText = "Ответ получен";
    shape.acceptedText = "Готово";
    seq.Send(5, 0, {}, shape, "Ask");
    Feed(Reply(5, 0, Hex("01")));
    EXPECT_EQ(display.Text(), "Ответ получен");
    EXPECT_EQ(op.messages.back(), "Готово");
    // One that answers with bytes hands them to its request's handler.
    TReplyShape data;
    data.kind = TReplyShape::TKind::Data;
    data.length = 4;
    QByteArray taken;
    TSendOptions o;
    o.onReply = [&](const TReply& r) { taken = QByteArray(reinterpret_cast<const char*>(r.payload), r.length); };
    seq.Send(6, 0, {}, data, "Ask", o);
    Feed(Reply(6, 0, Hex("01 07 02 00")));
    EXPECT_EQ(taken, Hex("01 07 02 00"));

    // An address with its top bit set is negative and counts as settings.
    Ask(131, int32_t(0x80000000u));
    Feed(Reply(131, int32_t(0x80000000u), QByteArray(256, 0)));
    EXPECT_EQ(settings.reads, 1);
    EXPECT_EQ(failures.size(), 2u);
}

TEST_F(ReceiverTest, NumberReplyBeforeAnyTransferShowsNoProgress) {
    display.SetProgressPosition(33);
    Ask(131, 0x1000);
    Feed(Reply(131, 0x1000, QByteArray(256, 0)));
    EXPECT_EQ(numbers.reads, 1);
    EXPECT_EQ(display.Position(), 33);
}

TEST_F(ReceiverTest, SilenceAfterARequestGivesOneMessageThenClears) {
    Request();
    replyTimer.Advance(2999);
    EXPECT_TRUE(op.messages.isEmpty());
    replyTimer.Advance(1);
    EXPECT_EQ(op.messages, QStringList{"GSM модуль не отвечает" + NoAnswerHint()});
    EXPECT_EQ(display.Text(), "");
    EXPECT_FALSE(display.Visible());
    replyTimer.Advance(10000);
    EXPECT_EQ(op.messages.size(), 1);
    EXPECT_EQ(failures, std::vector<TLinkFailure>{TLinkFailure::ReplyTimeout});
}

TEST_F(ReceiverTest, DroppedReplyWhileARequestIsOwedStillEndsInTheTimerMessage) {
    Request();
    Feed(Hex("23 82 00 00 00 00 00 01 01 83"));  // wrong checksum
    Feed(Reply(9, 0, Hex("01")));                  // unknown command
    EXPECT_TRUE(replyTimer.Enabled());
    // Asked again once the line is quiet, then the reply time.
    replyTimer.Advance(TReplyClock::kQuietFloorMs);
    EXPECT_EQ(seq.Attempt(), 2);
    replyTimer.Advance(3000);
    EXPECT_EQ(op.messages, QStringList{"GSM модуль не отвечает" + NoAnswerHint()});
}

TEST_F(ReceiverTest, HalfFrameIsForgottenWhenTheTimerExpires) {
    Request();
    Feed(Hex("23 83 00 00"));
    replyTimer.Advance(3000);
    Request();
    Feed(Reply(131, 0, Page()));
    EXPECT_EQ(settings.reads, 1);
}

// The same after the operator's cancel or a lost link: the next reply is read whole.
TEST_F(ReceiverTest, HalfFrameIsForgottenWhenTheWorkIsCutShort) {
    for (const auto cut : {&TReceiver::CancelTransfer, &TReceiver::LoseLink}) {
        const int before = settings.reads;
        Request();
        Feed(Hex("23 83 00 00"));
        ASSERT_TRUE((rx.*cut)());
        Request();
        Feed(Reply(131, 0, Page()));
        EXPECT_EQ(settings.reads, before + 1);
    }
}

TEST_F(ReceiverTest, TimerExpiryEndsAPendingPasswordCheck) {
    password.pending = true;
    Request();
    replyTimer.Advance(3000);
    EXPECT_FALSE(password.pending);
}

TEST_F(ReceiverTest, OversizedLengthIsDroppedAsSoonAsTheLengthArrives) {
    Feed(Hex("23 83 00 00 00 00 01 01"));
    EXPECT_EQ(display.Text(), "Неверные данные");
    EXPECT_EQ(assembler.Receiving, 0);
    Request();
    Feed(Reply(131, 0, Page()));
    EXPECT_EQ(settings.reads, 1);
}

TEST_F(ReceiverTest, RandomAndMutatedStreamsNeverBreakTheAssembler) {
    std::mt19937 rng(12345);
    const QByteArray good[] = {Reply(131, 0x30000, QByteArray(256, 'x')), Reply(130, 0x1000, Hex("01")),
                               Reply(133, 0, Hex("01")), Hex("23 83 00 00 00 00 00 00 83")};
    const std::pair<uint8_t, int32_t> asked[] = {{131, 0x30000}, {130, 0x1000}, {133, 0}, {131, 0}};
    settings.PageCount = numbers.PageCount = history.PageCount = 1;
    qint64 bytes = 0;
    for (int round = 0; round < 20000; ++round) {
        const auto pick = rng() % 4;
        QByteArray f = good[pick];
        Ask(asked[pick].first, asked[pick].second);
        switch (rng() % 4) {
        case 0: f[int(rng() % f.size())] = char(rng()); break;
        case 1: f.truncate(int(rng() % f.size())); break;
        case 2: for (int i = 0; i < 16; ++i) f.append(char(rng())); break;
        default: break;
        }
        for (char c : f) {
            const auto b = static_cast<uint8_t>(c);
            rx.OnBytes(&b, 1);
            ASSERT_GE(assembler.ByteCount, 0);
            ASSERT_LE(assembler.ByteCount, 265);
            ASSERT_LE(valid.Length, 256);
        }
        bytes += f.size();
    }
    EXPECT_GT(bytes, 1000000);
    EXPECT_GT(history.reads + numbers.saves + settings.reads, 0);
}

// The words for every fact the link reports, chosen in one place.
TEST(LinkMessages, WordsForEveryNotice) {
    using K = TLinkNotice::TKind;
    struct Case { TLinkNotice notice; QString words; };
    auto make = [](K kind, uint8_t command, int32_t address, bool ok, bool raw, int written) {
        TLinkNotice n;
        n.kind = kind;
        n.command = command;
        n.address = address;
        n.ok = ok;
        n.rawPages = raw;
        n.pagesWritten = written;
        return n;
    };
    const Case cases[] = {
        {make(K::ReplyTimeout, 0, 0, false, false, 0), "GSM модуль не отвечает" + NoAnswerHint()},
        {make(K::ReplyTimeout, 131, 0x1000, false, false, 3),
         "GSM модуль не отвечает\rЗаписано страниц: 3. Сохраните ещё раз, чтобы записать остальные" + NoAnswerHint()},
        {[&] {
             TLinkNotice n = make(K::ReplyTimeout, 131, 0x1000, false, false, 375);
             n.verifying = true;
             return n;
         }(),
         "GSM модуль не отвечает\rЗаписано страниц: 375 (все). Проверка записи не завершена: прочитайте данные и сравните" +
             NoAnswerHint()},
        {make(K::Cancelled, 130, 0x1000, false, false, 4),
         "Обмен с GSM модулем прерван\rЗаписано страниц: 4. Сохраните ещё раз, чтобы записать остальные"},
        {make(K::LinkLost, 130, 0x1000, false, false, 7),
         "Связь с GSM модулем потеряна: порт закрыт\rЗаписано страниц: 7. Сохраните ещё раз, чтобы записать "
         "остальные\rПодключите GSM модуль, откройте порт, войдите и повторите"},
        {make(K::SaveRefused, 130, 0x100, false, false, 0), "Ошибка базовой настройки"},
        {make(K::SaveRefused, 130, 0x1200, false, false, 2),
         "Ошибка данных списка номеров\rЗаписано страниц: 2. Сохраните ещё раз, чтобы записать остальные"},
        {make(K::SaveRefused, 130, 0x1200, false, true, 0), "GSM модуль отказался записать страницу 0x01200"},
        {make(K::ReadsDisagree, 131, 0, false, false, 0),
         "Ответы GSM модуля при повторном чтении не совпадают: проверьте кабель и повторите"},
    };
    for (const Case& c : cases) EXPECT_EQ(LinkMessage(c.notice), c.words) << c.words.toStdString();
    test::TScriptedOperator op;
    TLinkNotice failed;
    failed.kind = K::HandlerFailed;
    failed.detail = "'x' is not a valid integer value";
    ShowLinkNotice(op, failed);
    EXPECT_EQ(op.errors, QStringList{"'x' is not a valid integer value"});
    EXPECT_TRUE(op.messages.isEmpty());
}

// Reply times learned from the line, on a clock driven by hand.
struct ReplyTimeTest : ReceiverTest {
    qint64 now = 1000000;
    void SetUp() override {
        ReceiverTest::SetUp();
        seq.Now = [this] { return now; };
        seq.NewLine(115200);
        seq.BeginTransfer();
    }
    // The reply to a settings read, answered after ms.
    void Answer(int ms, int32_t address = 0) {
        now += ms;
        Feed(Reply(131, address, Page()));
    }
};

// The first request of a kind waits the whole reply time (a page request's
// tries share it); once the module has answered, a try waits what its
// replies took plus their spread; a single command always waits it all.
TEST_F(ReplyTimeTest, TheWaitOfATryComesFromTheRepliesOfTheLine) {
    Request();
    EXPECT_EQ(replyTimer.Interval(), kReplyTimeoutMs);  // nobody has answered: one try
    for (int i = 0; i < 5; ++i) {
        Answer(30 + i);
        Request();
    }
    // 9 + 265 bytes at 115200 baud are 24 ms; the module took up to 10 more.
    EXPECT_GE(replyTimer.Interval(), 34);
    EXPECT_LE(replyTimer.Interval(), 120);
    Answer(30);
    Ask(130, 0);
    EXPECT_EQ(replyTimer.Interval(), kReplyTimeoutMs / 3);  // no save answered yet
    now += 400;
    Feed(Reply(130, 0, Hex("01")));
    Ask(130, 0x100);
    EXPECT_GE(replyTimer.Interval(), 400);  // never under the slowest answer seen
    now += 10;
    Feed(Reply(130, 0x100, Hex("01")));
    Ask(3, 0);
    EXPECT_EQ(replyTimer.Interval(), kReplyTimeoutMs);
}

// Around the shortened waits a reply is taken once, by its own request: a
// reply split by a short pause, a reply cut short (asked again once the line
// is quiet, its tail never taken), and a late reply with its duplicate.
TEST_F(ReplyTimeTest, SplitCutLateAndDuplicatedRepliesAroundShortWaits) {
    for (int i = 0; i < 3; ++i) {
        Request();
        Answer(30);
    }
    const QByteArray whole = Reply(131, 0, Page(Hex("35 38 30 37")));
    const int reads = settings.reads;
    const size_t sent = port.frames.size();
    Request();
    Feed(whole.left(100));
    replyTimer.Advance(TReplyClock::kQuietFloorMs - 1);
    Feed(whole.mid(100));
    EXPECT_EQ(settings.reads, reads + 1);
    EXPECT_EQ(port.frames.size(), sent + 1);

    Request();
    Feed(whole.left(100));
    replyTimer.Advance(TReplyClock::kQuietFloorMs);
    EXPECT_EQ(seq.Attempt(), 2);
    EXPECT_EQ(port.frames.size(), sent + 3);
    Feed(whole.mid(100));  // the tail of the cut reply
    EXPECT_EQ(settings.reads, reads + 1);
    Feed(whole);
    EXPECT_EQ(settings.reads, reads + 2);

    Request();
    replyTimer.Advance(replyTimer.Interval());
    EXPECT_EQ(seq.Attempt(), 2);
    Feed(whole);  // the first try's reply, late
    Feed(whole);  // and the retry's
    EXPECT_EQ(settings.reads, reads + 3);
    EXPECT_EQ(display.Text(), "Неожиданный ответ");
    Request(0x100);
    Feed(whole);  // a third copy is not page 0x100's reply
    EXPECT_EQ(settings.reads, reads + 3);
    EXPECT_TRUE(seq.Outstanding());
}

} // namespace

// The learned wait, step by step against hand-worked numbers: the mean and
// the deviation move by 1/8 and 1/4, the wait is the mean plus four
// deviations (never under the slowest answer) plus the wire and a margin; an
// unanswered try doubles it; a reply to a request sent twice moves neither
// (Karn) nor clears the doubling, which a reply to a request sent once does;
// nothing waits past 3000 ms. A page read's frames take 24 ms at 115200 baud.
TEST_F(ReplyTimeTest, TheLearnedWaitFollowsItsRulesStepByStep) {
    const auto answered = [&](int ms) {
        Request();
        Answer(ms);
    };
    const auto next = [&] {
        Request();
        return replyTimer.Interval();
    };
    answered(124);              // answer 100: mean 100, deviation 50
    EXPECT_EQ(next(), 349);     // 24 + 100 + 4 * 50 + 25
    Answer(44);                 // answer 20: deviation 57.5, mean 90
    EXPECT_EQ(next(), 369);     // 24 + 90 + 4 * 57.5 + 25
    replyTimer.Advance(369);          // unanswered: asked again
    EXPECT_EQ(seq.Attempt(), 2);
    EXPECT_EQ(replyTimer.Interval(), 738);
    Answer(50);                 // to the second sending: the mean stays, so does the doubling
    EXPECT_EQ(next(), 738);
    replyTimer.Advance(738);    // unanswered again: doubled again (× 4), never one step more (× 3)
    EXPECT_EQ(replyTimer.Interval(), 1476);
    Answer(50);
    EXPECT_EQ(next(), 1476);
    Answer(44);                 // to a request sent once: deviation 60.625, mean 81.25
    EXPECT_EQ(next(), 373);     // 24 + 81.25 + 242.5 + 25, the doubling gone
    Answer(30);

    seq.NewLine(115200);        // a new line learns afresh
    seq.BeginTransfer();
    answered(1000);             // answer 976, deviation 488: 24 + 976 + 1952 + 25
    EXPECT_EQ(next(), 2977);
    replyTimer.Advance(2977);
    EXPECT_EQ(replyTimer.Interval(), kReplyTimeoutMs) << "doubled, but never past the reply time";
}
