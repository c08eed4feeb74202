#include "platform/hostenv/sharedfolder.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace HostEnv {
namespace {

// An open, mapped block; closes and unmaps on every path out.
class MappedBlock {
public:
    explicit MappedBlock(const QByteArray& name) {
        fd_ = ::shm_open(name.constData(), O_RDWR | O_CREAT | O_EXCL, 0600);
        if (fd_ >= 0)
            created_ = true;
        else if (errno == EEXIST)
            fd_ = ::shm_open(name.constData(), O_RDWR, 0);
        if (fd_ < 0 || !ensureSize()) return;
        void* p = ::mmap(nullptr, SharedFolderSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
        if (p != MAP_FAILED) data_ = static_cast<char*>(p);
    }
    ~MappedBlock() {
        if (data_) ::munmap(data_, SharedFolderSize);
        if (fd_ >= 0) ::close(fd_);
    }
    MappedBlock(const MappedBlock&) = delete;
    MappedBlock& operator=(const MappedBlock&) = delete;

    char* data() const { return data_; }
    bool created() const { return created_; }

private:
    // A block made smaller by someone else is grown, so the mapping never reaches past
    // its end.
    bool ensureSize() const {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) return false;
        return st.st_size >= SharedFolderSize || ::ftruncate(fd_, SharedFolderSize) == 0;
    }

    int fd_ = -1;
    char* data_ = nullptr;
    bool created_ = false;
};

// Length of the longest prefix of at most `limit` bytes that does not split a UTF-8
// sequence.
qsizetype utf8PrefixLength(const QByteArray& text, qsizetype limit) {
    if (text.size() <= limit) return text.size();
    qsizetype n = limit;
    while (n > 0 && (uchar(text[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

} // namespace

QString readSharedFolder(const QByteArray& name) {
    QString folder;
    bool created = false;
    {
        const MappedBlock block(name);
        created = block.created();
        if (block.data())
            folder = QString::fromUtf8(block.data(),
                                       qsizetype(::strnlen(block.data(), SharedFolderSize)));
    }
    if (created) ::shm_unlink(name.constData());
    return folder;
}

bool publishSharedFolder(const QString& folder, const QByteArray& name) {
    const MappedBlock block(name);
    if (!block.data()) return false;
    const QByteArray text = folder.toUtf8();
    const qsizetype length = utf8PrefixLength(text, SharedFolderSize - 1);
    std::memset(block.data(), 0, SharedFolderSize);
    std::memcpy(block.data(), text.constData(), size_t(length));
    return true;
}

bool removeSharedFolder(const QByteArray& name) {
    return ::shm_unlink(name.constData()) == 0;
}

} // namespace HostEnv
