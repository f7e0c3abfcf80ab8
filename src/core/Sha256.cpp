#include "Sha256.h"

#include <QCryptographicHash>
#include <QLibrary>

#include <openssl/evp.h>

namespace {
struct OpenSslDigest {
    decltype(&EVP_Digest) digest = nullptr;
    decltype(&EVP_sha256) sha256 = nullptr;
};

// Loaded when something is first hashed, not linked: loading OpenSSL held up every start of
// the program by some 2 ms, and a start hashes nothing until a quiz is loaded.
const OpenSslDigest &openSsl() {
    static const OpenSslDigest loaded = [] {
        QLibrary crypto(QStringLiteral("crypto"), OPENSSL_VERSION_MAJOR); // stays loaded
        OpenSslDigest found;
        if (crypto.load()) {
            found.digest = reinterpret_cast<decltype(&EVP_Digest)>(crypto.resolve("EVP_Digest"));
            found.sha256 = reinterpret_cast<decltype(&EVP_sha256)>(crypto.resolve("EVP_sha256"));
        }
        return found.digest && found.sha256 ? found : OpenSslDigest{};
    }();
    return loaded;
}
} // namespace

QByteArray sha256Hex(QByteArrayView bytes) {
    const OpenSslDigest &openssl = openSsl();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!openssl.digest ||
        openssl.digest(bytes.data(), static_cast<size_t>(bytes.size()), digest, &length,
                       openssl.sha256(), nullptr) != 1) // out of memory, or no SHA-256 in it
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    return QByteArray(reinterpret_cast<const char *>(digest), static_cast<qsizetype>(length))
        .toHex();
}
