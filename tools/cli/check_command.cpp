#include "tools/cli/check_command.h"

#include <memory>
#include <string_view>
#include <vector>

#include "core/catalogue/module_catalogue.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/modules/strongs_data.h"
#include "core/modules/verse_links.h"
#include "core/refs/paragraph_map.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "tools/cli/check_report.h"
#include "tools/cli/sample_library_checks.h"

namespace lumora::cli {
namespace {

constexpr std::string_view kNonFatal = "[Non-fatal internal error";
constexpr int kBookCount = 66;

bool IsNonFatal(std::string_view text) { return text.substr(0, kNonFatal.size()) == kNonFatal; }

using Report = CheckReport;

std::string Count(size_t n, const char* what) { return CountOf(n, what); }

// Compares a module's stored verse-link index with a fresh scan.
template <class Module>
void CheckVerseLinks(const Module& module, const VerseLinkIndex& fresh, Report& r) {
  if (module.NeedsVerseLinkRebuild()) {
    r.Fact("verse-link index stale (rebuilt at start-up)");
    return;
  }
  size_t wrong = 0;
  int first_wrong = 0;
  for (int v = 0; v < kVerseCount; ++v) {
    if (module.GetVerseEntries(v) == fresh.Entries(v)) continue;
    if (wrong++ == 0) first_wrong = v + 1;
  }
  if (wrong)
    r.Fault("verse-link index differs from the entries on " + Count(wrong, "verses") +
            " (first: verse index " + std::to_string(first_wrong) + ")");
  else
    r.Fact(Count(fresh.PostingCount(), "verse links"));
}

// The number a Strong's Book title starts with, or 0.
int LeadingNumber(std::string_view title) {
  int n = 0;
  size_t k = 0;
  for (; k < title.size() && k < 5 && title[k] >= '0' && title[k] <= '9'; ++k)
    n = n * 10 + (title[k] - '0');
  return k == 0 ? 0 : n;
}

class Checker {
 public:
  Checker(const std::string& folder, std::ostream& out, FileSystem& fs)
      : folder_(folder), out_(out), fs_(fs), user_folder_(JoinPath(folder, kUserFolder)) {}

  int Run() {
    if (!fs_.FolderExists(folder_)) {
      Report r;
      r.Fault("no such folder");
      r.Print(out_, folder_);
      return 1;
    }
    bool any_folder = false;
    for (const char* f : {kBiblesFolder, kBooksFolder, kCommentariesFolder, kUserFolder})
      any_folder = any_folder || fs_.FolderExists(JoinPath(folder_, f));
    if (!any_folder) {
      Report r;
      r.Fault("no Bibles, Books, Commentaries or User folder");
      r.Print(out_, folder_);
      return 1;
    }
    sample_ = IsSampleLibrary(folder_, fs_);
    // Bibles first: the KJV gives the Commentary title lines.
    ForEach(kBiblesFolder, kBibleFilePattern, [&](const std::string& p) { return Bible(p); });
    ForEach(kBooksFolder, kBookFilePattern, [&](const std::string& p) { return Book(p); });
    ForEach(kUserFolder, kBookFilePattern, [&](const std::string& p) { return Book(p); });
    ForEach(kCommentariesFolder, kCommentaryFilePattern,
            [&](const std::string& p) { return Commentary(p); });
    ForEach(kUserFolder, kCommentaryFilePattern,
            [&](const std::string& p) { return Commentary(p); });
    Emit(kStrongsDataFileName, StrongsData(JoinPath(folder_, kStrongsDataFileName)));
    if (fs_.FileExists(JoinPath(folder_, kParagraphMapFileName)))
      Emit(kParagraphMapFileName, ParagraphMapFile(JoinPath(folder_, kParagraphMapFileName)));
    return faults_ ? 1 : 0;
  }

