#include "serial/CsvTable.h"

#include "core/FileIo.h"

namespace qx {

namespace {

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// One walk over the text. The first pass only counts rows and fields of each
// row so the second can size everything before it copies.
template <typename Sink>
void walk(std::string_view text, Sink& sink)
{
    bool quoted = false;
    bool rowOpen = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (isLeadByte(c)) {
            const std::size_t n = i + 1 < text.size() ? 2 : 1;
            sink.chars(text.substr(i, n));
            rowOpen = true;
            i += n - 1;
        } else if (c == '"') {
            quoted = !quoted;
            rowOpen = true;
        } else if (quoted) {
            sink.chars(text.substr(i, 1));
        } else if (c == ',') {
            sink.endField();
            rowOpen = true;
        } else if (c == '\n') {
            if (rowOpen)
                sink.endRow();
            rowOpen = false;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            // dropped: the newline ends the row
        } else {
            sink.chars(text.substr(i, 1));
            rowOpen = true;
        }
    }
    if (rowOpen)
        sink.endRow();
}

struct Counter {
    std::vector<std::size_t> fieldsPerRow;
    std::size_t fields = 1;
    void chars(std::string_view) {}
    void endField() { ++fields; }
    void endRow()
    {
        fieldsPerRow.push_back(fields);
        fields = 1;
    }
};

struct Filler {
    CsvTable& table;
    std::size_t row = 0;
    std::size_t field = 0;
    void chars(std::string_view s) { table[row][field].append(s); }
    void endField() { ++field; }
    void endRow()
    {
        ++row;
        field = 0;
    }
};

} // namespace

CsvTable parseCsv(std::string_view text)
{
    Counter counter;
    walk(text, counter);
    CsvTable table(counter.fieldsPerRow.size());
    for (std::size_t r = 0; r < table.size(); ++r)
        table[r].resize(counter.fieldsPerRow[r]);
    Filler filler{table};
    walk(text, filler);
    return table;
}

std::optional<CsvTable> readCsvFile(const std::filesystem::path& path, std::size_t maxBytes, std::string* why)
{
    const FileRead file = readRegularFile(path, maxBytes);
    if (!file.text) {
        if (why)
            *why = file.error;
        return std::nullopt;
    }
    // Editors on other systems start a UTF-8 file with a byte-order mark; it
    // is no part of the first field.
    std::string_view text = *file.text;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return parseCsv(text);
}

} // namespace qx
