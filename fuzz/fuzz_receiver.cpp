// The frame receiver fed byte by byte, with every block behind it, so that
// valid frames reach the settings, number and history decoders too.
#include "app/session.h"
#include <QCoreApplication>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static portiqa::TNullPort port;
    static portiqa::TSilentOperator op;
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
