#include "app/picture_open_dialog.h"

#include "app/sub_prog_path.h"
#include "document/paths.h"
#include "editor/centred_on_screen.h"
#include "editor/editor_view.h"
#include "render/picture_operations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vellamo::app {

std::vector<FileTypeEntry> parseFileFilter(const QString& filter)
{
    std::vector<FileTypeEntry> entries;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries.push_back({parts[i], parts[i + 1].split(u';', Qt::SkipEmptyParts)});
    return entries;
}

QStringList listingPatterns(const QStringList& patterns)
{
    QStringList result;
    for (const QString& p : patterns)
        result.append(p == QStringLiteral("*.*") ? QStringLiteral("*") : p);
    return result;
}

std::vector<FolderEntry> listFolder(const QString& folder, const QStringList& patterns)
{
    std::vector<FolderEntry> entries;
    QDir dir(folder);
    const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase;
    // AllDirs: folders are listed whatever the patterns say.
    for (const QString& name : dir.entryList(QDir::AllDirs | QDir::Hidden | QDir::NoDotAndDotDot, order))
        entries.push_back({name, true});
    // Without QDir::CaseSensitive the patterns match regardless of case.
    dir.setNameFilters(listingPatterns(patterns));
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, order))
        entries.push_back({name, false});
    return entries;
}

QStringList folderChain(const QString& folder)
{
    QStringList chain;
    QDir dir(QDir::cleanPath(QDir(folder).absolutePath()));
    while (true) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    return chain;
}

QRect topLeftPreview(QSize pane, QSize picture)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return {};
    // 64-bit products: a picture may be tens of thousands of pixels on a side.
    qint64 w = pane.width();
    qint64 h = qint64(pane.width()) * picture.height() / picture.width();
    if (h > pane.height()) {
        h = pane.height();
        w = qint64(pane.height()) * picture.width() / picture.height();
    }
    return QRect(0, 0, int(w), int(h));
}

PicturePane::PicturePane(Painter paint, QWidget* parent) : QWidget(parent), m_paint(std::move(paint)) {}

void PicturePane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_paint(painter, size());
}

QColor workspaceColor() { return editor::EditorView::workspaceColor(); }

