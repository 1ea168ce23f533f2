// The serial port on Windows: CreateFile on \\.\COMn with overlapped I/O, the
// device control block for the line, comm events to wait for data, manual-reset
// events to wake the worker threads.
#include "link/comm_backend.h"
#include <windows.h>
#undef CreateEvent  // the seam's own name, not the system's macro
#include <cstring>
#include <string>

namespace portiqa::commio {

namespace {

HANDLE H(Handle h) { return reinterpret_cast<HANDLE>(h); }
Handle Of(HANDLE h) { return h == nullptr || h == INVALID_HANDLE_VALUE ? kNoHandle : reinterpret_cast<Handle>(h); }

std::string SystemText(DWORD err) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, err, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out = n && text ? std::string(text, n) : "error " + std::to_string(err);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
    return out;
}

std::string Explain(const std::string& path, DWORD err) {
    std::string text = path + ": " + SystemText(err);
    if (err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION)
        text += " (the port is held by another program)";
    else if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND)
        text += " (no such port: is the module plugged in?)";
    return text;
}

// The errors a port reports once its USB bridge has been pulled out.
bool GoneAway(DWORD err) {
    return err == ERROR_BROKEN_PIPE || err == ERROR_PIPE_NOT_CONNECTED || err == ERROR_ACCESS_DENIED || err == ERROR_BAD_COMMAND || err == ERROR_DEVICE_REMOVED ||
           err == ERROR_GEN_FAILURE || err == ERROR_INVALID_HANDLE || err == ERROR_DEVICE_NOT_CONNECTED;
}

// A named pipe (the simulated module on Windows) stands in for a port: it
// has no line settings, and its data is counted with PeekNamedPipe.
bool IsPipe(Handle h) { return ::GetFileType(H(h)) == FILE_TYPE_PIPE; }

// One overlapped operation with its own event, waited for to its end.
struct TOverlapped {
    OVERLAPPED ov{};
    TOverlapped() { ov.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    ~TOverlapped() {
        if (ov.hEvent) ::CloseHandle(ov.hEvent);
    }
    TOverlapped(const TOverlapped&) = delete;
    TOverlapped& operator=(const TOverlapped&) = delete;
};

struct TSavedLine {
    DCB dcb;
    COMMTIMEOUTS timeouts;
};

} // namespace

std::string DevicePath(const std::string& name) {
    if (name.rfind("\\\\.\\", 0) == 0) return name;
    return "\\\\.\\" + name;
}

OpenResult Open(const std::string& path, Handle& handle, std::string& reason) {
    handle = kNoHandle;
    const std::wstring wide(path.begin(), path.end());
    // No sharing: the port is this program's alone while it is open.
    HANDLE h = ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        reason = Explain(path, ::GetLastError());
        return OpenResult::CannotOpen;
    }
    if (IsPipe(Of(h))) {
        handle = Of(h);
        return OpenResult::Ok;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(h, &dcb)) {
        reason = path + ": not a serial port";
        ::CloseHandle(h);
        return OpenResult::NotACommDevice;
    }
    ::SetupComm(h, 4096, 4096);
    // A read returns at once with what has arrived; writes have no time limit
    // (the writer waits for its write, and closing the port aborts it).
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = MAXDWORD;
    ::SetCommTimeouts(h, &t);
    ::SetCommMask(h, EV_RXCHAR | EV_ERR | EV_BREAK);
    handle = Of(h);
    return OpenResult::Ok;
}

void Close(Handle handle) {
    if (handle == kNoHandle) return;
    ::CloseHandle(H(handle));
}

