#include "link/comm.h"
#include "base/texts.h"
#include <QMetaObject>
#include <QPointer>
#include <QVarLengthArray>
#include <system_error>
#include <vector>

namespace portiqa {

namespace {
enum TNotice { kHangUp = 3, kAllWritten = 5 };

// The port back ends add a hint in English to the system's words; it is
// shown in the interface's language.
const char* const kOpenHints[] = {
    QT_TRANSLATE_NOOP("TText", "the port is held by another program, for example ModemManager or brltty"),
    QT_TRANSLATE_NOOP("TText", "the port is held by another program"),
    QT_TRANSLATE_NOOP("TText", "the user may need to be in the dialout group"),
    QT_TRANSLATE_NOOP("TText", "no such port: is the module plugged in?"),
};

QString ReasonWords(const std::string& reason) {
    QString text = QString::fromStdString(reason);
    for (const char* hint : kOpenHints) {
        const QString h = QStringLiteral("(%1)").arg(QLatin1String(hint));
        if (text.endsWith(h)) return text.chopped(h.size()) + u'(' + TText::tr(hint) + u')';
    }
    return text;
}
}

TComm::TComm(QObject* parent) : QObject(parent) {}

TComm::~TComm() {
    // The threads refer to this object: they end before it goes.
    Close();
}

bool TComm::IsOpen() {
    cachedOpen_ = handle_ != commio::kNoHandle;
    return cachedOpen_;
}

QString TComm::DevicePath() const {
    return QString::fromStdString(commio::DevicePath(portName_.toStdString()));
}

commio::LineSettings TComm::LineSettings() const {
    // The rest of the line is the structure's own: 8 data bits, no parity,
    // one stop bit, no flow control, DTR and RTS low.
    commio::LineSettings s;
    s.baudRate = baudRate_;
    return s;
}

bool TComm::ApplyLine() {
    if (handle_ == commio::kNoHandle) return true;
    std::string reason;
    if (commio::ApplyLineSettings(handle_, LineSettings(), reason)) {
        lineError_.clear();
        return true;
    }
    // A setting the line refuses is kept on record (a change while open) or
    // ends the opening (see Open); it is never dropped.
    lineError_ = QString::fromStdString(reason);
    return false;
}

void TComm::Open() {
    openError_.clear();
    openReason_.clear();
    cachedOpen_ = false;
    if (handle_ != commio::kNoHandle) {
        openError_ = TText::tr("This serial port already opened");
        return;
    }
    std::string reason;
    commio::Handle h = commio::kNoHandle;
    const auto result = portName_.trimmed().isEmpty()
                            ? commio::OpenResult::CannotOpen
                            : commio::Open(DevicePath().toStdString(), h, reason);
    if (result == commio::OpenResult::CannotOpen) {
        openError_ = TText::tr("Error opening serial port");
        openReason_ = portName_.trimmed().isEmpty() ? TText::tr("no port name") : ReasonWords(reason);
        throw ECommsError(openError_, openReason_);
    }
    if (result == commio::OpenResult::NotACommDevice) {
        // Every failed opening reaches the caller the same way.
        openError_ = TText::tr("File handle is not a comm handle ");
        openReason_ = ReasonWords(reason);
        throw ECommsError(openError_, openReason_);
    }
    handle_ = h;
    savedLine_ = commio::SaveLineState(handle_);
    commio::PurgeInput(handle_);
    commio::PurgeOutput(handle_);
    allWritten_ = true;
    if (!ApplyLine()) {
        openError_ = TText::tr("Cannot set the line settings");
        openReason_ = DevicePath() + ": " + lineError_;
        ReleaseHandles();
        throw ECommsError(openError_, openReason_);
    }

    closeEvent_ = commio::CreateEvent();
    workEvent_ = commio::CreateEvent();
    if (!commio::Valid(closeEvent_) || !commio::Valid(workEvent_)) {
        ReleaseHandles();
        openError_ = TText::tr("Unable to create event");
        return;
    }
    ++generation_;
    hangupPosted_ = false;
    {
        std::lock_guard lock(queueMutex_);
        writeQueue_.clear();
    }
    try {
        readThread_ = std::thread(&TComm::ReadThread, this, handle_, closeEvent_, kReadBufferSize, generation_);
    } catch (const std::system_error&) {
        ReleaseHandles();
        openError_ = TText::tr("Unable to create read thread");
        return;
    }
    try {
        writeThread_ = std::thread(&TComm::WriteThread, this, handle_, closeEvent_, workEvent_, generation_);
    } catch (const std::system_error&) {
        commio::SignalEvent(closeEvent_);
        readThread_.join();
        ReleaseHandles();
        openError_ = TText::tr("Unable to create write thread");
        return;
    }
}

void TComm::StopThreads() {
    commio::SignalEvent(closeEvent_);
    commio::PurgeInput(handle_);
    if (readThread_.joinable()) readThread_.join();
    commio::PurgeOutput(handle_);
    if (writeThread_.joinable()) writeThread_.join();
    allWritten_ = true;
    std::lock_guard lock(queueMutex_);
    writeQueue_.clear();
}

void TComm::ReleaseHandles() {
    commio::CloseEvent(closeEvent_);
    commio::CloseEvent(workEvent_);
    closeEvent_ = workEvent_ = commio::kNoEvent;
    // The terminal goes back to the settings it had before this opening.
    commio::RestoreLineState(handle_, savedLine_);
    savedLine_.clear();
    commio::Close(handle_);
    handle_ = commio::kNoHandle;
}

void TComm::Close() {
    openError_.clear();
    cachedOpen_ = false;
    if (handle_ == commio::kNoHandle) return;
    StopThreads();
    ++generation_;  // anything still queued from this opening is dropped
    inbox_.clear();
    inboxPos_ = 0;
    ReleaseHandles();
}

bool TComm::Write(const uint8_t* data, uint16_t size) {
    if (handle_ == commio::kNoHandle || !writeThread_.joinable() || size == 0) return false;
    {
        std::lock_guard lock(queueMutex_);
        writeQueue_.emplace_back(reinterpret_cast<const char*>(data), size);
    }
    allWritten_ = false;
    commio::SignalEvent(workEvent_);
    return true;
}

void TComm::PostReceived(QByteArray bytes, unsigned generation) {
    // The copy travels with the queued call and belongs to the main thread
    // from here on.
    QMetaObject::invokeMethod(this, [this, bytes = std::move(bytes), generation] {
        if (generation != generation_) return;
        inbox_ += bytes;
        DrainInbox();
    }, Qt::QueuedConnection);
}

void TComm::DrainInbox() {
    // A handler may open a modal dialog, whose event loop delivers later
    // chunks from inside this loop: all of them are taken from one inbox, in
    // arrival order, every byte at hand in one event (at most a read
    // buffer's worth).
    const unsigned generation = generation_;
    while (inboxPos_ < inbox_.size()) {
        const qsizetype at = inboxPos_;
        const auto n = static_cast<uint16_t>(std::min<qsizetype>(kReadBufferSize, inbox_.size() - at));
        inboxPos_ += n;
        // The handler gets its own copy: the inbox may grow (and move) while it runs.
        const QVarLengthArray<char, 64> slice(inbox_.constData() + at, inbox_.constData() + at + n);
        if (OnReceived) OnReceived(this, slice.constData(), n);
        if (generation != generation_) return;  // a handler closed the port
    }
    inbox_.clear();
    inboxPos_ = 0;
}

void TComm::PostNotice(int notice, unsigned generation) {
    // Both threads may find the line gone; the owner hears it once.
    if (notice == kHangUp && hangupPosted_.exchange(true)) return;
    QMetaObject::invokeMethod(this, [this, notice, generation] {
        if (generation != generation_) return;
        switch (notice) {
        case kHangUp: if (OnHangUp) OnHangUp(this); break;
        case kAllWritten: if (OnAllWritten) OnAllWritten(this); break;
        default: break;
        }
    }, Qt::QueuedConnection);
}

void TComm::ReadThread(commio::Handle port, commio::Event closeEvent, uint16_t bufferSize,
                       unsigned generation) {
    std::vector<uint8_t> buffer(bufferSize);
    for (;;) {
        const auto w = commio::WaitPort(port, closeEvent, false);
        if (w == commio::WaitResult::Event) break;
        if (w != commio::WaitResult::Ready) {
            PostNotice(kHangUp, generation);
            break;
        }
        size_t count = 0;
        const auto r = commio::Read(port, buffer.data(), buffer.size(), count);
        if (r == commio::IoResult::WouldBlock) continue;
        if (r != commio::IoResult::Ok) {
            PostNotice(kHangUp, generation);
            break;
        }
        PostReceived(QByteArray(reinterpret_cast<const char*>(buffer.data()), qsizetype(count)), generation);
    }
}

void TComm::WriteThread(commio::Handle port, commio::Event closeEvent, commio::Event workEvent,
                        unsigned generation) {
    bool wroteSinceNotice = true;
    for (;;) {
        QByteArray item;
        // A port being closed sends nothing more, whatever is still queued.
        if (commio::EventSignalled(closeEvent)) break;
        {
            std::lock_guard lock(queueMutex_);
            if (!writeQueue_.empty()) {
                item = std::move(writeQueue_.front());
                writeQueue_.pop_front();
            }
        }
        if (item.isNull()) {
            allWritten_ = true;
            if (wroteSinceNotice) PostNotice(kAllWritten, generation);
            wroteSinceNotice = false;
            const int which = commio::WaitEvents(closeEvent, workEvent);
            if (which == 0) break;
            if (which < 0) {
                PostNotice(kHangUp, generation);
                break;
            }
            commio::ResetEvent(workEvent);
            continue;
        }
        size_t done = 0;
        bool failed = false, closing = false;
        while (done < size_t(item.size()) && !failed && !closing) {
            size_t n = 0;
            const auto r = commio::Write(port, reinterpret_cast<const uint8_t*>(item.constData()) + done,
                                         size_t(item.size()) - done, n);
            if (r == commio::IoResult::Ok) {
                done += n;
            } else if (r == commio::IoResult::WouldBlock) {
                const auto w = commio::WaitPort(port, closeEvent, true);
                if (w == commio::WaitResult::Event) closing = true;
                else if (w != commio::WaitResult::Ready) failed = true;
            } else {
                failed = true;
            }
        }
        if (closing) break;
        if (failed) {
            PostNotice(kHangUp, generation);
            break;
        }
        wroteSinceNotice = true;
    }
    allWritten_ = true;
}

} // namespace portiqa
