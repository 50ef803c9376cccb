#include "render/ui/html_view.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QResizeEvent>
#include <QScreen>
#include <QSignalBlocker>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>

#include <algorithm>
#include <memory>

#include "app/ui/platform/clipboard.h"
#include "render/ui/display_colors.h"

namespace lumora::ui {
namespace {

bool IsBlankByte(char b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n' || b == '\f'; }

// Anchor names compare with one leading "#" dropped and without case.
std::string NormalAnchorName(QStringView name) {
  if (name.startsWith(QLatin1Char('#'))) name = name.mid(1);
  return name.toString().toLower().toStdString();
}

// Keeps the scroll position across cursor changes: the widget would scroll
// the caret into view, which the callers decide for themselves.
class TScrollKeeper {
 public:
  explicit TScrollKeeper(QTextBrowser* view)
      : view_(view),
        v_(view->verticalScrollBar()->value()),
        h_(view->horizontalScrollBar()->value()) {}
  ~TScrollKeeper() {
    const QSignalBlocker quiet(view_->verticalScrollBar());
    view_->verticalScrollBar()->setValue(v_);
    view_->horizontalScrollBar()->setValue(h_);
  }

 private:
  QTextBrowser* view_;
  int v_, h_;
};

// The resolution QTextDocument::print lays the document out for before it
// scales to the printer (its margins are 2 cm at this resolution).
QPointF SourceDpi() {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
  return {96, 96};
}

}  // namespace

THtmlView::THtmlView(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  setUndoRedoEnabled(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The vertical bar stays: a bar that came and went with the document's
  // height would change the text width after every load, and Qt lays the
  // whole document out again for the new width (twice the work per page).
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setMouseTracking(true);
  text_options_ = InstalledFontOptions();
  document()->setDocumentMargin(3);
  // A one-pixel margin around the viewport holds the focus border, painted
  // by event() in the focus colour while the widget has the focus: the
  // width never changes, so the text never moves when the focus comes and
  // goes, and no palette role is touched (the scroll bars keep theirs).
  setFrameStyle(QFrame::NoFrame);
  setViewportMargins(1, 1, 1, 1);
  SetDefBackground(def_background_);
  // Keyboard activation of a focused link (mouse clicks are reported from
  // the mouse handlers, with the raw address).
  // A scroll the program did not make (wheel, bar, keys) ends the hold on
  // the position the program put at the top.
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    if (!positioning_) held_position_.reset();
  });
  connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    if (in_mouse_release_) return;
    // The address as the document holds it, never through QUrl (which
    // percent-encodes and splits at "?").
    (void)url;
    const QString href = textCursor().charFormat().anchorHref();
    if (!href.isEmpty()) ReportHotSpotClick(FromDisplayText(href));
  });
}

THtmlView::~THtmlView() = default;

// --- Document ----------------------------------------------------------------

void THtmlView::ApplyDefaultsToDocument() {
  QFont font(ToDisplayText(def_font_name_));
  font.setPointSize(std::max(1, def_font_size_));
  document()->setDefaultFont(font);
  QString css = QStringLiteral("pre, tt, code { font-family: \"Courier New\"; }");
  if (def_link_color_) css += QStringLiteral(" a { color: %1; }").arg(ToQColor(*def_link_color_).name());
  document()->setDefaultStyleSheet(css);
  QPalette pal = palette();
  pal.setColor(QPalette::Text, ToQColor(def_font_color_));
  pal.setColor(QPalette::Base, ToQColor(def_background_));
  setPalette(pal);
}

void THtmlView::LoadHtml(std::string_view html) {
  held_position_.reset();
  source_.assign(html);
  clear();  // new defaults would lay the old document out again
  ApplyDefaultsToDocument();
  std::vector<TTextRun> runs;
  const QString converted = ToDisplayHtmlMarked(html, text_options_, runs);
  document()->setMetaInformation(QTextDocument::DocumentTitle, QString());
  setHtml(converted);
  runs_.clear();
  runs_.reserve(runs.size());
  for (const TTextRun& r : runs) runs_.push_back({r.begin, r.end, -1});
  IndexDocument();
}