bool ApplyLineSettings(Handle handle, const LineSettings& s, std::string& reason) {
    if (IsPipe(handle)) return true;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(H(handle), &dcb)) {
        reason = "reading the line settings: " + SystemText(::GetLastError());
        return false;
    }
    if (s.dataBits < 5 || s.dataBits > 8) {
        reason = std::to_string(s.dataBits) + " data bits is not a line setting";
        return false;
    }
    static constexpr BYTE kParity[] = {NOPARITY, ODDPARITY, EVENPARITY, MARKPARITY, SPACEPARITY};
    static constexpr BYTE kStop[] = {ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS};
    dcb.BaudRate = s.baudRate;
    dcb.ByteSize = BYTE(s.dataBits);
    dcb.Parity = kParity[s.parity >= 0 && s.parity < 5 ? s.parity : 0];
    dcb.StopBits = kStop[s.stopBits >= 0 && s.stopBits < 3 ? s.stopBits : 0];
    dcb.fBinary = TRUE;
    dcb.fParity = s.parityCheck ? TRUE : FALSE;
    dcb.fOutxCtsFlow = s.ctsFlow ? TRUE : FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = s.xonXoffOut ? TRUE : FALSE;
    dcb.fInX = s.xonXoffIn ? TRUE : FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fDtrControl = s.dtrActive ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = s.rtsFlow ? RTS_CONTROL_HANDSHAKE : s.rtsActive ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    dcb.XonChar = char(s.xonChar);
    dcb.XoffChar = char(s.xoffChar);
    if (!::SetCommState(H(handle), &dcb)) {
        reason = "setting the line: " + SystemText(::GetLastError());
        return false;
    }
    // A driver may take another speed than asked: read it back.
    DCB now{};
    now.DCBlength = sizeof now;
    if (::GetCommState(H(handle), &now) && now.BaudRate != s.baudRate) {
        reason = "the device did not take " + std::to_string(s.baudRate) + " baud";
        return false;
    }
    return true;
}

std::string SaveLineState(Handle handle) {
    if (IsPipe(handle)) return {};
    TSavedLine saved{};
    saved.dcb.DCBlength = sizeof saved.dcb;
    if (!::GetCommState(H(handle), &saved.dcb) || !::GetCommTimeouts(H(handle), &saved.timeouts)) return {};
    return std::string(reinterpret_cast<const char*>(&saved), sizeof saved);
}

void RestoreLineState(Handle handle, const std::string& saved) {
    if (handle == kNoHandle || saved.size() != sizeof(TSavedLine)) return;
    TSavedLine line;
    std::memcpy(&line, saved.data(), sizeof line);
    ::SetCommState(H(handle), &line.dcb);
    ::SetCommTimeouts(H(handle), &line.timeouts);
}

bool ReadLineSettings(Handle handle, LineSettings& s) {
    if (IsPipe(handle)) return true;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(H(handle), &dcb)) return false;
    s.baudRate = dcb.BaudRate;
    s.dataBits = dcb.ByteSize;
    switch (dcb.Parity) {
    case ODDPARITY: s.parity = 1; break;
    case EVENPARITY: s.parity = 2; break;
    case MARKPARITY: s.parity = 3; break;
    case SPACEPARITY: s.parity = 4; break;
    default: s.parity = 0; break;
    }
    s.stopBits = dcb.StopBits == TWOSTOPBITS ? 2 : dcb.StopBits == ONE5STOPBITS ? 1 : 0;
    s.ctsFlow = dcb.fOutxCtsFlow != 0;
    s.xonXoffOut = dcb.fOutX != 0;
    s.xonXoffIn = dcb.fInX != 0;
    s.parityCheck = dcb.fParity != 0;
    s.dtrActive = dcb.fDtrControl == DTR_CONTROL_ENABLE;
    s.rtsFlow = dcb.fRtsControl == RTS_CONTROL_HANDSHAKE;
    s.rtsActive = dcb.fRtsControl == RTS_CONTROL_ENABLE;
    return true;
}

void PurgeInput(Handle handle) {
    if (IsPipe(handle)) ::CancelIoEx(H(handle), nullptr);
    else ::PurgeComm(H(handle), PURGE_RXCLEAR | PURGE_RXABORT);
}
void PurgeOutput(Handle handle) {
    if (IsPipe(handle)) ::CancelIoEx(H(handle), nullptr);
    else ::PurgeComm(H(handle), PURGE_TXCLEAR | PURGE_TXABORT);
}

Handle CreateEvent() { return Of(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); }
void SignalEvent(Handle event) { ::SetEvent(H(event)); }
void ResetEvent(Handle event) { ::ResetEvent(H(event)); }
bool EventSignalled(Handle event) { return ::WaitForSingleObject(H(event), 0) == WAIT_OBJECT_0; }
void CloseEvent(Handle event) {
    if (event != kNoHandle) ::CloseHandle(H(event));
}

