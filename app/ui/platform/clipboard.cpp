#include "app/ui/platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace lumora::ui {
namespace {

IClipboard*& Installed() {
  static IClipboard* clipboard = nullptr;
  return clipboard;
}

}  // namespace

QString TSystemClipboard::Text() const { return QGuiApplication::clipboard()->text(); }

void TSystemClipboard::SetText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

void TSystemClipboard::SetHtml(const QString& html, const QString& plain_text) {
  auto* data = new QMimeData;  // the clipboard takes ownership
  data->setHtml(html);
  data->setText(plain_text);
  QGuiApplication::clipboard()->setMimeData(data);
}

void TSystemClipboard::SetImage(const QImage& image) {
  QGuiApplication::clipboard()->setImage(image);
}

IClipboard& Clipboard() {
  static TSystemClipboard system;
  IClipboard* installed = Installed();
  return installed != nullptr ? *installed : system;
}

void InstallClipboard(IClipboard* clipboard) { Installed() = clipboard; }

}  // namespace lumora::ui
