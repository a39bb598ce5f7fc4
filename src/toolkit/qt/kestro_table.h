// The table grid as a widget: a QTableView with its own model, delegate and header over one
// tTableData. The data side decides what is shown, sorted, copied and saved; this side draws it the
// way the grid always looked (gradient header, band colours, check and picture cells, hot cells) and
// turns mouse, keyboard and menu actions into calls on it.
//
// A QTableView rather than a QTableWidget: the cells already live in tTableData, and a second copy
// in QTableWidgetItems would have to be kept in step on every write.
#pragma once

#include "toolkit/grid_defaults.h"
#include "toolkit/table_data.h"

#include <QImage>
#include <QTableView>
#include <map>
#include <memory>

class QMenu;

namespace vc {

class tLayoutStore;
class tTranslation;
class tKestroModel;
class tKestroHeader;

class tKestroTable : public QTableView {
    Q_OBJECT
public:
    explicit tKestroTable(QWidget* parent = nullptr);
    // Saves the layout into the store Load was given.
    ~tKestroTable() override;

    tTableData& Data() { return *data_; }
    const tTableData& Data() const { return *data_; }

    // Behaviour the owner sets before Load.
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool on);
    bool Editable() const { return editable_; }
    void SetEditable(bool on) { editable_ = on; }
    bool ColumnSizing() const { return columnSizing_; }
    void SetColumnSizing(bool on);
    // The owner's own menu over data rows; the grid's is used when none is set. Not owned.
    void SetDataMenu(QMenu* menu) { ownDataMenu_ = menu; }

    // Once, after the columns are defined: the program-wide look, the saved layout and the
    // translated captions. store may be null (nothing is remembered); both must outlive the grid.
    void Load(const tGridDefaults& defaults, const tTranslation& translation, tLayoutStore* store);

    // Shows what Data() holds now: call it after changing rows, cells, widths or columns directly.
    void Rebuild();

    // The hot cell as grid column and row, or -1, -1.
    QPoint HotCell() const { return hot_; }
    // The data rows selected, ascending.
    std::vector<int> SelectedRows() const;
    // The grid columns selected (never the filler), ascending.
    std::vector<int> SelectedCols() const;

    void CopyToClipboard();
    void PasteFromClipboard();
    void CutToClipboard();
    // Widens or narrows every column but the filler to its caption and cells.
    void AutosizeColumns();
    // Widens the columns whose caption or cells do not fit (never a word-wrapped one); none gets
    // narrower. Designed widths were measured in a narrower font than the desktop's.
    void WidenColumnsToFit();
    // The table-properties dialog, modal; OK applies it and the grid rebuilds.
    void ShowTableProperties();
    // The context menus as they would pop up now; each action's data is its entry's index.
    std::unique_ptr<QMenu> BuildHeaderMenu();
    std::unique_ptr<QMenu> BuildDataMenu();

    // Drawing, used by the header and the delegate.
    void PaintHeaderCell(QPainter& painter, const QRect& rect, int col, bool pressed) const;
    void PaintDataCell(QPainter& painter, const QRect& rect, int col, int row, bool selected,
                       bool focused) const;

signals:
    void HotCellClicked(int col, int row);
    void SelChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class tKestroHeader;

    // The width that shows column col's caption and every cell whole.
    int ContentWidth(int col) const;
    // A completed click on header column col, as the header reports it.
    void HeaderClicked(int col);
    void ShowHeaderMenu(const QPoint& globalPos);
    void ShowHeaderHint(const QPoint& globalPos, int col);
    std::unique_ptr<QMenu> BuildMenu(const std::vector<tTableMenuEntry>& entries);
    void RunMenu(const std::vector<tTableMenuEntry>& entries, const QPoint& globalPos);
    void RunCommand(const tTableMenuEntry& entry);
    void SetHot(QPoint cell);
    // Grid column and row under a viewport point; -1 where there is no data cell.
    QPoint CellAt(const QPoint& pos) const;
    bool AllSelected() const;
    void SetCurrentRow(int row, int col);
    QColor Color(tColor color) const;
    const tTranslation& Translation() const;

    std::unique_ptr<tTableData> data_;
    tKestroModel* model_;
    tKestroHeader* header_;
    const tTranslation* translation_ = nullptr;
    tLayoutStore* store_ = nullptr;
    QMenu* ownDataMenu_ = nullptr;
    tColor oliveColor_ = kClOlive;
    std::map<int, QImage> pictures_; // picture strips by column Id, transparency applied
    bool rowSelect_ = false;
    bool editable_ = false;
    bool columnSizing_ = true;
    bool syncing_ = false;
    QPoint hot_{-1, -1};
    QPoint hintCell_{-1, -1};
};

} // namespace vc
