// The frame receiver fed byte by byte, with every block behind it, so that
// valid frames reach the settings, number and history decoders too.
#include "app/session.h"
#include <QCoreApplication>
#include <cstdint>

namespace {

struct NullPort : portiqa::ISerialPort {
    bool WriteCommBuffer(const uint8_t*, uint16_t) override { return true; }
};

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
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static NullPort port;
    static SilentOperator op;
    static portiqa::TRecordingStatusDisplay display;
    static portiqa::TManualTimer tmr1(3000), tmr2(3000, true);
    static portiqa::TSession session(port, display, op, tmr1, tmr2);
    // Some transfers running, as they would be when replies arrive.
    if (size > 0 && data[0] & 1) session.basicInf.btn21Click();
    if (size > 0 && data[0] & 2) session.telephoneSend.btn10Click();
    if (size > 0 && data[0] & 4) session.historyInf.btn19Click();
    if (size > 0 && data[0] & 8) session.password.StartCheck();
    session.seq.SetOutstanding(false);
    for (size_t i = 1; i < size; ++i) session.cm1ReceiveData(data + i, 1);
    if (session.recData.ByteCount < 0 || session.recData.ByteCount > 265) __builtin_trap();
    return 0;
}
