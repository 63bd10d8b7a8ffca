#pragma once

// "Open picture" (TBMPOpenForm): a folder browser with a file-type filter and a preview of the
// selected file. Created once and reused; every caller starts it in the program folder.

#include "editor/editor_dialogs.h"
#include "imaging/progress.h"

#include <QDialog>
#include <QImage>
#include <QRect>
#include <QStringList>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace vellamo::app {

// One entry of a filter in the program's "text|patterns|text|patterns" form.
struct FileTypeEntry {
    QString text;
    QStringList patterns;
};
std::vector<FileTypeEntry> parseFileFilter(const QString& filter);

// Patterns as a folder listing applies them: "*.*", every file on Windows, becomes "*".
QStringList listingPatterns(const QStringList& patterns);

struct FolderEntry {
    QString name;
    bool isFolder = false;
};
// Subfolders (all of them), then the files whose names match one of the patterns regardless
// of case; hidden ones included, each group by name.
std::vector<FolderEntry> listFolder(const QString& folder, const QStringList& patterns);

// The folder and the folders above it, the top one first; each path ends without a separator
// (the root is "/").
QStringList folderChain(const QString& folder);

// The whole pane width with the picture's shape, or the whole pane height when that is too
// high, at the top-left corner. Integer divisions truncate.
QRect topLeftPreview(QSize pane, QSize picture);

// A surface whose drawing is a function, for the previews of the picture dialogs.
class PicturePane : public QWidget {
public:
    using Painter = std::function<void(QPainter&, QSize)>;
    explicit PicturePane(Painter paint, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter m_paint;
};

// The work-space colour of the scroll boxes around the previews.
QColor workspaceColor();

class TBMPOpenForm : public QDialog, public editor::PictureChooser {
public:
    explicit TBMPOpenForm(QString programFolder, imaging::ProgressCallback progress = {},
                          QWidget* parent = nullptr);

    // Program folder, picture file filter, empty file name; then the dialog.
    std::optional<QString> choosePicture() override;

    void setFolder(const QString& folder);
    const QString& folder() const { return m_folder; }
    // Fills the file-type list from a filter string and applies its first entry.
    void setFilter(const QString& filter);
    const QStringList& patterns() const { return m_patterns; }
    // The accepted file: a bare name for a file directly in the program folder.
    const QString& FileName() const { return m_fileName; }
    const QImage& previewBitmap() const { return m_preview; }

    void OpenFileNow(const QString& name);
    void BitBtn1Click();
    void SpeedButton1Click();
    void FilterComboBox1Change(int index);
    void FileListBox1Change();
    void FileListBox1DblClick(QListWidgetItem* item);
    void PaintBox1Paint(QPainter& painter, QSize pane);

    QComboBox* DirectoryComboBox1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QListWidget* FileListBox1 = nullptr;
    QLineEdit* FileNameEdit = nullptr;
    QComboBox* FilterComboBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QCheckBox* VSchauCheck = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    PicturePane* PaintBox1 = nullptr;

private:
    // The blank 100 x 100 picture a fresh dialog shows.
    void clearPreview();
    void fillList();
    void fillFolderChain();
    QString inFolder(const QString& name) const;

    QString m_programFolder;
    imaging::ProgressCallback m_progress;
    QString m_folder;
    QStringList m_patterns{QStringLiteral("*")};
    std::vector<FileTypeEntry> m_types;
    QImage m_preview;
    QString m_fileName;
};

}  // namespace vellamo::app
