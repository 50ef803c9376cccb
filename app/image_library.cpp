#include "app/image_library.h"

#include <algorithm>
#include <unordered_set>

#include "core/text/cp1252.h"
#include "core/text/utf8.h"

namespace lumora {
namespace {

bool ImageEndsWithNoCase(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         cp1252::EqualNoCase(name.substr(name.size() - suffix.size()), suffix);
}

std::string ImageTitleOf(std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::string(name);
  return std::string(name.substr(0, dot));
}

std::string ImageChildLink(const std::string& parent_link, const std::string& name, bool root) {
  return root ? name : parent_link + "/" + name;
}

struct ListedImageName {
  std::string name;
  bool folder = false;
};

// The folder's sub-folders (while the depth allows) and image files, in
// name order, without names equal but for case to one before them.
std::vector<ListedImageName> ListImageFolderNames(FileSystem& fs, const std::string& path, bool folders) {
  std::vector<ListedImageName> listed;
  if (folders) {
    if (Result<std::vector<std::string>> names = fs.ListFolders(path); names.ok())
      for (std::string& n : names.value()) listed.push_back({std::move(n), true});
  }
  if (Result<std::vector<std::string>> names = fs.ListFiles(path, ""); names.ok())
    for (std::string& n : names.value())
      if (IsImageFileName(n)) listed.push_back({std::move(n), false});
  std::stable_sort(listed.begin(), listed.end(), [](const ListedImageName& a, const ListedImageName& b) {
    return cp1252::LessNoCaseThenBytes(a.name, b.name);
  });
  std::unordered_set<std::string> seen;
  std::vector<ListedImageName> kept;
  for (ListedImageName& n : listed)
    if (seen.insert(FoldImageLinkName(n.name)).second) kept.push_back(std::move(n));
  return kept;
}

void ScanImageFolder(FileSystem& fs, const std::string& path, int depth, int max_depth, bool root,
                ImageNode& node, int& count) {
  for (ListedImageName& n : ListImageFolderNames(fs, path, depth < max_depth)) {
    ImageNode child;
    child.link_name = ImageChildLink(node.link_name, n.name, root);
    if (n.folder) {
      child.title = n.name;
      ScanImageFolder(fs, JoinPath(path, n.name), depth + 1, max_depth, false, child, count);
    } else {
      child.title = ImageTitleOf(n.name);
      child.file = JoinPath(path, n.name);
      ++count;
    }
    node.children.push_back(std::move(child));
  }
  // The order the tree shows: by title; a folder before an image of the
  // same title.
  std::stable_sort(node.children.begin(), node.children.end(),
                   [](const ImageNode& a, const ImageNode& b) {
                     if (cp1252::EqualNoCase(a.title, b.title) && a.IsFolder() != b.IsFolder())
                       return a.IsFolder();
                     return cp1252::LessNoCaseThenBytes(a.title, b.title);
                   });
}

void CollectImageMenuFolders(const ImageNode& node, bool root, std::vector<const ImageNode*>& out) {
  if (!node.IsFolder()) return;
  if (!root && !node.children.empty()) out.push_back(&node);
  for (const ImageNode& child : node.children) CollectImageMenuFolders(child, false, out);
}

}  // namespace

bool IsImageFileName(std::string_view name) {
  return ImageEndsWithNoCase(name, ".png") || ImageEndsWithNoCase(name, ".jpg") ||
         ImageEndsWithNoCase(name, ".jpeg");
}

std::string FoldImageLinkName(std::string_view link_name) {
  std::string out;
  out.reserve(link_name.size());
  size_t i = 0;
  while (i < link_name.size()) {
    char32_t cp = DecodeUtf8(link_name, i);
    if (cp == U'\\') cp = U'/';
    // Letters of the stored texts' code page fold as the program folds them
    // everywhere; other letters are left as they are.
    if (const int b = cp1252::FromCodePoint(cp); b >= 0)
      cp = cp1252::ToCodePoint(cp1252::Upper(static_cast<unsigned char>(b)));
    AppendUtf8(out, cp);
  }
  return out;
}

ImageLibrary::ImageLibrary() : root_(std::make_unique<ImageNode>()) {
  root_->title = kImagesFolderName;
  root_->link_name = kImagesFolderName;
  IndexTree(*root_);
}
ImageLibrary::ImageLibrary(ImageLibrary&&) noexcept = default;
ImageLibrary& ImageLibrary::operator=(ImageLibrary&&) noexcept = default;
ImageLibrary::~ImageLibrary() = default;

ImageLibrary ImageLibrary::Scan(FileSystem& fs, const std::string& folder, int max_depth) {
  ImageLibrary library;
  library.index_.clear();
  if (fs.FolderExists(folder))
    ScanImageFolder(fs, folder, 0, max_depth, true, *library.root_, library.image_count_);
  library.IndexTree(*library.root_);
  return library;
}

void ImageLibrary::IndexTree(const ImageNode& node) {
  // The scan left out names equal but for case, so a key repeats only for
  // a folder "Images" right below the scanned one: the scanned one keeps it.
  index_.emplace(FoldImageLinkName(node.link_name), &node);
  for (const ImageNode& child : node.children) IndexTree(child);
}

const ImageNode* ImageLibrary::Find(std::string_view link_name) const {
  const auto it = index_.find(FoldImageLinkName(link_name));
  return it == index_.end() ? nullptr : it->second;
}

std::vector<const ImageNode*> ImageLibrary::MenuFolders() const {
  std::vector<const ImageNode*> folders;
  CollectImageMenuFolders(*root_, true, folders);
  return folders;
}

}  // namespace lumora
