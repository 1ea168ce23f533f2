// The comma-separated reader and the number import behind it.
#include "base/timer.h"
#include "files/csv.h"
#include "link/page_fields.h"
#include "numbers/number_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace portiqa;
    static portiqa::TSilentOperator op;
    static TRecordingStatusDisplay display;
    static TManualTimer statusTimer(3000, true);
    static TStatusControl status(display, statusTimer);
    static TProgressControl progress(display);
    static TNumberTable table;
    static TNumberFiles files(table, {op, status, progress, QString()});
    const QString text = TCsv::DecodeBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const auto rows = TCsv::ParseRows(text, TCsv::DetectSeparator(text));
    files.ApplyCsv(rows);
    return 0;
}
