#include "tests/TempDir.h"
#include "web/SelfSignedCertificate.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSslCertificate>
#include <QSslKey>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace qx::web {
namespace {

QByteArray fingerprintOf(const std::filesystem::path& file)
{
    QFile f(QString::fromStdString(file.string()));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const auto certs = QSslCertificate::fromData(f.readAll());
    return certs.isEmpty() ? QByteArray() : certs.front().digest(QCryptographicHash::Sha256);
}

TEST(SelfSignedCertificate, MadeOnceWithAPrivateKeyAndKeptSoTheFingerprintStaysTheSame)
{
    qx::test::TempDir dir;
    const auto cert = dir.path / "CommoFiles" / "web-cert.pem";
    const auto key = dir.path / "CommoFiles" / "web-key.pem";
    std::string why;
    ASSERT_TRUE(ensureSelfSignedCertificate(cert, key, "station", &why)) << why;
    const QByteArray first = fingerprintOf(cert);
    ASSERT_EQ(first.size(), 32);
    struct stat st{};
    ASSERT_EQ(::stat(key.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);
    QFile k(QString::fromStdString(key.string()));
    ASSERT_TRUE(k.open(QIODevice::ReadOnly));
    EXPECT_FALSE(QSslKey(k.readAll(), QSsl::Ec).isNull());

    ASSERT_TRUE(ensureSelfSignedCertificate(cert, key, "station", &why));
    EXPECT_EQ(fingerprintOf(cert), first);
    // A pair with a part missing is made anew.
    std::filesystem::remove(key);
    ASSERT_TRUE(ensureSelfSignedCertificate(cert, key, "station", &why));
    EXPECT_NE(fingerprintOf(cert), first);
}

} // namespace
} // namespace qx::web
