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
    explicit AboutController(const QString& nibName);
    ~AboutController();

    const QString& nibName() const { return m_nibName; }
    QDialog* aboutPanel() const { return m_panel.get(); }
    void show();

private:
    bool loadPanel();

    QString m_nibName;
    std::unique_ptr<QDialog> m_panel;
};

} // namespace lexotrace
