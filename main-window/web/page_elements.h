#pragma once

#include <string>
#include <string_view>

// The page's elements as the program reaches them: by id, through a few small
// JavaScript functions, with UTF-8 text on the C++ side.
namespace page_elements {

bool Exists(std::string_view id);
std::string Value(std::string_view id);
void SetValue(std::string_view id, std::string_view value);
void SetTextContent(std::string_view id, std::string_view text);
void SetBackgroundColour(std::string_view id, std::string_view css_colour);
void SetAttribute(std::string_view id, std::string_view name, std::string_view value);

}  // namespace page_elements
