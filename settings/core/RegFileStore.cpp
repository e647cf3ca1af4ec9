// RegFileStore.cpp: reading and composing the registry export text of the settings.
#include "settings/core/RegFileStore.h"

#include "text/AsciiText.h"
#include "text/LittleEndian.h"

#include <algorithm>
#include <charconv>
#include <iomanip>
#include <locale>
#include <sstream>
#include <string_view>

namespace {

// A carriage return ends a line of a file written on Windows; it is kept in the file but is no
// part of what the line says.
constexpr std::string_view Blanks = " \t\r";

std::string_view Trim(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(Blanks), text.size()));
    // Nothing is left of a text of blanks alone: npos + 1 is 0.
    return text.substr(0, text.find_last_not_of(Blanks) + 1);
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
        if (text[i] == '"') {
            rest = text.substr(i + 1);
            return bytes;
        }
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            ++i;
        }
        bytes += text[i];
    }
    return std::nullopt;
}

struct TValueLine {
    std::string Name;
    std::string_view Data;
};

std::optional<TValueLine> SplitValueLine(std::string_view line) {
    std::string_view rest;
    std::optional<std::string> name = ParseQuoted(Trim(line), rest);
    rest = Trim(rest);
    if (!name || !rest.starts_with('=')) {
        return std::nullopt;
    }
    return TValueLine{std::move(*name), Trim(rest.substr(1))};
}

std::optional<std::string> ParseHexList(std::string_view list) {
    std::string bytes;
    // Every comma has a byte after it: a list may not end in one.
    for (size_t start = 0; !Trim(list).empty() && start <= list.size();) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::optional<uint32_t> byte =
            ParseHexNumber(Trim(list.substr(start, comma - start)), 2);
        if (!byte) {
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
        start = comma + 1;
    }
    return bytes;
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
    } else if (EqualsIgnoringCase(form.substr(0, 4), "hex(") && form.ends_with(')')) {
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

// One line of the file as it was read, with the continuation lines of a value.
struct TLine {
    // Its bytes without the final line end, continuation lines joined by '\n'.
    std::string Text;
    // What it says: continuations joined without their backslashes, blanks and line ends.
    std::string Logical;
};

std::vector<TLine> SplitLines(const std::string& content) {
    std::vector<TLine> lines;
    std::istringstream in(content);
    bool continuing = false;
    for (std::string physical; std::getline(in, physical);) {
        // A blank line or a section header ends a value even after a backslash: a hand-edited
        // file must not lose its next section to the value before it.
        if (continuing && !Trim(physical).empty() && !SectionName(physical)) {
            // Built as the lines come, so a value continued over many lines costs no more than
            // one long line.
            TLine& line = lines.back();
            (line.Text += '\n') += physical;
            line.Logical.pop_back();
            line.Logical += Trim(physical);
            continuing = line.Logical.back() == '\\';
        } else {
            lines.push_back({physical, std::string(Trim(physical))});
            // A hex value whose line ends in a backslash goes on on the next line.
            const std::optional<TValueLine> value = SplitValueLine(lines.back().Logical);
            continuing = value && EqualsIgnoringCase(value->Data.substr(0, 3), "hex") &&
                         value->Data.back() == '\\';
        }
    }
    return lines;
}

// Plain text is written quoted: valid UTF-8 without control characters, which would break the
// line. The standard conversion lets the halves of surrogate pairs through, which no UTF-8 holds.
bool IsPlainText(std::string_view bytes) {
    const std::u8string text(bytes.begin(), bytes.end());
    std::u32string points(text.size(), U'\0');
    std::mbstate_t state{};
    const char8_t* read = nullptr;
    char32_t* written = nullptr;
    const auto& utf8 =
        std::use_facet<std::codecvt<char32_t, char8_t, std::mbstate_t>>(std::locale::classic());
    return utf8.in(state, text.data(), text.data() + text.size(), read, points.data(),
                   points.data() + points.size(), written) == std::codecvt_base::ok &&
           std::none_of(points.data(), written, [](char32_t c) {
               return c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF);
           });
}

