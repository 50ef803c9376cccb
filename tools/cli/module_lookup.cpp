#include "tools/cli/module_lookup.h"

#include "core/text/cp1252.h"

namespace lumora::cli {

const TLMBibleModule* FindBible(const TModuleCatalogue& catalogue, const std::string& name) {
  const std::string wanted = cp1252::FromUtf8(name);
  for (const auto& bible : catalogue.Bibles())
    if (cp1252::EqualNoCase(bible->GetAbbreviation(), wanted)) return bible.get();
  return nullptr;
}

}  // namespace lumora::cli
