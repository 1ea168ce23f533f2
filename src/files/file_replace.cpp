#include "files/file_replace.h"
#include "base/texts.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

namespace portiqa {

namespace {

// The few calls that differ between the platforms. Windows files carry no
// Unix mode (a backup's privacy there is the user's profile folder's); a
// rename replaces the target in one step with MoveFileEx, written through.
#ifdef _WIN32
constexpr int kCloseOnExec = O_BINARY;
int MakeTemporary(QByteArray& tmpl) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (qsizetype i = tmpl.size() - 6; i < tmpl.size(); ++i)
            tmpl[i] = kLetters[QRandomGenerator::global()->bounded(36)];
        const int fd = ::_open(tmpl.constData(), _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}
int SyncFile(int fd) { return ::_commit(fd); }
int SetMode(int, mode_t) { return 0; }
int ErrnoOf(DWORD err) {
    switch (err) {
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_ACCESS_DENIED: case ERROR_SHARING_VIOLATION: case ERROR_LOCK_VIOLATION: return EACCES;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_PATH_NOT_FOUND: case ERROR_FILE_NOT_FOUND: return ENOENT;
    default: return EIO;
    }
}
int RenameOver(const QString& from, const QString& to) {
    if (MoveFileExW(reinterpret_cast<const wchar_t*>(from.utf16()), reinterpret_cast<const wchar_t*>(to.utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    errno = ErrnoOf(GetLastError());
    return -1;
}
void SyncFolder(const QString&) {}  // MOVEFILE_WRITE_THROUGH has flushed the rename
// A private file: its security descriptor lets only this user in, whatever
// the folder would have passed down.
bool MakePrivate(const QString& path) {
    // A volume without permissions (a FAT memory stick) has nothing to restrict.
    wchar_t root[MAX_PATH] = {};
    DWORD flags = 0;
    if (GetVolumePathNameW(reinterpret_cast<const wchar_t*>(path.utf16()), root, MAX_PATH) &&
        GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) && !(flags & FILE_PERSISTENT_ACLS))
        return true;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    QByteArray user(int(size), '\0');
    const bool haveUser = size > 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size);
    CloseHandle(token);
    if (!haveUser) return false;
    PSID sid = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
    const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid);
    QByteArray aclBytes(int(aclSize), '\0');
    PACL acl = reinterpret_cast<PACL>(aclBytes.data());
    SECURITY_DESCRIPTOR sd;
    return InitializeAcl(acl, aclSize, ACL_REVISION) && AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, sid) &&
           InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) && SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE) &&
           SetSecurityDescriptorControl(&sd, SE_DACL_PROTECTED, SE_DACL_PROTECTED) &&
           SetFileSecurityW(reinterpret_cast<const wchar_t*>(path.utf16()), DACL_SECURITY_INFORMATION, &sd);
}
bool OwnedByMe(const QFileInfo&) { return true; }  // the user's own folder
#else
constexpr int kCloseOnExec = O_CLOEXEC;
int MakeTemporary(QByteArray& tmpl) { return ::mkstemp(tmpl.data()); }
int SyncFile(int fd) { return ::fsync(fd); }
int SetMode(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int RenameOver(const QString& from, const QString& to) {
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData());
}
// The rename itself must reach the disk too.
void SyncFolder(const QString& folder) {
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}
bool OwnedByMe(const QFileInfo& f) { return f.ownerId() == ::getuid(); }
bool MakePrivate(const QString&) { return true; }  // the mode (0600) does it
#endif

mode_t NewFileMode() {
    const auto mask = static_cast<mode_t>(::umask(0));
    ::umask(mask);
    return mode_t(0666 & ~mask);
}

QString Failure(const QString& path, int err) {
    return TText::tr("Не удалось записать файл %1: %2").arg(path, WriteErrorText(err));
}

