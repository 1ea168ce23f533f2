#include "history/history_block.h"
#include "base/texts.h"
#include "link/link_messages.h"
#include "link/page_fields.h"

namespace portiqa {

TModuleCommand HistoryDeletionCommand() {
    TModuleCommand c = TModuleCommand::WithStatus(133, TText::tr("Password verifying"), TText::tr("Delete command"),
                                              TText::tr("История данных удалена"),
                                              TText::tr("Ошибка при удалении исторических данных"));
    c.reply.changesFrom = kHistoryBase;
    c.reply.changesTo = kModuleMemorySize;
    c.change = TText::tr("Удаление всей истории событий");
    return c;
}

namespace {

using fields::Two;

QString SourceText(uint8_t code) {
    switch (code) {
    case 0: return QStringLiteral(QT_TRANSLATE_NOOP("TText", "COM Port"));
    case 1: return QStringLiteral("SMS");
    case 2: return QStringLiteral("GPRS");
    case 3: return QStringLiteral(QT_TRANSLATE_NOOP("TText", "Telephone"));
    default: return {};
    }
}

QString EventText(uint8_t code) {
    static const char* const kEvents[] = {
        QT_TRANSLATE_NOOP("TText", "Add number"), QT_TRANSLATE_NOOP("TText", "Delete Number"),
        QT_TRANSLATE_NOOP("TText", "Relay ON"),   QT_TRANSLATE_NOOP("TText", "Relay OFF"),
        QT_TRANSLATE_NOOP("TText", "DIN1 Alarm"), QT_TRANSLATE_NOOP("TText", "DIN2 Alarm"),
        QT_TRANSLATE_NOOP("TText", "Power failure"), QT_TRANSLATE_NOOP("TText", "Arm"),
        QT_TRANSLATE_NOOP("TText", "Disarm"),     QT_TRANSLATE_NOOP("TText", "Power recovery")};
    return code < 10 ? QString::fromLatin1(kEvents[code]) : QString();
}

} // namespace

QStringList HistoryWords(int column) {
    QStringList words;
    if (column == THistoryTable::kSource)
        words << QStringLiteral("DIN1") << QStringLiteral("DIN2") << QStringLiteral(QT_TRANSLATE_NOOP("TText", "Power supply"));
    for (uint8_t code = 0; code < 10; ++code) words << (column == THistoryTable::kSource ? SourceText(code) : EventText(code));
    words.removeAll(QString());
    return words;
}

void DecodeHistoryRecord(const uint8_t* b, TStringGrid& g, int row) {
    using T = THistoryTable;
    using namespace history_layout;
    if (b[kYear] == 0) {  // year 0: an empty slot
        for (int c = T::kRecordNo; c <= T::kText; ++c) g.SetCells(c, row, QString());
        return;
    }
    // The record number is little-endian, taken as a signed 32-bit value.
    const uint8_t* n4 = b + kRecordNo;
    const bool noNumber = n4[0] == 0xFF && n4[1] == 0xFF && n4[2] == 0xFF && n4[3] == 0xFF;
    const auto no = static_cast<int32_t>(uint32_t(n4[0]) | uint32_t(n4[1]) << 8 | uint32_t(n4[2]) << 16 |
                                         uint32_t(n4[3]) << 24);
    g.SetCells(T::kRecordNo, row, noNumber ? QString() : QString::number(no));
    const bool hasDate = b[kYear] != 0xFF && b[kMonth] != 0xFF && b[kDay] != 0xFF;
    g.SetCells(T::kDate, row,
               hasDate ? QStringLiteral("20") + Two(b[kYear]) + u'-' + Two(b[kMonth]) + u'-' + Two(b[kDay]) : QString());
    const bool hasTime = b[kHour] != 0xFF && b[kMinute] != 0xFF && b[kSecond] != 0xFF;
    g.SetCells(T::kTime, row, hasTime ? Two(b[kHour]) + u':' + Two(b[kMinute]) + u':' + Two(b[kSecond]) : QString());
    QString source = SourceText(b[kSource]);
    switch (b[kEvent]) {
    case 4: source = QStringLiteral("DIN1"); break;
    case 5: source = QStringLiteral("DIN2"); break;
    case 6: case 9: source = QStringLiteral(QT_TRANSLATE_NOOP("TText", "Power supply")); break;
    default: break;
    }
    g.SetCells(T::kSource, row, source);
    g.SetCells(T::kEvent, row, EventText(b[kEvent]));
    g.SetCells(T::kPhone, row, fields::DecodeDigits(b, kPhone, kPhoneWidth));
    int n = 0;
    while (n < kTextWidth && b[kText + n] != 0) ++n;
    g.SetCells(T::kText, row, fields::FromCp1251(QByteArray(reinterpret_cast<const char*>(b + kText), n)));
}

void THistoryBlock::Download() {
    if (RefusedWhileBusy(seq_, op_)) return;
    std::vector<int32_t> pages;
    for (uint16_t page = 1; page <= kHistoryPages; ++page) pages.push_back(HistoryPageAddress(page));
    TPageTransfer::TReading reading;
    reading.statusText = TText::tr("Reading historical data");
    reading.progressLabel = TText::tr("Reading historical data:");
    reading.operation = Operation();
    reading.onPage = [this](int32_t address, const uint8_t* page) { DecodeHistoryPage(address, page); };
    reading.onFinished = [this](const std::vector<int32_t>&) {
        table_.CompactHistory();
        table_.KeepAll();
        Done(QString());
    };
    transfer_.StartRead(std::move(pages), {}, std::move(reading));
}

void THistoryBlock::DeleteAfterQuestion() {
    if (RefusedWhileBusy(seq_, op_)) return;
    if (!op_.WarnOkCancel(TText::tr("Внимание! Эта операция удалит всю историю сохраненную в GSM модуле ")))
        return;
    if (!deleter_.Send()) op_.ShowMessage(BusyMessage());
}

void THistoryBlock::DecodeHistoryPage(int32_t address, const uint8_t* page) {
    const int base = ((address - kHistoryBase) / kPageSize) * 2;
    TGridBatch batch(table_.Grid());
    for (int k = 0; k < 2; ++k) {
        const int row = base + k + 1;
        // Replies beyond the history area have no rows to go to.
        if (row < 1 || row > THistoryTable::kRows) continue;
        DecodeHistoryRecord(page + kHistoryRecordSize * k, table_.Grid(), row);
    }
}

} // namespace portiqa
