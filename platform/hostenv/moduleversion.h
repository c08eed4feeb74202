#pragma once

#include <QByteArray>
#include <QString>

// The module's version resource: a marker followed by the version text and a zero byte,
// embedded in the module file and found again by scanning that file.

#define TOPAZ_MODULE_VERSION_MARKER "TOPAZ_Q_FILEVERSION="

// Embeds the version in the binary that contains the translation unit. Used once, at
// namespace scope, in one source file of the module, with the version given by the
// build as a string literal:
//     TOPAZ_EMBED_MODULE_VERSION(TOPAZ_MODULE_FILE_VERSION)
// The array is marked used and kept in a section of its own, so neither the compiler
// nor the linker drops it although no code refers to it.
#define TOPAZ_EMBED_MODULE_VERSION(versionLiteral)                                                 \
    __attribute__((used,                                                                           \
                   section(".topaz_version"))) static const char topazModuleVersionResource[] =    \
        TOPAZ_MODULE_VERSION_MARKER versionLiteral

namespace HostEnv {

// The answer when a file has no readable version.
inline constexpr const char* VersionNotAvailable = "<info not available>";

// The marker as bytes. Built at run time so that the reader's own binary does not
// carry a copy of the marker that a scan could take for a version.
QByteArray moduleVersionMarker();

// The version embedded in the file: the text after the first marker that is followed by
// a non-empty, zero-terminated run of printable characters. VersionNotAvailable when the
// file is missing or unreadable or holds no such marker.
QString readModuleVersion(const QString& modulePath);

// The same search over bytes already in memory.
QString findModuleVersion(QByteArrayView bytes);

} // namespace HostEnv