// Where the content really goes: a symbolic link's target (through any
// chain of links), else the path itself.
QString Resolve(const QString& path) {
    QString p = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40 && QFileInfo(p).isSymLink(); ++hops) {
        const QString next = QFileInfo(p).symLinkTarget();
        if (next.isEmpty()) break;
        p = next;
    }
    return p;
}

// The temporary files being written, for the signal handler: fixed
// buffers, since a handler may not allocate.
constexpr int kSlots = 4;
char gTemp[kSlots][4096];
std::atomic<bool> gUsed[kSlots];

int Register(const QByteArray& path) {
    if (path.size() >= int(sizeof gTemp[0])) return -1;
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (gUsed[i].compare_exchange_strong(expected, true)) {
            std::memcpy(gTemp[i], path.constData(), size_t(path.size()) + 1);
            return i;
        }
    }
    return -1;
}
void Unregister(int slot) {
    if (slot >= 0) gUsed[slot].store(false);
}

extern "C" void RemoveTempAndDie(int sig) {
    for (int i = 0; i < kSlots; ++i)
        if (gUsed[i].load()) ::unlink(gTemp[i]);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// ".NAME.portiqa-" and six characters: what mkstemp made for this target.
void RemoveStaleTemporaries(const QFileInfo& target) {
    const QDir dir = target.absoluteDir();
    const QString prefix = QStringLiteral(".%1.portiqa-").arg(target.fileName());
    const QStringList found = dir.entryList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : found) {
        const QFileInfo f(dir.filePath(name));
        if (f.isFile() && !f.isSymLink() && OwnedByMe(f)) QFile::remove(f.absoluteFilePath());
    }
}

} // namespace

bool MakeFilePrivate(const QString& path) {
#ifdef _WIN32
    return MakePrivate(path);
#else
    return ::chmod(QFile::encodeName(path).constData(), 0600) == 0;
#endif
}

void RemoveTemporaryFilesOnSignals() {
#ifdef SIGHUP
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) std::signal(sig, RemoveTempAndDie);
#else
    for (int sig : {SIGINT, SIGTERM}) std::signal(sig, RemoveTempAndDie);
#endif
}

bool ProbeWritable(const QString& target, QString& error) {
    const QString real = Resolve(target);
    const QFileInfo info(real);
    if (info.exists() && !info.isFile()) {
        error = Failure(target, info.isDir() ? EISDIR : EINVAL);
        return false;
    }
    QByteArray tmpl = QFile::encodeName(info.absoluteDir().filePath(QStringLiteral(".%1.portiqa-XXXXXX").arg(info.fileName())));
    const int fd = MakeTemporary(tmpl);
    if (fd < 0) {
        error = Failure(target, errno);
        return false;
    }
#ifndef _WIN32
    // Nameless from here on: a signal that ends the program during the check
    // leaves no file behind (the open descriptor still takes the data).
    ::unlink(tmpl.constData());
#endif
    // Some data, pushed to the disk: a full disk refuses it here.
    static const char block[4096] = {};
    const ssize_t n = ::write(fd, block, sizeof block);
    const int err = n < 0 ? errno : (n < ssize_t(sizeof block) ? ENOSPC : 0);
    const bool synced = err == 0 && SyncFile(fd) == 0;
    const int syncErr = errno;
    ::close(fd);
#ifdef _WIN32
    ::unlink(tmpl.constData());
#endif
    if (err != 0 || !synced) {
        error = Failure(target, err != 0 ? err : syncErr);
        return false;
    }
    return true;
}

QString LockProblem(const QString& lockPath) {
    const QFileInfo info(lockPath);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir()) return TText::tr("папки %1 нет").arg(info.absolutePath());
    QString why;
    if (!ProbeWritable(lockPath, why)) return why;
    return TText::tr("файл блокировки не создаётся");
}

bool IsRegularFile(const QString& path, QString& error) {
    const QFileInfo info(path);
    if (!info.exists()) {
        error = TText::tr("Не удалось открыть файл %1: файла нет").arg(path);
        return false;
    }
    if (!info.isFile()) {
        error = TText::tr("Не удалось открыть файл %1: это не обычный файл").arg(path);
        return false;
    }
    return true;
}

