#pragma once

#include "host/api/hostapi.h"

#include <string>
#include <vector>

// What the host requires of the blocks an add-on hands over: records zero-filled before
// the add-on sets its fields, and text fields terminated within their width. Each check
// gives one readable line per problem, none for a sound block.
namespace HostRunner::RecordChecks {

// An attribute record as a query (type and name only), as the attribute to create (a
// material's fields too) or as the attribute to modify, which may also name the attribute
// by its index.
enum class AttributeUse { Query, Definition, Modification };

std::vector<std::string> attributeRecord(const void *record, AttributeUse use);
// The definition record of an attribute of that type: a pen table's handle only, else
// nothing at all.
std::vector<std::string> definitionRecord(const void *record, int32_t type);
// The pens of a pen table's handle, each at its position and carrying it as its index.
std::vector<std::string> penTable(const char *pens);
// The record of callbacks GetExportedFuncAddrs filled in, which it zeroes first.
std::vector<std::string> exportRecord(const void *record);
// What check-environment filled in.
std::vector<std::string> environmentRecord(const HostEnvironmentRecord &record);

} // namespace HostRunner::RecordChecks
