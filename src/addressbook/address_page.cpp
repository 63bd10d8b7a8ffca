#include "addressbook/address_page.h"

#include "addressbook/new_address_dialog.h"
#include "addressbook/picture_name.h"
#include "document/ansi_text.h"
#include "render/draw_dib.h"
#include "render/picture_operations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vellamo::addressbook {

using document::fromAnsi;
using document::toAnsi;

namespace {

constexpr int GridRowHeight = 24;
constexpr int FieldColumnWidth = 200;

// Headings "Field" and "Content"; the 29 field names in the fixed first column.
QTableWidget* fieldGrid(QWidget* parent)
{
    auto* grid = new QTableWidget(AddressFieldCount, 2, parent);
    grid->setHorizontalHeaderLabels({QStringLiteral("Field"), QStringLiteral("Content")});
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(GridRowHeight);
    grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    grid->horizontalHeader()->setFixedHeight(GridRowHeight);
    grid->horizontalHeader()->setStretchLastSection(false);
    grid->setColumnWidth(0, FieldColumnWidth);
    const QBrush fixed = grid->palette().button();
    for (int row = 0; row < AddressFieldCount; ++row) {
        const std::string_view name = AddressFieldNames[std::size_t(row)];
        auto* item = new QTableWidgetItem(QString::fromLatin1(name.data(), qsizetype(name.size())));
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(fixed);
        grid->setItem(row, 0, item);
        grid->setItem(row, 1, new QTableWidgetItem());
    }
    return grid;
}

void setCell(QTableWidget* grid, int row, const std::string& text)
{
    if (row < 1 || row > AddressFieldCount)
        return;
    const QString shown = fromAnsi(text);
    QTableWidgetItem* item = grid->item(row - 1, 1);
    if (item->text() != shown)
        item->setText(shown);
}

QWidget* pageWith(QTabWidget* pages, const QString& caption)
{
    auto* page = new QWidget(pages);
    pages->addTab(page, caption);
    return page;
}

}  // namespace

LogoPreview::LogoPreview(QString programFolder, QWidget* parent)
    : QWidget(parent), m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("PaintBox3"));
}

void LogoPreview::reload(const QString& fileName)
{
    m_fileName = fileName;
    m_reload = true;
    update();
}

void LogoPreview::paintEvent(QPaintEvent*)
{
    if (m_reload) {
        m_reload = false;
        imaging::deldib(m_picture);
        if (!m_fileName.isEmpty())
            render::LoadDIBit(m_picture, m_fileName, m_programFolder);
    }
    if (!m_picture.isLoaded())
        return;
    const QRect target = logoPreviewRect(m_picture.width(), m_picture.height(), width(), height());
    if (target.isEmpty())
        return;
    QPainter painter(this);
    render::DrawDib(painter, target.x(), target.y(), target.width(), target.height(), m_picture, 0, 0,
                    m_picture.width(), m_picture.height(), true);
}

