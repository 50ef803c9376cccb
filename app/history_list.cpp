#include "app/history_list.h"

#include <algorithm>

namespace lumora {

HistoryList::HistoryList(std::string id, config::SettingsStorage& storage, config::MruList* shared)
    : id_(std::move(id)), storage_(storage), list_(shared != nullptr ? shared : &own_) {
  if (shared != nullptr) return;
  Result<std::unique_ptr<config::SettingsKey>> key = storage_.OpenForRead(config::kMruKey);
  if (key.ok()) own_ = config::ReadMru(**key, id_, problems_);
}

Status HistoryList::Push(std::string_view text) {
  if (text.empty()) return Status::Ok();
  const config::MruList before = *list_;
  config::PushMru(*list_, text);
  if (*list_ == before) return Status::Ok();
  return Save();
}

bool HistoryList::Remove(std::string_view text) {
  if (!config::RemoveMru(*list_, text)) return false;
  (void)Save();
  return true;
}

Status HistoryList::Save() {
  last_write_ = config::SaveMru(storage_, id_, *list_);
  return last_write_;
}

}  // namespace lumora
