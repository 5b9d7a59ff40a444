#include "cli/json_text.h"

#include "base/unicode.h"

namespace typorama::cli {
namespace {

void AppendEscape(std::string& out, char16_t c) {
    static const char kHex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
}

}  // namespace

void AppendJsonString(std::string& out, std::u16string_view text) {
    out += '"';
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        switch (c) {
            case u'"': out += "\\\""; continue;
            case u'\\': out += "\\\\"; continue;
            default: break;
        }
        if (c < 0x20) {
            AppendEscape(out, c);
        } else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            AppendEscape(out, c);  // JSON allows it; UTF-8 cannot carry it
        } else {
            AppendUtf8(out, c);
        }
    }
    out += '"';
}

void JsonLine::Key(std::string_view key) {
    if (text_.size() > 1) text_ += ", ";
    text_ += '"';
    text_ += key;
    text_ += "\": ";
}

JsonLine& JsonLine::Add(std::string_view key, std::u16string_view value) {
    Key(key);
    AppendJsonString(text_, value);
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, bool value) {
    Key(key);
    text_ += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, std::int64_t value) {
    Key(key);
    text_ += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, const std::vector<std::u16string>& values) {
    Key(key);
    text_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text_ += ", ";
        AppendJsonString(text_, values[i]);
    }
    text_ += ']';
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, const std::vector<std::int64_t>& values) {
    Key(key);
    text_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text_ += ", ";
        text_ += std::to_string(values[i]);
    }
    text_ += ']';
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, const JsonLine& object) {
    Key(key);
    text_ += object.text_;
    text_ += '}';
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, const std::vector<JsonLine>& objects) {
    Key(key);
    text_ += '[';
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (i > 0) text_ += ", ";
        text_ += objects[i].text_;
        text_ += '}';
    }
    text_ += ']';
    return *this;
}

JsonLine& JsonLine::AddNull(std::string_view key) {
    Key(key);
    text_ += "null";
    return *this;
}

}  // namespace typorama::cli