TBMPOpenForm::TBMPOpenForm(QString programFolder, imaging::ProgressCallback progress, QWidget* parent)
    : QDialog(parent), m_programFolder(std::move(programFolder)), m_progress(std::move(progress))
{
    setWindowTitle(QStringLiteral("Open picture"));
    setModal(true);
    editor::keepCentredOnScreen(*this);
    clearPreview();

    DirectoryComboBox1 = new QComboBox(this);
    DirectoryComboBox1->setObjectName(QStringLiteral("DirectoryComboBox1"));
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    SpeedButton1->setToolTip(QStringLiteral("Superior folder"));
    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setMinimumSize(260, 200);
    FileNameEdit = new QLineEdit(this);
    FileNameEdit->setObjectName(QStringLiteral("FileNameEdit"));
    FilterComboBox1 = new QComboBox(this);
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    BitBtn1 = new QPushButton(QStringLiteral("&Open"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    VSchauCheck = new QCheckBox(QStringLiteral("Preview"), this);
    VSchauCheck->setObjectName(QStringLiteral("VSchauCheck"));
    VSchauCheck->setChecked(true);

    PaintBox1 = new PicturePane([this](QPainter& p, QSize pane) { PaintBox1Paint(p, pane); });
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setFixedSize(150, 150);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidget(PaintBox1);
    ScrollBox1->setFixedSize(154, 154);
    QPalette workspace = ScrollBox1->palette();
    workspace.setColor(QPalette::Window, workspaceColor());
    ScrollBox1->setPalette(workspace);
    ScrollBox1->viewport()->setAutoFillBackground(true);
    ScrollBox1->viewport()->setPalette(workspace);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Search in:"), this));
    top->addWidget(DirectoryComboBox1, 1);
    top->addWidget(SpeedButton1);

    auto* preview = new QVBoxLayout;
    preview->addWidget(VSchauCheck);
    preview->addWidget(ScrollBox1);
    preview->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(FileListBox1, 1);
    middle->addLayout(preview);

    auto* bottom = new QGridLayout;
    bottom->addWidget(new QLabel(QStringLiteral("File name:"), this), 0, 0);
    bottom->addWidget(FileNameEdit, 0, 1);
    bottom->addWidget(BitBtn1, 0, 2);
    bottom->addWidget(new QLabel(QStringLiteral("File type:"), this), 1, 0);
    bottom->addWidget(FilterComboBox1, 1, 1);
    bottom->addWidget(BitBtn2, 1, 2);
    bottom->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    connect(DirectoryComboBox1, &QComboBox::activated, this,
            [this](int index) { setFolder(DirectoryComboBox1->itemData(index).toString()); });
    connect(SpeedButton1, &QToolButton::clicked, this, &TBMPOpenForm::SpeedButton1Click);
    connect(FileListBox1, &QListWidget::itemSelectionChanged, this, &TBMPOpenForm::FileListBox1Change);
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this, &TBMPOpenForm::FileListBox1DblClick);
    connect(FilterComboBox1, &QComboBox::activated, this, &TBMPOpenForm::FilterComboBox1Change);
    connect(VSchauCheck, &QCheckBox::toggled, PaintBox1, qOverload<>(&QWidget::update));
    connect(BitBtn1, &QPushButton::clicked, this, &TBMPOpenForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    setFolder(m_programFolder);
}

std::optional<QString> TBMPOpenForm::choosePicture()
{
    setFolder(m_programFolder);
    setFilter(render::PictureFileFilter);
    FileNameEdit->clear();
    // Nothing is chosen yet, so the last opening's picture is not shown either.
    clearPreview();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_fileName;
}

void TBMPOpenForm::setFolder(const QString& folder)
{
    m_folder = QDir::cleanPath(QDir(folder).absolutePath());
    fillFolderChain();
    fillList();
}

void TBMPOpenForm::setFilter(const QString& filter)
{
    m_types = parseFileFilter(filter);
    const QSignalBlocker block(FilterComboBox1);
    FilterComboBox1->clear();
    for (const FileTypeEntry& type : m_types)
        FilterComboBox1->addItem(type.text);
    FilterComboBox1Change(m_types.empty() ? -1 : 0);
}

void TBMPOpenForm::FilterComboBox1Change(int index)
{
    if (index >= 0 && std::size_t(index) < m_types.size()) {
        FilterComboBox1->setCurrentIndex(index);
        m_patterns = m_types[std::size_t(index)].patterns;
    } else {
        m_patterns = QStringList{QStringLiteral("*")};
    }
    fillList();
}

void TBMPOpenForm::fillFolderChain()
{
    const QSignalBlocker block(DirectoryComboBox1);
    DirectoryComboBox1->clear();
    const QIcon icon = QFileIconProvider().icon(QFileIconProvider::Folder);
    for (const QString& path : folderChain(m_folder))
        DirectoryComboBox1->addItem(icon, path, path);
    DirectoryComboBox1->setCurrentIndex(DirectoryComboBox1->count() - 1);
}

void TBMPOpenForm::fillList()
{
    const QSignalBlocker block(FileListBox1);
    FileListBox1->clear();
    QFileIconProvider icons;
    const QIcon folderIcon = icons.icon(QFileIconProvider::Folder);
    const QIcon fileIcon = icons.icon(QFileIconProvider::File);
    for (const FolderEntry& entry : listFolder(m_folder, m_patterns)) {
        auto* item = new QListWidgetItem(entry.isFolder ? folderIcon : fileIcon, entry.name, FileListBox1);
        item->setData(Qt::UserRole, entry.isFolder);
    }
}

QString TBMPOpenForm::inFolder(const QString& name) const
{
    return document::withTrailingSeparator(m_folder) + name;
}

void TBMPOpenForm::FileListBox1Change()
{
    const QList<QListWidgetItem*> selected = FileListBox1->selectedItems();
    if (selected.isEmpty() || selected.front()->data(Qt::UserRole).toBool())
        return;
    const QString name = selected.front()->text();
    FileNameEdit->setText(name);
    OpenFileNow(name);
}

void TBMPOpenForm::FileListBox1DblClick(QListWidgetItem* item)
{
    if (!item)
        return;
    if (item->data(Qt::UserRole).toBool()) {
        setFolder(inFolder(item->text()));
        return;
    }
    m_fileName = SubProgPath(inFolder(item->text()), m_programFolder);
    OpenFileNow(item->text());
    accept();
}

void TBMPOpenForm::BitBtn1Click()
{
    const QString typed = FileNameEdit->text();
    // Nothing chosen yet: there is nothing to open, and the dialog stays.
    if (typed.trimmed().isEmpty())
        return;
    // A full path typed by hand names its own folder.
    const QString path = QDir::isAbsolutePath(typed) ? typed : inFolder(typed);
    m_fileName = SubProgPath(path, m_programFolder);
    accept();
}

void TBMPOpenForm::SpeedButton1Click()
{
    QDir dir(m_folder);
    if (dir.cdUp())
        setFolder(dir.absolutePath());
}

void TBMPOpenForm::clearPreview()
{
    m_preview = QImage(100, 100, QImage::Format_RGB32);
    m_preview.fill(Qt::white);
    if (PaintBox1)
        PaintBox1->update();
}

void TBMPOpenForm::OpenFileNow(const QString& name)
{
    if (!VSchauCheck->isChecked() || !render::LoadBit(m_preview, inFolder(name), m_programFolder, m_progress))
        m_preview = QImage();
    PaintBox1->update();
}

void TBMPOpenForm::PaintBox1Paint(QPainter& painter, QSize pane)
{
    painter.fillRect(QRect(QPoint(0, 0), pane), workspaceColor());
    if (!VSchauCheck->isChecked() || m_preview.isNull())
        return;
    painter.drawImage(topLeftPreview(pane, m_preview.size()), m_preview);
}

}  // namespace vellamo::app