QString WriteErrorText(int err) {
    switch (err) {
    case ENOSPC: return TText::tr("на диске нет места");
#ifdef EDQUOT
    case EDQUOT: return TText::tr("превышена квота на диске");
#endif
    case EFBIG: return TText::tr("файл слишком велик для этого диска");
    case EACCES: case EPERM: return TText::tr("нет прав на запись в эту папку или файл");
    case EROFS: return TText::tr("диск открыт только для чтения");
    case ENOENT: case ENOTDIR: return TText::tr("такой папки нет");
    case EISDIR: return TText::tr("это папка, а не файл");
    case EIO: return TText::tr("ошибка ввода-вывода (диск или носитель неисправен или извлечён)");
    default: return QString::fromLocal8Bit(std::strerror(err));
    }
}

bool ReplaceFileAtomically(const QString& target, const std::function<bool(const QString&, QString&)>& writer,
                           QString& error, TFileAccess access) {
    const QString real = Resolve(target);
    const QFileInfo info(real);
    if (info.exists() && !info.isFile()) {
        error = Failure(target, info.isDir() ? EISDIR : EINVAL);
        return false;
    }
    struct stat old {};
    const bool replacing = ::stat(QFile::encodeName(real).constData(), &old) == 0;
    mode_t mode = replacing ? (old.st_mode & 07777) : NewFileMode();
    if (access == TFileAccess::Private) mode = replacing ? (old.st_mode & 0600) : 0600;
    RemoveStaleTemporaries(info);

    QByteArray tmpl = QFile::encodeName(info.absoluteDir().filePath(QStringLiteral(".%1.portiqa-XXXXXX").arg(info.fileName())));
    const int fd = MakeTemporary(tmpl);
    if (fd < 0) {
        error = Failure(target, errno);
        return false;
    }
    ::close(fd);
    const int slot = Register(tmpl);
    struct TRelease { int slot; ~TRelease() { Unregister(slot); } } release{slot};
    const QString tmp = QFile::decodeName(tmpl);
    auto fail = [&](const QString& text) {
        ::unlink(tmpl.constData());
        error = text;
        return false;
    };
    QString why;
    if (!writer(tmp, why)) return fail(why.isEmpty() ? Failure(target, EIO) : why);
    // The content must be on the disk before the name points at it.
    const int out = ::open(tmpl.constData(), O_RDWR | kCloseOnExec);
    if (out < 0) return fail(Failure(target, errno));
    const bool synced = SetMode(out, mode) == 0 && SyncFile(out) == 0;
    const int syncErr = errno;
    ::close(out);
    if (!synced) return fail(Failure(target, syncErr));
    if (access == TFileAccess::Private && !MakePrivate(tmp)) return fail(Failure(target, EACCES));
    if (RenameOver(tmp, real) != 0) return fail(Failure(target, errno));
    SyncFolder(info.absolutePath());
    return true;
}

bool WriteFileAtomically(const QString& target, const QByteArray& bytes, QString& error, TFileAccess access) {
    return ReplaceFileAtomically(target, [&](const QString& tmp, QString& why) {
        const int fd = ::open(QFile::encodeName(tmp).constData(), O_WRONLY | O_TRUNC | kCloseOnExec);
        if (fd < 0) {
            why = Failure(target, errno);
            return false;
        }
        qsizetype done = 0;
        while (done < bytes.size()) {
            // At most 1 GiB a call: the count fits every platform's write.
            const auto n = ::write(fd, bytes.constData() + done, static_cast<unsigned>(std::min<qsizetype>(bytes.size() - done, 1 << 30)));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                const int err = n < 0 ? errno : ENOSPC;
                ::close(fd);
                why = Failure(target, err);
                return false;
            }
            done += n;
        }
        if (::close(fd) != 0) {
            why = Failure(target, errno);
            return false;
        }
        return true;
    }, error, access);
}

} // namespace portiqa
