#pragma once
// The texts of the About, Usage, FAQ and History pages.
#include <string>

namespace sentrel {

extern const char* const kAboutText;
std::string UsageText();
extern const char* const kFaqText;
extern const char* const kHistoryText;

inline constexpr const char* kMailLink = "mailto:sentrel@example.org";

}  // namespace sentrel
