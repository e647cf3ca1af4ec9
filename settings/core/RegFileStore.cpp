// RegFileStore.cpp: reading and composing the registry export text of the settings.
#include "settings/core/RegFileStore.h"

#include "text/AsciiText.h"
#include "text/LittleEndian.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

// A carriage return ends a line of a file written on Windows; it is kept in the file but is no
// part of what the line says.
constexpr std::string_view Blanks = " \t\r";

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string_view TrimLeft(std::string_view text) {
    const size_t first = text.find_first_not_of(Blanks);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view TrimRight(std::string_view text) {
    const size_t last = text.find_last_not_of(Blanks);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view Trim(std::string_view text) {
    return TrimLeft(TrimRight(text));
}

std::optional<uint32_t> ParseHexNumber(std::string_view digits, size_t maxDigits) {
    uint32_t number = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, number, 16);
    if (digits.empty() || digits.size() > maxDigits || stop != end || error != std::errc()) {
        return std::nullopt;
    }
    return number;
}

// Reads a quoted string at the start of text; rest receives what follows the closing quote.
// Only \\ and \" are escapes; any other backslash is kept, as hand-edited paths often hold one.
std::optional<std::string> ParseQuoted(std::string_view text, std::string_view& rest) {
    if (text.empty() || text[0] != '"') {
        return std::nullopt;
    }
    std::string bytes;
    for (size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            rest = text.substr(i + 1);
            return bytes;
        }
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            ++i;
        }
        bytes += text[i];
    }
    return std::nullopt;
}

std::string Quote(std::string_view bytes) {
    std::string quoted = "\"";
    for (char c : bytes) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

struct TValueLine {
    std::string Name;
    std::string_view Data;
};

std::optional<TValueLine> SplitValueLine(std::string_view line) {
    std::string_view rest;
    std::optional<std::string> name = ParseQuoted(TrimLeft(line), rest);
    if (!name) {
        return std::nullopt;
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest[0] != '=') {
        return std::nullopt;
    }
    return TValueLine{std::move(*name), Trim(rest.substr(1))};
}

std::optional<std::string> ParseHexList(std::string_view list) {
    std::string bytes;
    if (Trim(list).empty()) {
        return bytes;
    }
    // Every comma has a byte after it: a list may not end in one.
    while (true) {
        const size_t comma = list.find(',');
        const std::optional<uint32_t> byte = ParseHexNumber(Trim(list.substr(0, comma)), 2);
        if (!byte) {
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
        if (comma == std::string_view::npos) {
            return bytes;
        }
        list.remove_prefix(comma + 1);
    }
}

// Data in no form we know is still a value of that name: reading it must fail as a wrong type
// rather than fall back to an older line of the same name.
TStoredValue ParseData(std::string_view data) {
    const TStoredValue unknown{RegUnknown, {}};
    if (data.starts_with('"')) {
        std::string_view rest;
        std::optional<std::string> text = ParseQuoted(data, rest);
        return text && rest.empty() ? TStoredValue{RegSz, std::move(*text)} : unknown;
    }
    // "dword:", "hex:" or "hex(type):", in any case as registry exports allow, before the data.
    const size_t colon = data.find(':');
    if (colon == std::string_view::npos) {
        return unknown;
    }
    const std::string_view form = data.substr(0, colon);
    const std::string_view rest = data.substr(colon + 1);
    if (EqualsIgnoringCase(form, "dword")) {
        const std::optional<uint32_t> number = ParseHexNumber(rest, 8);
        return number ? TStoredValue{RegDword, LittleEndianDword(*number)} : unknown;
    }
    std::optional<uint32_t> type;
    if (EqualsIgnoringCase(form, "hex")) {
        type = RegBinary;
    } else if (StartsWithIgnoringCase(form, "hex(") && form.ends_with(')')) {
        type = ParseHexNumber(form.substr(4, form.size() - 5), 8);
    }
    std::optional<std::string> bytes = type ? ParseHexList(rest) : std::nullopt;
    return bytes ? TStoredValue{*type, std::move(*bytes)} : unknown;
}

std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
        return std::nullopt;
    }
    return line.substr(1, line.size() - 2);
}

// A hex value whose line ends in a backslash goes on on the next line.
bool OpensContinuation(std::string_view logical) {
    const std::optional<TValueLine> value = SplitValueLine(logical);
    return value && StartsWithIgnoringCase(value->Data, "hex") && value->Data.back() == '\\';
}

// A blank line or a section header ends a value even after a backslash: a hand-edited file must
// not lose its next section to the value before it.
bool CanContinue(std::string_view physical) {
    return !Trim(physical).empty() && !SectionName(physical);
}

// One line of the file as it was read, with the continuation lines of a value.
struct TLine {
    // Its bytes without the final line end, continuation lines joined by '\n'.
    std::string Text;
    // What it says: continuations joined without their backslashes, blanks and line ends.
    std::string Logical;
};

std::vector<TLine> SplitLines(std::string_view content) {
    std::vector<TLine> lines;
    bool continuing = false;
    while (!content.empty()) {
        const size_t end = content.find('\n');
        const std::string_view physical = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (continuing && CanContinue(physical)) {
            // Built as the lines come, so a value continued over many lines costs no more than
            // one long line.
            TLine& line = lines.back();
            (line.Text += '\n') += physical;
            line.Logical.pop_back();
            line.Logical += Trim(physical);
            continuing = line.Logical.back() == '\\';
        } else {
            lines.push_back({std::string(physical), std::string(TrimRight(physical))});
            continuing = OpensContinuation(lines.back().Logical);
        }
    }
    return lines;
}

