// The synthetic modules the harnesses start from, built once per process
// with the module builder (never read from disk, so every target runs the
// same way everywhere): a Bible with Strong's numbers, brackets and
// footnotes, a compare Bible with its own font, Strong's data, the Hebrew
// and Greek Strong's Books, a Book of entry markup, a Commentary and a
// paragraph map. Texts sit in Genesis 1-2 and John 3; every other verse has
// none, so reading a whole module stays cheap.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/strongs_data.h"
#include "core/platform/memory/memory_file_system.h"
#include "core/refs/paragraph_map.h"

namespace lumora::fuzz {

// Verses with text in the template Bibles.
inline constexpr int kFirstTextVerse = 1;      // Genesis 1:1
inline constexpr int kLastGenesisVerse = 56;   // Genesis 2:25
inline constexpr int kFirstJohnVerse = 26122;  // John 3:1
inline constexpr int kLastJohnVerse = 26157;   // John 3:36

// The module files as bytes.
struct TemplateFiles {
  std::string bible;
  std::string compare;
  std::string strongs;
  std::string hebrew_book;
  std::string greek_book;
  std::string book;
  std::string commentary;
  std::string paragraphs;  // 31102 bytes
};

const TemplateFiles& Templates();

// The templates opened from one memory file system, for targets that read
// them as they are. Never destroyed (modules must not outlive the mapping
// cache of the process).
struct TemplateModules {
  MemoryFileSystem fs;
  std::unique_ptr<TLMBibleModule> bible;
  std::unique_ptr<TLMBibleModule> strongs_links;  // the Strong's-links twin
  std::unique_ptr<TLMBibleModule> compare;
  std::unique_ptr<TLMStrongsDataModule> strongs;
  std::unique_ptr<TLMDictionaryModule> hebrew_book;
  std::unique_ptr<TLMDictionaryModule> greek_book;
  std::unique_ptr<TLMDictionaryModule> book;
  std::unique_ptr<TLMCommentaryModule> commentary;
  ParagraphMap paragraphs;
};

const TemplateModules& Modules();

// Opens one file of `fs`; null when the module refuses it (the harnesses
// open damaged files on purpose).
std::unique_ptr<TLMBibleModule> OpenBible(MemoryFileSystem& fs, const std::string& path,
                                          const std::string& bytes);
std::unique_ptr<TLMDictionaryModule> OpenBook(MemoryFileSystem& fs, const std::string& path,
                                              const std::string& bytes,
                                              const std::string& user_folder = {});
std::unique_ptr<TLMCommentaryModule> OpenCommentary(MemoryFileSystem& fs, const std::string& path,
                                                    const std::string& bytes,
                                                    const std::string& user_folder = {});

}  // namespace lumora::fuzz
