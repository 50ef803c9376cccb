#include "fuzz/harness/harnesses.h"

namespace lumora::fuzz {
namespace {

constexpr Harness kHarnesses[] = {
    {"bible_module", FuzzBibleModule},         {"entry_module", FuzzEntryModule},
    {"strongs_data", FuzzStrongsData},         {"codecs", FuzzCodecs},
    {"reference_parser", FuzzReferenceParser}, {"renderers", FuzzRenderers},
    {"export", FuzzExport},                    {"href_preview", FuzzHrefPreview},
    {"settings_file", FuzzSettingsFile},       {"search", FuzzSearch},
};

}  // namespace

std::span<const Harness> AllHarnesses() { return kHarnesses; }

const Harness* FindHarness(std::string_view name) {
  for (const Harness& h : kHarnesses)
    if (name == h.name) return &h;
  return nullptr;
}

}  // namespace lumora::fuzz
