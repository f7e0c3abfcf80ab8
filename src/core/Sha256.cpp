#include "Sha256.h"

#include <QCryptographicHash>

#include <openssl/evp.h>

QByteArray sha256Hex(QByteArrayView bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), static_cast<size_t>(bytes.size()), digest, &length, EVP_sha256(),
                   nullptr) != 1) // out of memory, or an OpenSSL without SHA-256
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    return QByteArray(reinterpret_cast<const char *>(digest), static_cast<qsizetype>(length))
        .toHex();
}
