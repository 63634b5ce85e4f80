#include "TemporaryListView.h"

#include "filelist/FileListModel.h"

#include <QHeaderView>

class TemporaryListView::Adapter : public QAbstractTableModel
{
public:
    explicit Adapter(FileListModel& model, QObject* parent)
        : QAbstractTableModel(parent), m_model(model)
    {
        connect(&model, &FileListModel::reloaded, this, [this] {
            beginResetModel();
            endResetModel();
        });
        connect(&model, &FileListModel::refreshRequested, this, [this] {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        });
    }
    int rowCount(const QModelIndex& = {}) const override { return m_model.recordCount(); }
    int columnCount(const QModelIndex& = {}) const override { return 6; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        const int r = m_model.recordAt(index.row());
        switch (index.column()) {
        case 0:
            return m_model.GetContentNo(r);
        case 1:
            return m_model.dateText1(r);
        case 2:
            return m_model.dateText2(r);
        case 3:
            return m_model.sourceNameOf(r).toString();
        case 4:
            return m_model.desNameOf(r);
        default:
            return m_model.sizeText(r).toString();
        }
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        static const char* const captions[] = {
            "No.", "Creation Dates", "Modified Dates", "Current Filenames", "New Filenames",
            "Size"};
        if (o != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return QString::fromLatin1(captions[section]);
    }

private:
    FileListModel& m_model;
};

TemporaryListView::TemporaryListView(FileListModel& model, QWidget* parent)
    : QTableView(parent), m_adapter(new Adapter(model, this))
{
    setModel(m_adapter);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setEditTriggers(NoEditTriggers);
}
