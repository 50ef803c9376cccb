#include "views/resource_menu.h"

#include <QApplication>
#include <QGridLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QWidgetAction>

#include "config/properties.h"
#include "render/export_procs.h"
#include "render/ui/display_text.h"
#include "views/bible_view_logic.h"
#include "views/library.h"
#include "views/pane_host.h"
#include "views/resource_tabs.h"

namespace lumora::ui {
namespace {

void ClosePopupMenus() {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

}  // namespace

QIcon ToolGlyphIcon(const QString& glyph) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QFont f = QApplication::font();
  f.setPixelSize(glyph.size() > 1 ? 15 : 22);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QApplication::palette().color(QPalette::ButtonText));
  p.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
  return QIcon(pixmap);
}

QMenu* AddGoToPassageMenu(QMenu& menu, const TVerseRangeList& ranges, const TLMBibleModule& titles,
                          const std::function<void(int)>& go, QAction* load_all) {
  QMenu* sub = menu.addMenu(QStringLiteral("Go to Bible Passage"));
  sub->setObjectName(QStringLiteral("GoToPassageMenu"));
  if (ranges.empty()) {
    sub->setEnabled(false);
    return sub;
  }
  // QMenu has no column breaks of its own: the items stand in a grid.
  auto* grid_widget = new QWidget(sub);
  grid_widget->setObjectName(QStringLiteral("GoToPassageGrid"));
  auto* grid = new QGridLayout(grid_widget);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(0);
  const bool cut = static_cast<int>(ranges.size()) > kPassageMenuMax;
  const int shown = cut ? kPassageMenuMax - 1 : static_cast<int>(ranges.size());
  const auto place = [&](QToolButton* button, int i) {
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    grid->addWidget(button, i % kPassageMenuColumn, i / kPassageMenuColumn);
  };
  for (int i = 0; i < shown; ++i) {
    const int verse = ranges[static_cast<size_t>(i)].first;
    auto* button = new QToolButton(grid_widget);
    button->setObjectName(QStringLiteral("GoToPassage"));
    // A tool button's text has no mnemonics; the title stays literal.
    button->setText(ToDisplayText(VerseReference(titles, verse, true)));
    QObject::connect(button, &QToolButton::clicked, button, [go, verse] {
      ClosePopupMenus();
      go(verse);
    });
    place(button, i);
  }
  if (cut && load_all != nullptr) {
    auto* button = new QToolButton(grid_widget);
    button->setObjectName(QStringLiteral("GoToPassage"));
    button->setText(load_all->text());
    button->setEnabled(load_all->isEnabled());
    QObject::connect(button, &QToolButton::clicked, load_all, [load_all] {
      ClosePopupMenus();
      load_all->trigger();
    });
    place(button, shown);
  }
  auto* action = new QWidgetAction(sub);
  action->setDefaultWidget(grid_widget);
  sub->addAction(action);
  return sub;
}

void CopyLinkedVerses(IPaneHost& host, const TLibrary& library, const TVerseRangeList& ranges) {
  const TLMBibleModule* bible = host.BibleViewBible();
  if (bible == nullptr || ranges.empty()) return;
  const config::Properties& p = config::GlobalProperties();
  const ExportFormatSettings format = ExportFormatFrom(p);
  const ExportBibleView view = ExportViewFrom(p.bible_view, library.StrongsData());
  host.Output().CopyFormatted({FormatVerseRanges(ranges, *bible, format, false, view),
                               FormatVerseRanges(ranges, *bible, format, true, view)});
}

void FillHistoryMenu(QMenu* menu, const QStringList& captions,
                     const std::function<void(int)>& jump) {
  menu->clear();
  for (int k = 0; k < captions.size(); ++k) {
    QAction* item = menu->addAction(EscapeMnemonic(captions[k]));
    QObject::connect(item, &QAction::triggered, menu, [jump, k] { jump(k); });
  }
}

THistoryButtons::THistoryButtons(QWidget* pane, std::function<void(bool)> jump)
    : QObject(pane), jump_(std::move(jump)) {
  Watch(pane);
}

void THistoryButtons::Watch(QWidget* widget) {
  widget->installEventFilter(this);
  for (QWidget* child : widget->findChildren<QWidget*>()) child->installEventFilter(this);
}

bool THistoryButtons::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (button == Qt::BackButton || button == Qt::ForwardButton) {
      // One jump per click: on the press; the release is swallowed too.
      if (event->type() == QEvent::MouseButtonPress) jump_(button == Qt::BackButton);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lumora::ui
