#include "config/mru_list.h"

#include <algorithm>

namespace lumora::config {
namespace {

std::string CountName(std::string_view id) { return std::string(id) + "_Count"; }
std::string ItemName(std::string_view id, int i) {
  return std::string(id) + "_Item" + std::to_string(i);
}

}  // namespace

void PushMru(MruList& list, std::string_view text) {
  if (text.empty()) return;
  std::erase(list, text);
  list.insert(list.begin(), std::string(text));
  if (list.size() > static_cast<size_t>(kMruMax)) list.resize(kMruMax);
}

bool RemoveMru(MruList& list, std::string_view text) { return std::erase(list, text) > 0; }

MruList ReadMru(SettingsKey& key, std::string_view id, std::vector<std::string>& problems) {
  MruList list;
  const std::string count_name = CountName(id);
  Result<std::optional<SettingsValue>> count_value = key.Read(count_name);
  if (!count_value.ok()) {
    problems.push_back("MRUs\\" + count_name + ": " + count_value.status().message());
    return list;
  }
  if (!count_value->has_value()) return list;
  const SettingsValue& cv = **count_value;
  if (!cv.Is(ValueType::kDword) || !cv.IsWellFormed()) {
    problems.push_back("MRUs\\" + count_name + ": wrong type (" + ValueTypeName(cv.type) + ")");
    return list;
  }
  int count = cv.AsDword();
  if (count < 0 || count > kMruMax) {
    problems.push_back("MRUs\\" + count_name + ": " + std::to_string(count) + " is outside 0.." +
                       std::to_string(kMruMax));
    count = std::clamp(count, 0, kMruMax);
  }
  for (int i = 0; i < count; ++i) {
    const std::string name = ItemName(id, i);
    Result<std::optional<SettingsValue>> item = key.Read(name);
    if (!item.ok()) {
      problems.push_back("MRUs\\" + name + ": " + item.status().message());
      continue;
    }
    if (!item->has_value()) continue;
    if (!(*item)->Is(ValueType::kString)) {
      problems.push_back("MRUs\\" + name + ": wrong type (" + ValueTypeName((*item)->type) + ")");
      continue;
    }
    const std::string& text = (*item)->bytes;
    if (text.empty() || std::find(list.begin(), list.end(), text) != list.end()) continue;
    list.push_back(text);
  }
  return list;
}

Status WriteMru(SettingsKey& key, std::string_view id, const MruList& list) {
  const int count = static_cast<int>(std::min(list.size(), static_cast<size_t>(kMruMax)));
  if (Status s = key.Write(CountName(id), SettingsValue::Dword(count)); !s.ok()) return s;
  for (int i = 0; i < count; ++i)
    if (Status s = key.Write(ItemName(id, i), SettingsValue::String(list[i])); !s.ok()) return s;
  for (int i = count; i < kMruMax; ++i)
    if (Status s = key.Delete(ItemName(id, i)); !s.ok()) return s;
  return Status::Ok();
}

Status SaveMru(SettingsStorage& storage, std::string_view id, const MruList& list) {
  Result<std::unique_ptr<SettingsKey>> key = storage.OpenForWrite(kMruKey);
  if (!key.ok()) return key.status();
  if (Status s = WriteMru(**key, id, list); !s.ok()) return s;
  return storage.Flush();
}

}  // namespace lumora::config
