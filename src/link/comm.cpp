#include "link/comm.h"
#include "base/texts.h"
#include "link/net_address.h"
#include "link/telnet_line.h"
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

// The words for a device server's connection that ended, with what it said
// last when that was text ("Port already in use").
QString TComm::ServerClosed(const QString& host, const QByteArray& said) {
    QString text;
    for (const char c : said) {
        if (c == '\r' || c == '\n') text += u' ';
        else if (c >= 0x20 && c < 0x7f) text += QChar(c);
        else text.clear();  // module bytes: only the text after the last of them
    }
    text = text.simplified();
    QString words = TText::tr("the device server at %1 closed the connection").arg(host);
    if (text.size() >= 4) words += TText::tr(" (it said \"%1\")").arg(text);
    return words;
}

TComm::TComm(QObject* parent) : QObject(parent) {}

QString TComm::HangUpReason() const {
    std::lock_guard lock(whyMutex_);
    return hangUpWhy_;
}

void TComm::Hang(int notice, unsigned generation, const QString& why) {
    if (!why.isEmpty()) {
        std::lock_guard lock(whyMutex_);
        if (hangUpWhy_.isEmpty()) hangUpWhy_ = why;
    }
    PostNotice(notice, generation);
}

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
    if (TNetAddress::LooksLike(portName_)) {
        OpenNetwork();
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

    StartThreads();
}

bool TComm::StartThreads() {
    closeEvent_ = commio::CreateEvent();
    workEvent_ = commio::CreateEvent();
    if (!commio::Valid(closeEvent_) || !commio::Valid(workEvent_)) {
        ReleaseHandles();
        openError_ = TText::tr("Unable to create event");
        return false;
    }
    ++generation_;
    hangupPosted_ = false;
    {
        std::lock_guard lock(queueMutex_);
        writeQueue_.clear();
    }
    {
        std::lock_guard lock(whyMutex_);
        hangUpWhy_.clear();
    }
    try {
        readThread_ = std::thread(&TComm::ReadThread, this, handle_, closeEvent_, kReadBufferSize, generation_);
    } catch (const std::system_error&) {
        ReleaseHandles();
        openError_ = TText::tr("Unable to create read thread");
        return false;
    }
    try {
        writeThread_ = std::thread(&TComm::WriteThread, this, handle_, closeEvent_, workEvent_, generation_);
    } catch (const std::system_error&) {
        commio::SignalEvent(closeEvent_);
        readThread_.join();
        ReleaseHandles();
        openError_ = TText::tr("Unable to create write thread");
        return false;
    }
    return true;
}

void TComm::StopThreads() {
    commio::SignalEvent(closeEvent_);
    if (!network_) commio::PurgeInput(handle_);
    if (readThread_.joinable()) readThread_.join();
    if (!network_) commio::PurgeOutput(handle_);
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
    if (network_) {
        commio::CloseSocket(handle_);
    } else {
        commio::RestoreLineState(handle_, savedLine_);
        commio::Close(handle_);
    }
    savedLine_.clear();
    handle_ = commio::kNoHandle;
    network_ = false;
    telnet_.reset();
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
        // Through Telnet every 0xFF of the module's bytes travels doubled.
        writeQueue_.push_back(telnet_ ? TTelnetLine::Escape(data, size)
                                      : QByteArray(reinterpret_cast<const char*>(data), size));
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
    const bool network = network_;
    QByteArray lastWords;  // what a device server said last, for the words on its hang-up
    for (;;) {
        const auto w = network ? commio::WaitSocket(port, closeEvent, false) : commio::WaitPort(port, closeEvent, false);
        if (w == commio::WaitResult::Event) break;
        if (w != commio::WaitResult::Ready) {
            Hang(kHangUp, generation, network ? ServerClosed(netHost_, lastWords) : QString());
            break;
        }
        size_t count = 0;
        const auto r = network ? commio::Receive(port, buffer.data(), buffer.size(), count)
                               : commio::Read(port, buffer.data(), buffer.size(), count);
        if (r == commio::IoResult::WouldBlock) continue;
        if (r != commio::IoResult::Ok) {
            Hang(kHangUp, generation, network ? ServerClosed(netHost_, lastWords) : QString());
            break;
        }
        QByteArray bytes(reinterpret_cast<const char*>(buffer.data()), qsizetype(count));
        if (telnet_) {
            bytes = telnet_->Feed(buffer.data(), count);
            if (QByteArray replies = telnet_->TakeReplies(); !replies.isEmpty()) {
                {
                    std::lock_guard lock(queueMutex_);
                    writeQueue_.push_back(std::move(replies));
                }
                allWritten_ = false;
                commio::SignalEvent(workEvent_);
            }
            if (!telnet_->Refusal().isEmpty()) {
                Hang(kHangUp, generation, telnet_->Refusal());
                break;
            }
        }
        if (network) lastWords = (lastWords + bytes).right(kLastWords);
        if (!bytes.isEmpty()) PostReceived(std::move(bytes), generation);
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
            const auto* from = reinterpret_cast<const uint8_t*>(item.constData()) + done;
            const auto r = network_ ? commio::Send(port, from, size_t(item.size()) - done, n)
                                    : commio::Write(port, from, size_t(item.size()) - done, n);
            if (r == commio::IoResult::Ok) {
                done += n;
            } else if (r == commio::IoResult::WouldBlock) {
                const auto w = network_ ? commio::WaitSocket(port, closeEvent, true)
                                        : commio::WaitPort(port, closeEvent, true);
                if (w == commio::WaitResult::Event) closing = true;
                else if (w != commio::WaitResult::Ready) failed = true;
            } else {
                failed = true;
            }
        }
        if (closing) break;
        if (failed) {
            Hang(kHangUp, generation, network_ ? ServerClosed(netHost_, {}) : QString());
            break;
        }
        wroteSinceNotice = true;
    }
    allWritten_ = true;
}

} // namespace portiqa