AddressesPage::AddressesPage(AddressBook& book, AddressPageContext context, QWidget* parent)
    : QWidget(parent), m_book(book), m_context(std::move(context))
{
    if (!m_context.newAddress) {
        m_ownNewAddress = std::make_unique<TNewAdrForm>(this);
        m_context.newAddress = m_ownNewAddress.get();
    }
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl2"));
    layout->addWidget(m_pages);

    QWidget* selection = pageWith(m_pages, QStringLiteral("Selection"));
    auto* selectionLayout = new QVBoxLayout(selection);
    m_adrList = new QListWidget(selection);
    m_adrList->setObjectName(QStringLiteral("AdrList"));
    m_adrList->setUniformItemSizes(true);
    m_stdAdrCheck = new QCheckBox(QStringLiteral("Normal Address"), selection);
    m_stdAdrCheck->setObjectName(QStringLiteral("StdAdrCheck"));
    selectionLayout->addWidget(m_adrList, 1);
    selectionLayout->addWidget(m_stdAdrCheck);

    QWidget* edit = pageWith(m_pages, QStringLiteral("Edit"));
    auto* editLayout = new QVBoxLayout(edit);
    m_bookButtons = new QHBoxLayout;
    m_adrCombo1 = new QComboBox(edit);
    m_adrCombo1->setObjectName(QStringLiteral("AdrCombo1"));
    m_adrCombo1->setMinimumWidth(200);
    m_newAdrBtn = new QPushButton(QStringLiteral("New Address"), edit);
    m_newAdrBtn->setObjectName(QStringLiteral("NewAdrBtn"));
    m_newAdrBtn->setToolTip(QStringLiteral("Inserts an Address to the database"));
    m_newAdrBtn->setStatusTip(m_newAdrBtn->toolTip());
    m_delAdrBtn = new QPushButton(QStringLiteral("&Delete Address..."), edit);
    m_delAdrBtn->setObjectName(QStringLiteral("DelAdrBtn"));
    m_delAdrBtn->setToolTip(QStringLiteral("Deletes an Address in the database"));
    m_delAdrBtn->setStatusTip(m_delAdrBtn->toolTip());
    m_bookButtons->addWidget(m_adrCombo1, 1);
    m_bookButtons->addWidget(m_newAdrBtn);
    m_bookButtons->addWidget(m_delAdrBtn);
    editLayout->addLayout(m_bookButtons);
    m_editGrid = fieldGrid(edit);
    m_editGrid->setObjectName(QStringLiteral("StringGrid1"));
    editLayout->addWidget(m_editGrid, 1);

    QWidget* logo = pageWith(m_pages, QStringLiteral("Logo"));
    auto* logoLayout = new QVBoxLayout(logo);
    m_adrCombo2 = new QComboBox(logo);
    m_adrCombo2->setObjectName(QStringLiteral("AdrCombo2"));
    logoLayout->addWidget(m_adrCombo2);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("File name:"), logo));
    m_logoFile = new QLineEdit(logo);
    m_logoFile->setObjectName(QStringLiteral("FilenameEdit1"));
    m_logoBrowse = new QToolButton(logo);
    m_logoBrowse->setText(QStringLiteral("..."));
    fileRow->addWidget(m_logoFile, 1);
    fileRow->addWidget(m_logoBrowse);
    logoLayout->addLayout(fileRow);
    m_logoBox = new QScrollArea(logo);
    m_logoBox->setObjectName(QStringLiteral("ScrollBox3"));
    m_logoBox->setBackgroundRole(QPalette::Dark);
    m_logoBox->setWidgetResizable(true);
    m_preview = new LogoPreview(m_context.programFolder);
    m_logoBox->setWidget(m_preview);
    logoLayout->addWidget(m_logoBox, 1);

    QWidget* description = pageWith(m_pages, QStringLiteral("Description"));
    m_descriptionGrid = fieldGrid(description);
    m_descriptionGrid->setObjectName(QStringLiteral("StringGrid2"));
    (new QVBoxLayout(description))->addWidget(m_descriptionGrid);

    // The three selection controls show one list of entries.
    m_adrCombo1->setModel(m_adrList->model());
    m_adrCombo2->setModel(m_adrList->model());

    // The content column takes what the fixed 200 pixels leave.
    m_editGrid->viewport()->installEventFilter(this);
    m_descriptionGrid->viewport()->installEventFilter(this);

    connect(m_adrList, &QListWidget::currentRowChanged, this, &AddressesPage::selectionMade);
    connect(m_adrCombo1, &QComboBox::currentIndexChanged, this, &AddressesPage::selectionMade);
    connect(m_adrCombo2, &QComboBox::currentIndexChanged, this, &AddressesPage::selectionMade);
    connect(m_adrList, &QListWidget::itemDoubleClicked, this, &AddressesPage::templateAssistantRequested);
    connect(m_stdAdrCheck, &QCheckBox::clicked, this, [this](bool checked) {
        if (checked)
            m_book.setStandardIndex(m_adrList->currentRow());
    });
    connect(m_newAdrBtn, &QPushButton::clicked, this, &AddressesPage::NewAdrBtnClick);
    connect(m_delAdrBtn, &QPushButton::clicked, this, &AddressesPage::DelAdrBtnClick);
    connect(m_editGrid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_syncing && item->column() == 1)
            m_book.setValue(item->row() + 1, toAnsi(item->text()));
    });
    connect(m_descriptionGrid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_syncing && item->column() == 1)
            m_book.setLabel(item->row() + 1, toAnsi(item->text()));
    });
    connect(m_logoFile, &QLineEdit::textChanged, this, &AddressesPage::FilenameEdit1Change);
    connect(m_logoBrowse, &QToolButton::clicked, this, &AddressesPage::browseLogo);
    connect(m_pages, &QTabWidget::currentChanged, this, [this] { m_preview->update(); });

    connect(&m_book, &AddressBook::listChanged, this, &AddressesPage::ListAllNames);
    connect(&m_book, &AddressBook::currentChanged, this, &AddressesPage::showCurrentSelection);
    connect(&m_book, &AddressBook::valueChanged, this, &AddressesPage::showValues);
    connect(&m_book, &AddressBook::labelChanged, this, &AddressesPage::showLabels);
    connect(&m_book, &AddressBook::logoFileNameChanged, this, [this] {
        const QString name = fromAnsi(m_book.logoFileName());
        if (m_logoFile->text() != name)
            m_logoFile->setText(name);
    });

    ListAllNames();
    showValues(0);
    showLabels(0);
    m_logoFile->setText(fromAnsi(m_book.logoFileName()));
}

AddressesPage::~AddressesPage()
{
    // The controls go one by one; their last signals must not reach the book.
    for (QWidget* control : std::initializer_list<QWidget*>{m_adrList, m_adrCombo1, m_adrCombo2, m_editGrid,
                                                            m_descriptionGrid, m_logoFile})
        control->blockSignals(true);
    m_book.disconnect(this);
}