// Plain text is written quoted: valid UTF-8 without control bytes, which would break the line.
bool IsPlainText(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const auto byte = [&](size_t k) -> unsigned {
            return i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0;
        };
        const unsigned lead = byte(0);
        if (lead < 0x20 || lead == 0x7F) {
            return false;
        }
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The second byte's range shuts out overlong forms, surrogates and code points beyond
        // U+10FFFF; the bytes after it are plain continuation bytes.
        const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        if (lead < 0xC2 || lead > 0xF4 || byte(1) < low || byte(1) > high) {
            return false;
        }
        const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        for (size_t k = 2; k < length; ++k) {
            if ((byte(k) & 0xC0u) != 0x80u) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

std::string FormatValue(const std::string& name, const TStoredValue& value) {
    std::string line = Quote(name) + '=';
    if (value.Type == RegSz && IsPlainText(value.Data)) {
        return line + Quote(value.Data);
    }
    char hex[16];
    if (value.Type == RegDword && value.Data.size() == 4) {
        std::snprintf(hex, sizeof hex, "%08x", ReadLittleEndian(value.Data));
        return line + "dword:" + hex;
    }
    if (value.Type == RegBinary) {
        line += "hex:";
    } else {
        std::snprintf(hex, sizeof hex, "%x", value.Type);
        line += std::string("hex(") + hex + "):";
    }
    for (size_t i = 0; i < value.Data.size(); ++i) {
        std::snprintf(hex, sizeof hex, i == 0 ? "%02x" : ",%02x",
                      static_cast<unsigned>(static_cast<unsigned char>(value.Data[i])));
        line += hex;
    }
    return line;
}

}  // namespace

bool TRegFileStore::OpenKey(const std::string& path, bool create) {
    CloseKey();
    // A text that exists but cannot be read throws, so it is never replaced: its contents would
    // be lost.
    const std::optional<std::string> text = ReadText();
    if (!text && !create) {
        return false;
    }

    const std::string_view key = path;
    Section = "HKEY_CURRENT_USER\\" + std::string(key.substr(key.starts_with('\\') ? 1 : 0));
    bool inSection = false;
    bool found = false;
    for (TLine& line : SplitLines(text.value_or(std::string()))) {
        TEntry entry;
        entry.Text = std::move(line.Text);
        if (const std::optional<std::string_view> name = SectionName(line.Logical)) {
            inSection = EqualsIgnoringCase(*name, Section);
            entry.OpensOurSection = inSection;
            found = found || inSection;
        } else if (inSection) {
            if (std::optional<TValueLine> value = SplitValueLine(line.Logical)) {
                entry.Value = ParseData(value->Data);
                entry.ValueName = std::move(value->Name);
            }
        }
        Entries.push_back(std::move(entry));
    }
    if (!create && !found) {
        Entries.clear();
        return false;
    }
    KeyOpen = true;
    return true;
}

const TRegFileStore::TEntry* TRegFileStore::LastValueNamed(const std::string& name) const {
    const TEntry* last = nullptr;
    for (const TEntry& entry : Entries) {
        if (entry.ValueName && EqualsIgnoringCase(*entry.ValueName, name)) {
            last = &entry;
        }
    }
    return last;
}

std::optional<TStoredValue> TRegFileStore::ReadValue(const std::string& name) {
    if (!KeyOpen) {
        return std::nullopt;
    }
    for (const auto& [writtenName, value] : Written) {
        if (EqualsIgnoringCase(writtenName, name)) {
            return value;
        }
    }
    const TEntry* entry = LastValueNamed(name);
    return entry ? std::optional<TStoredValue>(entry->Value) : std::nullopt;
}

bool TRegFileStore::WriteValue(const std::string& name, const TStoredValue& value) {
    if (!KeyOpen) {
        return false;
    }
    for (auto& [writtenName, writtenValue] : Written) {
        if (EqualsIgnoringCase(writtenName, name)) {
            writtenValue = value;
            return true;
        }
    }
    // Someone may have typed the name in another case; the file keeps their spelling.
    const TEntry* stored = LastValueNamed(name);
    Written.emplace_back(stored ? *stored->ValueName : name, value);
    return true;
}

void TRegFileStore::FlushKey() {
    if (KeyOpen && !Written.empty()) {
        ReplaceText(ComposeFile());
    }
}

void TRegFileStore::CloseKey() {
    KeyOpen = false;
    Entries.clear();
    Written.clear();
}

std::string TRegFileStore::ComposeFile() const {
    std::string text;
    // Every line read keeps its own end; lines of ours end as the file's first line does.
    const bool windowsEnds = !Entries.empty() && Entries.front().Text.ends_with('\r');
    const auto addLine = [&text](std::string_view line) { (text += line) += '\n'; };
    const auto addOwnLine = [&](std::string_view line) {
        addLine(windowsEnds ? std::string(line) + '\r' : std::string(line));
    };
    const auto addWritten = [&] {
        for (const auto& [name, value] : Written) {
            addOwnLine(FormatValue(name, value));
        }
    };
    bool placed = false;
    for (const TEntry& entry : Entries) {
        // Every older line of a written name goes, or it could outlive the new value when read.
        const bool replaced = entry.ValueName &&
                              std::any_of(Written.begin(), Written.end(), [&](const auto& written) {
                                  return EqualsIgnoringCase(written.first, *entry.ValueName);
                              });
        if (replaced) {
            continue;
        }
        addLine(entry.Text);
        if (entry.OpensOurSection && !placed) {
            addWritten();
            placed = true;
        }
    }
    if (!placed) {
        if (Entries.empty()) {
            addOwnLine("REGEDIT4");
        }
        if (Entries.empty() || !Trim(Entries.back().Text).empty()) {
            addOwnLine("");
        }
        addOwnLine("[" + Section + "]");
        addWritten();
    }
    return text;
}
