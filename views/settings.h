// TSettings: the process-wide settings (config::GlobalProperties()) as an
// observable object. Whoever changes settings while the program runs (a
// pane's toggle, the font-size commands, the preferences) commits the parts
// it changed; each pane re-renders only for its own parts. Made before the
// main window and destroyed after it.
#pragma once

#include <QObject>
#include <cstdint>

#include "config/properties.h"

namespace lumora::ui {

// What a change touched. Combine with |.
enum SettingsPart : uint32_t {
  kSettingsBibleView = 1u << 0,       // "BibleView ..." display record, chapter links
  kSettingsVerseListView = 1u << 1,   // "VerseListView ..."
  kSettingsDictView = 1u << 2,        // "DictView ..."
  kSettingsCommentView = 1u << 3,     // "CommentView ..."
  kSettingsTabs = 1u << 4,            // "RzTabs..." appearance, tab visible flags
  kSettingsLinking = 1u << 5,         // included-in-linking flags, "LinkMultipleVerses"
  kSettingsFormatting = 1u << 6,      // copy and export formatting
  kSettingsColors = 1u << 7,          // key highlight and other shared colours
  kSettingsBookmarks = 1u << 8,       // bookmark records and titles
  kSettingsHistoryLists = 1u << 9,    // the "MRUs" lists
  kSettingsOther = 1u << 10,          // start-up options and the rest
  kSettingsAll = 0xFFFFFFFFu,
};
using SettingsParts = uint32_t;

class TSettings : public QObject {
  Q_OBJECT

 public:
  explicit TSettings(QObject* parent = nullptr) : QObject(parent) {}

  config::Properties& Values() { return config::GlobalProperties(); }
  const config::Properties& Values() const { return config::GlobalProperties(); }

  // Announces a change of `parts` (after the values have been written).
  void Commit(SettingsParts parts) { Q_EMIT changed(parts); }

 Q_SIGNALS:
  void changed(lumora::ui::SettingsParts parts);
};

}  // namespace lumora::ui
