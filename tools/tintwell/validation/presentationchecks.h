#pragma once

namespace Tintwell {

class ValidationContext;

// What a collection shows: setting values in the forms their accessors parse, theme
// images that decode, the translation keys the windows use, and texts the picker would
// show wrongly.
namespace PresentationChecks {

void checkSettings(ValidationContext &context);
void checkTheme(ValidationContext &context);
void checkTranslations(ValidationContext &context);
void checkNames(ValidationContext &context);

} // namespace PresentationChecks

} // namespace Tintwell