 private:
  template <class Fn>
  void ForEach(const char* sub, const char* suffix, Fn check) {
    const std::string dir = JoinPath(folder_, sub);
    if (!fs_.FolderExists(dir)) return;
    Result<std::vector<std::string>> names = fs_.ListFiles(dir, suffix);
    if (!names.ok()) {
      Report r;
      r.Fault(names.status().message());
      Emit(sub, r);
      return;
    }
    for (const std::string& name : *names)
      Emit(std::string(sub) + "/" + name, check(JoinPath(dir, name)));
  }

  void Emit(const std::string& name, const Report& r) {
    faults_ += !r.ok();
    r.Print(out_, name);
  }

  Report Bible(const std::string& path) {
    Report r;
    auto bible = TLMBibleModule::Create(path, fs_);
    if (!bible.ok()) {
      r.Fault(bible.status().message());
      return r;
    }
    const TLMBibleModule& b = **bible;
    if (b.BookCount() != kBookCount) r.Fault(Count(b.BookCount(), "books, not 66"));
    if (b.VerseCount() != kVerseCount) r.Fault(Count(b.VerseCount(), "verses, not 31102"));
    size_t damaged = 0;
    for (int i = 1; i <= b.VerseCount(); ++i) damaged += IsNonFatal(b.GetVerseText(i, true, true));
    if (damaged) r.Fault(Count(damaged, "verse texts do not read"));
    r.Fact(b.GetAbbreviation() + ": " + Count(b.VerseCount(), "verses") + ", " +
           Count(b.Words().size(), "words"));
    if (!r.ok()) return r;
    // The KJV serves the later checks whatever the sample checks find.
    const TLMBibleModule* kjv = kjv_.get();
    if (b.GetAbbreviation() == "KJV" && !kjv_) kjv = &b;
    if (sample_) CheckSampleBible(b, kjv, r);
    if (kjv == &b) kjv_ = std::move(bible).value();
    return r;
  }

  Report Book(const std::string& path) {
    Report r;
    auto opened = TLMDictionaryModule::Create(path, fs_, user_folder_);
    if (!opened.ok()) {
      r.Fault(opened.status().message());
      return r;
    }
    const TLMDictionaryModule& book = **opened;
    const std::vector<std::string>& titles = book.EntryTitles();
    const std::string& code = book.GetModuleCode();
    r.Fact(book.GetAbbreviation() + " (" + code + "): " + Count(titles.size(), "entries"));
    if (titles.size() != book.Header().entry_count)
      r.Fault(Count(titles.size(), "titles for ") + Count(book.Header().entry_count, "entries"));
    VerseLinkIndex fresh;
    size_t damaged = 0;
    for (int i = 0; i < book.EntryCount(); ++i) {
      const std::string text = book.GetEntryText(i);
      if (IsNonFatal(text)) ++damaged;
      fresh.AddEntry(static_cast<uint16_t>(i), text);
    }
    if (damaged) r.Fault(Count(damaged, "entries do not read"));
    for (size_t i = 1; i < titles.size(); ++i)
      if (cp1252::CompareNoCase(titles[i - 1], titles[i]) > 0) {
        r.Fault("titles out of order at entry " + std::to_string(i) + " (\"" + titles[i] + "\")");
        break;
      }
    if (code == "StrHeb" || code == "StrGrk") StrongsBook(book, code == "StrHeb" ? 8674 : 5624, r);
    if (sample_) CheckSampleBook(book, r);
    CheckVerseLinks(book, fresh, r);
    return r;
  }

  // Links open entry number - 1: every number needs its entry, in order.
  static void StrongsBook(const TLMDictionaryModule& book, int numbers, Report& r) {
    if (book.EntryCount() != numbers)
      r.Fault(Count(book.EntryCount(), "entries for ") + Count(numbers, "Strong's numbers"));
    for (int i = 0; i < book.EntryCount(); ++i)
      if (LeadingNumber(book.EntryTitles()[i]) != i + 1) {
        r.Fault("entry " + std::to_string(i) + " is titled \"" + book.EntryTitles()[i] +
                "\", not number " + std::to_string(i + 1));
        return;
      }
  }

