#include "core/refs/reference_format.h"

namespace lumora {
namespace {

std::string Title(const TLMBibleModule& bible, int book, BookTitleKind kind) {
  return kind == BookTitleKind::kLong ? bible.GetLongBookTitle(book)
                                      : bible.GetShortBookTitle(book);
}

std::string ChapterVerse(const TVerseLocation& at) {
  return std::to_string(at.chapter) + ":" + std::to_string(at.verse);
}

}  // namespace

std::string FormatRange(const TLMBibleModule& bible, int first, int last, BookTitleKind kind) {
  const TVerseLocation a = bible.GetVerseLocation(first);
  const TVerseLocation z = bible.GetVerseLocation(last);
  std::string text = Title(bible, a.book, kind) + " " + ChapterVerse(a);
  if (first == last) return text;
  if (a.book == z.book && a.chapter == z.chapter) return text + "-" + std::to_string(z.verse);
  if (a.book == z.book) return text + "-" + ChapterVerse(z);
  return text + " - " + Title(bible, z.book, kind) + " " + ChapterVerse(z);
}

std::string FormatVerseList(std::span<const int> verses, const TLMBibleModule& bible) {
  std::string text;
  int book = -1, chapter = -1, run_start = -1, run_end = -1;
  auto close_run = [&] {
    if (run_end != run_start) text += "-" + std::to_string(run_end);
  };
  for (const int index : verses) {
    const TVerseLocation at = bible.GetVerseLocation(index);
    if (at.book != book) {
      close_run();
      if (!text.empty()) text += "; ";
      book = at.book;
      chapter = at.chapter;
      run_start = run_end = at.verse;
      text += bible.GetLongBookTitle(at.book) + " " + ChapterVerse(at);
    } else if (at.chapter != chapter) {
      close_run();
      text += "; ";
      chapter = at.chapter;
      run_start = run_end = at.verse;
      text += ChapterVerse(at);
    } else if (at.verse == run_end) {
      // the same verse again
    } else if (at.verse == run_end + 1) {
      run_end = at.verse;
    } else {
      close_run();
      run_start = run_end = at.verse;
      text += "," + std::to_string(at.verse);
    }
  }
  close_run();
  return text;
}

}  // namespace lumora
