#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The platform side of the serial port: every terminal-device call lives
// behind these functions (comm_posix.cpp on Linux, comm_win.cpp on Windows),
// so that another platform adds a file beside it rather than touching TComm.
namespace portiqa::commio {

#ifdef _WIN32
using Handle = std::intptr_t;  // a HANDLE; -1 is INVALID_HANDLE_VALUE
#else
using Handle = int;
#endif
constexpr Handle kNoHandle = -1;

enum class OpenResult { Ok, CannotOpen, NotACommDevice };

struct LineSettings {
    uint32_t baudRate = 9600;
    int dataBits = 8;
    int parity = 0;          // None, Odd, Even, Mark, Space
    int stopBits = 0;        // 1, 1.5, 2
    bool ctsFlow = false;
    bool xonXoffOut = false;
    bool xonXoffIn = false;
    bool parityCheck = false;
    bool dtrActive = false;
    bool rtsActive = false;
    bool rtsFlow = false;
    uint8_t xonChar = 0x11, xoffChar = 0x13;
};

// Opens the device for exclusive, non-blocking access. On failure reason
// says why in words the operator can act on.
OpenResult Open(const std::string& path, Handle& handle, std::string& reason);
void Close(Handle handle);
// Sets the line; false with reason when the system refuses the settings or
// cannot run the line at the requested speed (never a silent fallback).
bool ApplyLineSettings(Handle handle, const LineSettings& s, std::string& reason);
// The terminal's own settings before the program changed them, kept as
// opaque bytes and put back when the port is closed.
std::string SaveLineState(Handle handle);
void RestoreLineState(Handle handle, const std::string& saved);
bool ReadLineSettings(Handle handle, LineSettings& s);
void PurgeInput(Handle handle);
void PurgeOutput(Handle handle);

// A wake-up event shared by the worker threads: a manual-reset event on
// Windows; elsewhere a pipe, whose read end is readable while signalled (any
// POSIX system has one, and poll() waits on it beside the port).
#ifdef _WIN32
using Event = Handle;
constexpr Event kNoEvent = kNoHandle;
inline bool Valid(Event event) { return event != kNoHandle && event != 0; }
#else
struct Event {
    int read = -1, write = -1;
};
constexpr Event kNoEvent{};
inline bool Valid(Event event) { return event.read >= 0 && event.write >= 0; }
#endif
Event CreateEvent();
void SignalEvent(Event event);
void ResetEvent(Event event);
// True when the event has been signalled (without resetting it).
bool EventSignalled(Event event);
void CloseEvent(Event event);

enum class WaitResult { Event, Ready, HangUp, Failed };
// Waits without limit until the port is readable (or writable) or the event fires.
WaitResult WaitPort(Handle port, Event event, bool forWrite);
// Waits until either of two events fires; returns 0 or 1, -1 on failure.
int WaitEvents(Event first, Event second);

enum class IoResult { Ok, WouldBlock, HangUp, Failed };
IoResult Read(Handle port, uint8_t* buffer, size_t size, size_t& count);
IoResult Write(Handle port, const uint8_t* data, size_t size, size_t& count);

// A device server's TCP connection in place of a device (a socket handle).
// Connect tries every address the host name gives, each within what is left
// of timeoutMs; the socket sends small writes at once (no Nagle delay).
OpenResult Connect(const std::string& host, uint16_t port, int timeoutMs, Handle& handle, std::string& reason);
void CloseSocket(Handle socket);
// As WaitPort, for a socket.
WaitResult WaitSocket(Handle socket, Event event, bool forWrite);
// Waits up to timeoutMs for the socket to be readable (data, or its end).
bool SocketReadable(Handle socket, int timeoutMs);
// As Read and Write, for a socket: an orderly end from the far side is HangUp.
IoResult Receive(Handle socket, uint8_t* buffer, size_t size, size_t& count);
IoResult Send(Handle socket, const uint8_t* data, size_t size, size_t& count);

// Turns a port-list name into the device path ("ttyUSB0" -> "/dev/ttyUSB0",
// "COM12" -> "\\\\.\\COM12"); a path is kept as it is.
std::string DevicePath(const std::string& name);

} // namespace portiqa::commio
