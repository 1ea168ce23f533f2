#pragma once
#include "sim/module_image.h"
#include "sim/module_responder.h"
#include <QString>
#include <atomic>
#include <mutex>
#include <thread>

namespace portiqa::sim {

struct TSimOptions {
    TFaults faults;
    QString memoryFile;   // load at start, write through on every save
    QString linkPath;     // a symbolic link to the terminal's path
    QString password;     // replaces the factory password when not empty
    int seedNumbers = 0;
    int seedHistory = 0;
};

// A simulated module on a pseudo-terminal (a named pipe on Windows), served
// by a thread of its own. The program opens Path() like any serial port.
class TModuleSimulator {
public:
    explicit TModuleSimulator(TSimOptions options = {});
    ~TModuleSimulator();

    // Creates the terminal and starts serving; false with error set on failure.
    bool Start(QString* error = nullptr);
    void Stop();
    QString Path() const { return path_; }
    bool Running() const { return thread_.joinable(); }

    // A copy of the module's memory, taken under the image's lock.
    QByteArray Memory(int32_t address, int length) const;
    void WriteMemory(int32_t address, const QByteArray& bytes);
    int Requests() const { return requests_.load(); }
    // Requests that change the module: a page saved, the history erased.
    int Changes() const { return changes_.load(); }
    // Requests done with (answered whole or left unanswered on purpose), and
    // the bytes of every reply written by then: a test knows a reply is lost,
    // not late, when the module is done with every request sent and the
    // program has taken every byte written.
    int RequestsDone() const { return done_.load(std::memory_order_acquire); }
    qint64 BytesReplied() const { return replied_.load(std::memory_order_relaxed); }

private:
    void Serve();
    void SendPaced(const QByteArray& reply);
    // Writes some of data to the program's side: the count written, 0 when it
    // must wait and try again, -1 when the simulator stops or the side is gone.
    qsizetype WriteSome(const char* data, qsizetype size);

    TSimOptions options_;
    TModuleImage image_;
    mutable std::mutex imageMutex_;
    TModuleResponder responder_;
#ifdef _WIN32
    void* pipe_ = nullptr;
    void* stopEvent_ = nullptr;
#else
    int master_ = -1, slave_ = -1;
    // A pipe that stops the serving thread: readable once Stop() writes to it.
    int stopEvent_ = -1, stopSignal_ = -1;
#endif
    QString path_;
    std::thread thread_;
    std::atomic<int> requests_{0};
    std::atomic<int> changes_{0};
    std::atomic<int> done_{0};
    std::atomic<qint64> replied_{0};
};

} // namespace portiqa::sim
