#include "fs/TempFile.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Room left for the dot and the ".tovia-XXXXXX" suffix in a 255-byte file name.
constexpr int maxNameBytes = 200;
constexpr size_t copyChunk = size_t(16) << 20;

QByteArray tempPathFor(const QByteArray& target) {
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray("./") : target.left(slash + 1);
    QByteArray name = target.mid(slash + 1);
    if (name.size() > maxNameBytes) {
        // Cut at a character boundary so the hidden name stays valid UTF-8.
        qsizetype cut = maxNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(name.at(cut)) & 0xC0) == 0x80)
            --cut;
        name.truncate(cut);
    }
    return folder + '.' + name + ".tovia-XXXXXX";
}

bool kernelCopyUnsupported(int error) {
    return error == EXDEV || error == ENOSYS || error == EOPNOTSUPP || error == EINVAL;
}

} // namespace

TempFile::TempFile(const QByteArray& target)
    : m_target(target) {}

TempFile::~TempFile() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_path.isEmpty() && !m_committed)
        ::unlink(m_path.constData());
}

int TempFile::create() {
    QByteArray path = tempPathFor(m_target);
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    m_fd = fd;
    m_path = path;
    struct stat old {};
    const bool replacing = ::stat(m_target.constData(), &old) == 0 && S_ISREG(old.st_mode);
    // mkostemp makes the file private; others must be able to read a song or a state file.
    if (::fchmod(m_fd, replacing ? (old.st_mode & 07777) : 0644) != 0)
        return errno;
    return 0;
}

int TempFile::write(const QByteArray& content) {
    const char* data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        left -= written;
    }
    return 0;
}

int TempFile::copyFrom(int sourceFd) {
    // Fastest first: copy_file_range lets the file system share or move blocks itself,
    // sendfile keeps the data in the kernel, read/write works everywhere.
    enum class Method { CopyRange, SendFile, ReadWrite } method = Method::CopyRange;
    QByteArray buffer;
    for (;;) {
        ssize_t moved = 0;
        if (method == Method::CopyRange) {
            moved = ::copy_file_range(sourceFd, nullptr, m_fd, nullptr, copyChunk, 0);
            if (moved < 0 && kernelCopyUnsupported(errno)) {
                method = Method::SendFile;
                continue;
            }
        } else if (method == Method::SendFile) {
            moved = ::sendfile(m_fd, sourceFd, nullptr, copyChunk);
            if (moved < 0 && (errno == EINVAL || errno == ENOSYS)) {
                method = Method::ReadWrite;
                continue;
            }
        } else {
            if (buffer.isEmpty())
                buffer.resize(1 << 20);
            moved = ::read(sourceFd, buffer.data(), size_t(buffer.size()));
            if (moved > 0) {
                if (const int error = write(QByteArray::fromRawData(buffer.constData(), moved)))
                    return error;
            }
        }
        if (moved < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (moved == 0)
            return 0;
    }
}

int TempFile::sync() {
    return ::fdatasync(m_fd) == 0 ? 0 : errno;
}

int TempFile::commit() {
    const int fd = m_fd;
    m_fd = -1;
    // Some file systems report a failed write only when the file is closed.
    if (::close(fd) != 0)
        return errno;
    if (::rename(m_path.constData(), m_target.constData()) != 0)
        return errno;
    m_committed = true;
    return 0;
}
