#include "core/catalogue/module_catalogue.h"

#include <algorithm>

namespace lumora {

TModuleCatalogue::TModuleCatalogue(FileSystem& fs) : fs_(fs) {}

TModuleCatalogue::~TModuleCatalogue() = default;

bool TModuleCatalogue::IsFileLoaded(const std::string& file_name) const {
  return loaded_files_.count(file_name) != 0;
}

void TModuleCatalogue::ScanBibleFolder(const std::string& folder) {
  Result<std::vector<std::string>> names = fs_.ListFiles(folder, kBibleFilePattern);
  if (!names.ok()) return;
  for (const std::string& name : *names) {
    if (IsFileLoaded(name)) continue;
    const std::string path = JoinPath(folder, name);
    Result<std::unique_ptr<TLMBibleModule>> opened = TLMBibleModule::Create(path, fs_);
    if (!opened.ok()) {
      skipped_.push_back({path, opened.status().message()});
      continue;
    }
    TLMBibleModule* bible = opened->get();
    bibles_.push_back(std::move(opened).value());
    loaded_files_.insert(name);
    bibles_by_abbreviation_.Add(bible->GetAbbreviation(), bible);
    names_in_use_.Add(bible->GetAbbreviation(), nullptr);
    names_in_use_.Add(bible->GetTitle(), nullptr);

    if (!bible->HasStrongs()) continue;
    // The twin opens the same path right after the first instance, so it
    // shares that mapping. If it fails, only the twin is missing.
    Result<std::unique_ptr<TLMBibleModule>> twin = TLMBibleModule::Create(path, fs_);
    if (!twin.ok()) {
      skipped_.push_back({path + " (Strong's links)", twin.status().message()});
      continue;
    }
    (*twin)->MakeStrongsLinksTwin(bible->GetTitle() + kStrongsLinksTitleSuffix,
                                  bible->GetAbbreviation() + kStrongsLinksAbbreviationSuffix);
    strongs_links_bible_ = twin->get();
    bibles_.push_back(std::move(twin).value());
  }
}

void TModuleCatalogue::SortBibles() {
  if (bibles_.size() < 2) return;
  std::stable_sort(bibles_.begin(), bibles_.end(), [](const auto& a, const auto& b) {
    return a->GetAbbreviation() < b->GetAbbreviation();  // byte-wise, with case
  });
  auto move_to = [this](const std::string& abbreviation, size_t place) {
    auto it = std::find_if(bibles_.begin(), bibles_.end(), [&](const auto& b) {
      return b->GetAbbreviation() == abbreviation;
    });
    if (it == bibles_.end()) return;
    const auto from = static_cast<size_t>(it - bibles_.begin());
    if (from > place)  // successive swaps keep the others in order
      std::rotate(bibles_.begin() + static_cast<std::ptrdiff_t>(place), it, it + 1);
  };
  move_to(kKjvAbbreviation, 0);
  if (bibles_.size() > 2)
    move_to(std::string(kKjvAbbreviation) + kStrongsLinksAbbreviationSuffix, 1);
  // Strong's searches, links and the lexicons' search footers go to the
  // KJV Bible's twin when there is one: the Bible whose numbering and
  // titles the program's references follow (the last twin made would be
  // whichever Strong's-numbered Bible sorts last by file name).
  for (const auto& b : bibles_) {
    if (b->IsStrongsLinks() &&
        b->GetAbbreviation() == std::string(kKjvAbbreviation) + kStrongsLinksAbbreviationSuffix)
      strongs_links_bible_ = b.get();
  }
}

Status TModuleCatalogue::LoadModules(const std::string& program_folder,
                                     const StatusReporter& report) {
  auto say = [&](const std::string& text) {
    if (report) report(text);
  };
  user_folder_ = JoinPath(program_folder, kUserFolder);

  say("Initializing Strong's Data");
  const std::string strongs_path = JoinPath(program_folder, kStrongsDataFileName);
  if (!fs_.FileExists(strongs_path))
    return Status::Error(ErrorKind::kNotFound, JoinPath(program_folder, kStrongsMissingMessage));
  Result<std::unique_ptr<TLMStrongsDataModule>> strongs =
      TLMStrongsDataModule::Create(strongs_path, fs_);
  if (!strongs.ok()) return strongs.status();
  strongs_data_ = std::move(strongs).value();

  say("Initializing Bibles");
  ScanBibleFolder(JoinPath(program_folder, kBiblesFolder));
  kjv_bible_ = nullptr;
  for (const auto& bible : bibles_)
    if (!bible->IsStrongsLinks() && bible->Header().abbreviation == kKjvAbbreviation) {
      kjv_bible_ = bible.get();
      break;
    }
  if (kjv_bible_ == nullptr) return Status::Error(ErrorKind::kNotFound, kKjvMissingMessage);
  SortBibles();

  say("Initializing Books");
  ScanBookFolder(JoinPath(program_folder, kBooksFolder));
  ScanBookFolder(user_folder_);
  SortBooks();
  say("Initializing Commentaries");
  ScanCommentaryFolder(JoinPath(program_folder, kCommentariesFolder));
  ScanCommentaryFolder(user_folder_);
  SortCommentaries();
  say("Initializing");
  UpdateVerseLinks(report);
  say("Initializing");
  return Status::Ok();
}

}  // namespace lumora