  Report Commentary(const std::string& path) {
    Report r;
    auto opened = TLMCommentaryModule::Create(path, fs_, user_folder_);
    if (!opened.ok()) {
      r.Fault(opened.status().message());
      return r;
    }
    const TLMCommentaryModule& c = **opened;
    VerseLinkIndex fresh;
    std::vector<std::string> expected;
    const VerseReferenceFn reference = kjv_ ? ReferencesFrom(*kjv_) : VerseReferenceFn();
    size_t damaged = 0;
    for (int s = 0; s < kVerseCount; ++s) {
      if (!c.HasEntry(s)) continue;
      const std::string text = c.GetEntryText(s);
      if (IsNonFatal(text)) ++damaged;
      fresh.AddEntry(static_cast<uint16_t>(s), text);
      expected.push_back(reference ? reference(s + 1) : std::string());
    }
    if (damaged) r.Fault(Count(damaged, "comments do not read"));
    const std::vector<std::string>& titles = c.EntryTitles();
    if (titles.size() != expected.size()) {
      r.Fault(Count(titles.size(), "title lines for ") + Count(expected.size(), "comments"));
    } else if (reference) {
      for (size_t k = 0; k < titles.size(); ++k)
        if (titles[k] != expected[k]) {
          r.Fault("title line " + std::to_string(k) + " is \"" + titles[k] + "\", not \"" +
                  expected[k] + "\"");
          break;
        }
    }
    r.Fact(c.GetAbbreviation() + ": " + Count(expected.size(), "comments"));
    if (sample_) CheckSampleCommentary(c, kjv_.get(), r);
    CheckVerseLinks(c, fresh, r);
    return r;
  }

  Report StrongsData(const std::string& path) {
    Report r;
    if (!fs_.FileExists(path)) {
      r.Fault("missing: the program does not start without it");
      return r;
    }
    auto data = TLMStrongsDataModule::Create(path, fs_);
    if (!data.ok()) {
      r.Fault(data.status().message());
      return r;
    }
    for (const StrongsLanguage language : {StrongsLanguage::kHebrew, StrongsLanguage::kGreek}) {
      const bool hebrew = language == StrongsLanguage::kHebrew;
      const int count = hebrew ? 8674 : 5624;
      size_t words = 0, latin = 0, unsafe = 0;
      for (int n = 1; n <= count; ++n) {
        const std::string word = (*data)->GetStrongsString(language, n, StrongsField::kWord);
        words += !word.empty();
        latin += !(*data)->GetStrongsString(language, n, StrongsField::kTransliteration).empty();
        for (const char ch : word) {
          const auto b = static_cast<unsigned char>(ch);
          if (b < 32 || std::string_view("<>&[]{}").find(ch) != std::string_view::npos) {
            ++unsafe;
            break;
          }
        }
      }
      const char* name = hebrew ? "Hebrew" : "Greek";
      if (words == 0 || latin == 0)
        r.Fault(std::string(name) + " words or transliterations all empty");
      if (unsafe) r.Fault(std::string(name) + ": " + Count(unsafe, "words hold markup bytes"));
      r.Fact(std::string(name) + " " + Count(words, "words") + ", " +
             Count(latin, "transliterations"));
    }
    if (sample_) CheckSampleStrongsData(**data, r);
    return r;
  }

  Report ParagraphMapFile(const std::string& path) {
    Report r;
    Result<ParagraphMap> map = ParagraphMap::Load(fs_, path);
    if (!map.ok()) {
      r.Fault(map.status().message());
      return r;
    }
    size_t starts = 0;
    for (int v = 1; v <= kVerseCount; ++v) starts += map->StartsParagraph(v);
    r.Fact(Count(starts, "paragraph starts"));
    return r;
  }

  const std::string folder_;
  std::ostream& out_;
  FileSystem& fs_;
  const std::string user_folder_;
  std::unique_ptr<TLMBibleModule> kjv_;
  bool sample_ = false;  // the sample library: its import facts are checked too
  int faults_ = 0;
};

}  // namespace

int RunCheckCommand(const std::string& folder, std::ostream& out, FileSystem& fs) {
  return Checker(folder.empty() ? ExecutableFolder() : folder, out, fs).Run();
}

}  // namespace lumora::cli
