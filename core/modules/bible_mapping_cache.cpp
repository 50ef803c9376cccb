#include "core/modules/bible_mapping_cache.h"

namespace lumora {

BibleMappingCache& BibleMappingCache::Instance() {
  static BibleMappingCache cache;
  return cache;
}

std::string BibleMappingCache::MappingName(const std::string& path) {
  std::string name = path;
  for (char& c : name)
    if (c == '\\') c = '.';
  return name;
}

std::shared_ptr<const MappedFile> BibleMappingCache::Find(const FileSystem* fs,
                                                          const std::string& name,
                                                          std::string* header) const {
  if (fs != fs_ || name != name_) return nullptr;
  std::shared_ptr<const MappedFile> mapping = mapping_.lock();
  if (mapping && header != nullptr) *header = header_;
  return mapping;
}

void BibleMappingCache::Remember(const FileSystem* fs, const std::string& name,
                                 std::shared_ptr<const MappedFile> mapping, std::string header) {
  fs_ = fs;
  name_ = name;
  mapping_ = mapping;
  header_ = std::move(header);
}

void BibleMappingCache::Clear() {
  fs_ = nullptr;
  name_.clear();
  mapping_.reset();
  header_.clear();
}

}  // namespace lumora
