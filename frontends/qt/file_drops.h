#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QMimeData;
class QWidget;

namespace orvelin {

// The files a drop carries as local paths: every address in it must be a local file's, else there
// are none (a drop of text, or of a remote address).
[[nodiscard]] std::vector<std::u16string> localFilesOf(const QMimeData &data);

// Takes drops of files on a window, its controls included, and reports their local paths; text is
// not taken, so nothing dropped lands in a text box.
class FileDrops final : public QObject {
public:
  using Dropped = std::function<void(const std::vector<std::u16string> &)>;

  FileDrops(QWidget &window, Dropped dropped);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  Dropped dropped_;
};

} // namespace orvelin
