#include "config/properties.h"

#include <algorithm>

#include "config/setting_table.h"
#include "core/text/comma_text.h"
#include "core/text/cp1252.h"

namespace lumora::config {
namespace {

constexpr const char* kRefSetsName = "RefSets";
constexpr const char* kBookmarkTitlesName = "BookMarkTitles";

std::string RefSetName(size_t i) { return "RefSet" + std::to_string(i); }

std::string PaneFont(const FontInstalled& font_installed) {
  return font_installed && font_installed("Verdana") ? "Verdana" : "Arial";
}

// Reads one value for the loader: nullopt when absent or unreadable, the
// latter reported.
std::optional<SettingsValue> ReadValue(SettingsKey& key, const std::string& name,
                                       LoadReport& report) {
  Result<std::optional<SettingsValue>> v = key.Read(name);
  if (!v.ok()) {
    report.problems.push_back(name + ": " + v.status().message());
    return std::nullopt;
  }
  return std::move(*v);
}

// A list value as its items, or nullopt when absent or not a string (the
// latter reported).
std::optional<std::vector<std::string>> ReadList(SettingsKey& key, const std::string& name,
                                                 LoadReport& report) {
  std::optional<SettingsValue> v = ReadValue(key, name, report);
  if (!v) return std::nullopt;
  if (!v->Is(ValueType::kString)) {
    report.problems.push_back(name + ": wrong type (" + ValueTypeName(v->type) + ", not string)");
    return std::nullopt;
  }
  return ParseSettingsCommaText(v->bytes);
}

void LoadReferenceSets(Properties& p, SettingsKey& key, LoadReport& report) {
  std::optional<std::vector<std::string>> names = ReadList(key, kRefSetsName, report);
  if (!names || names->empty()) return;
  report.from_storage.push_back(kRefSetsName);
  // Members go with the name stored at the same position, before the names
  // are sorted, so a change in sort order can never swap two sets' members.
  std::vector<ReferenceSet> sets;
  for (size_t i = 0; i < names->size(); ++i) {
    ReferenceSet set{std::move((*names)[i]), {}};
    const std::string value_name = RefSetName(i);
    if (std::optional<std::vector<std::string>> members = ReadList(key, value_name, report)) {
      set.members = std::move(*members);
      SortUniqueNoCase(set.members);
      report.from_storage.push_back(value_name);
    }
    if (!set.name.empty()) sets.push_back(std::move(set));
  }
  std::stable_sort(sets.begin(), sets.end(), [](const ReferenceSet& a, const ReferenceSet& b) {
    return cp1252::CompareNoCase(a.name, b.name) < 0;
  });
  for (size_t i = 1; i < sets.size();) {
    if (cp1252::CompareNoCase(sets[i - 1].name, sets[i].name) == 0) {
      report.problems.push_back(std::string(kRefSetsName) + ": a second set named " + sets[i].name +
                                " was dropped");
      sets.erase(sets.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
  p.ref_sets = std::move(sets);
}

void LoadBookmarkTitles(Properties& p, SettingsKey& key, LoadReport& report) {
  std::optional<std::vector<std::string>> titles = ReadList(key, kBookmarkTitlesName, report);
  if (!titles) return;
  if (titles->size() != p.bookmark_titles.size()) {
    report.problems.push_back(std::string(kBookmarkTitlesName) + ": " +
                              std::to_string(titles->size()) + " titles, not 10");
    p.bookmark_titles.fill(std::string());
    return;
  }
  std::move(titles->begin(), titles->end(), p.bookmark_titles.begin());
  report.from_storage.push_back(kBookmarkTitlesName);
}

void LoadMruLists(Properties& p, SettingsStorage& storage, LoadReport& report) {
  Result<std::unique_ptr<SettingsKey>> key = storage.OpenForRead(kMruKey);
  if (!key.ok()) return;
  for (size_t i = 0; i < kMruIds.size(); ++i) {
    MruList list = ReadMru(**key, kMruIds[i], report.problems);
    if (list.empty()) continue;
    p.mru[i] = std::move(list);
    report.from_storage.push_back("MRUs\\" + std::string(kMruIds[i]));
  }
}

}  // namespace

Properties DefaultProperties(const FontInstalled& font_installed) {
  Properties p;
  p.bible_view.main_font = PaneFont(font_installed);
  p.verse_list_view.main_font = p.bible_view.main_font;
  p.dict_view.main_font = PaneFont(font_installed);
  p.comment_view.main_font = p.dict_view.main_font;
  return p;
}

Properties& GlobalProperties() {
  static Properties properties = DefaultProperties();
  return properties;
}

void InitGlobalProperties(const FontInstalled& font_installed) {
  GlobalProperties() = DefaultProperties(font_installed);
}

bool LoadReport::FromStorage(std::string_view name) const {
  return std::any_of(from_storage.begin(), from_storage.end(),
                     [&](const std::string& n) { return cp1252::EqualNoCase(n, name); });
}

LoadReport LoadProperties(Properties& p, SettingsStorage& storage) {
  LoadReport report;
  Result<std::unique_ptr<SettingsKey>> opened = storage.OpenForRead(kSettingsKey);
  report.problems = storage.Problems();
  if (!opened.ok()) {
    if (opened.status().kind() != ErrorKind::kNotFound)
      report.problems.push_back(opened.status().message());
    return report;
  }
  report.key_found = true;
  SettingsKey& key = **opened;
  // Table order reads "SaveWindowStates" before the values it guards. A bad
  // value is skipped and the load goes on: stopping would leave the values
  // after it at their defaults, and the save at close would overwrite them.
  for (const std::unique_ptr<Setting>& setting : BindSettings(p)) {
    if (setting->window_state_group() && !p.save_window_states) continue;
    std::optional<SettingsValue> v = ReadValue(key, setting->name(), report);
    if (!v) continue;
    std::string why;
    if (setting->Decode(*v, why)) {
      report.from_storage.push_back(setting->name());
    } else if (!why.empty()) {
      report.problems.push_back(setting->name() + ": " + why);
    }
  }
  LoadReferenceSets(p, key, report);
  LoadBookmarkTitles(p, key, report);
  LoadMruLists(p, storage, report);
  return report;
}

Status SaveProperties(const Properties& p, SettingsStorage& storage, std::string* detail) {
  auto failed = [&](const Status& s) {
    if (detail) *detail = s.message();
    return Status::Error(ErrorKind::kIo, kSaveFailedMessage);
  };
  Result<std::unique_ptr<SettingsKey>> opened = storage.OpenForWrite(kSettingsKey);
  if (!opened.ok()) return failed(opened.status());
  SettingsKey& key = **opened;
  // Every value is attempted; the first failure is the one reported.
  Status first = Status::Ok();
  auto note = [&](Status s) {
    if (first.ok() && !s.ok()) first = std::move(s);
  };
  // The table binds fields for reading and writing; saving only reads them.
  Properties& fields = const_cast<Properties&>(p);
  for (const std::unique_ptr<Setting>& setting : BindSettings(fields))
    note(key.Write(setting->name(), setting->Encode()));

  // "RefSet" + i must follow the names in their written order.
  std::vector<ReferenceSet> sets = p.ref_sets;
  std::stable_sort(sets.begin(), sets.end(), [](const ReferenceSet& a, const ReferenceSet& b) {
    return cp1252::CompareNoCase(a.name, b.name) < 0;
  });
  std::vector<std::string> names;
  for (const ReferenceSet& set : sets) names.push_back(set.name);
  note(key.Write(kRefSetsName, SettingsValue::String(FormatSettingsCommaText(names))));
  for (size_t i = 0; i < sets.size(); ++i) {
    std::vector<std::string> members = sets[i].members;
    SortUniqueNoCase(members);
    note(key.Write(RefSetName(i), SettingsValue::String(FormatSettingsCommaText(members))));
  }
  const std::vector<std::string> titles(p.bookmark_titles.begin(), p.bookmark_titles.end());
  note(key.Write(kBookmarkTitlesName, SettingsValue::String(FormatSettingsCommaText(titles))));

  Result<std::unique_ptr<SettingsKey>> mru_key = storage.OpenForWrite(kMruKey);
  if (mru_key.ok()) {
    for (size_t i = 0; i < kMruIds.size(); ++i) note(WriteMru(**mru_key, kMruIds[i], p.mru[i]));
  } else {
    note(mru_key.status());
  }
  note(storage.Flush());
  return first.ok() ? Status::Ok() : failed(first);
}

SettingsStorage& GlobalSettingsStorage() {
  static std::unique_ptr<SettingsStorage> storage = MakeDefaultSettingsStorage();
  return *storage;
}

LoadReport LoadProperties() { return LoadProperties(GlobalProperties(), GlobalSettingsStorage()); }

Status SaveProperties() { return SaveProperties(GlobalProperties(), GlobalSettingsStorage()); }

void RunHelpHousekeeping(Properties& p, FileSystem& fs, const std::string& program_folder) {
  if (p.help_ver < kHelpVersion) {
    const std::string index = JoinPath(program_folder, "Lumora4.GID");
    if (fs.FileExists(index)) (void)fs.Remove(index);
  }
  p.help_ver = kHelpVersion;
}

}  // namespace lumora::config
