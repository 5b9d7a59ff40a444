// One JSON object per line, keys in the order they are added. Strings come in as
// UTF-16 and go out as UTF-8; control characters (NUL included) and unpaired
// surrogates are written as \uXXXX so that every line is valid JSON whatever a
// font's name table holds. Pure code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace typorama::cli {

void AppendJsonString(std::string& out, std::u16string_view text);

class JsonLine {
public:
    JsonLine& Add(std::string_view key, std::u16string_view value);
    // Without this a string literal would pick the bool overload.
    JsonLine& Add(std::string_view key, const char16_t* value) { return Add(key, std::u16string_view(value)); }
    JsonLine& Add(std::string_view key, bool value);
    JsonLine& Add(std::string_view key, std::int64_t value);
    JsonLine& Add(std::string_view key, int value) { return Add(key, static_cast<std::int64_t>(value)); }
    JsonLine& Add(std::string_view key, const std::vector<std::u16string>& values);  // an array of strings
    JsonLine& Add(std::string_view key, const std::vector<std::int64_t>& values);    // an array of numbers
    JsonLine& Add(std::string_view key, const JsonLine& object);                      // a nested object
    JsonLine& Add(std::string_view key, const std::vector<JsonLine>& objects);        // an array of objects
    JsonLine& AddNull(std::string_view key);
    // The finished object followed by a bare LF.
    std::string Finish() const { return text_ + "}\n"; }

private:
    void Key(std::string_view key);
    std::string text_ = "{";
};

}  // namespace typorama::cli
