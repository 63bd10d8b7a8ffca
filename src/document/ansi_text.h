#pragma once

// Text in the program's files is single-byte Windows-1252. The document keeps those bytes;
// these two functions are the one place where they become QString and back.

#include <QString>
#include <string>
#include <string_view>

namespace vellamo::document {

QString fromAnsi(std::string_view bytes);

// Characters that Windows-1252 cannot hold become '?'.
std::string toAnsi(const QString& text);

}  // namespace vellamo::document
