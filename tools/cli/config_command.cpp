#include "tools/cli/config_command.h"

#include <ostream>

#include "config/file_storage.h"
#include "config/properties.h"
#include "config/setting_table.h"
#include "core/text/comma_text.h"
#include "core/text/cp1252.h"

namespace lumora::cli {
namespace {

using config::LoadReport;
using config::Properties;

void Line(std::ostream& out, const std::string& name, const char* kind, const std::string& value,
          bool from_storage) {
  out << cp1252::ToUtf8(name) << '\t' << kind << '\t' << cp1252::ToUtf8(value) << '\t'
      << (from_storage ? "storage" : "default") << '\n';
}

void PrintAll(Properties& p, const LoadReport& report, std::ostream& out) {
  for (const auto& s : config::BindSettings(p))
    out << cp1252::ToUtf8(s->name()) << '\t' << s->Kind() << '\t' << cp1252::ToUtf8(s->ToText())
        << '\t' << (report.FromStorage(s->name()) ? "storage" : "default") << '\n';
  std::vector<std::string> names;
  for (const auto& set : p.ref_sets) names.push_back(set.name);
  const bool sets_stored = report.FromStorage("RefSets");
  Line(out, "RefSets", "list, sorted", FormatSettingsCommaText(names), sets_stored);
  for (size_t i = 0; i < p.ref_sets.size(); ++i)
    Line(out, "RefSet" + std::to_string(i), "list, sorted",
         FormatSettingsCommaText(p.ref_sets[i].members), sets_stored);
  Line(out, "BookMarkTitles", "list",
       FormatSettingsCommaText({p.bookmark_titles.begin(), p.bookmark_titles.end()}),
       report.FromStorage("BookMarkTitles"));
  for (size_t i = 0; i < config::kMruIds.size(); ++i) {
    const std::string name = "MRUs\\" + std::string(config::kMruIds[i]);
    Line(out, name, "list", FormatSettingsCommaText(p.mru[i]), report.FromStorage(name));
  }
}

int Set(config::SettingsStorage& storage, Properties& p, const std::string& name_utf8,
        const std::string& value_utf8, std::ostream& out, std::ostream& err) {
  const std::string name = cp1252::FromUtf8(name_utf8);
  const std::string value = cp1252::FromUtf8(value_utf8);
  const auto table = config::BindSettings(p);
  std::string stored_name;
  config::SettingsValue stored;
  std::string why;
  if (config::Setting* s = config::FindSetting(table, name)) {
    if (!s->FromText(value, why)) {
      err << "lumora-cli: " << s->name() << ": " << cp1252::ToUtf8(why) << '\n';
      return 2;
    }
    stored_name = s->name();
    stored = s->Encode();
  } else if (cp1252::EqualNoCase(name, "BookMarkTitles")) {
    const std::vector<std::string> titles = ParseSettingsCommaText(value);
    if (titles.size() != config::kBookmarkCount) {
      err << "lumora-cli: BookMarkTitles needs exactly 10 comma-separated titles\n";
      return 2;
    }
    stored_name = "BookMarkTitles";
    stored = config::SettingsValue::String(FormatSettingsCommaText(titles));
  } else {
    err << "lumora-cli: no setting named " << name_utf8
        << " (reference sets and history lists cannot be set here)\n";
    return 2;
  }
  Result<std::unique_ptr<config::SettingsKey>> key = storage.OpenForWrite(config::kSettingsKey);
  Status written = key.ok() ? (*key)->Write(stored_name, stored) : key.status();
  if (written.ok()) written = storage.Flush();
  if (!written.ok()) {
    err << "lumora-cli: " << config::kSaveFailedMessage << ' ' << cp1252::ToUtf8(written.message())
        << '\n';
    return 1;
  }
  out << cp1252::ToUtf8(stored_name) << " set\n";
  return 0;
}

}  // namespace

int RunConfig(config::SettingsStorage& storage, const std::vector<std::string>& arguments,
              std::ostream& out, std::ostream& err) {
  const bool set = !arguments.empty() && arguments[0] == "set";
  if (set ? arguments.size() != 3 : !arguments.empty()) {
    err << "usage: lumora-cli [--config FILE] config [set NAME VALUE]\n";
    return 2;
  }
  Properties p = config::DefaultProperties();
  const LoadReport report = config::LoadProperties(p, storage);
  for (const std::string& problem : report.problems)
    err << "lumora-cli: config: " << cp1252::ToUtf8(problem) << '\n';
  if (set) return Set(storage, p, arguments[1], arguments[2], out, err);
  PrintAll(p, report, out);
  return 0;
}

int RunConfigCommand(const CliOptions& options, std::ostream& out, std::ostream& err) {
  std::unique_ptr<config::SettingsStorage> storage =
      options.config_file.empty()
          ? config::MakeDefaultSettingsStorage()
          : std::make_unique<config::FileStorage>(DefaultFileSystem(), options.config_file);
  return RunConfig(*storage, options.arguments, out, err);
}

}  // namespace lumora::cli
