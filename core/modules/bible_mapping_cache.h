// The process-wide memory of the Bible file mapped last. A Bible opened
// right after itself (the Strong's-links twin) shares that mapping instead of
// opening the file a second time.
#pragma once

#include <memory>
#include <string>

#include "core/platform/file_system.h"

namespace lumora {

class BibleMappingCache {
 public:
  static BibleMappingCache& Instance();

  // Mapping name of a path: every "\" replaced by ".".
  static std::string MappingName(const std::string& path);

  // The cached view and header for `name` on `fs`, or null when the cache
  // holds another file or the cached mapping has been released since.
  std::shared_ptr<const MappedFile> Find(const FileSystem* fs, const std::string& name,
                                         std::string* header) const;
  void Remember(const FileSystem* fs, const std::string& name,
                std::shared_ptr<const MappedFile> mapping, std::string header);
  void Clear();

 private:
  const FileSystem* fs_ = nullptr;
  std::string name_;
  // Weak: the cache never keeps a file open that no module uses.
  std::weak_ptr<const MappedFile> mapping_;
  std::string header_;
};

}  // namespace lumora
