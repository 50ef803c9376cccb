// TLibrary: the loaded modules as the window sees them. It owns the module
// catalogue and the paragraph map, is made before the main window and
// destroyed after it, and announces every change of the module lists as Qt
// signals, so menus, tabs, histories and result windows follow without
// being wired to whoever changed the lists.
//
// Holders keep module pointers only between modulesChanged and the next
// modulesAboutToChange; menus and histories that live longer keep
// abbreviations and look the module up when used.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/catalogue/module_catalogue.h"
#include "core/refs/paragraph_map.h"
#include "core/status.h"

namespace lumora::ui {

class TLibrary : public QObject, public CatalogueObserver {
  Q_OBJECT

 public:
  explicit TLibrary(QObject* parent = nullptr);
  ~TLibrary() override;

  // Loads the modules below `program_folder` (start-up step 10); `status`
  // receives the start-up status texts. A library that already holds a
  // catalogue (tests inject one) keeps it and succeeds.
  Status Load(const std::string& program_folder,
              const std::function<void(const std::string&)>& status = {});
  // Takes a catalogue loaded elsewhere (an in-memory library in tests).
  void Adopt(std::unique_ptr<TModuleCatalogue> catalogue);
  // Uses a catalogue that someone else owns and keeps alive for longer than
  // this library (tests share one sample library).
  void Borrow(TModuleCatalogue* catalogue);
  bool IsLoaded() const { return catalogue_ != nullptr; }

  // The paragraph map ("pmap.dat"); null until set.
  void SetParagraphMap(std::unique_ptr<ParagraphMap> map) {
    paragraphs_ = std::move(map);
    borrowed_paragraphs_ = nullptr;
  }
  void BorrowParagraphMap(const ParagraphMap* map) { borrowed_paragraphs_ = map; }
  const ParagraphMap* Paragraphs() const {
    return borrowed_paragraphs_ != nullptr ? borrowed_paragraphs_ : paragraphs_.get();
  }

  // The catalogue; only valid while IsLoaded().
  TModuleCatalogue& Catalogue() { return *catalogue_; }
  const TModuleCatalogue& Catalogue() const { return *catalogue_; }

  // The current lists in catalogue order (empty before loading). They are
  // rebuilt on every change, so a view that reads them when it uses them
  // never holds a stale list.
  const std::vector<const TLMBibleModule*>& Bibles() const { return bibles_; }
  const std::vector<const TLMDictionaryModule*>& Books() const { return books_; }
  const std::vector<const TLMCommentaryModule*>& Commentaries() const { return commentaries_; }
  const std::vector<const TLMCommentaryModule*>& EditableCommentaries() const {
    return editable_;
  }
  const TLMBibleModule* Kjv() const;
  const TLMBibleModule* StrongsLinksBible() const;
  const TLMDictionaryModule* HebrewStrongsBook() const;
  const TLMDictionaryModule* GreekStrongsBook() const;
  const TLMStrongsDataModule* StrongsData() const;

  // Module lookups by abbreviation (without regard to case); null when not
  // loaded. Histories and menus keep abbreviations and come back here.
  const TLMBibleModule* FindBible(const std::string& abbreviation) const;
  const TLMDictionaryModule* FindBook(const std::string& abbreviation) const;
  const TLMCommentaryModule* FindCommentary(const std::string& abbreviation) const;
  // Place of a module in its list, -1 when it is not (any longer) loaded.
  int IndexOf(const TLMBibleModule* bible) const;
  int IndexOf(const TLMDictionaryModule* book) const;
  int IndexOf(const TLMCommentaryModule* commentary) const;
  bool Contains(const TLMDictionaryModule* book) const { return IndexOf(book) >= 0; }
  bool Contains(const TLMCommentaryModule* commentary) const { return IndexOf(commentary) >= 0; }

  // A user Book is about to gain or lose an entry: entry numbers held for
  // it (results, histories) go stale. Whoever adds or deletes the entry
  // announces it first.
  void AnnounceEntriesChanging(const TLMDictionaryModule& book) {
    Q_EMIT bookEntriesAboutToChange(&book);
  }
  // ... and has done so (or failed to): entry numbers may be taken again.
  void AnnounceEntriesChanged(const TLMDictionaryModule& book) { Q_EMIT bookEntriesChanged(&book); }

 Q_SIGNALS:
  // Drop pointers, results, history items and choosers now.
  void modulesAboutToChange();
  // Read the lists again; menus and tabs rebuild.
  void modulesChanged();
  // See AnnounceEntriesChanging.
  void bookEntriesAboutToChange(const lumora::TLMDictionaryModule* book);
  void bookEntriesChanged(const lumora::TLMDictionaryModule* book);

 private:
  void ModulesAboutToChange() override;
  void ModulesChanged() override;
  void RefreshLists();

  std::unique_ptr<TModuleCatalogue> owned_;
  TModuleCatalogue* catalogue_ = nullptr;
  std::unique_ptr<ParagraphMap> paragraphs_;
  const ParagraphMap* borrowed_paragraphs_ = nullptr;
  std::vector<const TLMBibleModule*> bibles_;
  std::vector<const TLMDictionaryModule*> books_;
  std::vector<const TLMCommentaryModule*> commentaries_;
  std::vector<const TLMCommentaryModule*> editable_;
};

}  // namespace lumora::ui