WaitResult WaitPort(Handle port, Handle event, bool forWrite) {
    // Writes wait for their own end (Write); the port is always ready for one.
    if (forWrite) return EventSignalled(event) ? WaitResult::Event : WaitResult::Ready;
    if (IsPipe(port)) {
        for (;;) {
            DWORD avail = 0;
            if (!::PeekNamedPipe(H(port), nullptr, 0, nullptr, &avail, nullptr)) return WaitResult::HangUp;
            if (avail > 0) return WaitResult::Ready;
            if (::WaitForSingleObject(H(event), 2) == WAIT_OBJECT_0) return WaitResult::Event;
        }
    }
    TOverlapped o;  // one wait's event, reused by every round
    if (!o.ov.hEvent) return WaitResult::Failed;
    for (;;) {
        if (EventSignalled(event)) return WaitResult::Event;
        DWORD errors = 0;
        COMSTAT stat{};
        // The queue check is the verdict on the device: a pulled bridge fails it.
        if (!::ClearCommError(H(port), &errors, &stat)) return GoneAway(::GetLastError()) ? WaitResult::HangUp : WaitResult::Failed;
        if (stat.cbInQue > 0) return WaitResult::Ready;
        const HANDLE done = o.ov.hEvent;
        o.ov = OVERLAPPED{};
        o.ov.hEvent = done;
        DWORD mask = 0;
        bool pending = false;
        if (!::WaitCommEvent(H(port), &mask, &o.ov)) pending = ::GetLastError() == ERROR_IO_PENDING;
        if (pending) {
            const HANDLE both[2] = {H(event), o.ov.hEvent};
            const DWORD w = ::WaitForMultipleObjects(2, both, FALSE, INFINITE);
            if (w != WAIT_OBJECT_0 + 1) {
                // Closing: the pending wait is cancelled and drained before o goes.
                ::CancelIoEx(H(port), &o.ov);
                DWORD ignored = 0;
                ::GetOverlappedResult(H(port), &o.ov, &ignored, TRUE);
                return w == WAIT_OBJECT_0 ? WaitResult::Event : WaitResult::Failed;
            }
            DWORD ignored = 0;
            if (!::GetOverlappedResult(H(port), &o.ov, &ignored, FALSE)) mask = 0;
        }
        // A comm event came (data, an error, a break): look at the queue again.
        // A wait that failed or came back empty (wine on a pseudo-terminal
        // cannot wait) is not a verdict: a short pause keeps the loop from
        // spinning, and the queue check above decides.
        if (mask == 0 && ::WaitForSingleObject(H(event), 5) == WAIT_OBJECT_0) return WaitResult::Event;
    }
}

int WaitEvents(Handle first, Handle second) {
    const HANDLE both[2] = {H(first), H(second)};
    const DWORD w = ::WaitForMultipleObjects(2, both, FALSE, INFINITE);
    if (w == WAIT_OBJECT_0) return 0;
    if (w == WAIT_OBJECT_0 + 1) return 1;
    return -1;
}

namespace {

IoResult Transfer(Handle port, bool write, uint8_t* buffer, size_t size, size_t& count) {
    count = 0;
    TOverlapped o;
    if (!o.ov.hEvent) return IoResult::Failed;
    const DWORD want = DWORD(size > 65536 ? 65536 : size);
    DWORD done = 0;
    const BOOL started = write ? ::WriteFile(H(port), buffer, want, &done, &o.ov)
                               : ::ReadFile(H(port), buffer, want, &done, &o.ov);
    if (!started && ::GetLastError() != ERROR_IO_PENDING) {
        const DWORD err = ::GetLastError();
        return GoneAway(err) ? IoResult::HangUp : IoResult::Failed;
    }
    if (!::GetOverlappedResult(H(port), &o.ov, &done, TRUE)) {
        const DWORD err = ::GetLastError();
        // A purge when the port closes aborts the transfer: the caller then sees the close.
        if (err == ERROR_OPERATION_ABORTED) return IoResult::WouldBlock;
        return GoneAway(err) ? IoResult::HangUp : IoResult::Failed;
    }
    count = done;
    return done == 0 ? IoResult::WouldBlock : IoResult::Ok;
}

} // namespace

IoResult Read(Handle port, uint8_t* buffer, size_t size, size_t& count) {
    if (IsPipe(port)) {
        // Only what has arrived, so that the read never waits.
        DWORD avail = 0;
        if (!::PeekNamedPipe(H(port), nullptr, 0, nullptr, &avail, nullptr)) return IoResult::HangUp;
        if (avail == 0) return IoResult::WouldBlock;
        if (avail < size) size = avail;
    }
    return Transfer(port, false, buffer, size, count);
}

IoResult Write(Handle port, const uint8_t* data, size_t size, size_t& count) {
    return Transfer(port, true, const_cast<uint8_t*>(data), size, count);
}

} // namespace portiqa::commio
