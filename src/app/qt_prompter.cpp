#include "app/qt_prompter.h"

#include <QFileDialog>
#include <QMessageBox>

namespace vellamo::app {

using document::Answer;
using document::MessageButtons;
using document::MessageIcon;

QString qtFileFilter(const QString& programFilter)
{
    const QStringList parts = programFilter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString text = parts[i].trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        // A text that already shows its patterns keeps them once.
        if (text.endsWith(u')') && text.contains(u'('))
            entries.append(text.left(text.lastIndexOf(u'(')).trimmed() + " (" + patterns + ")");
        else
            entries.append(text + " (" + patterns + ")");
    }
    return entries.join(QStringLiteral(";;"));
}

Answer QtPrompter::ask(const document::Message& message)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(message.caption.isEmpty() ? document::DefaultCaption : message.caption);
    box.setText(message.text);
    switch (message.icon) {
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Error:
    case MessageIcon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::None:
        break;
    }
    switch (message.buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        // The close box answers as Cancel where there is one, else as the only button.
        if (message.buttons == MessageButtons::Ok)
            return Answer::Ok;
        if (message.buttons == MessageButtons::YesNo)
            return Answer::No;
        return Answer::Cancel;
    }
}

std::optional<QString> QtPrompter::chooseFileToOpen(const document::FileRequest& request)
{
    QFileDialog dialog(m_parent, request.caption, request.folder, qtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<QString> QtPrompter::chooseFileToSave(const document::FileRequest& request)
{
    const auto choice = chooseFileAndFilterToSave(request);
    if (!choice)
        return std::nullopt;
    return choice->fileName;
}

std::optional<document::SaveChoice>
QtPrompter::chooseFileAndFilterToSave(const document::FileRequest& request)
{
    const QStringList filters = qtFileFilter(request.filter).split(QStringLiteral(";;"));
    QFileDialog dialog(m_parent, request.caption, request.folder);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // Otherwise the program asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const qsizetype entry = filters.indexOf(dialog.selectedNameFilter());
    return document::SaveChoice{dialog.selectedFiles().front(),
                                entry < 0 ? request.filterIndex : int(entry) + 1};
}

}  // namespace vellamo::app