QPushButton* AddressesPage::addBookButton(const QString& caption, const QString& hint)
{
    auto* button = new QPushButton(caption, m_delAdrBtn->parentWidget());
    button->setToolTip(hint);
    button->setStatusTip(hint);
    m_bookButtons->addWidget(button);
    return button;
}

void AddressesPage::ListAllNames()
{
    QStringList entries;
    entries.reserve(m_book.count());
    for (int k = 0; k < m_book.count(); ++k)
        entries.append(fromAnsi(m_book.entryText(k)));
    {
        const QSignalBlocker list(m_adrList), combo1(m_adrCombo1), combo2(m_adrCombo2);
        m_adrList->clear();
        m_adrList->addItems(entries);
    }
    showCurrentSelection();
}

void AddressesPage::showCurrentSelection()
{
    const int current = m_book.inList(m_book.currentIndex()) ? m_book.currentIndex() : -1;
    {
        const QSignalBlocker list(m_adrList), combo1(m_adrCombo1), combo2(m_adrCombo2);
        m_adrList->setCurrentRow(current);
        m_adrCombo1->setCurrentIndex(current);
        m_adrCombo2->setCurrentIndex(current);
    }
    m_stdAdrCheck->setChecked(m_adrList->currentRow() == m_book.standardIndex());
    showEditable(current >= 0);
}

void AddressesPage::showEditable(bool editable)
{
    // Without an address what is typed would belong nowhere and be lost when one is made.
    m_syncing = true;
    for (int row = 0; row < AddressFieldCount; ++row) {
        QTableWidgetItem* item = m_editGrid->item(row, 1);
        const Qt::ItemFlags flags =
            editable ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable;
        if (flags != item->flags())
            item->setFlags(flags);
    }
    m_syncing = false;
    m_logoFile->setReadOnly(!editable);
    m_logoBrowse->setEnabled(editable);
}

void AddressesPage::selectionMade(int index)
{
    // The three controls follow the one that changed; the model follows them.
    {
        const QSignalBlocker list(m_adrList), combo1(m_adrCombo1), combo2(m_adrCombo2);
        m_adrList->setCurrentRow(index);
        m_adrCombo1->setCurrentIndex(index);
        m_adrCombo2->setCurrentIndex(index);
    }
    m_book.ChangeAktName(index);
}

void AddressesPage::showValues(int row)
{
    m_syncing = true;
    if (row == 0) {
        for (int r = 1; r <= AddressFieldCount; ++r)
            setCell(m_editGrid, r, m_book.value(r));
    } else {
        setCell(m_editGrid, row, m_book.value(row));
    }
    m_syncing = false;
}

void AddressesPage::showLabels(int row)
{
    m_syncing = true;
    if (row == 0) {
        for (int r = 1; r <= AddressFieldCount; ++r)
            setCell(m_descriptionGrid, r, m_book.label(r));
    } else {
        setCell(m_descriptionGrid, row, m_book.label(row));
    }
    m_syncing = false;
}

void AddressesPage::FilenameEdit1Change(const QString& text)
{
    QString name = stripEnclosingQuotes(text);
    if (m_context.shortenPictureName)
        name = m_context.shortenPictureName(name);
    if (name != text) {
        m_logoFile->setText(name);  // comes back here with the clean name
        return;
    }
    m_book.setLogoFileName(toAnsi(name));
    m_preview->reload(fromAnsi(m_book.logoFileName()));
}

void AddressesPage::browseLogo()
{
    if (!m_context.ask)
        return;
    const auto chosen = m_context.ask->chooseFileToOpen(
        {QStringLiteral("Open"), render::PictureFileFilter, QString(), m_context.programFolder});
    if (chosen)
        m_logoFile->setText(*chosen);
}

void AddressesPage::NewAdrBtnClick()
{
    const auto input = m_context.newAddress->askNewAddress();
    if (!input)
        return;
    m_book.NewAddress(toAnsi(input->firstName), toAnsi(input->lastName), input->takeOverValues);
}

void AddressesPage::DelAdrBtnClick()
{
    if (!m_book.inList(m_book.currentIndex()) || !m_context.ask)
        return;
    const QListWidgetItem* entry = m_adrList->currentItem();
    const QString text = QStringLiteral("Do you realy want to delete the Adrress \"") +
                         (entry ? entry->text() : QString()) + QStringLiteral("\"?");
    if (m_context.ask->ask({QStringLiteral("Delete Address"), text, document::MessageButtons::YesNo,
                            document::MessageIcon::Question}) != document::Answer::Yes)
        return;
    m_book.DeleteCurrentAddress();
}

bool AddressesPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        for (QTableWidget* grid : {m_editGrid, m_descriptionGrid}) {
            if (watched == grid->viewport()) {
                grid->setColumnWidth(0, FieldColumnWidth);
                grid->setColumnWidth(1, std::max(0, grid->viewport()->width() - FieldColumnWidth));
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vellamo::addressbook