void THtmlView::LoadText(std::string_view text) {
  held_position_.reset();
  source_.assign(text);
  clear();
  ApplyDefaultsToDocument();
  document()->setMetaInformation(QTextDocument::DocumentTitle, QString());
  setPlainText(ToDisplayText(text));
  runs_.clear();
  IndexDocument();
}

void THtmlView::Clear() {
  held_position_.reset();
  source_.clear();
  runs_.clear();
  anchors_.clear();
  clear();
  document()->setMetaInformation(QTextDocument::DocumentTitle, QString());
}

void THtmlView::IndexDocument() {
  anchors_.clear();
  // Marks come in document order, which is source order; a run that laid
  // out nothing is skipped, as its residue shows.
  size_t next_run = 0;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QStringList names = fragment.charFormat().anchorNames();
      for (const QString& name : names) {
        if (const std::optional<size_t> residue = MarkResidue(name)) {
          const size_t run = next_run + (*residue + kMarkCycle - next_run % kMarkCycle) % kMarkCycle;
          if (run < runs_.size()) runs_[run].display = fragment.position();
          next_run = run + 1;
        } else {
          anchors_.try_emplace(NormalAnchorName(name), fragment.position());
        }
      }
    }
  }
  // Lay the whole document out now, so positions, coordinates and the
  // scroll range are final when loading returns.
  (void)document()->documentLayout()->documentSize();
  QTextCursor start(document());
  {
    TScrollKeeper keep(this);
    setTextCursor(start);
  }
  ScrollProgrammatically(0);
  horizontalScrollBar()->setValue(0);
}

void THtmlView::ScrollProgrammatically(int y) {
  positioning_ = true;
  verticalScrollBar()->setValue(y);
  positioning_ = false;
}

void THtmlView::HoldTop() { held_position_ = static_cast<int>(SavedPosition()); }

void THtmlView::resizeEvent(QResizeEvent* event) {
  // The new width lays the text out anew; the part the program put at the
  // top stays there until the user scrolls.
  positioning_ = true;
  QTextBrowser::resizeEvent(event);
  ScrollToHeldPosition();
  positioning_ = false;
}

void THtmlView::showEvent(QShowEvent* event) {
  // The first show scrolls the text cursor (at the start) into view, which
  // would throw away a position restored before the window appeared.
  positioning_ = true;
  QTextBrowser::showEvent(event);
  ScrollToHeldPosition();
  positioning_ = false;
}

void THtmlView::ScrollToHeldPosition() {
  if (!held_position_) return;
  (void)document()->documentLayout()->documentSize();
  if (const std::optional<QPoint> at = DisplayPositionCoords(*held_position_))
    verticalScrollBar()->setValue(at->y());
}

void THtmlView::PaintNow() { viewport()->repaint(); }

std::string THtmlView::DocumentTitle() const {
  return FromDisplayText(document()->metaInformation(QTextDocument::DocumentTitle));
}

void THtmlView::SetDefBackground(config::TColor color) {
  def_background_ = color;
  QPalette pal = palette();
  pal.setColor(QPalette::Base, ToQColor(color));
  setPalette(pal);
}

void THtmlView::focusInEvent(QFocusEvent* event) {
  QTextBrowser::focusInEvent(event);
  update();
}

void THtmlView::focusOutEvent(QFocusEvent* event) {
  QTextBrowser::focusOutEvent(event);
  update();
}

bool THtmlView::HasFocusBorder() const { return hasFocus(); }

bool THtmlView::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // Copy is the widget's own key, through the clipboard interface; a
    // pane's copy action with the same key then never runs twice.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
      event->accept();
      return true;
    }
  }
  const bool result = QTextBrowser::event(event);
  if (event->type() == QEvent::Paint) {
    QPainter painter(this);
    painter.setPen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Window));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  return result;
}

void THtmlView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopyToClipboard();
    event->accept();
    return;
  }
  QTextBrowser::keyPressEvent(event);
  // A link reached by the keyboard (Tab between links) previews as one
  // under the pointer does, at the link.
  const QTextCursor cursor = textCursor();
  const QString href = cursor.hasSelection() ? cursor.charFormat().anchorHref() : QString();
  if (!href.isEmpty() || !covered_.empty()) {
    const QRect at = cursorRect(cursor);
    covered_point_ = viewport()->mapToGlobal(at.bottomLeft());
    SetCovered(FromDisplayText(href));
  }
}

