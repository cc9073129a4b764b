#include "page_elements.h"

#include <emscripten.h>

namespace page_elements {
namespace {

// clang-format off
EM_JS(bool, ExistsJs, (const char* id), {
    return document.getElementById(UTF8ToString(id)) !== null;
});
EM_JS(int, ValueBytesJs, (const char* id), {
    return lengthBytesUTF8(document.getElementById(UTF8ToString(id)).value);
});
EM_JS(void, CopyValueJs, (const char* id, char* buffer, int size), {
    stringToUTF8(document.getElementById(UTF8ToString(id)).value, buffer, size);
});
EM_JS(void, SetPropertyJs, (const char* id, const char* name, const char* value), {
    document.getElementById(UTF8ToString(id))[UTF8ToString(name)] = UTF8ToString(value);
});
EM_JS(void, SetBackgroundColourJs, (const char* id, const char* colour), {
    document.getElementById(UTF8ToString(id)).style.backgroundColor = UTF8ToString(colour);
});
EM_JS(void, SetAttributeJs, (const char* id, const char* name, const char* value), {
    document.getElementById(UTF8ToString(id)).setAttribute(UTF8ToString(name), UTF8ToString(value));
});
// clang-format on

}  // namespace

bool Exists(std::string_view id) { return ExistsJs(std::string(id).c_str()); }

std::string Value(std::string_view id) {
    const std::string element(id);
    // Room for the terminating zero that stringToUTF8 writes.
    std::string value(static_cast<std::size_t>(ValueBytesJs(element.c_str())) + 1, '\0');
    CopyValueJs(element.c_str(), value.data(), static_cast<int>(value.size()));
    value.pop_back();
    return value;
}

void SetValue(std::string_view id, std::string_view value) {
    SetPropertyJs(std::string(id).c_str(), "value", std::string(value).c_str());
}

void SetTextContent(std::string_view id, std::string_view text) {
    SetPropertyJs(std::string(id).c_str(), "textContent", std::string(text).c_str());
}

void SetBackgroundColour(std::string_view id, std::string_view css_colour) {
    SetBackgroundColourJs(std::string(id).c_str(), std::string(css_colour).c_str());
}

void SetAttribute(std::string_view id, std::string_view name, std::string_view value) {
    SetAttributeJs(std::string(id).c_str(), std::string(name).c_str(), std::string(value).c_str());
}

}  // namespace page_elements
