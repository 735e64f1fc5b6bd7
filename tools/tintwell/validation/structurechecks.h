#pragma once

namespace Tintwell {

class ValidationContext;

// The file's layout: required tables and columns, and the Capsure view with the
// behaviour its description promises.
namespace StructureChecks {

// False when COLLECTION is missing: nothing else can be checked then.
bool checkTables(ValidationContext &context);
void checkCapsureView(ValidationContext &context);

} // namespace StructureChecks

} // namespace Tintwell
