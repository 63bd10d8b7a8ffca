#include "app/picture_open_dialog.h"

#include "render/picture_operations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vellamo::app;

namespace {

const QRgb Red = qRgb(255, 0, 0);

void savePicture(const QString& path, int w, int h, QRgb color = Red)
{
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(color);
    ASSERT_TRUE(picture.save(path)) << path.toStdString();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Steps run once the dialog is open; a dialog they leave open is cancelled.
void whileOpen(QDialog& dialog, std::function<void()> steps)
{
    QTimer::singleShot(0, &dialog, [&dialog, steps = std::move(steps)] {
        steps();
        if (dialog.isVisible())
            dialog.reject();
    });
}

QStringList listed(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

QListWidgetItem* item(QListWidget* list, const QString& name)
{
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

// A program folder with pictures in it and in a subfolder.
struct ProgramFolder {
    QTemporaryDir dir;
    QString home;
    ProgramFolder()
    {
        home = dir.path() + "/";
        QDir(dir.path()).mkdir("pics");
        savePicture(home + "logo.png", 40, 20);
        savePicture(home + "tall.png", 20, 60);
        savePicture(home + "pics/inner.png", 10, 10);
        writeFile(home + "notes.txt", "not a picture");
    }
};

}  // namespace

TEST(PictureFilter, EntriesAndPatternsOfThePictureFilter)
{
    const auto entries = parseFileFilter(vellamo::render::PictureFileFilter);
    ASSERT_EQ(entries.size(), 14u);
    EXPECT_EQ(entries.front().text, "All pictures");
    EXPECT_EQ(entries.front().patterns.size(), 12);
    EXPECT_EQ(entries.front().patterns.back(), "*.PNG");
    EXPECT_EQ(entries[1].text, "BMP - Windows, OS/2 Bitmap");
    EXPECT_EQ(entries[1].patterns, QStringList{"*.BMP"});
    EXPECT_EQ(entries.back().text, "All files (*.*)");
    EXPECT_EQ(listingPatterns(entries.back().patterns), QStringList{"*"}) << "every file, dot or not";
    EXPECT_TRUE(parseFileFilter("").empty());
    EXPECT_EQ(parseFileFilter("Text|*.txt|dangling").size(), 1u);
}

TEST(PictureFilter, ListingShowsFoldersAndMatchingFilesWhateverTheirCase)
{
    QTemporaryDir dir;
    const QString d = dir.path() + "/";
    QDir(dir.path()).mkdir("Sub");
    QDir(dir.path()).mkdir(".hiddenfolder");
    for (const char* name : {"b.PNG", "a.png", ".hidden.png", "c.jpg", "README"})
        writeFile(d + name, "x");

    std::vector<FolderEntry> entries = listFolder(dir.path(), {"*.png"});
    QStringList names;
    for (const FolderEntry& e : entries)
        names.append((e.isFolder ? "dir " : "") + e.name);
    EXPECT_EQ(names, (QStringList{"dir .hiddenfolder", "dir Sub", ".hidden.png", "a.png", "b.PNG"}));

    entries = listFolder(dir.path(), listingPatterns({"*.*"}));
    EXPECT_EQ(entries.size(), 7u) << "README has no dot and is listed too";

    EXPECT_EQ(folderChain("/usr/share/"), (QStringList{"/", "/usr", "/usr/share"}));
    EXPECT_EQ(folderChain("/"), QStringList{"/"});
}

TEST(PictureFilter, PreviewFillsTheWidthOrTheHeightAtTheTopLeft)
{
    EXPECT_EQ(topLeftPreview({150, 150}, {20, 60}), QRect(0, 0, 50, 150)) << "tall: full height";
    EXPECT_EQ(topLeftPreview({150, 150}, {60, 20}), QRect(0, 0, 150, 50)) << "wide: full width";
    EXPECT_EQ(topLeftPreview({150, 100}, {7, 3}), QRect(0, 0, 150, 64)) << "150 * 3 / 7 truncated";
    EXPECT_EQ(topLeftPreview({150, 150}, {1, 100000}), QRect(0, 0, 0, 150));
    EXPECT_EQ(topLeftPreview({150, 150}, {200000, 200000}), QRect(0, 0, 150, 150)) << "no overflow";
    EXPECT_TRUE(topLeftPreview({150, 150}, {0, 0}).isNull());
}

TEST(LoadBit, PictureOrBlankHundredByHundred)
{
    ProgramFolder p;
    QImage bitmap;
    EXPECT_TRUE(vellamo::render::LoadBit(bitmap, "logo.png", p.home))
        << "a bare name lies in the program folder";
    EXPECT_EQ(bitmap.size(), QSize(40, 20));
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    EXPECT_EQ(bitmap.pixel(3, 3), Red);

    EXPECT_TRUE(vellamo::render::LoadBit(bitmap, p.home + "pics/inner.png", "/nowhere/"));
    EXPECT_EQ(bitmap.size(), QSize(10, 10));

    EXPECT_FALSE(vellamo::render::LoadBit(bitmap, "notes.txt", p.home));
    EXPECT_EQ(bitmap.size(), QSize(100, 100));
    EXPECT_FALSE(vellamo::render::LoadBit(bitmap, "missing.png", p.home));
    EXPECT_EQ(bitmap.size(), QSize(100, 100));

    // Colours only: what was transparent shows its colour.
    QImage clear(4, 4, QImage::Format_ARGB32);
    clear.fill(qRgba(0, 0, 255, 0));
    ASSERT_TRUE(clear.save(p.home + "clear.png"));
    ASSERT_TRUE(vellamo::render::LoadBit(bitmap, "clear.png", p.home));
    EXPECT_EQ(bitmap.pixel(0, 0), qRgb(0, 0, 255));
}

TEST(PictureOpenDialog, OpensInTheProgramFolderWithAllPictures)
{
    ProgramFolder p;
    TBMPOpenForm dialog(p.home);
    EXPECT_EQ(dialog.windowTitle(), "Open picture");
    dialog.setFolder(p.dir.path() + "/pics");
    dialog.FilterComboBox1Change(3);
    dialog.FileNameEdit->setText("left over");
    whileOpen(dialog, [&] {
        EXPECT_EQ(dialog.folder(), p.dir.path());
        EXPECT_EQ(dialog.FileNameEdit->text(), "");
        EXPECT_EQ(dialog.FilterComboBox1->count(), 14);
        EXPECT_EQ(dialog.FilterComboBox1->currentIndex(), 0);
        EXPECT_EQ(listed(dialog.FileListBox1), (QStringList{"pics", "logo.png", "tall.png"}));
        EXPECT_TRUE(dialog.VSchauCheck->isChecked());
        EXPECT_TRUE(dialog.BitBtn1->isDefault());
        EXPECT_EQ(dialog.SpeedButton1->toolTip(), "Superior folder");
    });
    EXPECT_EQ(dialog.choosePicture(), std::nullopt) << "cancelled";
}

TEST(PictureOpenDialog, FileInTheProgramFolderGivesItsBareName)
{
    ProgramFolder p;
    TBMPOpenForm dialog(p.home);
    whileOpen(dialog, [&] {
        dialog.FileListBox1->setCurrentItem(item(dialog.FileListBox1, "logo.png"));
        EXPECT_EQ(dialog.FileNameEdit->text(), "logo.png");
        EXPECT_EQ(dialog.previewBitmap().size(), QSize(40, 20));
        QTest::keyClick(dialog.FileNameEdit, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.choosePicture(), std::optional<QString>("logo.png")) << "Enter opens";

    // A double click on a file accepts it at once.
    whileOpen(dialog, [&] {
        QListWidgetItem* tall = item(dialog.FileListBox1, "tall.png");
        ASSERT_TRUE(tall);
        const QRect at = dialog.FileListBox1->visualItemRect(tall);
        QTest::mouseClick(dialog.FileListBox1->viewport(), Qt::LeftButton, {}, at.center());
        QTest::mouseDClick(dialog.FileListBox1->viewport(), Qt::LeftButton, {}, at.center());
    });
    EXPECT_EQ(dialog.choosePicture(), std::optional<QString>("tall.png"));
    EXPECT_EQ(dialog.FileName(), "tall.png");

    // Opened again with nothing chosen: the pane shows the blank of a fresh dialog, not tall.png.
    whileOpen(dialog, [&] {
        QImage pane(dialog.PaintBox1->size(), QImage::Format_RGB32);
        dialog.PaintBox1->render(&pane);
        EXPECT_EQ(pane.pixel(0, 0), qRgb(255, 255, 255));
        EXPECT_EQ(pane.pixel(10, 10), qRgb(255, 255, 255));
        EXPECT_EQ(dialog.previewBitmap().size(), QSize(100, 100));
    });
    EXPECT_EQ(dialog.choosePicture(), std::nullopt);
}

TEST(PictureOpenDialog, FileInASubfolderOrElsewhereGivesTheFullPath)
{
    ProgramFolder p;
    TBMPOpenForm dialog(p.home);
    whileOpen(dialog, [&] {
        dialog.FileListBox1DblClick(item(dialog.FileListBox1, "pics"));
        EXPECT_EQ(dialog.folder(), p.dir.path() + "/pics");
        EXPECT_EQ(dialog.DirectoryComboBox1->currentText(), p.dir.path() + "/pics");
        EXPECT_EQ(listed(dialog.FileListBox1), QStringList{"inner.png"});
        dialog.FileListBox1->setCurrentItem(item(dialog.FileListBox1, "inner.png"));
        dialog.BitBtn1->click();
    });
    EXPECT_EQ(dialog.choosePicture(), std::optional<QString>(p.home + "pics/inner.png"));

    // The superior folder, then a name typed by hand that does not exist: not checked here.
    whileOpen(dialog, [&] {
        dialog.FileListBox1DblClick(item(dialog.FileListBox1, "pics"));
        dialog.SpeedButton1->click();
        EXPECT_EQ(dialog.folder(), p.dir.path());
        dialog.SpeedButton1->click();
        EXPECT_EQ(dialog.folder(), QFileInfo(p.dir.path()).absolutePath());
        dialog.FileNameEdit->setText("somewhere.png");
        dialog.BitBtn1->click();
    });
    EXPECT_EQ(dialog.choosePicture(),
              std::optional<QString>(QFileInfo(p.dir.path()).absolutePath() + "/somewhere.png"));

    // Open with no name chosen opens nothing and keeps the dialog.
    bool stillOpen = false;
    whileOpen(dialog, [&] {
        dialog.BitBtn1->click();
        stillOpen = dialog.isVisible();
    });
    EXPECT_EQ(dialog.choosePicture(), std::nullopt);
    EXPECT_TRUE(stillOpen);

    QTemporaryDir other;
    savePicture(other.filePath("far.png"), 5, 5);
    whileOpen(dialog, [&] {
        dialog.FileNameEdit->setText(other.filePath("far.png"));
        dialog.BitBtn1->click();
    });
    EXPECT_EQ(dialog.choosePicture(), std::optional<QString>(other.filePath("far.png")))
        << "a full path typed by hand is kept";
}

TEST(PictureOpenDialog, FileTypeRestrictsTheList)
{
    ProgramFolder p;
    savePicture(p.home + "shot.JPG", 4, 4);
    TBMPOpenForm dialog(p.home);
    EXPECT_EQ(dialog.patterns(), QStringList{"*"}) << "every file until a type is chosen";
    EXPECT_EQ(listed(dialog.FileListBox1),
              (QStringList{"pics", "logo.png", "notes.txt", "shot.JPG", "tall.png"}));
    dialog.setFilter(vellamo::render::PictureFileFilter);
    EXPECT_EQ(listed(dialog.FileListBox1), (QStringList{"pics", "logo.png", "shot.JPG", "tall.png"}));
    dialog.FilterComboBox1Change(6);  // JPG
    EXPECT_EQ(listed(dialog.FileListBox1), (QStringList{"pics", "shot.JPG"}));
    dialog.FilterComboBox1Change(13);  // All files
    EXPECT_EQ(listed(dialog.FileListBox1).size(), 5);
}

TEST(PictureOpenDialog, PreviewOfATallPictureAtTheTopLeft)
{
    ProgramFolder p;
    TBMPOpenForm dialog(p.home);
    dialog.PaintBox1->setFixedSize(150, 120);
    auto render = [&] {
        QImage pane(dialog.PaintBox1->size(), QImage::Format_RGB32);
        pane.fill(Qt::black);
        dialog.PaintBox1->render(&pane);
        return pane;
    };
    const QRgb workspace = workspaceColor().rgb();

    QImage blank = render();
    EXPECT_EQ(blank.pixel(0, 0), qRgb(255, 255, 255)) << "the blank bitmap of a fresh dialog";

    dialog.OpenFileNow("tall.png");
    ASSERT_EQ(dialog.previewBitmap().size(), QSize(20, 60));
    QImage tall = render();
    // 150 wide would be 450 high: 120 high and 120 * 20 / 60 = 40 wide.
    EXPECT_EQ(tall.pixel(0, 0), Red);
    EXPECT_EQ(tall.pixel(39, 119), Red);
    EXPECT_EQ(tall.pixel(40, 0), workspace);
    EXPECT_EQ(tall.pixel(149, 119), workspace);

    dialog.OpenFileNow("notes.txt");
    EXPECT_TRUE(dialog.previewBitmap().isNull()) << "a file that cannot be shown leaves the preview empty";
    EXPECT_EQ(render().pixel(0, 0), workspace);

    dialog.VSchauCheck->setChecked(false);
    dialog.OpenFileNow("tall.png");
    EXPECT_TRUE(dialog.previewBitmap().isNull()) << "no preview, no loading";
    dialog.VSchauCheck->setChecked(true);
    dialog.OpenFileNow("logo.png");
    QImage wide = render();
    EXPECT_EQ(wide.pixel(149, 74), Red);
    EXPECT_EQ(wide.pixel(0, 75), workspace);
}
