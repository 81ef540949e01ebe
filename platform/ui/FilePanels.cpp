#include "platform/ui/FilePanels.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFileDialog>

namespace platform
{

void WidgetFilePanels::beginSaveSheet(QWidget* window, const QString& proposedName,
                                      std::function<void(std::optional<QString>)> completion)
{
    // The dialog owns itself until it is dismissed.
    auto* dialog = new QFileDialog(window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDirectory(paths::documentsDirectory());
    dialog->selectFile(proposedName);
    dialog->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, completion](int result) {
        const QStringList files = dialog->selectedFiles();
        if (completion)
            completion(result == QDialog::Accepted && !files.isEmpty()
                           ? std::optional<QString>(files.first())
                           : std::nullopt);
    });
    dialog->open();
}

void WidgetFilePanels::beginFolderPanel(const FolderRequest& request,
                                        std::function<void(std::optional<QString>)> completion)
{
    // The dialog owns itself until it is dismissed.
    auto* dialog = new QFileDialog(nullptr, request.message, request.directory);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setLabelText(QFileDialog::Accept, request.prompt);
    QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, completion](int result) {
        const QStringList chosen = dialog->selectedFiles();
        if (completion)
            completion(result == QDialog::Accepted && !chosen.isEmpty()
                           ? std::optional<QString>(chosen.first())
                           : std::nullopt);
    });
    dialog->show();
}

} // namespace platform
