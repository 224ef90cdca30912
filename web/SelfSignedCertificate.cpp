#include "web/SelfSignedCertificate.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <sys/stat.h>

namespace qx::web {
namespace {

constexpr long kValidDays = 3650;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool writeFile(const std::filesystem::path& path, bool secret, const std::function<bool(std::FILE*)>& write)
{
    const mode_t old = ::umask(secret ? 077 : 022);
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "wx"));
    ::umask(old);
    return f && write(f.get());
}

} // namespace

bool ensureSelfSignedCertificate(const std::filesystem::path& certFile, const std::filesystem::path& keyFile,
                                 const std::string& commonName, std::string* why)
{
    std::error_code ec;
    if (std::filesystem::exists(certFile, ec) && std::filesystem::exists(keyFile, ec))
        return true;
    auto fail = [why](std::string text) {
        if (why)
            *why = std::move(text);
        return false;
    };
    std::filesystem::create_directories(certFile.parent_path(), ec);
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(EVP_EC_gen("P-256"), EVP_PKEY_free);
    if (!key)
        return fail("no key could be made");
    std::unique_ptr<X509, decltype(&X509_free)> cert(X509_new(), X509_free);
    if (!cert)
        return fail("no certificate could be made");
    X509_set_version(cert.get(), 2);
    unsigned char serial[16];
    std::FILE* random = std::fopen("/dev/urandom", "rb");
    const bool gotSerial = random && std::fread(serial, 1, sizeof serial, random) == sizeof serial;
    if (random)
        std::fclose(random);
    if (!gotSerial)
        return fail("no random serial number");
    serial[0] &= 0x7f;
    std::unique_ptr<BIGNUM, decltype(&BN_free)> bn(BN_bin2bn(serial, sizeof serial, nullptr), BN_free);
    BN_to_ASN1_INTEGER(bn.get(), X509_get_serialNumber(cert.get()));
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), kValidDays * 24 * 3600);
    X509_set_pubkey(cert.get(), key.get());
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>(commonName.c_str()),
                               -1, -1, 0);
    X509_set_issuer_name(cert.get(), name);
    if (X509_sign(cert.get(), key.get(), EVP_sha256()) <= 0)
        return fail("the certificate could not be signed");
    std::filesystem::remove(certFile, ec);
    std::filesystem::remove(keyFile, ec);
    if (!writeFile(keyFile, true, [&](std::FILE* f) {
            return PEM_write_PrivateKey(f, key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1;
        }))
        return fail("cannot write " + keyFile.string());
    if (!writeFile(certFile, false, [&](std::FILE* f) { return PEM_write_X509(f, cert.get()) == 1; }))
        return fail("cannot write " + certFile.string());
    return true;
}

} // namespace qx::web
