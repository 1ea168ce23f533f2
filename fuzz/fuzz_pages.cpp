// Every page decoder and encoder on arbitrary page bytes and addresses.
#include "history/history_block.h"
#include "numbers/number_record.h"
#include "numbers/number_table.h"
#include "settings/settings_block.h"
#include <QCoreApplication>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace portiqa;
    static portiqa::TNullPort port;
    static portiqa::TSilentOperator op;
    static TRecordingStatusDisplay display;
    static TManualTimer replyTimer(3000), statusTimer(3000, true);
    static TStatusControl status(display, statusTimer);
    static TProgressControl progress(display);
    static TRequestSequence seq(port, status, replyTimer);
    static TSettingsTable settings;
    static TPageTransfer transfer(seq, progress);
    static TSettingsBlock basic(seq, transfer, settings, progress, op);
    static TNumberTable numbers;
    static THistoryTable history;
    if (size < 260) return 0;
    int32_t address;
    std::memcpy(&address, data, 4);
    uint8_t page[256];
    std::memcpy(page, data + 4, 256);

    basic.DecodeSettingsPage(address & 0x100, page);
    try {
        uint8_t out[256];
        EncodeSettingsPageTo(1, settings, out);
        EncodeSettingsPageTo(2, settings, out);
    } catch (const std::exception&) {
    }
    const int row = 1 + int(uint32_t(address) % 3000);
    const TNumberRecord record = TNumberRecord::FromBytes(page);
    record.ToRow(numbers.Grid(), row);
    // A record written as the program writes it reads back as the same bytes.
    const QByteArray written = record.Bytes();
    if (TNumberRecord::FromBytes(reinterpret_cast<const uint8_t*>(written.constData())).Bytes() != written) __builtin_trap();
    try {
        (void)TNumberRecord::FromRow(numbers.Grid(), row).Bytes();
    } catch (const std::exception&) {
    }
    for (int c = 2; c <= 5; ++c) numbers.OutOfRange(c, row);
    THistoryRecord::FromBytes(page).ToRow(history.Grid(), 1 + int(uint32_t(address) % 1000));
    THistoryRecord::FromBytes(page + 128).ToRow(history.Grid(), 1 + int(uint32_t(address >> 10) % 1000));
    (void)THistoryRecord::FromBytes(page).At();
    // The whole-table steps cost a thousand times a page: now and then.
    static unsigned runs = 0;
    if (++runs % 1000 == 0) {
        numbers.ValidateNumberTable();
        history.CompactHistory();
    }
    return 0;
}
