// The synthetic devotional sample: "devotion.dys" with a morning and an
// evening reading for each of the 366 days of a leap year, and the "SME"
// Commentary "Synthetic Morning and Evening Readings (sample)" whose entry
// at each reading's verse holds the reading's "MM/DD/AM" or "MM/DD/PM"
// heading and the verse's text from the KJV. The readings walk through the
// Bible; the evening reading of 12/25 shares the morning's verse, so one
// entry holds two readings. Made by scripts/sample-library.sh and by the
// tests; none of it is program data.
#pragma once

#include <string>
#include <vector>

#include "core/modules/bible_module.h"
#include "core/status.h"
#include "tools/builder/entry_builders.h"

namespace lumora::builder {

inline constexpr const char* kSyntheticDevotionalTitle =
    "Synthetic Morning and Evening Readings (sample)";
inline constexpr const char* kSyntheticDevotionalAbbreviation = "SME";

struct DevotionSample {
  int month = 1;
  int day = 1;
  bool morning = true;
  int verse = 1;  // verse index
};

// The 732 readings, in date order (morning before evening).
std::vector<DevotionSample> SyntheticDevotionReadings();

// "devotion.dys": a title line (which the reader skips, as any line that is
// not a reading), then "MM/DD/AM/hhhh" lines with the reference after them,
// CR LF line ends.
std::string DevotionIndexText(const std::vector<DevotionSample>& readings,
                              const TLMBibleModule& kjv);

// The "SME" Commentary of the readings; verse texts come from `kjv`.
CommentarySource SyntheticDevotionalCommentary(const std::vector<DevotionSample>& readings,
                                               const TLMBibleModule& kjv);

// Writes library_folder/devotion.dys and library_folder/Commentaries/SME.lmc.
Status WriteSyntheticDevotionals(const TLMBibleModule& kjv, const std::string& library_folder);

}  // namespace lumora::builder
