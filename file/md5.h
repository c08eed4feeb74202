#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The MD5 digest (RFC 1321) of a byte string, computed by libcrypto.
namespace Md5 {

// The 16 digest bytes.
QByteArray digest(QByteArrayView bytes);

// The digest as 32 lower-case hexadecimal digits, two per byte in byte order.
QString hexDigest(QByteArrayView bytes);

} // namespace Md5
