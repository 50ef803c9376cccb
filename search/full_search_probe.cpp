#include "search/full_search_probe.h"

#include "search/full_search_text.h"

namespace lumora {

FullSearchProbe ProbeFullSearchItem(const ModuleRef& module, int item,
                                    const FullSearchMatcher& matcher, const TLMBibleModule& kjv) {
  FullSearchProbe probe;
  if (module.kind == ModuleKind::kBook && item >= 0 && item < module.ItemCount() &&
      matcher.Occurs(module.book->EntryTitles()[static_cast<size_t>(item)])) {
    probe.state = FullSearchProbe::State::kTitleHit;
    return probe;
  }
  FullSearchItem text = FullSearchItemText(module, item, kjv);
  if (!text.present) return probe;
  if (text.damaged) {
    probe.state = FullSearchProbe::State::kDamaged;
    probe.damage = std::move(text.text);
    return probe;
  }
  probe.state = FullSearchProbe::State::kScanned;
  probe.bytes = static_cast<uint32_t>(text.text.size());
  probe.hit = static_cast<int32_t>(matcher.Match(text.text));
  return probe;
}

}  // namespace lumora
