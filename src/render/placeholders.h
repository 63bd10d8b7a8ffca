#pragma once

// Placeholders in card texts: "[" name "]" stands for a field's value, "<" name ">" for its
// label, the label only when the field has a value. The stored text keeps its tokens; this
// runs when a text is drawn.

#include <string>
#include <string_view>
#include <vector>

namespace vellamo::render {

struct PlaceholderField {
    std::string_view name;
    std::string value;
    std::string label;
};

// In the order the fields are substituted.
using PlaceholderFields = std::vector<PlaceholderField>;

// For each field in order, label tokens first, then value tokens. An empty replacement also
// takes the space that follows its token. Tokens match byte for byte and case-sensitively.
std::string GetRepStr(std::string text, const PlaceholderFields& fields);

}  // namespace vellamo::render
