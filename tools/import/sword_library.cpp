#include "tools/import/sword_library.h"

#include <swlog.h>

#include <fstream>
#include <random>
#include <unordered_map>
#include <utility>

#include "core/text/utf8.h"
#include "tools/builder/kjv_versification.h"

namespace lumora::import {
namespace {

std::string ConfigEntry(const sword::SWModule& module, const char* key) {
  const char* value = module.getConfigEntry(key);
  return value ? value : "";
}

std::string Latin1ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(static_cast<char>(0xC0 | (b >> 6)));
      out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t at = i;
    if (DecodeUtf8(text, i) == 0xFFFD && i == at + 1) return false;
  }
  return true;
}

// True when the module's verse index files hold 10-byte (zCom) records
// although its driver reads 12-byte (zCom4) ones.
bool HasZComIndexUnderZCom4(const sword::SWModule& module) {
  if (ConfigEntry(module, "ModDrv") != "zCom4") return false;
  const std::filesystem::path data = ConfigEntry(module, "AbsoluteDataPath");
  bool any = false;
  for (const char* index : {"ot.bzv", "nt.bzv"}) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(data / index, ec);
    if (ec || size == 0) continue;
    if (size % 12 == 0 || size % 10 != 0) return false;
    any = true;
  }
  return any;
}

// A one-module library whose .conf reads the same data through zCom.
Result<std::filesystem::path> WriteZComRepair(const sword::SWModule& module) {
  std::error_code ec;
  std::random_device random;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path(ec) / ("lumora-sword-" + std::to_string(random()));
  if (ec) return Status::Error(ErrorKind::kIo, "no temporary folder: " + ec.message());
  std::filesystem::create_directories(folder / "mods.d", ec);
  if (!ec)
    std::filesystem::create_directory_symlink(ConfigEntry(module, "AbsoluteDataPath"),
                                              folder / "data", ec);
  if (ec)
    return Status::Error(ErrorKind::kIo, "cannot prepare " + folder.string() + ": " + ec.message());
  std::ofstream conf(folder / "mods.d" / "module.conf");
  conf << '[' << module.getName() << "]\nDataPath=./data/\nModDrv=zCom\n";
  for (const char* key : {"SourceType", "Encoding", "CompressType", "BlockType", "Versification",
                          "Lang", "Description", "Category"}) {
    const std::string value = ConfigEntry(module, key);
    if (!value.empty()) conf << key << '=' << value << '\n';
  }
  conf.close();
  if (!conf) return Status::Error(ErrorKind::kIo, "cannot write " + folder.string());
  return folder;
}

}  // namespace

SwordModuleInfo DescribeSwordModule(const sword::SWModule& module) {
  SwordModuleInfo info;
  info.name = module.getName() ? module.getName() : "";
  info.description = module.getDescription() ? module.getDescription() : "";
  info.type = module.getType() ? module.getType() : "";
  info.versification = ConfigEntry(module, "Versification");
  if (info.versification.empty()) info.versification = "KJV";
  info.source_type = ConfigEntry(module, "SourceType");
  if (info.source_type.empty()) info.source_type = "Plain";
  info.language = ConfigEntry(module, "Lang");
  return info;
}

Result<std::unique_ptr<sword::SWMgr>> OpenSwordLibrary(const std::string& path) {
  // Mapping lookups log a warning for every chapter without special rules.
  sword::SWLog::getSystemLog()->setLogLevel(sword::SWLog::LOG_ERROR);
  if (path.empty()) return std::make_unique<sword::SWMgr>();
  std::error_code ec;
  if (!std::filesystem::is_directory(path, ec))
    return Status::Error(ErrorKind::kNotFound, "SWORD library folder not found: " + path);
  // Only the given folder: no modules from ~/.sword mixed in.
  return std::make_unique<sword::SWMgr>(path.c_str(), true, nullptr, false, false);
}

OpenedSwordModule& OpenedSwordModule::operator=(OpenedSwordModule&& other) noexcept {
  if (this != &other) {
    Release();
    manager_ = std::move(other.manager_);
    module_ = std::exchange(other.module_, nullptr);
    info_ = std::move(other.info_);
    repair_folder_ = std::exchange(other.repair_folder_, {});
  }
  return *this;
}

OpenedSwordModule::~OpenedSwordModule() { Release(); }

void OpenedSwordModule::Release() {
  module_ = nullptr;
  manager_.reset();
  if (!repair_folder_.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(repair_folder_, ec);
    repair_folder_.clear();
  }
}

Result<OpenedSwordModule> OpenSwordModule(const std::string& library_path, const std::string& name,
                                          std::vector<std::string>& warnings) {
  auto library = OpenSwordLibrary(library_path);
  if (!library.ok()) return library.status();
  OpenedSwordModule opened;
  opened.manager_ = std::move(library).value();
  opened.module_ = opened.manager_->getModule(name.c_str());
  if (opened.module_ == nullptr)
    return Status::Error(ErrorKind::kNotFound,
                         "no SWORD module named \"" + name + "\" (see \"lumora-import list\")");
  opened.info_ = DescribeSwordModule(*opened.module_);
  const char* cipher = opened.module_->getConfigEntry("CipherKey");
  if (cipher && !*cipher)
    return Status::Error(ErrorKind::kInvalidArgument, name + " is locked (no cipher key)");
  if (!HasZComIndexUnderZCom4(*opened.module_)) return opened;

  auto folder = WriteZComRepair(*opened.module_);
  if (!folder.ok()) return folder.status();
  opened.repair_folder_ = *folder;
  opened.module_ = nullptr;
  opened.manager_ = std::make_unique<sword::SWMgr>(folder->c_str(), true, nullptr, false, false);
  opened.module_ = opened.manager_->getModule(name.c_str());
  if (opened.module_ == nullptr)
    return Status::Error(ErrorKind::kInvalidArgument,
                         name + ": the zCom reading of its data failed");
  warnings.push_back(name +
                     ": the .conf names the zCom4 driver but the index files are zCom ones;"
                     " read through zCom");
  return opened;
}

std::string RawEntryUtf8(sword::SWModule& module) {
  const char* raw = module.getRawEntry();
  const std::string_view entry = raw ? std::string_view(raw) : std::string_view();
  // Some modules hold UTF-8 without saying so in their .conf (the Strong's
  // Hebrew lexicon); Latin-1 text is almost never valid UTF-8 by accident.
  return module.isUnicode() || IsValidUtf8(entry) ? std::string(entry) : Latin1ToUtf8(entry);
}

int PlaceInKjv(std::string_view osis_book, int chapter, int verse) {
  static const std::unordered_map<std::string_view, int> kBooks = [] {
    std::unordered_map<std::string_view, int> books;
    const auto& kjv = builder::KjvBooks();
    for (size_t b = 0; b < kjv.size(); ++b)
      books.emplace(kjv[b].osis_name, static_cast<int>(b + 1));
    return books;
  }();
  const auto it = kBooks.find(osis_book);
  if (it == kBooks.end()) return 0;
  const auto& chapters =
      builder::KjvBooks()[static_cast<size_t>(it->second - 1)].verses_per_chapter;
  if (chapter < 1 || chapter > static_cast<int>(chapters.size())) return 0;
  verse = std::max(1, std::min(verse, chapters[static_cast<size_t>(chapter - 1)]));
  return builder::KjvVerseIndex(it->second, chapter, verse);
}

}  // namespace lumora::import
