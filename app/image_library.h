// The illustrations installed below the program's "Images" folder: a tree of
// folders and image files ("*.png", "*.jpg", "*.jpeg", extensions in any
// case) and the index of their link names, which "lmimage:" links name.
//
// A link name is the path below the scanned folder with "/" separators
// ("Easton/aaron.jpg" for an image, "Easton" for a folder); the scanned
// folder itself is "Images". Link names are looked up without regard to case
// and with "\" taken for "/".
//
// The scan never follows a link to a folder (a link loop cannot trap it)
// and goes at most kMaxImageFolderDepth folders deep. Siblings are sorted by
// title (cp1252::LessNoCaseThenBytes); of two names in one folder that are
// equal but for case, the first in that order is kept and the other left out
// with everything below it, so every link name names one node. A folder that
// cannot be listed scans as empty. Names are UTF-8, as the file system gives
// them.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/platform/file_system.h"

namespace lumora {

inline constexpr int kMaxImageFolderDepth = 16;
inline constexpr const char* kImagesFolderName = "Images";

struct ImageNode {
  // An image: its file name without the extension (a name whose only "."
  // is its first character is kept whole). A folder: the folder's name
  // ("Images" for the scanned folder).
  std::string title;
  std::string link_name;
  // The image file's full path; empty for a folder.
  std::string file;
  std::vector<ImageNode> children;

  bool IsFolder() const { return file.empty(); }
};

// True for a file name with an image extension the viewer shows.
bool IsImageFileName(std::string_view name);
// The index key of a link name: "\" as "/", letters folded to one case.
std::string FoldImageLinkName(std::string_view link_name);

class ImageLibrary {
 public:
  ImageLibrary();
  ImageLibrary(ImageLibrary&&) noexcept;
  ImageLibrary& operator=(ImageLibrary&&) noexcept;
  ~ImageLibrary();

  // Scans `folder` and everything below it. A folder that does not exist
  // gives an empty library.
  static ImageLibrary Scan(FileSystem& fs, const std::string& folder,
                           int max_depth = kMaxImageFolderDepth);

  const ImageNode& Root() const { return *root_; }
  // Number of image files in the tree.
  int ImageCount() const { return image_count_; }
  // The node of a link name (see above); null when there is none.
  const ImageNode* Find(std::string_view link_name) const;
  // Folders that have children, the scanned folder excepted, in tree order
  // (each before the folders below it): the "Images" menu's items.
  std::vector<const ImageNode*> MenuFolders() const;

 private:
  void IndexTree(const ImageNode& node);

  std::unique_ptr<ImageNode> root_;
  int image_count_ = 0;
  std::unordered_map<std::string, const ImageNode*> index_;
};

}  // namespace lumora
