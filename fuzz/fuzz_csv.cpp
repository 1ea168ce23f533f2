// The comma-separated reader and the number import behind it.
#include "app/timer.h"
#include "files/csv.h"
#include "link/page_fields.h"
#include "numbers/number_files.h"

namespace {
struct SilentOperator : portiqa::IOperator {
    void ShowMessage(const QString&) override {}
    bool AskAccept(const QString&) override { return true; }
    bool WarnOkCancel(const QString&) override { return true; }
    void ReportError(const QString&) override {}
    QString ChooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString ChooseOpenFile(const QString&, const QString&) override { return {}; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace portiqa;
    static SilentOperator op;
    static TRecordingStatusDisplay display;
    static TManualTimer tmr2(3000, true);
    static Tstatusbar_ctrl status(display, tmr2);
    static Tprogressbar_ctrl progress(display);
    static TNumberTable table;
    static TNumberFiles files(table, {op, status, progress, QString()});
    const auto rows = TCsv::Parse(fields::FromCp1251(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))));
    files.ApplyCsv(rows);
    return 0;
}
