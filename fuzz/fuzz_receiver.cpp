// The frame receiver fed byte by byte, with every block behind it, so that
// valid frames reach the settings, number and history decoders too.
#include "open_session.h"
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
    static portiqa::TManualTimer replyTimer(3000), statusTimer(3000, true);
    static portiqa::TOpenSession session(port, display, op, replyTimer, statusTimer);
    // A fresh line, then one operation waiting for its reply, as it would be
    // when replies arrive: only the reply matching its request goes further,
    // and each taken reply sends the chain's next request.
    session.seq.AbortTransfer();
    session.pageTransfer.AbortTransfer();
    session.password.CancelPending();
    session.frameAssembler.Reset();
    if (size > 0) {
        switch (data[0] % 7) {
        case 0: session.settingsBlock.ReadAfterQuestion(); break;
        case 1: session.numberBlock.DownloadAfterQuestion(); break;
        case 2: session.historyBlock.Download(); break;
        case 3: session.password.StartCheck(); break;
        case 4: session.pageTransfer.StartRead({0x0, 0x1000, 0x30000}, {0x0}, QStringLiteral("fuzz"), {}); break;
        case 5: session.numberBlock.Save(); break;
        default: session.settingsBlock.Save(); break;
        }
    }
    for (size_t i = 1; i < size; ++i) session.OnBytes(data + i, 1);
    if (session.frameAssembler.ByteCount < 0 || session.frameAssembler.ByteCount > 265) __builtin_trap();
    return 0;
}