void THtmlView::SetHorizontalScrolling(bool on) {
  setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

// --- Positions -----------------------------------------------------------------

std::optional<int> THtmlView::AnchorPosition(std::string_view name) const {
  QString wanted = ToDisplayText(name);
  const auto it = anchors_.find(NormalAnchorName(wanted));
  if (it == anchors_.end()) return std::nullopt;
  return it->second;
}

bool THtmlView::PositionTo(std::string_view name) {
  const std::optional<int> pos = AnchorPosition(name);
  if (!pos) return false;
  const std::optional<QPoint> at = DisplayPositionCoords(*pos);
  if (!at) return false;
  ScrollProgrammatically(at->y());
  horizontalScrollBar()->setValue(0);
  held_position_ = *pos;
  return true;
}

int THtmlView::VScrollBarPosition() const { return verticalScrollBar()->value(); }

void THtmlView::SetVScrollBarPosition(int y) {
  ScrollProgrammatically(y);
  held_position_.reset();
}

int THtmlView::ViewHeight() const { return viewport()->height(); }

uint32_t THtmlView::SavedPosition() const {
  // Just inside the document margin: the margin itself hits nothing and
  // would give position 0 (a page of tables has no text there).
  const int inside = static_cast<int>(document()->documentMargin()) + 1;
  const int pos = cursorForPosition(QPoint(inside, 1)).position();
  return static_cast<uint32_t>(std::max(0, pos));
}

void THtmlView::SetSavedPosition(uint32_t value) {
  if (value > static_cast<uint32_t>(DocumentEnd())) return;
  if (const std::optional<QPoint> at = DisplayPositionCoords(static_cast<int>(value))) {
    ScrollProgrammatically(at->y());
    held_position_ = static_cast<int>(value);
  }
}

int THtmlView::DocumentEnd() const { return std::max(0, document()->characterCount() - 1); }

std::optional<QPoint> THtmlView::DisplayPositionCoords(int pos) const {
  if (pos < 0 || pos > DocumentEnd()) return std::nullopt;
  QTextCursor cursor(document());
  cursor.setPosition(pos);
  const QRect r = cursorRect(cursor);
  return QPoint(r.left() + horizontalScrollBar()->value(), r.top() + verticalScrollBar()->value());
}

// Index (from 0) within the run's laid-out text of the character at or
// after `source_offset` (or, with `before`, the last one before it); -1 when
// the run has none. Entities are one character, a run of blanks one, and
// leading blanks count only when the widget kept one.
int THtmlView::RunCharIndex(const TRunMark& run, int64_t source_offset, bool before) const {
  const std::string_view text = std::string_view(source_).substr(
      static_cast<size_t>(run.begin), static_cast<size_t>(run.end - run.begin));
  const bool leading_kept = document()->characterAt(run.display).isSpace();
  int index = -1;  // of the last character seen
  int found = -1;
  for (size_t i = 0; i < text.size();) {
    const int64_t at = run.begin + static_cast<int64_t>(i);
    size_t len = 1;
    if (IsBlankByte(text[i])) {
      size_t j = i;
      while (j < text.size() && IsBlankByte(text[j])) ++j;
      len = j - i;
      const bool counts = !(i == 0 && !leading_kept);
      if (!counts) {
        i += len;
        continue;
      }
    } else {
      if (text[i] == '&') {
        const size_t semi = text.find(';', i);
        if (semi != std::string_view::npos && semi - i <= 10) len = semi - i + 1;
      }
    }
    if (before) {
      if (at >= source_offset) break;
      found = ++index;
    } else {
      ++index;
      // A blank run that begins before the offset but reaches past it is
      // the character at the offset.
      if (at >= source_offset || at + static_cast<int64_t>(len) > source_offset) {
        found = index;
        break;
      }
    }
    i += len;
  }
  return found;
}

int THtmlView::FindDisplayPosition(int64_t source_offset, bool before) const {
  const int end = DocumentEnd();
  // Runs are ordered and disjoint: the first whose end lies past the offset.
  const auto first_after = std::upper_bound(
      runs_.begin(), runs_.end(), source_offset,
      [](int64_t offset, const TRunMark& run) { return offset < run.end; });
  const auto next_display = [&](std::vector<TRunMark>::const_iterator it) {
    for (++it; it != runs_.end(); ++it)
      if (it->display >= 0) return it->display;
    return end + 1;
  };
  if (!before) {
    for (auto it = first_after; it != runs_.end(); ++it) {
      if (it->display < 0) continue;
      if (it->begin >= source_offset) return it->display;
      const int k = RunCharIndex(*it, source_offset, false);
      if (k >= 0) return std::clamp(it->display + k, it->display, next_display(it) - 1);
    }
    return end;
  }
  for (auto it = first_after == runs_.end() ? runs_.end() : first_after + 1; it != runs_.begin();) {
    --it;
    if (it->display < 0 || it->begin >= source_offset) continue;
    const int k = RunCharIndex(*it, source_offset, true);
    if (k >= 0) return std::clamp(it->display + k, it->display, next_display(it) - 1);
  }
  return 0;
}

// --- Caret and selection -------------------------------------------------------

int THtmlView::CaretPos() const { return textCursor().position(); }

void THtmlView::SetCaretPos(int pos) { SetSelStart(pos); }

void THtmlView::SetSelStart(int pos) {
  TScrollKeeper keep(this);
  QTextCursor cursor(document());
  cursor.setPosition(std::clamp(pos, 0, DocumentEnd()));
  setTextCursor(cursor);
}

void THtmlView::SetSelLength(int n) {
  TScrollKeeper keep(this);
  QTextCursor cursor = textCursor();
  const int anchor = cursor.position();
  cursor.setPosition(anchor);
  cursor.setPosition(std::clamp(anchor + n, 0, DocumentEnd()), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

int THtmlView::SelLength() const {
  const QTextCursor cursor = textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

QString THtmlView::SelectedDisplayText() const {
  const QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) return {};
  QString text = cursor.selection().toPlainText();
  text.replace(QChar::Nbsp, QLatin1Char(' '));
  return text;
}

void THtmlView::CopyToClipboard() {
  const QString text = SelectedDisplayText();
  if (!text.isEmpty()) Clipboard().SetText(text);
}

QMimeData* THtmlView::createMimeDataFromSelection() const {
  auto* data = new QMimeData;  // owned by the clipboard or the drag
  data->setText(SelectedDisplayText());
  return data;
}

bool THtmlView::FindDisplayText(const QString& text, bool match_case) {
  if (text.isEmpty()) return false;
  return find(text, match_case ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags());
}

QString THtmlView::WordAt(int pos, int* begin, int* end) const {
  const QTextDocument* doc = document();
  const int last = DocumentEnd();
  if (pos < 0 || pos >= last || !IsDisplayWordChar(doc->characterAt(pos))) {
    if (begin) *begin = pos;
    if (end) *end = pos;
    return {};
  }
  int b = pos, e = pos + 1;
  while (b > 0 && IsDisplayWordChar(doc->characterAt(b - 1))) --b;
  while (e < last && IsDisplayWordChar(doc->characterAt(e))) ++e;
  if (begin) *begin = b;
  if (end) *end = e;
  QTextCursor cursor(const_cast<QTextDocument*>(doc));
  cursor.setPosition(b);
  cursor.setPosition(e, QTextCursor::KeepAnchor);
  return cursor.selectedText();
}

// --- Printing --------------------------------------------------------------------

int THtmlView::PrintedPageCount(QPrinter& printer) const {
  // The same pagination QTextDocument::print applies to a document without
  // a page size: a copy laid out for the printer, 2 cm margins.
  std::unique_ptr<QTextDocument> copy(document()->clone());
  copy->documentLayout()->setPaintDevice(&printer);
  const QPointF dpi = SourceDpi();
  QTextFrameFormat fmt = copy->rootFrame()->frameFormat();
  fmt.setLeftMargin(int((2 / 2.54) * dpi.x()));
  fmt.setRightMargin(int((2 / 2.54) * dpi.x()));
  fmt.setTopMargin(int((2 / 2.54) * dpi.y()));
  fmt.setBottomMargin(int((2 / 2.54) * dpi.y()));
  copy->rootFrame()->setFrameFormat(fmt);
  copy->setPageSize(QSizeF(printer.width(), printer.height()));
  return copy->pageCount();
}

void THtmlView::Print(QPrinter& printer, int first, int last) const {
  first = std::max(first, 1);
  last = std::max(last, first);
  printer.setPrintRange(QPrinter::PageRange);
  printer.setFromTo(first, last);
  document()->print(&printer);
}

// --- Events ------------------------------------------------------------------------

std::string THtmlView::LinkAt(const QPoint& viewport_pos) const {
  return FromDisplayText(anchorAt(viewport_pos));
}

void THtmlView::SetCovered(const std::string& href) {
  if (href == covered_) return;
  covered_ = href;
  if (OnHotSpotCovered) OnHotSpotCovered(href);
}

void THtmlView::ReportHotSpotClick(const std::string& href) {
  bool handled = false;
  if (OnHotSpotClick) OnHotSpotClick(href, handled);
  if (!handled && !href.empty() && href[0] == '#') PositionTo(href);
}

int THtmlView::CharacterAt(const QPoint& viewport_pos) const {
  const QTextCursor cursor = cursorForPosition(viewport_pos);
  int pos = cursor.position();
  // The nearest caret position may lie after the character under the
  // pointer (pointer on its right half).
  if (pos > 0 && cursorRect(cursor).left() > viewport_pos.x() &&
      cursor.positionInBlock() > 0)
    --pos;
  return pos;
}

void THtmlView::ReportRightClick(const QPoint& viewport_pos, const QPoint& global_pos) {
  TRightClickParameters params;
  params.caret = CharacterAt(viewport_pos);
  params.url = LinkAt(viewport_pos);
  params.word = FromDisplayText(WordAt(params.caret));
  params.global_pos = global_pos;
  if (OnRightClick) OnRightClick(params);
}

void THtmlView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_link_ = LinkAt(event->position().toPoint());
    press_pos_ = event->position().toPoint();
  }
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QTextBrowser::mousePressEvent(event);
}

void THtmlView::mouseMoveEvent(QMouseEvent* event) {
  QTextBrowser::mouseMoveEvent(event);
  covered_point_ = event->globalPosition().toPoint();
  SetCovered(LinkAt(event->position().toPoint()));
  if (OnMouseMove) OnMouseMove(event);
}

void THtmlView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    event->accept();
    ReportRightClick(pos, event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) {
    QTextBrowser::mouseReleaseEvent(event);
    return;
  }
  // A click: released on the link it was pressed on, without dragging a
  // selection.
  const std::string link = LinkAt(pos);
  const bool click = !link.empty() && link == pressed_link_ &&
                     (pos - press_pos_).manhattanLength() < QApplication::startDragDistance();
  pressed_link_.clear();
  in_mouse_release_ = true;
  QTextBrowser::mouseReleaseEvent(event);
  in_mouse_release_ = false;
  if (click) ReportHotSpotClick(link);
}

void THtmlView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QTextBrowser::mouseDoubleClickEvent(event);
    return;
  }
  event->accept();
  int begin = 0, end = 0;
  WordAt(CharacterAt(event->position().toPoint()), &begin, &end);
  {
    TScrollKeeper keep(this);
    QTextCursor cursor(document());
    cursor.setPosition(begin);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
  }
  if (OnMouseDouble) OnMouseDouble();
}

void THtmlView::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  // Mouse right clicks are reported on release; the menu key reports one
  // at the caret.
  if (event->reason() == QContextMenuEvent::Keyboard) {
    const QPoint at = cursorRect().center();
    ReportRightClick(at, viewport()->mapToGlobal(at));
  }
}

bool THtmlView::viewportEvent(QEvent* event) {
  // The frames show their own previews; the widget's tooltip handling (for
  // title attributes) would hide them.
  if (event->type() == QEvent::ToolTip) return true;
  return QTextBrowser::viewportEvent(event);
}

void THtmlView::leaveEvent(QEvent* event) {
  QTextBrowser::leaveEvent(event);
  SetCovered(std::string());
}

}  // namespace lumora::ui
