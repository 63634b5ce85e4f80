// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FileListView: the self-drawn file list of the main window. It shows the file
// list model as rows of plain text (number, creation date, modified date,
// current name, new name in bold gold, size) under seven header buttons, with
// its scroll bar at the right edge, an optional horizontal bar at its bottom
// and the two date pickers of the creation and modified columns in the
// header.
//
// Drawing touches only the rows from the top row to the bottom edge, so its
// cost does not depend on the number of files. The rows are chosen with the
// left button (marked and unmarked in multi-select mode) or moved with the
// arrow, page, Home and End keys while the list has the focus; Return does
// what a double click does. The rows scroll by dragging them and by the scroll
// bar; the lines between columns are dragged to resize them. A header click
// and a picked date are reported to the owner, which sorts the list or sets
// the dates. A cut text ends in an ellipsis; the cell's tool tip shows it all.
//
// Positions are pixels of the drawing surface (the widget inside its border).

#include "ColumnLayout.h"
#include "FileListLook.h"
#include "ListHeader.h"
#include "filelist/FileListModel.h"

#include <QFrame>

class DatePicker;
class FileListPainter;
class QHelpEvent;
class PropertyBag;
class QPushButton;
class QScrollBar;
class ScrollBar;

class FileListView : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QColor backGroundColor READ backGroundColor WRITE setBackGroundColor)
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(int borderType READ borderType WRITE setBorderType)
    Q_PROPERTY(bool fontItalic READ fontItalic WRITE setFontItalic)
    Q_PROPERTY(QString fontName READ fontName WRITE setFontName)
    Q_PROPERTY(qreal fontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(bool fontStrikethru READ fontStrikethru WRITE setFontStrikethru)
    Q_PROPERTY(bool fontUnderline READ fontUnderline WRITE setFontUnderline)
    Q_PROPERTY(int shownColumns READ shownColumns WRITE setShownColumns)
    Q_PROPERTY(bool multiSelect READ multiSelect WRITE setMultiSelect)
public:
    static constexpr int ButtonCount = ListHeader::ButtonCount;

    explicit FileListView(QWidget* parent = nullptr);
    ~FileListView() override;

    // The list shown; without one the control shows a model of its own.
    void setModel(FileListModel* model);
    FileListModel& model() { return *m_model; }
    const FileListModel& model() const { return *m_model; }

    // The caption of header button column (0..6); the list's own captions
    // stand there until one is set.
    void setColumnCaption(int column, const QString& caption);

    // Layout, measuring and drawing.
    void layoutColumns();
    void measureRows();
    void redraw() { update(); }
    void refresh() { repaint(); }

    // Properties.
    QColor backGroundColor() const { return m_look.backColor; }
    void setBackGroundColor(const QColor& color);
    QColor foreColor() const { return m_look.foreColor; }
    void setForeColor(const QColor& color);
    int borderType() const { return m_look.borderType; }
    void setBorderType(int type);
    bool fontItalic() const { return m_look.font.italic(); }
    void setFontItalic(bool on);
    QString fontName() const { return m_look.font.family(); }
    void setFontName(const QString& name);
    qreal fontSize() const { return m_look.font.pointSizeF(); }
    void setFontSize(qreal points);
    bool fontStrikethru() const { return m_look.font.strikeOut(); }
    void setFontStrikethru(bool on);
    bool fontUnderline() const { return m_look.font.underline(); }
    void setFontUnderline(bool on);
    int fontCharset() const { return m_look.fontCharset; }
    void setFontCharset(int charset);
    // How many data columns show (0..6).
    int shownColumns() const { return m_shownColumns; }
    void setShownColumns(int columns);
    // Whether a click marks and unmarks rows rather than choosing one.
    bool multiSelect() const { return m_multiSelect; }
    void setMultiSelect(bool on);
    // 1: the rows are drawn wider than the control, under a horizontal bar.
    int horizontalScroll() const { return m_horizontalScroll; }
    void setHorizontalScroll(int value);
    void setMaxWidth(int value);
    void readProperties(const PropertyBag& bag);

    // State and hit areas, for the window and for tests.
    int columnStart(int column) const { return m_columns.start(column); }
    int listWidth() const { return m_columns.listWidth(); }
    int rowHeight() const { return m_rowHeight; }
    int headerHeight() const;
    int topRow() const;
    bool currentMarked() const { return m_currentMarked; }
    int draggedLine() const { return m_draggedLine; }
    QRect rowRect(int position) const;  // widget coordinates; null when not shown
    QRect columnLine(int column) const; // the drawn line left of data column 1..6
    // The text data column 1..6 shows at a list position, cut as drawn.
    QString shownText(int column, int position) const;
    QPushButton* sortButton(int index) const { return m_header->button(index); }
    // Shows the arrow of the column the list is sorted by (-1: none).
    void showSortOrder(int column, bool descending) { m_header->showSortOrder(column, descending); }
    const ListHeader& header() const { return *m_header; }
    ScrollBar* scrollBar() const { return m_scrollBar; }
    QScrollBar* horizontalScrollBar() const { return m_hScroll; }
    // The date pickers of the creation (0) and modified (1) columns.
    DatePicker* datePicker(int index) const { return m_header->picker(index); }

signals:
    void clicked();
    void doubleClicked();
    // A header button was clicked: the owner sorts the list by that column
    // (0..6) while the control shows the wait pointer.
    void headerClicked(int column);
    // The text of date picker 0 (creation) or 1 (modified) changed; the owner
    // applies it to the list and may correct the picker's date.
    void datePicked(int picker, const QString& text, const QDateTime& date);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Pointer { Default, VerticalResize, HorizontalResize };

    void createChildren();
    void attachModel(FileListModel* model);
    void modelReloaded();
    void headerButtonClicked(int column);
    void placeHeaderButtons();
    void placePickers(bool besideButtons);
    bool headerMouse(QWidget* button, QEvent* event);
    void horizontalScrolled();
    void fontChanged();
    void applyBorderType(int type);
    void setPointer(Pointer pointer);
    QPointF surfacePos(const QMouseEvent* event) const;
    int surfaceWidth() const { return contentsRect().width(); }
    int surfaceHeight() const { return contentsRect().height(); }
    int hScrollValue() const;
    // The last row drawn: -1 for a list that shows no file.
    int lastIndex() const { return m_model->holdsNoFiles() ? -1 : m_model->lastIndex(); }
    bool holdsRow(int position) const
    {
        return position >= 0 && position <= lastIndex() && position < m_model->recordCount();
    }

    void chooseRow(double y);
    void hover(double x);
    void resizeColumn(double x);
    void dragScroll(double y);
    void moveToRow(int row);
    int pageRows() const; // the rows that fit wholly below the header
    FileListPainter painter() const;
    void showCellTip(const QHelpEvent& help);

    FileListModel m_ownModel;
    FileListModel* m_model = &m_ownModel;

    ListHeader* m_header = nullptr;
    ScrollBar* m_scrollBar = nullptr;
    QScrollBar* m_hScroll = nullptr;

    ColumnLayout m_columns;
    qint32 m_rowHeight = 1;
    qint16 m_shownColumns = 0;
    bool m_multiSelect = false;
    qint16 m_horizontalScroll = 0;
    bool m_currentMarked = false;

    FileListLook m_look;

    Pointer m_pointer = Pointer::Default;
    qint32 m_dragTopRow = 0;
    qint32 m_dragStartY = 0;
    int m_draggedLine = 0;
    bool m_releaseEndsDoubleClick = false;
};
