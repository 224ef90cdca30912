// The remote station's own certificate when the operator names none: an
// EC P-256 key and a self-signed certificate made once, kept next to the
// settings (the key readable by the owner only) and used from then on, so
// the fingerprint the operator checked stays the same.
//
// Made with OpenSSL's library, the one Qt's TLS already uses: no external
// tool needs to be installed or found on the PATH, and the key never passes
// through a command line or another process.
#pragma once
#include <filesystem>
#include <string>

namespace qx::web {

// Makes the pair when `certFile` or `keyFile` is missing; true when both
// exist afterwards, else false with the reason in `why`.
bool ensureSelfSignedCertificate(const std::filesystem::path& certFile, const std::filesystem::path& keyFile,
                                 const std::string& commonName, std::string* why);

} // namespace qx::web
