// The simulated module on Windows: a named pipe in place of the
// pseudo-terminal, served by the same responder. The program's serial backend
// opens \\.\pipe\... like a COM port.
#include "sim/simulator.h"
#include "base/texts.h"
#include <windows.h>
#include <atomic>

namespace portiqa::sim {

namespace {

HANDLE H(void* h) { return static_cast<HANDLE>(h); }

// Waits for an overlapped operation or the stop event; true when it completed.
bool Finish(HANDLE pipe, OVERLAPPED& ov, HANDLE stop, DWORD& count) {
    const HANDLE both[2] = {stop, ov.hEvent};
    if (::WaitForMultipleObjects(2, both, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
        ::CancelIoEx(pipe, &ov);
        ::GetOverlappedResult(pipe, &ov, &count, TRUE);
        return false;
    }
    return ::GetOverlappedResult(pipe, &ov, &count, FALSE) != 0;
}

std::atomic<int> gPipes{0};

} // namespace

bool TModuleSimulator::Start(QString* error) {
    const QString name = QStringLiteral("\\\\.\\pipe\\portiqa-sim-%1-%2").arg(::GetCurrentProcessId()).arg(gPipes++);
    HANDLE pipe = ::CreateNamedPipeW(reinterpret_cast<const wchar_t*>(name.utf16()),
                                     PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                     PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
        if (error) *error = TText::tr("cannot create the link %1").arg(name);
        return false;
    }
    pipe_ = pipe;
    stopEvent_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    path_ = name;
    thread_ = std::thread(&TModuleSimulator::Serve, this);
    return true;
}

void TModuleSimulator::Stop() {
    if (thread_.joinable()) {
        ::SetEvent(H(stopEvent_));
        thread_.join();
    }
    if (pipe_) ::CloseHandle(H(pipe_));
    if (stopEvent_) ::CloseHandle(H(stopEvent_));
    pipe_ = stopEvent_ = nullptr;
}

qsizetype TModuleSimulator::WriteSome(const char* data, qsizetype size) {
    OVERLAPPED ov{};
    ov.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD n = 0;
    const bool ok = (::WriteFile(H(pipe_), data, DWORD(size), &n, &ov) || ::GetLastError() == ERROR_IO_PENDING) &&
                    Finish(H(pipe_), ov, H(stopEvent_), n);
    ::CloseHandle(ov.hEvent);
    return ok ? qsizetype(n) : -1;
}

void TModuleSimulator::Serve() {
    uint8_t buf[4096];
    for (;;) {
        // The program connects (again, after it closed the port).
        OVERLAPPED ov{};
        ov.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        DWORD n = 0;
        bool connected = ::ConnectNamedPipe(H(pipe_), &ov) != 0;
        if (!connected) {
            const DWORD err = ::GetLastError();
            connected = err == ERROR_PIPE_CONNECTED || (err == ERROR_IO_PENDING && Finish(H(pipe_), ov, H(stopEvent_), n));
        }
        ::CloseHandle(ov.hEvent);
        if (::WaitForSingleObject(H(stopEvent_), 0) == WAIT_OBJECT_0) return;
        if (!connected) continue;
        for (;;) {
            OVERLAPPED rv{};
            rv.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
            const bool got = (::ReadFile(H(pipe_), buf, sizeof buf, &n, &rv) || ::GetLastError() == ERROR_IO_PENDING) &&
                             Finish(H(pipe_), rv, H(stopEvent_), n);
            ::CloseHandle(rv.hEvent);
            if (::WaitForSingleObject(H(stopEvent_), 0) == WAIT_OBJECT_0) return;
            if (!got) break;  // the program closed the port
            if (n == 0) continue;
            QByteArray reply;
            int delayMs = 0;
            {
                std::lock_guard lock(imageMutex_);
                reply = responder_.Feed(buf, size_t(n));
                requests_ = responder_.Requests();
                changes_ = responder_.Changes();
                delayMs = responder_.ReplyDelayMs();
            }
            if (!reply.isEmpty()) {
                if (delayMs > 0 && ::WaitForSingleObject(H(stopEvent_), DWORD(delayMs)) == WAIT_OBJECT_0) return;
                SendPaced(reply);
                replied_.fetch_add(reply.size(), std::memory_order_relaxed);
            }
            done_.store(requests_.load(), std::memory_order_release);
        }
        ::DisconnectNamedPipe(H(pipe_));
    }
}

} // namespace portiqa::sim