// Quoted texts escape only backslashes and quotes, as std::quoted does.
std::string FormatValue(const std::string& name, const TStoredValue& value) {
    std::ostringstream line;
    line << std::quoted(name) << '=' << std::hex << std::setfill('0');
    if (value.Type == RegSz && IsPlainText(value.Data)) {
        line << std::quoted(value.Data);
    } else if (value.Type == RegDword && value.Data.size() == 4) {
        line << "dword:" << std::setw(8) << ReadLittleEndian(value.Data);
    } else {
        if (value.Type == RegBinary) {
            line << "hex:";
        } else {
            line << "hex(" << value.Type << "):";
        }
        for (size_t i = 0; i < value.Data.size(); ++i) {
            line << (i == 0 ? "" : ",") << std::setw(2)
                 << static_cast<unsigned>(static_cast<unsigned char>(value.Data[i]));
        }
    }
    return line.str();
}

}  // namespace

bool TRegFileStore::OpenKey(const std::string& path, bool create) {
    CloseKey();
    const std::string section = "HKEY_CURRENT_USER\\" + path.substr(path.starts_with('\\') ? 1 : 0);
    bool inSection = false;
    // A text that exists but cannot be read throws, so it is never replaced: its contents would
    // be lost.
    for (TLine& line : SplitLines(ReadText().value_or(std::string()))) {
        TEntry& entry = Entries.emplace_back(TEntry{std::move(line.Text), {}, {}});
        if (const std::optional<std::string_view> name = SectionName(line.Logical)) {
            inSection = EqualsIgnoringCase(*name, section);
            if (inSection && FirstWritten == 0) {
                FirstWritten = Entries.size();
            }
        } else if (std::optional<TValueLine> value =
                       inSection ? SplitValueLine(line.Logical) : std::nullopt) {
            entry.Value = ParseData(value->Data);
            entry.ValueName = std::move(value->Name);
        }
    }
    // Every line read keeps its own end; lines of ours end as the file's first line does.
    LineEnd = !Entries.empty() && Entries.front().Text.ends_with('\r') ? "\r" : "";
    if (FirstWritten == 0) {
        if (!create) {
            Entries.clear();
            return false;
        }
        if (Entries.empty()) {
            Entries.push_back({"REGEDIT4" + std::string(LineEnd), {}, {}});
        }
        if (!Trim(Entries.back().Text).empty()) {
            Entries.push_back({LineEnd, {}, {}});
        }
        Entries.push_back({"[" + section + "]" + LineEnd, {}, {}});
        FirstWritten = Entries.size();
    }
    NextWritten = FirstWritten;
    return true;
}

size_t TRegFileStore::LastValueNamed(const std::string& name) const {
    const auto last = std::find_if(Entries.rbegin(), Entries.rend(), [&](const TEntry& entry) {
        return entry.ValueName && EqualsIgnoringCase(*entry.ValueName, name);
    });
    return last == Entries.rend() ? Entries.size() : static_cast<size_t>(Entries.rend() - last) - 1;
}

std::optional<TStoredValue> TRegFileStore::ReadValue(const std::string& name) {
    const size_t stored = LastValueNamed(name);
    return stored < Entries.size() ? std::optional(Entries[stored].Value) : std::nullopt;
}

bool TRegFileStore::WriteValue(const std::string& name, const TStoredValue& value) {
    if (FirstWritten == 0) {
        return false;
    }
    // Someone may have typed the name in another case; the file keeps their spelling.
    const size_t stored = LastValueNamed(name);
    TEntry entry{{}, stored < Entries.size() ? Entries[stored].ValueName : name, value};
    entry.Text = FormatValue(*entry.ValueName, value) + LineEnd;
    if (stored < NextWritten) {
        Entries[stored] = std::move(entry);
        return true;
    }
    // Every older line of the name goes, or it could outlive the new value when read.
    std::erase_if(Entries, [&](const TEntry& old) {
        return old.ValueName && EqualsIgnoringCase(*old.ValueName, name);
    });
    Entries.insert(Entries.begin() + static_cast<ptrdiff_t>(NextWritten++), std::move(entry));
    return true;
}

void TRegFileStore::FlushKey() {
    if (NextWritten == FirstWritten) {
        return;
    }
    std::string text;
    for (const TEntry& entry : Entries) {
        (text += entry.Text) += '\n';
    }
    ReplaceText(text);
}

void TRegFileStore::CloseKey() {
    Entries.clear();
    FirstWritten = NextWritten = 0;
}
