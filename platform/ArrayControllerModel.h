#pragma once

#include "platform/ArrayController.h"

#include <QAbstractTableModel>
#include <QPointer>

namespace platform
{

// The arranged objects of an array controller as table rows, one column per key. Rows follow the
// controller by insertions, removals and moves, never by a reset, so the views keep their
// selection and scroll position.
class ArrayControllerModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column {
        QString key;
        QString title;
        bool editable = false;
    };

    ArrayControllerModel(ArrayController* controller, const QList<Column>& columns,
                         QObject* parent = nullptr);

    ManagedObject* objectAt(int row) const;
    ArrayController* controller() const { return m_controller; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes an edited value into the object; empty text makes the value absent.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void follow();

    QPointer<ArrayController> m_controller;
    QList<Column> m_columns;
    QList<ManagedObject*> m_rows;
};

} // namespace platform
