#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace lexotrace
{

// The About panel, loaded on first show and kept; later shows only centre and raise it.
class AboutController
{
public:
    explicit AboutController(const QString& interfaceName);
    ~AboutController();

    const QString& interfaceName() const { return m_interfaceName; }
    QDialog* aboutPanel() const { return m_panel.get(); }
    void show();

private:
    bool loadPanel();

    QString m_interfaceName;
    std::unique_ptr<QDialog> m_panel;
};

} // namespace lexotrace
