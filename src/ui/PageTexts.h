#pragma once
// The texts of the About, Usage, FAQ and History pages.
namespace sentrel {

extern const char* const kAboutText;
extern const char* const kUsageText;
extern const char* const kFaqText;
extern const char* const kHistoryText;

inline constexpr const char* kMailLink = "mailto:sentrel@example.org";

}  // namespace sentrel
