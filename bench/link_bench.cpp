// The receiver's cost per byte, and the serial port's delivery of bytes.
#include "bench_support.h"
#include "base/timer.h"
#include "link/comm.h"
#include "link/receiver.h"
#include "sim/module_responder.h"
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace portiqa;

namespace {

// Full-page read replies fed byte by byte, as the port delivers them, with
// the status text written on every byte.
void BM_ReceiverPerByte(benchmark::State& state) {
    TNullPort port;
    TRecordingStatusDisplay display;
    TManualTimer replyTimer(3000), statusTimer(3000, true);
    TStatusControl status(display, statusTimer);
    TProgressControl progress(display);
    TRequestSequence seq(port, status, replyTimer);
    TFrameAssembler assembler;
    TValidReply valid;
    TReceiver rx(assembler, valid, seq, progress);
    TPageTransfer history(seq, progress);
    history.PageCount = 500;
    history.PageNo = 2;
    rx.SetPageTransfer(&history);
    const QByteArray frame = sim::BuildFrame(131, 0x30000, QByteArray(256, 'h'));
    for (auto _ : state) {
        for (char c : frame) {
            const auto b = static_cast<uint8_t>(c);
            rx.OnBytes(&b, 1);
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * frame.size());
    state.counters["ns_per_byte"] = benchmark::Counter(double(state.iterations()) * double(frame.size()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReceiverPerByte);

// 100 000 bytes written into a pseudo-terminal until the last one has been
// raised through OnReceived on the main thread, every byte at hand an event.
void BM_CommDelivers100kBytes(benchmark::State& state) {
    int master = -1, slave = -1;
    char name[128] = {};
    openpty(&master, &slave, name, nullptr, nullptr);
    termios t{};
    tcgetattr(master, &t);
    cfmakeraw(&t);
    tcsetattr(master, TCSANOW, &t);
    TComm comm;
    comm.SetPortName(QString::fromLatin1(name));
    comm.SetBaudRate(115200);
    long received = 0;
    comm.OnReceived = [&](TComm*, const char*, uint16_t n) { received += n; };
    comm.Open();
    const QByteArray chunk(4096, 'x');
    constexpr long kBytes = 100000;
    for (auto _ : state) {
        received = 0;
        long written = 0;
        while (written < kBytes) {
            const auto n = ::write(master, chunk.constData(), size_t(std::min<long>(chunk.size(), kBytes - written)));
            if (n > 0) written += n;
            QCoreApplication::processEvents();
        }
        bench::RunUntil([&] { return received >= kBytes; });
    }
    comm.Close();
    ::close(master);
    ::close(slave);
    state.SetBytesProcessed(int64_t(state.iterations()) * kBytes);
}
BENCHMARK(BM_CommDelivers100kBytes)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
