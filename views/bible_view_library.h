// Hands the Bible view the modules of a loaded catalogue: the Bibles in
// catalogue order (the KJV Bible as the reference), the Commentaries and
// Books its links and menus refer to, the Strong's Books and data and the
// paragraph map. Start-up, the widget tests and the benchmarks share it, so
// they all see the pane wired the same way.
#pragma once

#include <string>
#include <vector>

#include "core/catalogue/module_catalogue.h"
#include "core/refs/paragraph_map.h"
#include "views/bible_view.h"

namespace lumora::ui {

// `paragraphs` may be null (no paragraph marks); it must outlive the view,
// as must the catalogue.
void AttachCatalogue(TFrameBibleView& view, const TModuleCatalogue& catalogue,
                     const ParagraphMap* paragraphs,
                     const std::vector<std::string>& excluded_from_linking);

}  // namespace lumora::ui
