#include "file_drops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <utility>

namespace orvelin {

std::vector<std::u16string> localFilesOf(const QMimeData &data) {
  std::vector<std::u16string> files;
  for (const QUrl &url : data.urls()) {
    if (!url.isLocalFile()) {
      return {};
    }
    files.push_back(url.toLocalFile().toStdU16String());
  }
  return files;
}

FileDrops::FileDrops(QWidget &window, Dropped dropped) : QObject(&window), dropped_(std::move(dropped)) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

bool FileDrops::eventFilter(QObject * /*watched*/, QEvent *event) {
  switch (event->type()) {
  case QEvent::DragEnter:
  case QEvent::DragMove: {
    auto *drag = static_cast<QDragMoveEvent *>(event);
    if (drag->mimeData()->hasUrls()) {
      drag->acceptProposedAction();
    } else {
      drag->ignore();
    }
    return true;
  }
  case QEvent::Drop: {
    auto *drop = static_cast<QDropEvent *>(event);
    const std::vector<std::u16string> files = localFilesOf(*drop->mimeData());
    drop->acceptProposedAction();
    if (!files.empty()) {
      dropped_(files);
    }
    return true;
  }
  default:
    return false;
  }
}

} // namespace orvelin
