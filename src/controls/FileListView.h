#pragma once

// FileListView: the self-drawn file list of the main window. It shows the file
// list model as rows of plain text (number, creation date, modified date,
// current name, new name in bold gold, size) under seven header buttons, with
// the scroll bar sBar at its right edge, an optional horizontal bar at its
// bottom and the two date pickers of the creation and modified columns in the
// header.
//
// Drawing touches only the rows from the top row to the bottom edge, so its
// cost does not depend on the number of files. The rows are chosen with the
// left button (marked and unmarked in multi-select mode), scrolled by dragging
// them, by sBar and by its keys; the lines between columns are dragged to
// resize them; a header click sorts (ListSorter).
//
// Positions are pixels of the drawing surface (the widget inside its border).

#include "filelist/FileListModel.h"
#include "filelist/ListSorter.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QPointer>

#include <array>

class DatePicker;
class PropertyBag;
class QPushButton;
class QScrollBar;
class Session;
class ScrollBar;

class FileListView : public QFrame
{
    Q_OBJECT
public:
    static constexpr int ButtonCount = 7;

    explicit FileListView(QWidget* parent = nullptr);
    ~FileListView() override;

    // The list shown. A session also receives the pickers' texts, which the
    // rename pass reads as pending dates; without one the control shows a
    // model of its own.
    void setSession(Session* session);
    void setModel(FileListModel* model);
    FileListModel& model() { return *m_model; }
    const FileListModel& model() const { return *m_model; }

    // The list operations the main window calls, by their list names.
    void AddArray(QStringList& rows) { m_model->setRows(rows); }
    QString SourceName(int position) const { return m_model->currentNameAt(position); }
    QString DesName(int position) const { return m_model->newNameAt(position); }
    void DesChange(int position, const QString& name) { m_model->setNewNameAt(position, name); }
    int GetArrayItem() const { return m_model->currentRow(); }
    int GetContentNo(int record) const { return m_model->recordNumber(record); }
    qint32 FileByteSize(int record) const { return m_model->byteSize(record); }
    QString GetText(int record) const { return m_model->commaText(record); }
    QString ListCount() const { return m_model->lastIndexText(); }
    void FileDateChange1(int record, const QString& text)
    {
        m_model->setCreationDateText(record, text);
    }
    void FileDateChange2(int record, const QString& text)
    {
        m_model->setModifiedDateText(record, text);
    }
    int PrintSelection(int record) const { return m_model->selectedNumber(record); }
    QString GetDate1() const;
    QString GetDate2() const;
    void ListRefresh() { REFscreen(); }

    // Columns: captions, kinds, how many data columns show, and a click.
    void NameButton(int index, const QString& titleString);
    void ASearchTypes(int tis, int tis2) { m_sorter.setColumnKind(tis, tis2); }
    void SortButton_Click(int index);
    const ListSorter& sorter() const { return m_sorter; }

    // Layout, measuring and drawing.
    void UserControl_Resize();
    void ReSizeFont();
    void REFscreen();
    void Refresh();

    // Properties. The first nine are saved with the window.
    QColor BackGroundColor() const { return m_backColor; }
    void setBackGroundColor(const QColor& color);
    QColor ForeColor() const { return m_foreColor; }
    void setForeColor(const QColor& color);
    bool Enabled() const { return isEnabled(); }
    void setEnabled(bool enabled);
    int BorderType() const { return m_borderType; }
    void setBorderType(int type);
    bool FontItalic() const { return m_font.italic(); }
    void setFontItalic(bool on);
    QString FontName() const { return m_font.family(); }
    void setFontName(const QString& name);
    qreal FontSize() const { return m_font.pointSizeF(); }
    void setFontSize(qreal points);
    bool FontStrikethru() const { return m_font.strikeOut(); }
    void setFontStrikethru(bool on);
    bool FontUnderline() const { return m_font.underline(); }
    void setFontUnderline(bool on);
    int FontCharset() const { return m_fontCharset; }
    void setFontCharset(int charset);
    void setcSelect(int columns);
    void setmSelect(bool on);
    void setNoScroll(int value);
    void setMaxWidth(int value);
    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;
    // The saved settings of the main window's list.
    static void mainWindowDesign(PropertyBag& bag);

    // State and hit areas, for the window and for tests.
    int cSelect() const { return m_cSelect; }
    bool mSelect() const { return m_mSelect; }
    int NoScroll() const { return m_noScroll; }
    int ColumnStart(int column) const { return m_columnStart[size_t(column)]; }
    int ListWidth() const { return m_listWidth; }
    int RowHeight() const { return m_rowHeight; }
    int headerHeight() const;
    int topRow() const;
    bool CurrentMarked() const { return m_currentMarked; }
    int DragBorder() const { return m_dragBorder; }
    QRect rowRect(int position) const;  // widget coordinates; null when not shown
    QRect columnLine(int column) const; // the drawn line left of data column 1..6
    QPushButton* sortButton(int index) const { return m_sortButton[size_t(index)]; }
    ScrollBar* sBar() const { return m_sBar; }
    QScrollBar* HScroll1() const { return m_hScroll; }
    DatePicker* DatePicker1() const { return m_picker[0]; }
    DatePicker* DatePicker2() const { return m_picker[1]; }

signals:
    void Click();
    void DblClick();
    void propertyChanged(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Pointer { Default, VerticalResize, HorizontalResize };
    struct RowPainter;

    void createChildren();
    void createPickers();
    void attachModel(FileListModel* model);
    void modelReloaded();
    void placeHeaderButtons();
    void placePickers(bool besideButtons);
    void horizontalScrolled();
    void paintSurface(QPainter& painter);
    void fontChanged(const QString& name);
    void applyBorderType(int type);
    void changed(const QString& name) { emit propertyChanged(name); }
    void setPointer(Pointer pointer);
    QPointF surfacePos(const QMouseEvent* event) const;
    int surfaceWidth() const { return contentsRect().width(); }
    int surfaceHeight() const { return contentsRect().height(); }
    int hScrollValue() const;
    int lastIndex() const { return m_model->lastIndex(); }

    void chooseRow(double y);
    void hover(double x);
    void resizeColumn(double x);
    void dragScroll(double y);
    void sBarKeyDown(int& keyCode, int& shift);
    void pickerChanged(int column);

    FileListModel m_ownModel;
    FileListModel* m_model = &m_ownModel;
    QPointer<Session> m_session;
    ListSorter m_sorter;

    std::array<QPushButton*, ButtonCount> m_sortButton{};
    ScrollBar* m_sBar = nullptr;
    QScrollBar* m_hScroll = nullptr;
    std::array<DatePicker*, 2> m_picker{};

    std::array<qint16, 7> m_columnStart{}; // index 1..6
    qint16 m_listWidth = 0;
    qint32 m_rowHeight = 1;
    qint16 m_cSelect = 0;
    bool m_mSelect = false;
    qint16 m_noScroll = 0;
    qint16 m_borderType = 0;
    bool m_currentMarked = false;

    QColor m_backColor;
    QColor m_foreColor;
    QFont m_font;
    int m_fontCharset = 0;

    Pointer m_pointer = Pointer::Default;
    qint32 m_dragTopRow = 0;
    qint32 m_dragStartY = 0;
    int m_dragBorder = 0;
    bool m_releaseEndsDoubleClick = false;
    bool m_pickerBusy = false;
};
