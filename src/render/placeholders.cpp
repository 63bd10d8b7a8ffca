#include "render/placeholders.h"

namespace vellamo::render {

namespace {

// Replaces every occurrence of `token`, searching only behind what the previous replacement
// inserted, so a replacement holding its own token is inserted once.
void replaceAll(std::string& text, const std::string& token, const std::string& replacement,
                bool dropSpaceAfter)
{
    std::string::size_type from = 0;
    while (true) {
        const auto p = text.find(token, from);
        if (p == std::string::npos)
            return;
        auto restStart = p + token.size();
        if (dropSpaceAfter && restStart < text.size() && text[restStart] == ' ')
            ++restStart;
        text = text.substr(0, p) + replacement + text.substr(restStart);
        from = p + replacement.size();
    }
}

}  // namespace

std::string GetRepStr(std::string text, const PlaceholderFields& fields)
{
    for (const PlaceholderField& field : fields) {
        const std::string name(field.name);
        const std::string label = field.value.empty() ? std::string() : field.label;
        replaceAll(text, "<" + name + ">", label, field.label.empty());
        replaceAll(text, "[" + name + "]", field.value, field.value.empty());
    }
    return text;
}

}  // namespace vellamo::render
