#include "platform/ui/FilePanels.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFileDialog>

namespace platform
{

namespace
{

// The completion gets the first chosen path, or nothing when the user cancelled.
void answerWhenDismissed(QFileDialog* dialog,
                         std::function<void(std::optional<QString>)> completion)
{
    QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, completion](int result) {
        const QStringList chosen = dialog->selectedFiles();
        if (completion)
            completion(result == QDialog::Accepted && !chosen.isEmpty()
                           ? std::optional<QString>(chosen.first())
                           : std::nullopt);
    });
}

} // namespace

void WidgetFilePanels::beginSaveSheet(QWidget* window, const SaveRequest& request,
                                      std::function<void(std::optional<QString>)> completion)
{
    // The dialog owns itself until it is dismissed.
    auto* dialog = new QFileDialog(window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDirectory(paths::documentsDirectory());
    if (!request.title.isEmpty())
        dialog->setWindowTitle(request.title);
    if (!request.extension.isEmpty()) {
        dialog->setNameFilter(QStringLiteral("*.%1").arg(request.extension));
        dialog->setDefaultSuffix(request.extension);
    }
    dialog->selectFile(request.proposedName);
    dialog->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    answerWhenDismissed(dialog, std::move(completion));
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
    answerWhenDismissed(dialog, std::move(completion));
    dialog->show();
}

} // namespace platform
