#pragma once

#include "host/runner/projectstore.h"

#include <cstdint>

// The attribute-list services over a project: the attributes of one type in the order they
// were created, each answered in the records the add-on writes to create one.
namespace HostRunner::AttributeEnumeration {

int32_t count(const ProjectStore &project, int32_t type, int32_t *count);
// The attribute record gets type, index and name (and a material's fields); a pen table's
// definition record gets a new handle of all its pens, which the caller releases.
int32_t get(const ProjectStore &project, int32_t type, int32_t index, void *attributeRecord,
            void *definitionRecord);

} // namespace HostRunner::AttributeEnumeration
