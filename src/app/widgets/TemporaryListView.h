#pragma once

#include <QAbstractTableModel>
#include <QTableView>

class FileListModel;

// A plain read-only table over the file list, standing in for the self-drawn
// list view until that control is in place.
class TemporaryListView : public QTableView
{
    Q_OBJECT
public:
    explicit TemporaryListView(FileListModel& model, QWidget* parent = nullptr);

private:
    class Adapter;
    Adapter* m_adapter;
};
