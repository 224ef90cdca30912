// The program's comma-separated table reader: a newline ends a row, double
// quotes group a field so that commas and newlines inside it do not split
// it (the quotes themselves are dropped), and a double-byte character (lead
// byte 0x81-0x9F or 0xE0-0xFC) is copied whole so its second byte is never
// taken for a separator. Blank lines give no row; a CR before a newline is
// dropped.
#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

using CsvRow = std::vector<std::string>;
using CsvTable = std::vector<CsvRow>;

CsvTable parseCsv(std::string_view text);

// Nothing when the file cannot be read, is no regular file or is larger than
// maxBytes; then `why`, when given, says which. Never blocks, never throws.
// A UTF-8 byte-order mark at the start is skipped.
std::optional<CsvTable> readCsvFile(const std::filesystem::path& path, std::size_t maxBytes = 64 * 1024,
                                    std::string* why = nullptr);

} // namespace qx
