// Opening SWORD libraries and modules through libsword; shared by the Bible,
// Book and Commentary readers of lumora-import. Only files linked into the
// lumora-import executable include this header.
#pragma once

#include <swmgr.h>
#include <swmodule.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"
#include "tools/import/sword_source.h"

namespace lumora::import {

SwordModuleInfo DescribeSwordModule(const sword::SWModule& module);

// The system library (SWORD_PATH, ~/.sword, /usr/share/sword) when `path` is
// empty, else only that folder.
Result<std::unique_ptr<sword::SWMgr>> OpenSwordLibrary(const std::string& path);

// One module and the manager that owns it.
class OpenedSwordModule {
 public:
  OpenedSwordModule() = default;
  // A moved-from object owns no temporary folder any more.
  OpenedSwordModule(OpenedSwordModule&& other) noexcept { *this = std::move(other); }
  OpenedSwordModule& operator=(OpenedSwordModule&& other) noexcept;
  ~OpenedSwordModule();

  sword::SWModule& module() const { return *module_; }
  const SwordModuleInfo& info() const { return info_; }

 private:
  friend Result<OpenedSwordModule> OpenSwordModule(const std::string&, const std::string&,
                                                   std::vector<std::string>&);
  void Release();  // closes the module, removes the temporary folder

  std::unique_ptr<sword::SWMgr> manager_;
  sword::SWModule* module_ = nullptr;
  SwordModuleInfo info_;
  std::filesystem::path repair_folder_;  // removed with the object
};

// Opens module `name`. A module whose .conf names the zCom4 driver while its
// index files are zCom ones (10-byte records) reads garbage through zCom4;
// it is opened again through zCom from a temporary .conf, with a warning.
Result<OpenedSwordModule> OpenSwordModule(const std::string& library_path, const std::string& name,
                                          std::vector<std::string>& warnings);

// The entry text as UTF-8 (Latin-1 modules are converted).
std::string RawEntryUtf8(sword::SWModule& module);

// KJV verse index of a verse named in the KJV system, 0 when no KJV verse
// takes it. A verse number beyond the chapter joins the chapter's last verse.
int PlaceInKjv(std::string_view osis_book, int chapter, int verse);

}  // namespace lumora::import
