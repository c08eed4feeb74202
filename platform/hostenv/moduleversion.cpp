#include "platform/hostenv/moduleversion.h"

#include <QFile>

namespace HostEnv {
namespace {

constexpr qsizetype MaxVersionLength = 64;

bool isVersionCharacter(char c) {
    return c > ' ' && c < 0x7F;
}

} // namespace

QByteArray moduleVersionMarker() {
    QByteArray marker("TOPAZ_Q_FILE");
    marker += "VERSION=";
    return marker;
}

QString findModuleVersion(QByteArrayView bytes) {
    const QByteArray marker = moduleVersionMarker();
    for (qsizetype at = bytes.indexOf(marker); at >= 0; at = bytes.indexOf(marker, at + 1)) {
        const qsizetype start = at + marker.size();
        qsizetype end = start;
        while (end < bytes.size() && end - start <= MaxVersionLength &&
               isVersionCharacter(bytes[end]))
            ++end;
        const qsizetype length = end - start;
        // Only a terminated text counts: a file cut after the marker has no version.
        if (length > 0 && length <= MaxVersionLength && end < bytes.size() && bytes[end] == '\0')
            return QString::fromLatin1(bytes.data() + start, length);
    }
    return QString::fromLatin1(VersionNotAvailable);
}

QString readModuleVersion(const QString& modulePath) {
    QFile file(modulePath);
    if (!file.open(QIODevice::ReadOnly)) return QString::fromLatin1(VersionNotAvailable);
    const qint64 size = file.size();
    if (size > 0) {
        if (const uchar* mapped = file.map(0, size))
            return findModuleVersion(QByteArrayView(mapped, qsizetype(size)));
    }
    // Files that cannot be mapped (empty, or on a file system without mmap) are read.
    return findModuleVersion(file.readAll());
}

} // namespace HostEnv
