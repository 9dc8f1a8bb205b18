#pragma once
// A text as a JSON string value, for the tool's one-line results: quotes, the
// backslash and control characters escaped, everything else (UTF-8) as it is.

#include <string>

namespace tovarin {

std::string jsonText(const std::string& utf8);

} // namespace tovarin
