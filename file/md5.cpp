#include "file/md5.h"

#include <openssl/evp.h>

#include <stdexcept>

namespace Md5 {

QByteArray digest(QByteArrayView bytes) {
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), size_t(bytes.size()), out, &length, EVP_md5(), nullptr) != 1)
        throw std::runtime_error("Nie można obliczyć skrótu MD5");
    return QByteArray(reinterpret_cast<const char*>(out), int(length));
}

QString hexDigest(QByteArrayView bytes) {
    return QString::fromLatin1(digest(bytes).toHex());
}

} // namespace Md5
