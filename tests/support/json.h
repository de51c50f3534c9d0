// A small JSON reader for the journal's lines: objects, arrays, strings, numbers, booleans.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    double number = 0;
    std::string string;  // UTF-8
    std::vector<Json> array;
    std::map<std::string, Json> object;

    const Json& operator[](const std::string& key) const;  // Null when missing
    const Json& operator[](size_t index) const;            // Null when out of range
    bool Has(const std::string& key) const { return object.count(key) != 0; }
    long long Int() const { return static_cast<long long>(number); }

    // Throws std::runtime_error on malformed input.
    static Json Parse(const std::string& text);
};

}  // namespace testsupport
