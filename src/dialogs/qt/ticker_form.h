// tScr_TickerForm, the symbol properties dialog: one symbol's name and alert thresholds (General),
// its trades of the day (Prices) and its headlines (News). Modal; it holds the item and its tape
// without owning them, and only OK writes into the item.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/symbol_properties.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;

namespace vc {

class tKestroTable;
class tLayoutStore;
class tTickerItem;
class tTickerTape;
class tTranslation;

// Downloads a symbol's headlines into lines; returns the HTTP result code (200 when it worked).
using tNewsFetch = std::function<int(const std::string& symbol, std::vector<std::string>& lines)>;

class tScr_TickerForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    // item may be null: the dialog then shows nothing and OK just closes. layouts keeps the
    // grids' column layouts; null keeps none.
    tScr_TickerForm(tTickerItem* item, tTickerTape& tape, const tTranslation& translation,
                    tNewsFetch fetchNews, tLayoutStore* layouts, QWidget* parent = nullptr);
    ~tScr_TickerForm() override;

    // The controls, for tests and for whoever drives the dialog.
    QTabWidget* Page() const { return page_; }
    QLineEdit* EditName() const { return editName_; }
    QLineEdit* EditAlertUp() const { return editAlertUp_; }
    QLineEdit* EditAlertDown() const { return editAlertDown_; }
    QLineEdit* EditLast() const { return editLast_; }
    QLabel* ImageUp() const { return imageUp_; }
    QLabel* ImageDown() const { return imageDown_; }
    QMenu* PopupUp() const { return popupUp_; }
    QMenu* PopupDown() const { return popupDown_; }
    QPushButton* BtnMore() const { return btnMore_; }
    QPushButton* BtnOk() const { return btnOk_; }
    tKestroTable* Grid() const { return grid_; }
    tKestroTable* GridNews() const { return gridNews_; }
    bool NewsLoaded() const { return newsLoaded_; }
    QLabel* NoNewsLabel() const { return noNews_; }
    // The percentage button of a threshold box: opens its menu, or beeps without a last price.
    void ClickPercentButton(tAlertSide side);
    // Takes a menu entry (0..9 the percentages, 10 "Clear Alert") as if it was chosen.
    void ChoosePercent(tAlertSide side, int entry);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildGeneralPage(QWidget* sheet);
    void BuildPricesPage(QWidget* sheet);
    void BuildNewsPage(QWidget* sheet);
    void FirstActivation();
    void FillPrices();
    void PageChanged(int index);
    void LoadNews();
    void PlaceNoNews();
    std::vector<std::string> NewsLinesOfGrid() const;
    QMenu* BuildPercentMenu(tAlertSide side);
    void ThresholdEdited(tAlertSide side);
    void UpdateThresholdLook(tAlertSide side);
    void ClickOk();
    void ClickMore();

    tTickerItem* item_;
    tTickerTape& tape_;
    const tTranslation& translation_;
    tNewsFetch fetchNews_;
    tLayoutStore* layouts_;
    bool activated_ = false;
    bool newsLoaded_ = false;
    bool upFired_ = false;
    bool downFired_ = false;

    QTabWidget* page_ = nullptr;
    QLineEdit* editSymbol_ = nullptr;
    QLineEdit* editName_ = nullptr;
    QLineEdit* editDate_ = nullptr;
    QLineEdit* editTime_ = nullptr;
    QLineEdit* editLast_ = nullptr;
    QLineEdit* editProc_ = nullptr;
    QLineEdit* editPrev_ = nullptr;
    QLineEdit* editAbs_ = nullptr;
    QLineEdit* editAlertUp_ = nullptr;
    QLineEdit* editAlertDown_ = nullptr;
    QLabel* imageUp_ = nullptr;
    QLabel* imageDown_ = nullptr;
    QCheckBox* editNewsAlert_ = nullptr;
    QMenu* popupUp_ = nullptr;
    QMenu* popupDown_ = nullptr;
    QPushButton* btnMore_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    tKestroTable* grid_ = nullptr;
    tKestroTable* gridNews_ = nullptr;
    QLabel* noNews_ = nullptr;
    // The trade date of each prices row (index = grid row).
    std::vector<double> priceDays_;
};

// Opens the dialog modally for an item; true when it closed with OK.
bool ShowSymbolProperties(tTickerItem* item, tTickerTape& tape, const tTranslation& translation,
                          tNewsFetch fetchNews, tLayoutStore* layouts, QWidget* parent = nullptr);

} // namespace vc
