// TFrameResourceView: the frame that shows Book and Commentary entries in
// the Book view and the Commentary view. It owns the display widget
// (HTMLViewer) and the entry renderer, dispatches link clicks, shows hover
// previews and reports right clicks to its pane.
//
// Every number taken from a link is checked before anyone sees it: a verse
// must be a verse of the Bible view's Bible (1..31102 without one), a
// Strong's entry must exist in the lexicon, and an entry link's number is
// handed to the owner, which checks it against its title list. Hrefs arrive
// byte for byte as the document holds them.
//
// The renderer takes its book titles from the library's KJV Bible: it is
// made by AttachLibrary and dropped by DropModules (before the library's
// lists change), and without it ShowEntry only clears the widget.
//
// Rendering never lets other events run: "Loading..." is painted by a
// synchronous repaint, then the page is built and loaded.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/view_properties.h"
#include "render/entry_renderer.h"
#include "render/ui/html_view.h"
#include "views/link_preview.h"

class QAction;

namespace lumora::ui {

class IPaneHost;
class TLibrary;

class TFrameResourceView : public QWidget {
  Q_OBJECT

 public:
  TFrameResourceView(IPaneHost& host, TLibrary& library, QWidget* parent = nullptr);
  ~TFrameResourceView() override;

  THtmlView* HTMLViewer() const { return html_view_; }

  // --- Library ---------------------------------------------------------------
  // A renderer on the library's KJV Bible (none without one).
  void AttachLibrary();
  // The renderer goes and the widget is cleared: the modules may go next.
  void DropModules();
  bool CanRender() const { return renderer_ != nullptr; }

  // --- Rendering ---------------------------------------------------------------
  // The owner's display settings for the next document (the background at
  // once).
  void ApplyDisplaySettings(const config::TPropertiesResourceView& settings);
  // HTML shown in small type under the title of the next entries.
  void SetEntryHeader(std::string header);
  const std::string& EntryHeader() const { return header_; }
  // Renders and loads one entry ("LinkMultipleVerses" and the key highlight
  // colour read now), positioned at the marked verse's anchor when the
  // render placed one. `titles` are the resource's entry titles in entry
  // order. Returns false, with the widget cleared, when there is no
  // renderer.
  bool ShowEntry(std::string_view text, std::string_view title,
                 const std::vector<std::string>& titles, int first_verse, int last_verse);
  // Empties the document; the referenced verses with it.
  void Clear();
  // Verses the shown entry references, ascending; empty when none is shown.
  TVerseList GetReferencedVerses() const;
  // Whether an entry is shown (the document has its title).
  bool HasEntry() const { return !html_view_->DocumentTitle().empty(); }

  // --- Events (public so that tests and keyboard paths can drive them) --------
  void HTMLViewerHotSpotClick(const std::string& href, bool& handled);
  void HTMLViewerHotSpotCovered(const std::string& href);

  // Ctrl+C for the pane (scoped to it).
  QAction* CopyAction() const { return copy_action_; }
  TLinkPreview& Preview() { return *preview_; }
  // The text of the last preview computed ("" when none), Windows-1252.
  const std::string& HintText() const { return preview_->HintText(); }

  // --- Owner callbacks (unset: the event is ignored) ---------------------------
  // "cen" links: the entry number as written ("$" and hexadecimal digits),
  // not yet checked against the owner's titles.
  std::function<void(int entry)> on_entry_link;
  // "editd" (book true) and "editc" (book false) links.
  std::function<void(bool book)> on_edit_link;
  // Right click while an entry is shown: link address, link target, word
  // under the pointer, selected text (Windows-1252) and where to show the
  // menu.
  std::function<void(const std::string& url, const std::string& target, const std::string& word,
                     const std::string& selected, const QPoint& global_pos)>
      on_right_click;

 private:
  void HTMLViewerRightClick(const TRightClickParameters& params);
  int BibleVerseCount() const;
  std::string PreviewOf(const std::string& href) const;

  IPaneHost& host_;
  TLibrary& library_;
  THtmlView* html_view_ = nullptr;
  std::unique_ptr<TEntryRenderer> renderer_;
  std::string header_;
  bool shown_ = false;  // an entry has been rendered since the last clear
  TLinkPreview* preview_ = nullptr;
  QAction* copy_action_ = nullptr;
};

}  // namespace lumora::ui
