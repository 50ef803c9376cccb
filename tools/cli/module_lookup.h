// Finding the module a command names.
#pragma once

#include <string>

#include "core/catalogue/module_catalogue.h"

namespace lumora::cli {

// The Bible whose abbreviation is `name` (UTF-8, as typed), without regard
// to case; the Strong's-links twins, which are in no name list, included.
// Null when there is none.
const TLMBibleModule* FindBible(const TModuleCatalogue& catalogue, const std::string& name);

}  // namespace lumora::cli
