#include "InternetDialog.h"

#include "InternetSettings.h"
#include "PictureStrip.h"
#include "TransmitionDialog.h"
#include "dialogs/ModalDialogs.h"
#include "exports/MessageBoxes.h"

#include "paneldraw/UserDirectories.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>

#include <filesystem>

namespace kx {

namespace {

    QLabel* addText(QGridLayout* grid, const QString& text, int row, int column, int columns = 1)
    {
        auto* label = new QLabel(text);
        label->setWordWrap(true);
        grid->addWidget(label, row, column, 1, columns);
        return label;
    }

    QPushButton* addButton(QGridLayout* grid, const QString& text, const char* name, int row)
    {
        auto* button = new QPushButton(text);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        grid->addWidget(button, row, 2);
        return button;
    }

} // namespace

InternetDialog::InternetDialog(HWND owner, QWidget* parent)
    : QDialog(parent)
    , m_owner(owner)
{
    setWindowTitle(QStringLiteral("Internet Download from the Kestrix98 Website"));
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 8, 8);
    outer->addWidget(new PictureStrip(this));
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(frame, 1);
    auto* grid = new QGridLayout(frame);

    addText(grid,
        QStringLiteral("Select the desired download file from the list below.\n"
                       "Please don't forget to press the Update List button first.\n"
                       "You must be (online) connected to the Internet for this function."),
        0, 0, 3);
    addText(grid, QStringLiteral("Available files..."), 1, 0);
    m_date = addText(grid, QString(), 1, 1);
    m_date->setAlignment(Qt::AlignRight);
    m_list = new QListWidget(frame);
    m_list->setObjectName(QStringLiteral("files"));
    grid->addWidget(m_list, 2, 0, 3, 2);
    m_description = addText(grid, QStringLiteral("No file selected"), 5, 0, 2);
    m_description->setObjectName(QStringLiteral("description"));
    addText(grid, QStringLiteral("New this month:"), 6, 0, 2);
    m_news = addText(grid, QString(), 7, 0, 3);
    m_news->setObjectName(QStringLiteral("news"));
    addText(grid, QStringLiteral("Destination Directory:"), 8, 0);
    m_destination = addText(grid, QStringLiteral("Unkown"), 8, 1, 2);
    connect(addButton(grid, QStringLiteral("Update List"), "update", 2), &QPushButton::clicked, this,
        &InternetDialog::updateList);
    connect(addButton(grid, QStringLiteral("Download"), "download", 3), &QPushButton::clicked, this,
        &InternetDialog::download);
    connect(addButton(grid, QStringLiteral("Exit"), "exit", 4), &QPushButton::clicked, this, [this] { done(0); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (const int k = selectedFile())
            m_description->setText(QString::fromStdString(m_index.description(k)));
    });

    m_index = DownloadIndex::read(indexFilePath());
    m_news->setText(QString::fromStdString(m_index.news()));
    fillList();
    m_destination->setText(QDir::currentPath());
    resize(560, 380);
}

int InternetDialog::selectedFile() const
{
    // The list makes an entry current when it gets the focus; only a selected one is chosen.
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? 0 : m_list->row(selected.first()) + 1;
}

void InternetDialog::fillList()
{
    m_list->clear();
    m_date->setText(QString::fromStdString(m_index.date()));
    for (int k = 1; k <= m_index.count(); ++k)
        m_list->addItem(QString::fromStdString(m_index.name(k)));
}

bool InternetDialog::transfer(const std::string& url, const std::string& target)
{
    TransmitionDialog dialog({ url, target, downloadSizeLimit() }, this);
    if (ModalDialogs::run(dialog) == 1)
        return true;
    ErrorBox(m_owner, "Transmition incomplete.");
    return false;
}

void InternetDialog::updateList()
{
    QDir().mkpath(QString::fromStdString(userDataDirectory()));
    if (!transfer(indexUrl(), indexFilePath()))
        return;
    m_index = DownloadIndex::read(indexFilePath());
    fillList();
}

void InternetDialog::download()
{
    const int k = selectedFile();
    if (k == 0)
        return;
    const QString name = QString::fromStdString(m_index.fileName(k));
    const QString path = QDir::current().absoluteFilePath(name);
    // Anything at the name counts, a link included; a link is replaced, never written through.
    std::error_code ignored;
    if (std::filesystem::exists(std::filesystem::symlink_status(QFile::encodeName(path).toStdString(), ignored))
        && MessageBoxes::show({ this, QStringLiteral("Download"),
               QStringLiteral("%1 already exists in\r%2.\rDo you want to replace it?").arg(name, QDir::currentPath()),
               QMessageBox::Question, QMessageBox::Yes | QMessageBox::No })
            != QMessageBox::Yes)
        return;
    if (!transfer(fileUrl(m_index, k), QFile::encodeName(path).toStdString()))
        return;
    // Opened by the program the desktop associates with it, and only when the user says so.
    const auto answer = MessageBoxes::show({ this, QStringLiteral("Download complete"),
        QStringLiteral("%1 has been downloaded to\r%2.\rDo you want to open it now?").arg(name, QDir::currentPath()),
        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No });
    if (answer == QMessageBox::Yes)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void InternetDialog::keyPressEvent(QKeyEvent* event)
{
    // The dialog has no OK button; Enter is its OK command.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        done(1);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kx
