// The history list of one text box: the values the user typed, most recent
// first, at most 25, kept in the "MRUs" key under the box's identifier
// (config/mru_list.h). A box writes its own list and nothing else, so two
// boxes (or the close sequence, which writes the configuration store's four
// lists) never overwrite each other's values.
//
// The four lists of the configuration store ("Export", "SearchBible",
// "SearchResource", "BigSearch") live in config::Properties, which loaded
// them at start and saves them at close; a box over one of them works on
// that list in place, so every box with the same identifier sees the same
// values. Any other identifier ("QuickJump") is read from the store when the
// box is made and kept here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/mru_list.h"
#include "config/settings_storage.h"
#include "core/status.h"

namespace lumora {

class HistoryList {
 public:
  // `shared`: the list to work on (the configuration store's); null: the
  // list of `id` is read from `storage` and kept here. Problems met while
  // reading are in Problems().
  HistoryList(std::string id, config::SettingsStorage& storage, config::MruList* shared = nullptr);

  const std::string& Id() const { return id_; }
  const config::MruList& Items() const { return *list_; }
  const std::vector<std::string>& Problems() const { return problems_; }

  // Moves `text` to the top (or inserts it there), keeps at most 25 items
  // and writes the list when it changed. Empty text changes nothing.
  Status Push(std::string_view text);
  // "Remove item from history list": drops `text` and writes the list;
  // false (nothing written) when it is not in the list.
  bool Remove(std::string_view text);
  // Writes the list (count, items, and no stale items past the count).
  Status Save();
  // The last write's result.
  const Status& LastWrite() const { return last_write_; }

 private:
  std::string id_;
  config::SettingsStorage& storage_;
  config::MruList own_;
  config::MruList* list_;
  std::vector<std::string> problems_;
  Status last_write_ = Status::Ok();
};

}  // namespace lumora
