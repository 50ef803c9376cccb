// The features outside the panes, each installed by one call: it binds its
// commands of the command table, installs its services into the window and
// connects to the start-up stages it needs. One line per feature.
#include "app/ui/authoring_feature.h"
#include "app/ui/big_search_feature.h"
#include "app/ui/bookmarks_feature.h"
#include "app/ui/copy_export_feature.h"
#include "app/ui/devotions_feature.h"
#include "app/ui/find_resource_feature.h"
#include "app/ui/help_feature.h"
#include "app/ui/images_feature.h"
#include "app/ui/main_window.h"
#include "app/ui/prefs_feature.h"
#include "app/ui/quick_jump_feature.h"
#include "app/ui/ref_sets_feature.h"
#include "app/ui/search_feature.h"
#include "app/ui/topic_guide_feature.h"

namespace lumora::ui {

void TMain::InstallFeatures() {
  InstallBookmarksFeature(*this);
  InstallQuickJump(*this);
  InstallImages(*this);
  InstallDevotions(*this);
  InstallHelp(*this);
  // The Help buttons of the copy, export and preferences dialogs open the
  // help window installed above.
  const auto show_help = [this](const QString& topic) { ShowHelpTopic(topic); };
  InstallCopyExport(*this)->show_help = show_help;
  InstallPreferencesDialog(*this)->show_help = show_help;
  InstallSearchFeature(*this);
  InstallFindResource(*this);
  // "Define Sets..." of the full search opens the reference set dialog.
  TRefSetsFeature* sets = InstallRefSets(*this);
  InstallBigSearch(*this)->define_sets = [sets] { return sets->Execute(); };
  InstallTopicGuide(*this);
  InstallAuthoringFeature(*this);
}

}  // namespace lumora::ui
