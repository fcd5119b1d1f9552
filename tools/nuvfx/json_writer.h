// Writes one JSON value as compact text: objects and arrays opened and closed
// in order, with the commas put in by the writer and strings escaped (UTF-8
// passes through, control characters become \u escapes, and bytes that are
// not UTF-8, as in a file name of another encoding, become U+FFFD).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nuv::nuvfx {

class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The name of the next member of the open object.
    JsonWriter& Key(const std::string& name);
    JsonWriter& String(const std::string& value);
    JsonWriter& Number(std::int64_t value);
    JsonWriter& Number(double value);  // finite values; others are written as null
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    const std::string& Text() const { return text_; }

private:
    void BeforeValue();

    std::string text_;
    std::vector<bool> first_;  // per open object or array: nothing written in it yet
    bool afterKey_ = false;
};

}  // namespace nuv::nuvfx
